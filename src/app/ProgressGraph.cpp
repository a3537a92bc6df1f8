#include "app/ProgressGraph.h"

#include "app/GraphBar.h"
#include "app/RotatedLabel.h"
#include "core/Evaluation.h"
#include "widgets/DesignScaler.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

namespace {

using Layout = ProgressGraphLayout;

constexpr int kPourcents[6] = {0, 50, 70, 85, 95, 100};
constexpr int kHauteurContenu = 346;
constexpr int kLargeurLegende = 12;

int yPourcent(int p)
{
    return Layout::kBaseline - Layout::kPixelsParPourcent * p;
}

QColor couleur(int rgb)
{
    return QColor::fromRgb(QRgb(0xFF000000u | unsigned(rgb)));
}

} // namespace

ProgressGraph::ProgressGraph(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("graphique"));
    setAccessibleName(QStringLiteral("Graphique de progression"));

    m_scrollbox = new QScrollArea(this);
    m_scrollbox->setObjectName(QStringLiteral("Scrollbox1"));
    m_scrollbox->setAccessibleName(QStringLiteral("Graphique de progression"));
    m_scrollbox->setFrameShape(QFrame::StyledPanel);
    m_scrollbox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollbox->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scrollbox->setWidgetResizable(false);
    m_scrollbox->setStyleSheet(QStringLiteral(
        "QScrollArea#Scrollbox1 { background: #fffdf3; border: 2px solid #7fb7e6; border-radius: 8px; }"));

    m_contenu = new QWidget;
    m_contenu->setObjectName(QStringLiteral("Scrollbox1_contenu"));
    m_contenu->setAutoFillBackground(true);
    QPalette palette = m_contenu->palette();
    palette.setColor(QPalette::Window, QColor(0xff, 0xfd, 0xf3));
    m_contenu->setPalette(palette);
    m_scrollbox->setWidget(m_contenu);

    creeDecor();

    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setAccessibleName(QStringLiteral("Grille du test"));
    m_image->setFrameShape(QFrame::Box);
    m_image->hide();
    m_image->installEventFilter(this);

    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu1"));
    QAction *imprimer = m_popup->addAction(QStringLiteral("Imprimer"));
    imprimer->setObjectName(QStringLiteral("Imprimer1"));
    connect(imprimer, &QAction::triggered, this, &ProgressGraph::imprimerDemande);

    redimensionne(Layout::kLargeurScrollbox, Layout::kHauteurScrollbox);
    m_contenu->resize(Layout::kLargeurScrollbox - 2 * m_scrollbox->frameWidth(), kHauteurContenu);
}

void ProgressGraph::creeDecor()
{
    // The colour legend stands on the axis: each level's band of percents.
    const int bornes[7] = {0, 50, 70, 85, 95, 100, 101};
    for (int n = 1; n <= 6; ++n) {
        auto *bande = new QFrame(m_contenu);
        bande->setObjectName(QStringLiteral("Shape_legende_%1").arg(n));
        bande->setAccessibleName(QStringLiteral("Légende %1").arg(n));
        const int haut = yPourcent(bornes[n]) + 1;
        const int bas = yPourcent(bornes[n - 1]);
        bande->setGeometry(kGaucheLegende, haut, kLargeurLegende, std::max(2, bas - haut));
        bande->setAutoFillBackground(true);
        QPalette p = bande->palette();
        p.setColor(QPalette::Window, couleur(Layout::couleur_niveau(bornes[n - 1])));
        bande->setPalette(p);
    }
    QFont petite(QStringLiteral("Arial"));
    petite.setPixelSize(10);
    petite.setBold(true);
    for (int n = 1; n <= 6; ++n) {
        auto *ligne = new QFrame(m_contenu);
        ligne->setObjectName(QStringLiteral("ShapeEx%1").arg(n));
        ligne->setAccessibleName(QStringLiteral("Ligne %1%").arg(kPourcents[n - 1]));
        ligne->setAutoFillBackground(true);
        QPalette p = ligne->palette();
        p.setColor(QPalette::Window, n == 1 ? Qt::black : QColor(0xb0, 0xb0, 0xb0));
        ligne->setPalette(p);
        m_lignes.append(ligne);

        const QString texte = QString::number(kPourcents[n - 1]) + QLatin1Char('%');
        auto *etiquette = new QLabel(texte, m_contenu);
        etiquette->setObjectName(QStringLiteral("Label_ligne_%1").arg(n));
        etiquette->setAccessibleName(texte);
        etiquette->setFont(petite);
        etiquette->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        etiquette->setGeometry(2, yPourcent(kPourcents[n - 1]) - 6, kGaucheLegende - 6, 12);
        m_etiquettesLignes.append(etiquette);
    }
    placeLignes(Layout::kLongueurLignes);
}

