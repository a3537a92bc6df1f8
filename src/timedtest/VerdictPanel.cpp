#include "timedtest/VerdictPanel.h"

#include "core/ProgressGraphLayout.h"
#include "core/TestConclusion.h"
#include "widgets/DesignScaler.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <algorithm>

namespace {

constexpr int kLargeurSansGrille = 543;
constexpr int kHauteur = 535;
constexpr int kGaucheGrille = 20;
constexpr int kHautGrille = 215;
constexpr int kHautResume = 14;
constexpr int kHautMalBien1 = 88;
constexpr int kHautMalBien2 = 114;
constexpr int kHautConseil = 148;
constexpr int kHautLabel12 = 170;
constexpr int kHautRecord = 190;
constexpr int kAvantTrait = 37;
constexpr int kApresTrait = 43;
constexpr int kMarge = 10;  // least room between a text and the panel's edge

// The level colours of the progress graph, so that the meter speaks the same language.
QColor couleurNiveau(int score)
{
    return QColor::fromRgb(QRgb(0xFF000000u | unsigned(ProgressGraphLayout::couleur_niveau(std::clamp(score, 0, 100)))));
}

// Widths in the window's design pixels, whatever the scale the panel is shown at.
int largeurTexte(const QLabel *label)
{
    return DesignScaler::designSizeHint(label).width();
}

} // namespace

