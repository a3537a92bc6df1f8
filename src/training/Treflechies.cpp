#include "training/Treflechies.h"

Treflechies::Treflechies(SessionState &state, const Environment &env, QWidget *parent)
    : ShellWindow(QStringLiteral("Treflechies"), QStringLiteral("Tables Réfléchies"), parent), m_state(state), m_env(env)
{
}
