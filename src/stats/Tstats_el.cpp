#include "stats/Tstats_el.h"

Tstats_el::Tstats_el(SessionState &state, const Environment &env, QWidget *parent)
    : ShellWindow(QStringLiteral("Tstats_el"), QStringLiteral("Statistiques par élèves"), parent), m_state(state), m_env(env)
{
}
