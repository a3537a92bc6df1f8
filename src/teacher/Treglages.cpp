#include "teacher/Treglages.h"

Treglages::Treglages(SessionState &state, const Environment &env, QWidget *parent)
    : ShellWindow(QStringLiteral("Treglages"), QStringLiteral("Réglages"), parent), m_state(state), m_env(env)
{
}
