#pragma once

#include "teacher/ClassStatisticsTab.h"

class TStats;

// The "Statistiques produits" tab of the teacher window: "Lancer calcul"
// reads the chosen test of every pupil of the ticked classes and opens the
// statistics by product.
class StatProduitsTab : public ClassStatisticsTab
{
    Q_OBJECT

public:
    StatProduitsTab(SessionState &state, const Environment &env, QWidget *parent = nullptr);

    // The one statistics window of the program; made here when none is given.
    void setFenetre(TStats *fenetre) { m_fenetre = fenetre; }
    TStats *fenetre();

    // What the last computation found: the records of each pupil's test.
    const QStringList &liste_tests_stats() const { return m_listeTestsStats; }

    void Button_statsClick() { lance(); }

signals:
    // The window was shown and closed again.
    void statistiquesMontrees();

protected:
    void collecteTerminee(const ClassTestCollector::Resultat &resultat) override;

private:
    TStats *m_fenetre = nullptr;
    QStringList m_listeTestsStats;
};
