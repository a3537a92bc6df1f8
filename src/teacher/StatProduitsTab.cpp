#include "teacher/StatProduitsTab.h"

#include "stats/TStats.h"
#include "widgets/Dialogs.h"

StatProduitsTab::StatProduitsTab(SessionState &state, const Environment &env, QWidget *parent)
    : ClassStatisticsTab(state, env,
                         {QStringLiteral("GroupBox3"), QStringLiteral("CheckBox_"), QStringLiteral("GroupBox4"),
                          {QStringLiteral("RadioButton15"), QStringLiteral("DateTimePicker4"),
                           QStringLiteral("RadioButton17"), QStringLiteral("DateTimePicker6")},
                          QStringLiteral("ComboBox3"), QStringLiteral("ComboBox4"), QStringLiteral("Button_stats"),
                          QStringLiteral("Lancer calcul")},
                         parent)
{
}

TStats *StatProduitsTab::fenetre()
{
    if (!m_fenetre)
        m_fenetre = new TStats(m_state, m_env, this);
    return m_fenetre;
}

void StatProduitsTab::collecteTerminee(const ClassTestCollector::Resultat &resultat)
{
    m_listeTestsStats.clear();
    for (const ClassTestCollector::EleveTest &e : resultat.eleves) {
        if (!e.enregistrements.isEmpty())
            m_listeTestsStats.append(e.enregistrements);
    }
    if (resultat.nbEleves == 0) {
        Dialogs::information(this, QStringLiteral("Statistiques produits"),
                             QStringLiteral("Aucun élève dans les classes cochées."));
        return;
    }
    TStats *f = fenetre();
    f->setDonnees(m_listeTestsStats, resultat.nbEleves);
    f->exec();
    emit statistiquesMontrees();
}
