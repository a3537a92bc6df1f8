#include "app/TgeneralUi.h"

#include "app/ProgressGraph.h"
#include "core/ProgressGraphLayout.h"
#include "widgets/ActivityWindowFrame.h"
#include "widgets/DesignScaler.h"
#include "widgets/TileIcon.h"

#include <QAction>
#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kHauteurBoutons = 80;
constexpr int kLargeurColonne = 172;

const char *const kStyle = R"(
QWidget#fond { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #bfe3ff, stop:1 #fff6d6); }
QFrame#Panel_boutons { background: rgba(255, 255, 255, 190); border-bottom: 2px solid #7fb7e6; }
QFrame#Panel_boutons QToolButton { font: bold 7.5pt "Arial"; color: #0d3c78; border: 2px solid transparent;
    border-radius: 10px; padding: 2px; }
QFrame#Panel_boutons QToolButton:hover { background: #fff3c4; }
QFrame#Panel_boutons QToolButton:checked { background: #ffe082; border-color: #ffb300; }
QFrame#Panel_boutons QToolButton:focus { border-color: #1e88e5; }
QFrame#Panel_boutons QToolButton:disabled { color: #9e9e9e; }
QLabel#Label_nom { color: #0d3c78; }
QLabel#Label_classe { color: #2e7d32; }
QLabel#Label_clique_ici { color: #c62828; font: bold 14pt "Arial"; }
QLabel#Label_objectifs { color: #5d4037; font: bold 11pt "Arial"; }
QPushButton#button_test { color: white; font: bold 22pt "Arial"; border: 3px solid #b71c1c; border-radius: 14px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ff8a65, stop:1 #e53935); }
QPushButton#button_test:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffab91, stop:1 #f4511e); }
QPushButton#button_test:focus { border-color: #ffd600; }
QFrame#Panel_legende, QFrame#Panel_records { background: #ffffff; border: 2px solid #7fb7e6; border-radius: 10px; }
QFrame#Panel_legende QLabel, QFrame#Panel_records QLabel { border: none; background: transparent; }
QPushButton#Button_records { color: white; font: bold 10pt "Arial"; background: #43a047; border: 2px solid #2e7d32;
    border-radius: 8px; padding: 3px 8px; }
QPushButton#Button_records:focus { border-color: #ffd600; }
)";

// The records' three stars, drawn for the scale the window shows its design at.
QPixmap dessineEtoiles(qreal echelle, qreal densite)
{
    QFont police(QStringLiteral("DejaVu Sans"));
    police.setPointSize(14);
    police.setBold(true);
    const QString etoiles = QStringLiteral("★ ★ ★");
    const QFontMetrics mesure(police);
    const QSize dessin(mesure.horizontalAdvance(etoiles) + 4, mesure.height() + 2);
    QPixmap image((QSizeF(dessin) * echelle * densite).toSize());
    image.setDevicePixelRatio(densite);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(echelle, echelle);
    painter.setFont(police);
    painter.setPen(QColor(0xFF, 0xB3, 0x00));
    painter.drawText(QRect(QPoint(0, 0), dessin), Qt::AlignCenter, etoiles);
    return image;
}

QToolButton *bouton(QList<TgeneralUi::Icone> *icones, QWidget *parent, const char *nom, const QString &bulle,
                    const QString &legende, const QColor &couleur, const QString &symbole, int taille = 15)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setAccessibleName(bulle);
    b->setToolTip(bulle);
    b->setText(legende);
    icones->append({b, couleur, symbole, taille});
    b->setIconSize(QSize(44, 36));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setFocusPolicy(Qt::StrongFocus);
    b->setAutoRaise(false);
    b->setFixedSize(68, 74);
    return b;
}

QAction *action(QMenu *menu, const char *nom, const QString &texte)
{
    QAction *a = menu->addAction(texte);
    a->setObjectName(QString::fromLatin1(nom));
    return a;
}

