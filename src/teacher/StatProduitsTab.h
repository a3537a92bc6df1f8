#pragma once

#include "core/ClassTestCollector.h"
#include "core/SessionState.h"

#include <QWidget>

class BackgroundCollection;
class ClassCheckBoxes;
class QComboBox;
class QProgressBar;
class QPushButton;
class TestSelectionBox;
class TStats;

// The "Statistiques produits" tab of the teacher window: the classes to
// analyse, which test of each pupil, and "Lancer calcul", which reads the
// tests off the interface thread and opens the statistics by product.
class StatProduitsTab : public QWidget
{
    Q_OBJECT

public:
    StatProduitsTab(SessionState &state, const Environment &env, QWidget *parent = nullptr);

    // The one statistics window of the program; made here when none is given.
    void setFenetre(TStats *fenetre) { m_fenetre = fenetre; }
    TStats *fenetre();

    // Class boxes, dates and the establishment and year lists.
    void actualise();
    ClassCheckBoxes *classes() const { return GroupBox3; }
    TestSelectionBox *selection() const { return GroupBox4; }
    BackgroundCollection *collecte() const { return m_collecte; }

    // What the last computation found: the records of each pupil's test.
    const QStringList &liste_tests_stats() const { return m_listeTestsStats; }

    void Button_statsClick();

signals:
    // The window was shown and closed again (tests wait on it).
    void statistiquesMontrees();

private:
    void collecteTerminee(const ClassTestCollector::Resultat &resultat);

    SessionState &m_state;
    Environment m_env;
    TStats *m_fenetre = nullptr;
    QStringList m_listeTestsStats;

    ClassCheckBoxes *GroupBox3 = nullptr;
    TestSelectionBox *GroupBox4 = nullptr;
    QComboBox *ComboBox3 = nullptr;
    QComboBox *ComboBox4 = nullptr;
    QPushButton *Button_stats = nullptr;
    QProgressBar *m_barre = nullptr;
    BackgroundCollection *m_collecte = nullptr;
};