void ProgressGraph::placeLignes(int longueur)
{
    for (int n = 0; n < m_lignes.size(); ++n)
        m_lignes[n]->setGeometry(kGaucheLegende, yPourcent(kPourcents[n]), longueur, 1);
}

void ProgressGraph::redimensionne(int largeur, int hauteur)
{
    m_scrollbox->setGeometry(0, 0, largeur, hauteur);
    resize(largeur, hauteur);
}

void ProgressGraph::efface_graphique()
{
    for (int n = 1;; ++n) {
        QWidget *composant = m_contenu->findChild<QWidget *>(QStringLiteral("composant%1").arg(n),
                                                           Qt::FindDirectChildrenOnly);
        if (!composant)
            break;
        delete composant;
    }
    m_nombreComposants = 0;
    m_nombreBarres = 0;
    m_image->hide();
}

void ProgressGraph::affiche_graphique(const QList<EntreeGraphique> &entrees, int largeurFenetre,
                                      const ProgressGraphLayout::ClasseDuJour &classeDuJour)
{
    show();
    efface_graphique();
    const Layout::Plan plan = Layout::planifie(entrees, kGaucheLegende, largeurFenetre, classeDuJour);

    QFont fontJour(QStringLiteral("Courier New"));
    fontJour.setPointSize(10);
    fontJour.setBold(true);
    QFont fontClasse(QStringLiteral("Courier New"));
    fontClasse.setPointSize(8);
    fontClasse.setBold(true);
    QFont fontScore(QStringLiteral("Arial"));
    fontScore.setPointSize(10);
    fontScore.setBold(true);
    // Side by side, two "100%" must not run into each other: the score
    // takes at most the pitch of the bars.
    while (fontScore.pointSize() > 6
           && QFontMetrics(fontScore).horizontalAdvance(QStringLiteral("100%")) + 2 > Layout::kPasBarre - 2)
        fontScore.setPointSize(fontScore.pointSize() - 1);

    const int derniere = int(entrees.size());
    for (const Layout::Element &element : plan.elements) {
        QWidget *composant = nullptr;
        switch (element.genre) {
        case Layout::Genre::Classe: {
            auto *texte = new RotatedLabel(element.texte, m_contenu);
            texte->setFont(fontClasse);
            texte->setColor(Qt::blue);
            composant = texte;
            break;
        }
        case Layout::Genre::Jour: {
            auto *texte = new RotatedLabel(element.texte, m_contenu);
            texte->setFont(fontJour);
            composant = texte;
            break;
        }
        case Layout::Genre::Barre: {
            auto *barre = new GraphBar(element.entree, element.tag, element.couleur, m_contenu);
            barre->setAccessibleName(QStringLiteral("Barre %1").arg(element.entree));
            const EntreeGraphique &jour = entrees.at(element.entree - 1);
            barre->setAccessibleDescription(Evaluation::description_barre(jour.jour, jour.score));
            connect(barre, &GraphBar::pressed, this, &ProgressGraph::ShapeMouseDown);
            connect(barre, &GraphBar::released, this, &ProgressGraph::ShapeMouseUp);
            if (element.entree == derniere)
                barre->setToolTip(QStringLiteral("Imprimer"));
            composant = barre;
            ++m_nombreBarres;
            break;
        }
        case Layout::Genre::Score: {
            auto *label = new QLabel(element.texte, m_contenu);
            label->setFont(fontScore);
            label->setAccessibleName(element.texte);
            label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
            label->setAttribute(Qt::WA_TransparentForMouseEvents);
            composant = label;
            break;
        }
        }
        composant->setObjectName(QStringLiteral("composant%1").arg(++m_nombreComposants));
        QRect zone(element.left, element.top, element.width, element.height);
        if (element.genre == Layout::Genre::Score) {
            // "100%" is wider than the 24 pixels of the label: it grows on
            // both sides and stays centred over its bar. Its digits stand on
            // the bar's top whatever the font's height on this screen.
            const QFontMetrics mesure(fontScore);
            const int largeur = std::max(element.width, mesure.horizontalAdvance(element.texte) + 2);
            zone.setLeft(element.left + element.width / 2 - largeur / 2);
            zone.setWidth(largeur);
            const int hautBarre = element.top + element.height - 3;
            zone.setBottom(hautBarre - 1 + mesure.descent());
            zone.setTop(std::min(element.top, zone.bottom() + 1 - mesure.height()));
        }
        if (auto *texte = qobject_cast<RotatedLabel *>(composant))
            texte->placeDans(zone);
        else
            composant->setGeometry(zone);
        composant->show();
    }

    placeLignes(plan.longueurLignes);
    redimensionne(plan.largeurScrollbox, plan.hauteurScrollbox);
    // No scroll bar while everything fits in the box: the box is then at
    // least as wide as the pieces need.
    const int cadre = 2 * m_scrollbox->frameWidth();
    const int largeur = plan.defileALaFin ? std::max(plan.largeurContenu, plan.largeurScrollbox - cadre)
                                          : plan.largeurScrollbox - cadre;
    m_contenu->resize(largeur, kHauteurContenu);
    m_defilementEnAttente = plan.defileALaFin;
    if (plan.defileALaFin)
        defileALaFin();
    else
        m_scrollbox->horizontalScrollBar()->setValue(0);
}