QLabel *label(QWidget *parent, const char *nom, const QString &texte = QString())
{
    auto *l = new QLabel(texte, parent);
    l->setObjectName(QString::fromLatin1(nom));
    return l;
}

} // namespace

int TgeneralUi::colonneDroite(int largeur)
{
    return largeur - kLargeurColonne - 10;
}

void TgeneralUi::setupUi(QMainWindow *fenetre)
{
    QMenuBar *barre = fenetre->menuBar();
    barre->setObjectName(QStringLiteral("MainMenu1"));
    barre->setAccessibleName(QStringLiteral("Menu principal"));
    Eleve1 = barre->addMenu(QStringLiteral("&Elève"));
    Eleve1->setObjectName(QStringLiteral("Eleve1"));
    ChangerEleve1 = action(Eleve1, "ChangerEleve1", QStringLiteral("Changer élève"));
    Test2 = barre->addMenu(QStringLiteral("&Test"));
    Test2->setObjectName(QStringLiteral("Test2"));
    test1 = action(Test2, "test1", QStringLiteral("Test normal"));
    Apprentissage2 = barre->addMenu(QStringLiteral("&Apprentissage"));
    Apprentissage2->setObjectName(QStringLiteral("Apprentissage2"));
    apprentissage1 = action(Apprentissage2, "apprentissage1", QStringLiteral("Entraînement"));
    facile = action(Apprentissage2, "facile", QStringLiteral("Perfectionnement"));
    Primaire1 = barre->addMenu(QStringLiteral("&Primaire"));
    Primaire1->setObjectName(QStringLiteral("Primaire1"));
    Additions1 = action(Primaire1, "Additions1", QStringLiteral("Additions"));
    Clavier1 = action(Primaire1, "Clavier1", QStringLiteral("Entraînement clavier"));
    Tables1 = barre->addMenu(QStringLiteral("Ta&bles"));
    Tables1->setObjectName(QStringLiteral("Tables1"));
    Tablesclassiques1 = action(Tables1, "Tablesclassiques1", QStringLiteral("Tables classiques"));
    Tablesraisonnees1 = action(Tables1, "Tablesraisonnees1", QStringLiteral("Tables raisonnées"));
    Tablesetendues1 = action(Tables1, "Tablesetendues1", QStringLiteral("Tables étendues"));
    Objectifs1 = action(Tables1, "Objectifs1", QStringLiteral("Objectifs"));
    Professeur1 = barre->addAction(QStringLiteral("E&nseignant"));
    Professeur1->setObjectName(QStringLiteral("Professeur1"));
    Configuration1 = barre->addAction(QStringLiteral("&Réglages"));
    Configuration1->setObjectName(QStringLiteral("Configuration1"));
    Aide2 = barre->addMenu(QStringLiteral("&?"));
    Aide2->setObjectName(QStringLiteral("Aide2"));
    aide1 = action(Aide2, "aide1", QStringLiteral("Aide"));
    aide1->setShortcut(QKeySequence::HelpContents);
    Lisezmoi1 = action(Aide2, "Lisezmoi1", QStringLiteral("Lisez-moi"));
    N1 = action(Aide2, "N1", QStringLiteral("A propos...."));
    for (QMenu *menu : {Eleve1, Test2, Apprentissage2, Primaire1, Tables1, Aide2})
        menu->setAccessibleName(menu->title().remove(QLatin1Char('&')));

    centre = new QWidget(fenetre);
    centre->setObjectName(QStringLiteral("centre"));
    fenetre->setCentralWidget(centre);
    // The room left and right of the design has the design's sky: a palette,
    // not a style sheet, so that nothing restyles the tree for it.
    QLinearGradient ciel(0, 0, 0, 1);
    ciel.setCoordinateMode(QGradient::ObjectMode);
    ciel.setColorAt(0, QColor(0xbf, 0xe3, 0xff));
    ciel.setColorAt(1, QColor(0xff, 0xf6, 0xd6));
    QPalette palette = centre->palette();
    palette.setBrush(QPalette::Window, ciel);
    centre->setPalette(palette);
    centre->setAutoFillBackground(true);
    auto *cadre = new ActivityWindowFrame(centre, QStringLiteral("fond"), QStringLiteral("Tabulon"),
                                          ActivityWindowFrame::Ecran::Laisse, QSize(kLargeurDessin, kHauteurDessin));
    fond = cadre->contenu();
    QObject::connect(cadre->scaler(), &DesignScaler::scaleChanged, fond, [this] {
        if (m_habille)
            dessineEtoilesRecords();
    });

    Panel_boutons = new QFrame(fond);
    Panel_boutons->setObjectName(QStringLiteral("Panel_boutons"));
    Panel_boutons->setAccessibleName(QStringLiteral("Activités"));
    ButtonChangerEleve = bouton(&m_icones, Panel_boutons, "ButtonChangerEleve", QStringLiteral("Changer élève"),
                                QStringLiteral("Changer\nélève"), QColor(0x8e, 0x24, 0xaa), QStringLiteral("☺"), 17);
    SpeedButton_test = bouton(&m_icones, Panel_boutons, "SpeedButton_test", QStringLiteral("Test"), QStringLiteral("Test"),
                              QColor(0xe5, 0x39, 0x35), QStringLiteral("✓"), 17);
    SpeedButton_apprentissage = bouton(&m_icones, Panel_boutons, "SpeedButton_apprentissage", QStringLiteral("Entraînement"),
                                       QStringLiteral("Entraîne-\nment"), QColor(0xfb, 0x8c, 0x00),
                                       QStringLiteral("★"), 17);
    SpeedButton_perfectionnement = bouton(&m_icones, Panel_boutons, "SpeedButton_perfectionnement",
                                          QStringLiteral("Perfectionnement"), QStringLiteral("Perfection-\nnement"),
                                          QColor(0xf4, 0x51, 0x1e), QStringLiteral("⇄"), 17);
    SpeedButton_additions = bouton(&m_icones, Panel_boutons, "SpeedButton_additions", QStringLiteral("Additions"),
                                   QStringLiteral("Additions"), QColor(0x43, 0xa0, 0x47), QStringLiteral("+"), 20);
    SpeedButton_el_6 = bouton(&m_icones, Panel_boutons, "SpeedButton_el_6", QStringLiteral("Clavier"), QStringLiteral("Clavier"),
                              QColor(0x00, 0x89, 0x7b), QStringLiteral("123"), 11);
    SpeedButton_2_9 = bouton(&m_icones, Panel_boutons, "SpeedButton_2_9", QStringLiteral("Tables classiques"),
                             QStringLiteral("Tables\nclassiques"), QColor(0x1e, 0x88, 0xe5), QStringLiteral("2-9"), 11);
    SpeedButton_1_10 = bouton(&m_icones, Panel_boutons, "SpeedButton_1_10", QStringLiteral("Tables raisonnées"),
                              QStringLiteral("Tables\nraisonnées"), QColor(0x39, 0x49, 0xab), QStringLiteral("×10"), 11);
    SpeedButton_12_19 = bouton(&m_icones, Panel_boutons, "SpeedButton_12_19", QStringLiteral("Tables étendues"),
                               QStringLiteral("Tables\nétendues"), QColor(0x5e, 0x35, 0xb1), QStringLiteral("12-19"), 9);
    SpeedButton_el_11 = bouton(&m_icones, Panel_boutons, "SpeedButton_el_11", QStringLiteral("Objectifs"),
                               QStringLiteral("Objectifs"), QColor(0xd8, 0x1b, 0x60), QStringLiteral("◎"), 17);
    SpeedButton_professeur = bouton(&m_icones, Panel_boutons, "SpeedButton_professeur", QStringLiteral("Enseignant"),
                                    QStringLiteral("Enseignant"), QColor(0x54, 0x6e, 0x7a), QStringLiteral("✎"), 17);
    SpeedButton_reglages = bouton(&m_icones, Panel_boutons, "SpeedButton_reglages", QStringLiteral("Réglages"),
                                  QStringLiteral("Réglages"), QColor(0x54, 0x6e, 0x7a), QStringLiteral("⚙"), 17);

    SpeedButton_2_9->setCheckable(true);
    SpeedButton_12_19->setCheckable(true);
    groupeTables = new QButtonGroup(Panel_boutons);
    groupeTables->setObjectName(QStringLiteral("groupeTables"));
    groupeTables->setExclusive(true);
    groupeTables->addButton(SpeedButton_2_9);
    groupeTables->addButton(SpeedButton_12_19);
    SpeedButton_2_9->setChecked(true);

    auto *rangee = new QHBoxLayout(Panel_boutons);
    rangee->setContentsMargins(4, 2, 4, 2);
    rangee->setSpacing(1);
    for (QToolButton *b : {ButtonChangerEleve, SpeedButton_test, SpeedButton_apprentissage,
                           SpeedButton_perfectionnement, SpeedButton_additions, SpeedButton_el_6, SpeedButton_2_9,
                           SpeedButton_1_10, SpeedButton_12_19, SpeedButton_el_11, SpeedButton_professeur,
                           SpeedButton_reglages})
        rangee->addWidget(b);
    rangee->addStretch();

    Label_nom = label(fond, "Label_nom");
    QFont grand(QStringLiteral("Arial"));
    grand.setPointSize(30);
    grand.setBold(true);
    Label_nom->setFont(grand);
    Label_classe = label(fond, "Label_classe");
    QFont moyen(QStringLiteral("Arial"));
    moyen.setPointSize(24);
    moyen.setBold(true);
    Label_classe->setFont(moyen);
    Label_clique_ici = label(fond, "Label_clique_ici", QStringLiteral("Clique ici:"));
    button_test = new QPushButton(QStringLiteral("  TEST"), fond);
    button_test->setObjectName(QStringLiteral("button_test"));
    button_test->setToolTip(QStringLiteral("Test"));
    button_test->setCursor(Qt::PointingHandCursor);
    Label_objectifs = label(fond, "Label_objectifs");

    graphique = new ProgressGraph(fond);

    Panel_legende = new QFrame(fond);
    Panel_legende->setObjectName(QStringLiteral("Panel_legende"));
    Panel_legende->setAccessibleName(QStringLiteral("Légende"));
    auto *legende = new QVBoxLayout(Panel_legende);
    legende->setContentsMargins(12, 8, 8, 8);
    legende->setSpacing(3);
    const int scores[6] = {100, 95, 85, 70, 50, 0};
    const QString mots[6] = {QStringLiteral("parfait"), QStringLiteral("très bien"), QStringLiteral("bien"),
                             QStringLiteral("passable"), QStringLiteral("faible"), QStringLiteral("très faible")};
    for (int n = 0; n < 6; ++n) {
        auto *ligne = new QHBoxLayout;
        ligne->setSpacing(8);
        auto *carre = new QFrame(Panel_legende);
        carre->setObjectName(QStringLiteral("Carre_legende_%1").arg(6 - n));
        carre->setAccessibleName(mots[n]);
        carre->setFixedSize(16, 16);
        const QColor couleur = QColor::fromRgb(QRgb(0xFF000000u | unsigned(ProgressGraphLayout::couleur_niveau(scores[n]))));
        carre->setProperty("couleur", couleur);
        auto *mot = new QLabel(mots[n], Panel_legende);
        mot->setObjectName(QStringLiteral("Label_legende_%1").arg(6 - n));
        QFont f(QStringLiteral("Arial"));
        f.setPointSize(10);
        f.setBold(true);
        mot->setFont(f);
        ligne->addWidget(carre);
        ligne->addWidget(mot, 1);
        legende->addLayout(ligne);
    }

    Panel_records = new QFrame(fond);
    Panel_records->setObjectName(QStringLiteral("Panel_records"));
    Panel_records->setAccessibleName(QStringLiteral("Records"));
    auto *records = new QVBoxLayout(Panel_records);
    records->setContentsMargins(8, 8, 8, 8);
    records->setSpacing(4);
    // The stars are a decoration: drawn, and heard as what they crown.
    auto *etoile = label(Panel_records, "Label_etoile_records");
    etoile->setAccessibleName(QStringLiteral("Records"));
    etoile->setAlignment(Qt::AlignCenter);
    records->addWidget(etoile);
    const QString couleurs[3] = {QStringLiteral("#b8860b"), QStringLiteral("#607d8b"), QStringLiteral("#8d5524")};
    for (int n = 1; n <= 3; ++n) {
        auto *record = label(Panel_records, "", QString());
        record->setObjectName(QStringLiteral("LabelRecord%1").arg(n));
        record->setProperty("couleur", couleurs[n - 1]);
        record->hide();
        records->addWidget(record);
        LabelRecords.append(record);
    }
    Button_records = new QPushButton(QStringLiteral("Voir classement"), Panel_records);
    Button_records->setObjectName(QStringLiteral("Button_records"));
    Button_records->setCursor(Qt::PointingHandCursor);
    records->addStretch();
    records->addWidget(Button_records);
}

