#include "teacher/EtablissementTab.h"

#include "core/EstablishmentSetup.h"
#include "core/IniFile.h"
#include "core/NiveauxTexte.h"
#include "core/Paths.h"
#include "core/PupilFolders.h"
#include "teacher/TeacherSave.h"
#include "widgets/Dialogs.h"
#include "widgets/Naming.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// Geometry of a level row, inside its frame.
constexpr int kMarge = 8;
constexpr int kHauteurCadre = 62;
constexpr int kLigneTitres = 6;
constexpr int kLigneChamps = 26;
constexpr int kHauteurChamp = 26;
constexpr int kXNiveau = 12;
constexpr int kLargeurNiveau = 126;
constexpr int kXNombre = 152;
constexpr int kLargeurNombre = 70;
constexpr int kXClasses = 292;
constexpr int kLargeurClasse = 78;
constexpr int kPasClasse = 84;

const QString kTexteNiveauNouveau = QStringLiteral("niveau");
const QString kTexteClasseNouvelle = QStringLiteral("classe");

QString nomRangee(int i) { return QStringLiteral("Rangee_%1").arg(i); }
QString nomBoiteNiveau(int i) { return QStringLiteral("Edit1_%1").arg(i); }
QString nomSpinClasses(int i) { return QStringLiteral("SpinEdit%1").arg(i); }
// Class k-1 of level i, k from 2.
QString nomBoiteClasse(int k, int i) { return QStringLiteral("Edit%1_%2").arg(k).arg(i); }

QLabel *titre(const QString &texte, QWidget *parent, int x)
{
    auto *label = new QLabel(texte, parent);
    label->setObjectName(QStringLiteral("titre"));
    label->move(x, kLigneTitres);
    label->adjustSize();
    return label;
}

} // namespace

EtablissementTab::EtablissementTab(SessionState &state, const Environment &env, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_env(env)
{
    auto *labelNom = new QLabel(QStringLiteral("Nom de l'établissement:"), this);
    Edit2 = nomme(new QLineEdit(this), QStringLiteral("Edit2"), QStringLiteral("Nom de l'établissement"));
    Edit2->setMinimumWidth(320);
    labelNom->setBuddy(Edit2);
    Label_annee_scol = nomme(new QLabel(this), QStringLiteral("Label_annee_scol"), QStringLiteral("Année scolaire"));
    Label_annee_scol->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; font-size: 11pt; }"));
    auto *labelNiveaux = new QLabel(QStringLiteral("Nombre de niveaux:"), this);
    SpinEdit_niveaux = nomme(new QSpinBox(this), QStringLiteral("SpinEdit_niveaux"), QStringLiteral("Nombre de niveaux"));
    SpinEdit_niveaux->setRange(1, EstablishmentSetup::kMaxNiveaux);
    SpinEdit_niveaux->setValue(4);
    // A count typed digit by digit must not destroy rows on its way to the
    // final value ("12" passes through "1"): it takes effect when confirmed.
    SpinEdit_niveaux->setKeyboardTracking(false);
    SpinEdit_niveaux->setFixedWidth(70);
    labelNiveaux->setBuddy(SpinEdit_niveaux);

    auto *haut = new QGridLayout;
    haut->setHorizontalSpacing(10);
    haut->addWidget(labelNom, 0, 0);
    haut->addWidget(Edit2, 0, 1);
    haut->addWidget(Label_annee_scol, 0, 3, Qt::AlignRight);
    haut->addWidget(labelNiveaux, 1, 0);
    haut->addWidget(SpinEdit_niveaux, 1, 1, Qt::AlignLeft);
    haut->setColumnStretch(2, 1);

    m_rangees = new QWidget;
    m_rangees->setObjectName(QStringLiteral("Rangees"));
    m_rangees->setStyleSheet(QStringLiteral(
        "QFrame[cadre=\"true\"] { background: #f3f6fb; border: 1px solid #cfd8e6; border-radius: 6px; }"
        "QLabel#titre { color: #4a5568; font-size: 8pt; }"));
    m_defilement = nomme(new QScrollArea(this), QStringLiteral("Defilement_niveaux"),
                         QStringLiteral("Niveaux et classes"));
    m_defilement->setWidget(m_rangees);
    m_defilement->setWidgetResizable(false);
    m_defilement->setFrameShape(QFrame::StyledPanel);
    m_defilement->viewport()->installEventFilter(this);

    Button_enregistrer_etablissement = nomme(new QPushButton(QStringLiteral("Enregistrer "), this),
                                             QStringLiteral("Button_enregistrer_etablissement"),
                                             QStringLiteral("Enregistrer l'établissement"));
    Button_enregistrer_etablissement->setMinimumWidth(140);
    auto *bas = new QHBoxLayout;
    bas->addStretch();
    bas->addWidget(Button_enregistrer_etablissement);

    auto *colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(12, 12, 12, 12);
    colonne->setSpacing(10);
    colonne->addLayout(haut);
    colonne->addWidget(m_defilement, 1);
    colonne->addLayout(bas);

    connect(SpinEdit_niveaux, &QSpinBox::valueChanged, this, &EtablissementTab::SpinEdit_niveauxChange);
    connect(Button_enregistrer_etablissement, &QPushButton::clicked, this,
            &EtablissementTab::Button_enregistrer_etablissementClick);

    remplit(NiveauxTexte::parse(NiveauxTexte::defaut()));
}

