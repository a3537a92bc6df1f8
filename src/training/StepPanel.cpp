#include "training/StepPanel.h"

#include "core/Catalogue.h"
#include "widgets/ColourLabel.h"
#include "widgets/DesignScaler.h"
#include "widgets/TrainingImages.h"

#include <QLabel>

namespace {

constexpr int kGauche = 40;
constexpr int kMarge = 4;
constexpr int kEcartFeu = 15;
constexpr int kEcartDroite = 10;
const QSize kTailleFeu(11, 29);
const QSize kTailleBatons(23, 23);
const QSize kTailleIcone(20, 20);
const QColor kMarine(0, 0, 128);

QString feu(TrainingEngine::Couleur c)
{
    switch (c) {
    case TrainingEngine::Couleur::Vert: return QStringLiteral("FEU_VERT");
    case TrainingEngine::Couleur::Orange: return QStringLiteral("FEU_ORANGE");
    default: return QStringLiteral("FEU_ROUGE");
    }
}

} // namespace

StepPanel::StepPanel(QWidget *zone)
    : QFrame(zone)
{
    setObjectName(QStringLiteral("Panel_A6000"));
    setAccessibleName(QStringLiteral("Produits de l'étape"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    hide();
}

QString StepPanel::nom_couleur(TrainingEngine::Couleur c)
{
    switch (c) {
    case TrainingEngine::Couleur::Gris: return QStringLiteral("gris");
    case TrainingEngine::Couleur::Rouge: return QStringLiteral("rouge");
    case TrainingEngine::Couleur::Orange: return QStringLiteral("orange");
    case TrainingEngine::Couleur::Vert: return QStringLiteral("vert");
    }
    return {};
}

QColor StepPanel::fond(TrainingEngine::Couleur c)
{
    switch (c) {
    case TrainingEngine::Couleur::Gris: return QColor(128, 128, 128);
    case TrainingEngine::Couleur::Rouge: return QColor(255, 0, 0);
    case TrainingEngine::Couleur::Orange: return QColor(255, 128, 0);
    case TrainingEngine::Couleur::Vert: return QColor(128, 255, 0);
    }
    return {};
}

QColor StepPanel::texte(TrainingEngine::Couleur c)
{
    switch (c) {
    case TrainingEngine::Couleur::Gris: return QColor(255, 255, 255);
    case TrainingEngine::Couleur::Vert: return QColor(0, 0, 255);
    default: return QColor(255, 255, 0);
    }
}

QLabel *StepPanel::image(const QString &nom, const QString &accessible, QSize taille)
{
    auto *l = new QLabel(parentWidget());
    l->setObjectName(nom);
    l->setAccessibleName(accessible);
    l->resize(taille);
    l->hide();
    return l;
}

StepPanel::Ligne *StepPanel::ligne(int item)
{
    const int k = item - m_premier;
    return k >= 0 && k < m_lignes.size() ? &m_lignes[k] : nullptr;
}

void StepPanel::detruit()
{
    for (Ligne &l : m_lignes) {
        for (QLabel *w : std::initializer_list<QLabel *>{l.question, l.egale, l.reponse, l.feu, l.batons, l.icone})
            delete w;
    }
    m_lignes.clear();
    hide();
}

void StepPanel::construit(const QStringList &items, int premier, int dernier, bool nouveauBloc)
{
    detruit();
    m_premier = premier;
    const int n = dernier - premier + 1;
    if (n <= 0)
        return;
    int f = 20;
    m_h = 32;
    if (n >= kSeuilPetitesLignes) {
        m_h = 600 / n - 1;
        f = 5 * m_h / 8;
    }
    QFont police(QStringLiteral("Arial"));
    police.setBold(true);
    police.setPointSize(std::max(f, 1));
    const QFontMetrics mesure(police);
    m_largeurQuestion = m_largeurEgale = m_largeurReponse = 0;
    auto etiquette = [&](const QString &nom, const QString &texte) {
        auto *l = new ColourLabel(texte, this);
        l->setObjectName(nom);
        l->setFont(police);
        l->setBordure(kMarine);
        return l;
    };
    for (int i = premier; i <= dernier; ++i) {
        const QString code = items.at(i);
        Ligne l;
        l.question = etiquette(QStringLiteral("Gradlabel_%1").arg(i), u' ' + Catalogue::ecrit_produit(code) + u' ');
        l.egale = etiquette(QStringLiteral("Gradlabel_egale_%1").arg(i), QStringLiteral("="));
        l.reponse = etiquette(QStringLiteral("Gradlabel_reponse_%1").arg(i),
                              u' ' + Catalogue::resultat_produit(code) + u' ');
        m_largeurQuestion = std::max(m_largeurQuestion, mesure.horizontalAdvance(l.question->text()) + 6);
        m_largeurEgale = std::max(m_largeurEgale, mesure.horizontalAdvance(l.egale->text()) + 6);
        m_largeurReponse = std::max(m_largeurReponse, mesure.horizontalAdvance(l.reponse->text()) + 6);
        if (n < kSeuilPetitesLignes) {
            l.feu = image(QStringLiteral("feu_%1").arg(i), QStringLiteral("Feu"), kTailleFeu);
            l.batons = image(QStringLiteral("batons_%1").arg(i), QStringLiteral("Bâtons"), kTailleBatons);
            l.icone = image(QStringLiteral("icone_%1").arg(i), QStringLiteral("Résultat"), kTailleIcone);
        }
        m_lignes << l;
    }
    const int hauteur = (m_h + 1) * n + 8;
    move(kGauche, std::max(200 - hauteur / 2, 0));
    for (int k = 0; k < n; ++k) {
        const Ligne &l = m_lignes[k];
        const int y = kMarge + k * (m_h + 1);
        l.question->setGeometry(kMarge, y, m_largeurQuestion, m_h);
        l.egale->setGeometry(kMarge + m_largeurQuestion + 1, y, m_largeurEgale, m_h);
        l.reponse->setGeometry(kMarge + m_largeurQuestion + m_largeurEgale + 2, y, m_largeurReponse, m_h);
    }
    dimensionne(nouveauBloc);
    montre_reponses(nouveauBloc);
    for (int i = premier; i <= dernier; ++i) {
        applique_couleur(i, TrainingEngine::Couleur::Rouge);
        applique_batons(i, 0);
    }
    for (const Ligne &l : std::as_const(m_lignes)) {
        if (l.feu)
            l.feu->show();
        l.question->show();
    }
    show();
}

void StepPanel::dimensionne(bool avecReponses)
{
    const int largeur = avecReponses ? m_largeurQuestion + m_largeurEgale + m_largeurReponse + 10
                                     : m_largeurQuestion + 8;
    resize(largeur, (m_h + 1) * nombre() + 8);
    for (int k = 0; k < nombre(); ++k) {
        const Ligne &l = m_lignes[k];
        const int y = enDessin(this).y() + kMarge + k * (m_h + 1);
        if (l.feu)
            l.feu->move(enDessin(this).x() - kEcartFeu, y + (m_h - kTailleFeu.height()) / 2);
        if (l.batons)
            l.batons->move(enDessin(this).right() + 1 + kEcartDroite, y + (m_h - kTailleBatons.height()) / 2);
        if (l.icone)
            l.icone->move(enDessin(this).right() + 1 + kEcartDroite, y + (m_h - kTailleIcone.height()) / 2);
    }
}

void StepPanel::applique_couleur(int item, TrainingEngine::Couleur couleur)
{
    Ligne *l = ligne(item);
    if (!l)
        return;
    l->couleur = couleur;
    for (ColourLabel *w : {l->question, l->egale, l->reponse}) {
        w->setCouleurs(fond(couleur), texte(couleur));
        w->setAccessibleDescription(nom_couleur(couleur));
    }
    if (l->feu) {
        l->feu->setPixmap(TrainingImages::image(feu(couleur), DesignScaler::pictureDensity(l->feu)));
        l->feu->setAccessibleDescription(TrainingImages::description(feu(couleur)));
    }
}

void StepPanel::applique_batons(int item, int succes)
{
    Ligne *l = ligne(item);
    if (!l || !l->batons)
        return;
    const QString nom = QStringLiteral("BATONS_%1").arg(std::clamp(succes, 0, 5));
    l->batons->setPixmap(TrainingImages::image(nom, DesignScaler::pictureDensity(l->batons)));
    l->batons->setAccessibleDescription(TrainingImages::description(nom));
}

void StepPanel::montre_reponses(bool montrees)
{
    dimensionne(montrees);
    for (const Ligne &l : std::as_const(m_lignes)) {
        l.egale->setVisible(montrees);
        l.reponse->setVisible(montrees);
        if (!montrees) {
            // The answers take back the colour of their question.
            l.reponse->setCouleurs(fond(l.couleur), texte(l.couleur));
            if (l.icone)
                l.icone->hide();
        }
    }
}

void StepPanel::montre_icones(const QList<bool> &justes)
{
    montre_reponses(true);
    montre_batons(false);
    for (int k = 0; k < nombre() && k < justes.size(); ++k) {
        const Ligne &l = m_lignes[k];
        l.reponse->setCouleurs(justes[k] ? fond(l.couleur) : QColor(Qt::black), texte(l.couleur));
        if (l.icone) {
            const QString nom = justes[k] ? QStringLiteral("OK") : QStringLiteral("CROIX");
            l.icone->setPixmap(TrainingImages::image(nom, DesignScaler::pictureDensity(l.icone)));
            l.icone->setAccessibleDescription(TrainingImages::description(nom));
            l.icone->show();
        }
    }
}

void StepPanel::montre_batons(bool montres)
{
    for (const Ligne &l : std::as_const(m_lignes))
        if (l.batons)
            l.batons->setVisible(montres);
}
