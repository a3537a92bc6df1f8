#pragma once

#include <QColor>
#include <QList>
#include <QString>

class ProgressGraph;
class QAction;
class QButtonGroup;
class QFrame;
class QLabel;
class QMainWindow;
class QMenu;
class QPushButton;
class QToolButton;
class QWidget;

// The controls of the main window, built in one place as a designer file
// would: the menu, the row of activity buttons, the pupil's name and class,
// the "  TEST" button, the graph, its legend and the records. The window
// connects them; placeComposants places them on the window's design.
struct TgeneralUi
{
    // Menu "Elève", "Test", "Apprentissage", "Primaire", "Tables", "?".
    QMenu *Eleve1 = nullptr;
    QMenu *Test2 = nullptr;
    QMenu *Apprentissage2 = nullptr;
    QMenu *Primaire1 = nullptr;
    QMenu *Tables1 = nullptr;
    QMenu *Aide2 = nullptr;
    QAction *ChangerEleve1 = nullptr;
    QAction *test1 = nullptr;
    QAction *apprentissage1 = nullptr;
    QAction *facile = nullptr;
    QAction *Additions1 = nullptr;
    QAction *Clavier1 = nullptr;
    QAction *Tablesclassiques1 = nullptr;
    QAction *Tablesraisonnees1 = nullptr;
    QAction *Tablesetendues1 = nullptr;
    QAction *Objectifs1 = nullptr;
    QAction *Professeur1 = nullptr;
    QAction *Configuration1 = nullptr;
    QAction *aide1 = nullptr;
    QAction *Lisezmoi1 = nullptr;
    QAction *N1 = nullptr;

    // The window's room, and in its middle the 800 × 600 design (less the
    // menu bar) scaled to fill it.
    QWidget *centre = nullptr;
    QWidget *fond = nullptr;
    QFrame *Panel_boutons = nullptr;
    QToolButton *ButtonChangerEleve = nullptr;
    QToolButton *SpeedButton_test = nullptr;
    QToolButton *SpeedButton_apprentissage = nullptr;
    QToolButton *SpeedButton_perfectionnement = nullptr;
    QToolButton *SpeedButton_additions = nullptr;
    QToolButton *SpeedButton_el_6 = nullptr;
    QToolButton *SpeedButton_2_9 = nullptr;
    QToolButton *SpeedButton_1_10 = nullptr;
    QToolButton *SpeedButton_12_19 = nullptr;
    QToolButton *SpeedButton_el_11 = nullptr;
    QToolButton *SpeedButton_professeur = nullptr;
    QToolButton *SpeedButton_reglages = nullptr;
    QButtonGroup *groupeTables = nullptr;

    QLabel *Label_nom = nullptr;
    QLabel *Label_classe = nullptr;
    QLabel *Label_clique_ici = nullptr;
    QPushButton *button_test = nullptr;
    QLabel *Label_objectifs = nullptr;
    ProgressGraph *graphique = nullptr;

    QFrame *Panel_legende = nullptr;
    QFrame *Panel_records = nullptr;
    QPushButton *Button_records = nullptr;
    QList<QLabel *> LabelRecords;   // LabelRecord1 .. LabelRecord3

    // A button's picture still to draw.
    struct Icone
    {
        QToolButton *bouton;
        QColor couleur;
        QString symbole;
        int taillePoints;
    };
    QList<Icone> m_icones;
    bool m_habille = false;

    void setupUi(QMainWindow *fenetre);
    // The buttons' pictures, the records' stars and the window's style sheet
    // come when the window is first shown: the start shows the
    // identification before it, and drawing text into pictures and styling
    // a tree of controls cost it time for nothing.
    void habille();
    void dessineEtoilesRecords();
    static constexpr int kLargeurDessin = 800;
    static constexpr int kHauteurDessin = 570;
    // Places the controls on the design (the scaler shows it at the window's size).
    void placeComposants();
    // Left edge of the column of legend and records, on the right.
    static int colonneDroite(int largeur);
};