void ProgressGraph::defileALaFin()
{
    QScrollBar *barre = m_scrollbox->horizontalScrollBar();
    barre->setValue(barre->maximum());
    // The scroll range is only known once the scroll box has laid out the
    // new content size; try again when the events are processed.
    QTimer::singleShot(0, this, [this] {
        if (m_defilementEnAttente) {
            QScrollBar *b = m_scrollbox->horizontalScrollBar();
            b->setValue(b->maximum());
        }
    });
}

void ProgressGraph::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_defilementEnAttente)
        defileALaFin();
}

void ProgressGraph::ShapeMouseDown(int entree, Qt::MouseButton button, const QPoint &globalPos)
{
    auto *barre = qobject_cast<GraphBar *>(sender());
    if (button == Qt::LeftButton) {
        if (!m_grille || !barre)
            return;
        const QImage grille = m_grille(entree);
        if (grille.isNull())
            return;
        m_image->setPixmap(QPixmap::fromImage(grille));
        m_image->setAccessibleDescription(barre->accessibleDescription());
        // The grid comes drawn at the graph's scale: it is shown as large.
        const double echelle = DesignScaler::scaleOf(m_contenu);
        m_image->setScaledContents(true);
        m_image->resize((grille.deviceIndependentSize() * echelle).toSize() + QSize(2, 2));
        const int gauche = enDessin(barre).x() < 341 ? 10 : enDessin(barre).x() - 330;
        QWidget *fenetre = window();
        if (m_image->parentWidget() != fenetre)
            m_image->setParent(fenetre);
        QPoint position = m_contenu->mapTo(fenetre, QPoint(DesignScaler::scaled(gauche, echelle), DesignScaler::scaled(10, echelle)));
        // Keep the whole grid inside the window.
        position.setX(std::clamp(position.x(), 0, std::max(0, fenetre->width() - m_image->width())));
        position.setY(std::clamp(position.y(), 0, std::max(0, fenetre->height() - m_image->height())));
        m_image->move(position);
        m_image->raise();
        m_image->show();
    } else if (button == Qt::RightButton && entree == m_nombreBarres) {
        m_popup->popup(globalPos);
    }
}

void ProgressGraph::ShapeMouseUp()
{
    m_image->hide();
}

bool ProgressGraph::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_image && event->type() == QEvent::MouseButtonRelease)
        m_image->hide();
    return QWidget::eventFilter(watched, event);
}