QString EtablissementTab::cheminIni() const
{
    return Paths::join(m_env.programFolder, QStringLiteral("Tabulon.ini"));
}

void EtablissementTab::charge()
{
    const IniFile ini(cheminIni());
    const EstablishmentSetup::Ouverture ouverture = EstablishmentSetup::ouverture(ini, m_state);
    Edit2->setText(ouverture.nom);
    remplit(ouverture.niveaux);
    Label_annee_scol->setText(QStringLiteral("Année scolaire ") + m_state.annee_scolaire + u':');
}

void EtablissementTab::remplit(const QList<Niveau> &niveaux)
{
    const int n = qBound(1, int(niveaux.size()), EstablishmentSetup::kMaxNiveaux);
    {
        const QSignalBlocker bloque(SpinEdit_niveaux);
        SpinEdit_niveaux->setValue(n);
    }
    redimensionne_niveaux(n);
    for (int i = 1; i <= n; ++i) {
        const Niveau niveau = i <= niveaux.size() ? niveaux[i - 1] : Niveau{kTexteNiveauNouveau, {kTexteClasseNouvelle}};
        const int classes = qBound(1, int(niveau.classes.size()), EstablishmentSetup::kMaxClasses);
        {
            const QSignalBlocker bloque(spin_classes(i));
            spin_classes(i)->setValue(classes);
        }
        redimensionne_classes(i, classes);
        boite_niveau(i)->setText(niveau.nom);
        for (int c = 0; c < classes; ++c)
            boite_classe(c + 2, i)->setText(c < niveau.classes.size() ? niveau.classes[c] : QString());
    }
}

QWidget *EtablissementTab::rangee(int i) const
{
    return m_rangees->findChild<QWidget *>(nomRangee(i), Qt::FindDirectChildrenOnly);
}

QLineEdit *EtablissementTab::boite_niveau(int i) const
{
    return m_rangees->findChild<QLineEdit *>(nomBoiteNiveau(i));
}

QLineEdit *EtablissementTab::boite_classe(int k, int i) const
{
    return m_rangees->findChild<QLineEdit *>(nomBoiteClasse(k, i));
}

QSpinBox *EtablissementTab::spin_classes(int i) const
{
    return m_rangees->findChild<QSpinBox *>(nomSpinClasses(i));
}

