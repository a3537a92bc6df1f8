#pragma once

#include "core/ClassTestCollector.h"
#include "core/ComparisonChart.h"
#include "core/SessionState.h"

#include <QWidget>

class BackgroundCollection;
class ClassCheckBoxes;
class QComboBox;
class QProgressBar;
class QPushButton;
class QRadioButton;
class TestSelectionBox;
class Tstats_el;

// The "Statistiques élèves" tab of the teacher window: the classes, the test
// of each pupil, what to compare (class, level, score or speed bands) and
// what to show (score, speed, number or share of pupils); "Calculer" reads
// the tests off the interface thread and shows the chart.
class StatElevesTab : public QWidget
{
    Q_OBJECT

public:
    StatElevesTab(SessionState &state, const Environment &env, QWidget *parent = nullptr);

    void setFenetre(Tstats_el *fenetre) { m_fenetre = fenetre; }
    Tstats_el *fenetre();

    void actualise();
    ClassCheckBoxes *classes() const { return GroupBox7; }
    TestSelectionBox *selection() const { return GroupBox2; }
    BackgroundCollection *collecte() const { return m_collecte; }

    ComparisonChart::Abscisse abscisse() const;
    ComparisonChart::Ordonnee ordonnee() const;
    const ComparisonChart::Graphique &graphique() const { return m_graphique; }

    void Button1Click();

signals:
    void graphiqueMontre();

private:
    void active_nb_el();
    void desactive_nb_el();
    void collecteTerminee(const ClassTestCollector::Resultat &resultat);

    SessionState &m_state;
    Environment m_env;
    Tstats_el *m_fenetre = nullptr;
    ComparisonChart::Graphique m_graphique;
    QSet<ClassTestCollector::Classe> m_cochees;

    ClassCheckBoxes *GroupBox7 = nullptr;
    TestSelectionBox *GroupBox2 = nullptr;
    QRadioButton *RadioButton4 = nullptr;
    QRadioButton *RadioButton5 = nullptr;
    QRadioButton *RadioButton11 = nullptr;
    QRadioButton *RadioButton12 = nullptr;
    QRadioButton *RadioButton13 = nullptr;
    QRadioButton *RadioButton14 = nullptr;
    QRadioButton *RadioButton18 = nullptr;
    QRadioButton *RadioButton19 = nullptr;
    QComboBox *ComboBox5 = nullptr;
    QComboBox *ComboBox6 = nullptr;
    QPushButton *Button1 = nullptr;
    QProgressBar *m_barre = nullptr;
    BackgroundCollection *m_collecte = nullptr;
};
