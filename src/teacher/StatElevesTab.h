#pragma once

#include "core/ComparisonChart.h"
#include "teacher/ClassStatisticsTab.h"

class QRadioButton;
class Tstats_el;

// The "Statistiques élèves" tab of the teacher window: what to compare
// (class, level, score or speed bands) and what to show (score, speed,
// number or share of pupils); "Calculer" reads the tests and shows the chart.
class StatElevesTab : public ClassStatisticsTab
{
    Q_OBJECT

public:
    StatElevesTab(SessionState &state, const Environment &env, QWidget *parent = nullptr);

    void setFenetre(Tstats_el *fenetre) { m_fenetre = fenetre; }
    Tstats_el *fenetre();

    ComparisonChart::Abscisse abscisse() const;
    ComparisonChart::Ordonnee ordonnee() const;
    const ComparisonChart::Graphique &graphique() const { return m_graphique; }

    void Button1Click() { lance(); }

signals:
    void graphiqueMontre();

protected:
    void collecteTerminee(const ClassTestCollector::Resultat &resultat) override;

private:
    void active_nb_el();
    void desactive_nb_el();

    Tstats_el *m_fenetre = nullptr;
    ComparisonChart::Graphique m_graphique;

    QRadioButton *RadioButton4 = nullptr;
    QRadioButton *RadioButton5 = nullptr;
    QRadioButton *RadioButton11 = nullptr;
    QRadioButton *RadioButton12 = nullptr;
    QRadioButton *RadioButton13 = nullptr;
    QRadioButton *RadioButton14 = nullptr;
    QRadioButton *RadioButton18 = nullptr;
    QRadioButton *RadioButton19 = nullptr;
};