void EtablissementTab::cree_rangee(int i)
{
    auto *cadre = new QFrame(m_rangees);
    cadre->setObjectName(nomRangee(i));
    // The frame's look comes from the style sheet of the rows' container.
    cadre->setProperty("cadre", true);
    cadre->move(kMarge, kMarge + (i - 1) * kHauteurRangee);

    titre(QStringLiteral("Niveaux:"), cadre, kXNiveau);
    titre(QStringLiteral("Nombre de classes:"), cadre, kXNombre);
    titre(QStringLiteral("Classes:"), cadre, kXClasses);

    auto *nom = nomme(new QLineEdit(kTexteNiveauNouveau, cadre), nomBoiteNiveau(i),
                      QStringLiteral("Nom du niveau %1").arg(i));
    nom->setGeometry(kXNiveau, kLigneChamps, kLargeurNiveau, kHauteurChamp);

    auto *nombre = nomme(new QSpinBox(cadre), nomSpinClasses(i),
                         QStringLiteral("Nombre de classes du niveau %1").arg(i));
    // A level holds at most 20 classes: the box offers no more.
    nombre->setRange(1, EstablishmentSetup::kMaxClasses);
    nombre->setValue(1);
    nombre->setKeyboardTracking(false);
    nombre->setGeometry(kXNombre, kLigneChamps, kLargeurNombre, kHauteurChamp);
    connect(nombre, &QSpinBox::valueChanged, this, &EtablissementTab::SpinEdit_classes_Change);

    cadre->show();
    redimensionne_classes(i, 1);
    boite_classe(2, i)->setText(kTexteClasseNouvelle);
}

void EtablissementTab::redimensionne_niveaux(int n)
{
    for (int i = EstablishmentSetup::kMaxNiveaux; i > n; --i)
        delete rangee(i);
    for (int i = 1; i <= n; ++i) {
        if (!rangee(i))
            cree_rangee(i);
    }
    ajuste_contenu();
    ordonne_tabulation();
}

void EtablissementTab::redimensionne_classes(int i, int n)
{
    QWidget *cadre = rangee(i);
    if (!cadre)
        return;
    for (int k = EstablishmentSetup::kMaxClasses + 1; k > n + 1; --k)
        delete boite_classe(k, i);
    for (int k = 2; k <= n + 1; ++k) {
        if (boite_classe(k, i))
            continue;
        auto *boite = nomme(new QLineEdit(kTexteClasseNouvelle, cadre), nomBoiteClasse(k, i),
                            QStringLiteral("Classe %1 du niveau %2").arg(k - 1).arg(i));
        boite->setGeometry(kXClasses + (k - 2) * kPasClasse, kLigneChamps, kLargeurClasse, kHauteurChamp);
        boite->show();
    }
    ajuste_contenu();
    ordonne_tabulation();
}

// Every frame is as wide as the widest row, and at least as wide as the
// visible area, so that the rows line up whatever their number of classes.
void EtablissementTab::ajuste_contenu()
{
    int largeur = m_defilement->viewport()->width() - 2 * kMarge;
    int niveaux = 0;
    for (int i = 1; i <= EstablishmentSetup::kMaxNiveaux && rangee(i); ++i) {
        const int classes = spin_classes(i) ? spin_classes(i)->value() : 1;
        largeur = qMax(largeur, kXClasses + classes * kPasClasse + 6);
        niveaux = i;
    }
    for (int i = 1; i <= niveaux; ++i)
        rangee(i)->resize(largeur, kHauteurCadre);
    m_rangees->resize(largeur + 2 * kMarge, kMarge + niveaux * kHauteurRangee);
}

bool EtablissementTab::eventFilter(QObject *objet, QEvent *event)
{
    if (objet == m_defilement->viewport() && event->type() == QEvent::Resize)
        ajuste_contenu();
    return QWidget::eventFilter(objet, event);
}

// Boxes made at run time join the focus chain at its end; the chain is laid
// again in reading order so that Tab walks the rows from top to bottom.
void EtablissementTab::ordonne_tabulation()
{
    QWidget *precedent = SpinEdit_niveaux;
    QWidget::setTabOrder(Edit2, SpinEdit_niveaux);
    for (int i = 1; i <= EstablishmentSetup::kMaxNiveaux && rangee(i); ++i) {
        QWidget::setTabOrder(precedent, boite_niveau(i));
        QWidget::setTabOrder(boite_niveau(i), spin_classes(i));
        precedent = spin_classes(i);
        for (int k = 2; QLineEdit *boite = boite_classe(k, i); ++k) {
            QWidget::setTabOrder(precedent, boite);
            precedent = boite;
        }
    }
    QWidget::setTabOrder(precedent, Button_enregistrer_etablissement);
}

