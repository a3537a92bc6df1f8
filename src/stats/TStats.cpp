#include "stats/TStats.h"

TStats::TStats(SessionState &state, const Environment &env, QWidget *parent)
    : ShellWindow(QStringLiteral("TStats"), QStringLiteral("Statistiques par produits"), parent), m_state(state), m_env(env)
{
}