void TgeneralUi::dessineEtoilesRecords()
{
    if (auto *etoile = Panel_records->findChild<QLabel *>(QStringLiteral("Label_etoile_records")))
        etoile->setPixmap(dessineEtoiles(DesignScaler::scaleOf(etoile), etoile->devicePixelRatioF()));
}

void TgeneralUi::habille()
{
    if (m_habille)
        return;
    m_habille = true;
    for (const Icone &i : std::as_const(m_icones))
        i.bouton->setIcon(tuileIcone(i.couleur, i.symbole, i.taillePoints));
    m_icones.clear();
    dessineEtoilesRecords();
    // One style sheet for the whole window, set once its controls all exist:
    // the legend's squares and the records' colours are rules of it.
    QString style = QString::fromLatin1(kStyle);
    for (QFrame *carre : Panel_legende->findChildren<QFrame *>()) {
        if (carre->property("couleur").isValid())
            style += QStringLiteral("QFrame#%1 { background: %2; border: 1px solid black; border-radius: 3px; }\n")
                         .arg(carre->objectName(), carre->property("couleur").value<QColor>().name());
    }
    for (QLabel *record : std::as_const(LabelRecords))
        style += QStringLiteral("QLabel#%1 { color: %2; font: bold 10pt 'Arial'; }\n")
                     .arg(record->objectName(), record->property("couleur").toString());
    fond->setStyleSheet(style);
}

void TgeneralUi::placeComposants()
{
    const int largeur = kLargeurDessin;
    Panel_boutons->setGeometry(0, 0, largeur, kHauteurBoutons);
    const int colonne = colonneDroite(largeur);

    Label_nom->move(14, kHauteurBoutons + 6);
    Label_classe->move(enDessin(Label_nom).x() + enDessin(Label_nom).width() + 24, kHauteurBoutons + 14);
    Label_clique_ici->setGeometry(colonne, kHauteurBoutons + 4, kLargeurColonne, 22);
    button_test->setGeometry(colonne, kHauteurBoutons + 28, kLargeurColonne, 54);
    Label_objectifs->setGeometry(16, kHauteurBoutons + 62, std::max(100, colonne - 30), 22);

    graphique->move(8, kHauteurBoutons + 88);
    Panel_legende->setGeometry(colonne, kHauteurBoutons + 92, kLargeurColonne, 150);
    Panel_records->setGeometry(colonne, kHauteurBoutons + 250, kLargeurColonne, 150);
}