void EtablissementTab::SpinEdit_niveauxChange(int valeur)
{
    if (valeur >= 1 && valeur <= EstablishmentSetup::kMaxNiveaux)
        redimensionne_niveaux(valeur);
}

void EtablissementTab::SpinEdit_classes_Change(int valeur)
{
    const QObject *spin = sender();
    if (!spin)
        return;
    bool ok = false;
    const int i = spin->objectName().mid(QStringLiteral("SpinEdit").size()).toInt(&ok);
    if (ok && valeur >= 1 && valeur <= EstablishmentSetup::kMaxClasses)
        redimensionne_classes(i, valeur);
}

QList<Niveau> EtablissementTab::saisie() const
{
    QList<Niveau> niveaux;
    for (int i = 1; i <= SpinEdit_niveaux->value(); ++i) {
        Niveau niveau;
        if (QLineEdit *nom = boite_niveau(i))
            niveau.nom = nom->text();
        const int classes = spin_classes(i) ? spin_classes(i)->value() : 0;
        for (int k = 2; k <= classes + 1; ++k) {
            if (QLineEdit *boite = boite_classe(k, i))
                niveau.classes.append(boite->text());
        }
        niveaux.append(niveau);
    }
    return niveaux;
}

bool EtablissementTab::Button_enregistrer_etablissementClick()
{
    const QList<Niveau> saisis = saisie();
    EstablishmentSetup::Refus refus = EstablishmentSetup::verifie(Edit2->text(), saisis);
    if (refus.isEmpty() && m_state.annee_scolaire.isEmpty())
        refus.message = QStringLiteral("L'année scolaire n'est pas connue : rien n'a été enregistré.");
    if (!refus.isEmpty()) {
        Dialogs::warning(this, QStringLiteral("Enregistrement impossible"), refus.message);
        QWidget *fautif = refus.niveau == 0 ? static_cast<QWidget *>(Edit2)
                          : refus.classe == 0 ? static_cast<QWidget *>(boite_niveau(refus.niveau))
                                              : static_cast<QWidget *>(boite_classe(refus.classe + 1, refus.niveau));
        if (fautif) {
            fautif->setFocus();
            if (fautif != Edit2)
                m_defilement->ensureWidgetVisible(fautif);
        }
        return false;
    }
    // The pupils' files lie in a folder named after the school: under a new
    // name, from the next start, they are no longer found.
    const QString ancien = m_state.nom_etablissement;
    const QString nouveau = Edit2->text().trimmed();
    if (!ancien.isEmpty() && nouveau != ancien && !m_state.dossier_eleves.isEmpty()) {
        const QString dossier = Paths::join(m_state.dossier_eleves, ancien);
        QStringList fichiers;
        PupilFolders::listFiles(dossier, QStringLiteral("*.txt"), &fichiers);
        PupilFolders::listFiles(PupilFolders::outOfClassFolder(dossier), QStringLiteral("*.txt"), &fichiers);
        if (!fichiers.isEmpty()
            && !Dialogs::question(this, QStringLiteral("Nom de l'établissement"),
                                  QStringLiteral("Le dossier de l'établissement \"%1\" contient %2 fichier(s) d'élèves.\n"
                                                 "Sous le nom \"%3\", ils ne seront plus trouvés au prochain "
                                                 "démarrage (listes de classes vides, élèves à réinscrire).\n\n"
                                                 "Enregistrer le nouveau nom quand même?")
                                      .arg(ancien)
                                      .arg(fichiers.size())
                                      .arg(nouveau))) {
            Edit2->setFocus();
            return false;
        }
    }
    // The school name in memory stays: it is read once per run, and the
    // new one takes effect at the next start.
    const bool ok = TeacherSave::enregistre(this, m_state, m_env, [&](IniFile &ini, QString *erreur) {
        SessionState copie = m_state;
        EstablishmentSetup::Refus r;
        if (EstablishmentSetup::enregistre(ini, copie, Edit2->text(), saisis, &r))
            return true;
        if (erreur)
            *erreur = r.message;
        return false;
    }, false);
    if (!ok)
        return false;
    m_state.niveaux = EstablishmentSetup::coupe(saisis);
    emit etablissementEnregistre();
    return true;
}
