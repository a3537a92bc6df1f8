#pragma once

#include "core/ClassTestCollector.h"
#include "core/SessionState.h"
#include "teacher/TestSelectionBox.h"

#include <QWidget>

class BackgroundCollection;
class ClassCheckBoxes;
class QComboBox;
class QHBoxLayout;
class QProgressBar;
class QPushButton;

// What the two statistics tabs of the teacher window share: the classes to
// analyse, which test of each pupil, the establishment and year lists, and a
// button that reads the pupils' tests off the interface thread with a
// progress bar. Each tab adds its own options and shows the result.
class ClassStatisticsTab : public QWidget
{
    Q_OBJECT

public:
    struct Noms
    {
        QString groupeClasses;      // "GroupBox3"
        QString prefixeClasses;     // "CheckBox_"
        QString groupeTest;         // "GroupBox4"
        TestSelectionBox::Noms test;
        QString etablissements;     // "ComboBox3"
        QString annees;             // "ComboBox4"
        QString bouton;             // "Button_stats"
        QString texteBouton;        // "Lancer calcul"
    };

    // Class boxes, dates and the establishment and year lists.
    void actualise();
    ClassCheckBoxes *classes() const { return m_classes; }
    TestSelectionBox *selection() const { return m_selection; }
    BackgroundCollection *collecte() const { return m_collecte; }

protected:
    ClassStatisticsTab(SessionState &state, const Environment &env, const Noms &noms, QWidget *parent);

    // The row under the classes where a tab puts its own options.
    QHBoxLayout *options() const { return m_options; }
    // Starts reading the tests of the ticked classes; a second click while
    // it reads does nothing.
    void lance();
    virtual void collecteTerminee(const ClassTestCollector::Resultat &resultat) = 0;

    SessionState &m_state;
    Environment m_env;
    QSet<ClassTestCollector::Classe> m_cochees;

private:
    void fin();

    ClassCheckBoxes *m_classes = nullptr;
    TestSelectionBox *m_selection = nullptr;
    QComboBox *m_etablissements = nullptr;
    QComboBox *m_annees = nullptr;
    QHBoxLayout *m_options = nullptr;
    QPushButton *m_bouton = nullptr;
    QProgressBar *m_barre = nullptr;
    BackgroundCollection *m_collecte = nullptr;
};
