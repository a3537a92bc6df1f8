#include "training/Tchoix_libre.h"

Tchoix_libre::Tchoix_libre(SessionState &state, const Environment &env, QWidget *parent)
    : ShellWindow(QStringLiteral("Tchoix_libre"), QStringLiteral("Séance de travail: choix libre"), parent), m_state(state), m_env(env)
{
}
