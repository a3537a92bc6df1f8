#include "training/TAdd.h"

TAdd::TAdd(SessionState &state, const Environment &env, QWidget *parent)
    : ShellWindow(QStringLiteral("TAdd"), QStringLiteral("Addition"), parent), m_state(state), m_env(env)
{
}