VerdictPanel::VerdictPanel(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("Panel3"));
    setAccessibleName(QStringLiteral("Résultat du test"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    resize(kLargeurSansGrille, kHauteur);

    const QColor noir(Qt::black);
    for (int n : {2, 6})
        m_labels[n] = cree(QStringLiteral("Label%1").arg(n), 17, true, noir);
    m_labels[3] = cree(QStringLiteral("Label3"), 17, true, Qt::red);
    m_labels[7] = cree(QStringLiteral("Label7"), 17, true, Qt::blue);
    m_labels[4] = cree(QStringLiteral("Label4"), 17, true, noir);
    m_labels[8] = cree(QStringLiteral("Label8"), 17, true, noir);
    m_labels[5] = cree(QStringLiteral("Label5"), 17, true, Qt::red);
    m_labels[9] = cree(QStringLiteral("Label9"), 17, true, Qt::blue);
    m_labels[10] = cree(QStringLiteral("Label10"), 15, true, QColor(0, 0, 128));
    m_labels[11] = cree(QStringLiteral("Label11"), 13, false, noir);
    m_labels[12] = cree(QStringLiteral("Label12"), 13, false, QColor(0, 0, 128));
    m_labels[2]->setText(QStringLiteral("Tu sais "));
    m_labels[6]->setText(QStringLiteral("Tu sais "));
    m_labels[3]->setText(QStringLiteral("MAL"));
    m_labels[7]->setText(QStringLiteral("BIEN"));
    m_labels[12]->setText(QStringLiteral("Pour suivre ce conseil, clique sur \"étape suivante\""));

    m_shapeEx1 = new QFrame(this);
    m_shapeEx1->setObjectName(QStringLiteral("ShapeEx1"));
    m_shapeEx1->setAccessibleName(QStringLiteral("Séparation"));
    m_shapeEx1->setFrameShape(QFrame::VLine);
    m_shapeEx1->setFrameShadow(QFrame::Plain);
    m_shapeEx1->setLineWidth(2);

    m_shape1 = new QFrame(this);
    m_shape1->setObjectName(QStringLiteral("Shape1"));
    m_shape1->setAccessibleName(QStringLiteral("Cadre du résultat"));
    m_shape1->setStyleSheet(QStringLiteral("#Shape1 { border: 1px dotted black; background: transparent; }"));

    m_tuSais = cree(QStringLiteral("Label_tu_sais"), 20, true, noir);
    m_pourcent = cree(QStringLiteral("label_pourcent"), 34, true, QColor(128, 0, 0));
    m_pourcent->setAlignment(Qt::AlignCenter);
    m_image1 = new QLabel(this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setAccessibleName(QStringLiteral("Jauge du score"));
    m_apprec = cree(QStringLiteral("Label_apprec"), 24, true, QColor(0, 0, 160));
    m_record = cree(QStringLiteral("label_record"), 18, true, Qt::red);
    m_record->setText(TestConclusion::texteRecord());
    m_record->hide();

    m_image2 = new QLabel(this);
    m_image2->setObjectName(QStringLiteral("Image2"));
    m_image2->setAccessibleName(QStringLiteral("Grille des réponses"));
    m_image2->move(kGaucheGrille, kHautGrille);
    m_image2->hide();
    m_shape1->lower();
}

QLabel *VerdictPanel::cree(const QString &nom, int pixels, bool gras, const QColor &couleur)
{
    auto *label = new QLabel(this);
    label->setObjectName(nom);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    f.setBold(gras);
    label->setFont(f);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, couleur);
    label->setPalette(pal);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QImage VerdictPanel::dessine_jauge(int score, const QSize &taille, qreal echelle)
{
    QImage image = DesignScaler::picture(taille, echelle);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF cadre(2, 2, taille.width() - 4, (taille.height() - 4) * 2 - 4);
    // The dial: a half disc with the level bands from left (0 %) to right (100 %).
    const int seuils[] = {0, 50, 70, 85, 95, 100};
    for (int i = 0; i + 1 < 6; ++i) {
        QPainterPath part;
        part.moveTo(cadre.center());
        const qreal debut = 180.0 - 1.8 * seuils[i];
        part.arcTo(cadre, debut, -1.8 * (seuils[i + 1] - seuils[i]));
        part.closeSubpath();
        p.fillPath(part, couleurNiveau(seuils[i]));
    }
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawArc(cadre, 0, 180 * 16);
    p.drawLine(QPointF(cadre.left(), cadre.center().y()), QPointF(cadre.right(), cadre.center().y()));
    // The needle.
    const qreal angle = qDegreesToRadians(180.0 - 1.8 * std::clamp(score, 0, 100));
    const QPointF centre = cadre.center();
    const qreal rayon = cadre.width() / 2 - 3;
    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(rayon * std::cos(angle), -rayon * std::sin(angle)));
    p.setBrush(Qt::black);
    p.drawEllipse(centre, 2.5, 2.5);
    return image;
}

void VerdictPanel::efface()
{
    m_image2->clear();
    m_image2->hide();
    m_record->hide();
}

void VerdictPanel::masque_verdict()
{
    for (int n = 2; n <= 12; ++n)
        m_labels[n]->hide();
    for (QWidget *w : {static_cast<QWidget *>(m_shapeEx1), static_cast<QWidget *>(m_tuSais),
                       static_cast<QWidget *>(m_pourcent), static_cast<QWidget *>(m_image1),
                       static_cast<QWidget *>(m_apprec), static_cast<QWidget *>(m_shape1),
                       static_cast<QWidget *>(m_record)})
        w->hide();
}

void VerdictPanel::place_paire(QLabel *a, QLabel *b, int x, int y)
{
    a->adjustSize();
    b->adjustSize();
    a->move(x, y);
    b->move(x + enDessin(a).width(), y);
    a->show();
    b->show();
}

void VerdictPanel::centre_paire(QLabel *a, QLabel *b, int y)
{
    a->adjustSize();
    b->adjustSize();
    place_paire(a, b, (enDessin(this).width() - enDessin(a).width() - enDessin(b).width()) / 2, y);
}

int VerdictPanel::largeur_resume(int largeurPourcent) const
{
    return largeurTexte(m_tuSais) + 5 + largeurPourcent + 5 + 41 + largeurTexte(m_apprec);
}

// The panel keeps the grid's width wherever the texts fit in it; a long list
// of tables or the longer summary line widens it, the columns staying
// centred on the dividing line, so that no text runs past its edge.
void VerdictPanel::elargit_si_besoin(bool mal, bool bien, int largeurPourcent, bool record)
{
    const auto w = [](QLabel *label) { return largeurTexte(label); };
    QLabel **l = m_labels;
    const int paireMal = std::max(w(l[2]) + w(l[3]), w(l[4]) + w(l[5]));
    const int paireBien = std::max(w(l[6]) + w(l[7]), w(l[8]) + w(l[9]));
    int texte = largeur_resume(largeurPourcent) + 40;
    if (mal && bien)
        texte = std::max(texte, 2 * std::max(kAvantTrait + paireMal, kApresTrait + paireBien));
    else if (mal)
        texte = std::max(texte, paireMal);
    else if (bien)
        texte = std::max(texte, paireBien);
    if (mal)
        texte = std::max({texte, w(l[10]), w(l[12])});
    if (record)
        texte = std::max(texte, w(m_record));
    const int besoin = texte + 2 * kMarge;
    if (besoin <= enDessin(this).width())
        return;
    resize(besoin, enDessin(this).height());
    if (m_image2->isVisibleTo(this))
        m_image2->move((besoin - enDessin(m_image2).width()) / 2, kHautGrille);
}

void VerdictPanel::affiche(const VerdictTest &verdict, const QImage &grille)
{
    if (!grille.isNull()) {
        m_image2->setPixmap(QPixmap::fromImage(grille));
        m_image2->resize(grille.deviceIndependentSize().toSize());
        m_image2->setAccessibleDescription(verdict.descriptionGrille);
        m_image2->move(kGaucheGrille, kHautGrille);
        m_image2->show();
        resize(2 * enDessin(m_image2).x() + enDessin(m_image2).width(), std::max(kHauteur, kHautGrille + int(grille.deviceIndependentSize().height()) + 10));
    } else {
        m_image2->hide();
        resize(kLargeurSansGrille, kHauteur);
    }

    masque_verdict();
    if (!verdict.classique)
        return;

    QLabel **l = m_labels;
    l[4]->setText(verdict.articleMal);
    l[5]->setText(verdict.texteMal);
    l[8]->setText(verdict.articleBien);
    l[9]->setText(verdict.texteBien);
    l[10]->setText(verdict.conseil);
    m_tuSais->setText(verdict.tuSais);
    m_apprec->setText(verdict.niveau);
    const bool mal = !verdict.tablesMal.isEmpty();
    const bool bien = !verdict.tablesBien.isEmpty();
    elargit_si_besoin(mal, bien, verdict.largeurPourcent, verdict.recordBattu);
    const int largeur = enDessin(this).width();

    // The tables known badly and well.
    if (mal && !bien) {
        centre_paire(l[2], l[3], kHautMalBien1);
        centre_paire(l[4], l[5], kHautMalBien2);
    } else if (bien && !mal) {
        centre_paire(l[6], l[7], kHautMalBien1);
        centre_paire(l[8], l[9], kHautMalBien2);
    } else if (mal && bien) {
        const int trait = largeur / 2;
        m_shapeEx1->setGeometry(trait - 1, kHautMalBien1 - 4, 3, kHautMalBien2 - kHautMalBien1 + 32);
        m_shapeEx1->show();
        for (auto [a, b, y] : {std::tuple{l[2], l[3], kHautMalBien1}, std::tuple{l[4], l[5], kHautMalBien2}}) {
            a->adjustSize();
            b->adjustSize();
            place_paire(a, b, trait - kAvantTrait - enDessin(a).width() - enDessin(b).width(), y);
        }
        place_paire(l[6], l[7], trait + kApresTrait, kHautMalBien1);
        place_paire(l[8], l[9], trait + kApresTrait, kHautMalBien2);
    }
    if (mal) {
        l[10]->adjustSize();
        l[10]->move((largeur - enDessin(l[10]).width()) / 2, kHautConseil);
        l[10]->show();
        l[12]->adjustSize();
        l[12]->move((largeur - enDessin(l[12]).width()) / 2, kHautLabel12);
        l[12]->show();
    }

    // The summary line: "Tu sais tes tables à", the percentage, the meter, the level word.
    m_tuSais->adjustSize();
    m_pourcent->setText(verdict.pourcent);
    m_pourcent->setToolTip(QStringLiteral("Vitesse: %1 bonnes réponses par minute").arg(verdict.texteVitesse));
    m_pourcent->setFixedSize(verdict.largeurPourcent, 40);
    m_image1->setPixmap(QPixmap::fromImage(
        dessine_jauge(verdict.scoreGlobal, QSize(36, 36), DesignScaler::pictureDensity(m_image1))));
    m_image1->setAccessibleDescription(QStringLiteral("%1 %, %2").arg(verdict.scoreGlobal).arg(verdict.niveau));
    m_image1->resize(36, 36);
    m_apprec->adjustSize();
    const int x2 = enDessin(m_tuSais).width() + 5;
    const int x3 = x2 + enDessin(m_pourcent).width() + 5;
    const int x4 = x3 + 41;
    const int w = x4 + enDessin(m_apprec).width();
    const int x0 = (largeur - w) / 2;
    const int milieu = kHautResume + 20;
    m_tuSais->move(x0, milieu - enDessin(m_tuSais).height() / 2);
    m_pourcent->move(x0 + x2, milieu - enDessin(m_pourcent).height() / 2);
    m_image1->move(x0 + x3, milieu - enDessin(m_image1).height() / 2);
    m_apprec->move(x0 + x4, milieu - enDessin(m_apprec).height() / 2);
    m_shape1->setGeometry((largeur - (w + 40)) / 2, kHautResume - 6, w + 40, 52);
    for (QWidget *wid : {static_cast<QWidget *>(m_tuSais), static_cast<QWidget *>(m_pourcent),
                         static_cast<QWidget *>(m_image1), static_cast<QWidget *>(m_apprec),
                         static_cast<QWidget *>(m_shape1)})
        wid->show();
    m_shape1->lower();

    if (!verdict.label11.isEmpty()) {
        l[11]->setText(verdict.label11);
        l[11]->adjustSize();
        l[11]->move(enDessin(m_shape1).right() + 1 - enDessin(l[11]).width(), enDessin(m_shape1).bottom() + 4);
        l[11]->show();
    }

    if (verdict.recordBattu) {
        m_record->adjustSize();
        m_record->move((largeur - enDessin(m_record).width()) / 2, kHautRecord);
        m_record->show();
    }
}
