#include "training/Tclavier.h"

Tclavier::Tclavier(SessionState &state, const Environment &env, QWidget *parent)
    : ShellWindow(QStringLiteral("Tclavier"), QStringLiteral("Apprentissage du clavier"), parent), m_state(state), m_env(env)
{
}
