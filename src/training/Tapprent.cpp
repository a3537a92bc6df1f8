#include "training/Tapprent.h"

Tapprent::Tapprent(SessionState &state, const Environment &env, QWidget *parent)
    : ShellWindow(QStringLiteral("Tapprent"), QStringLiteral("Apprentissage des tables"), parent), m_state(state), m_env(env)
{
}
