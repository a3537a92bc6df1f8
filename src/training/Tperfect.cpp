#include "training/Tperfect.h"

Tperfect::Tperfect(SessionState &state, const Environment &env, QWidget *parent)
    : ShellWindow(QStringLiteral("Tperfect"), QStringLiteral("Perfectionnement: les tables inversées (niveau 1)"), parent), m_state(state), m_env(env)
{
}

void Tperfect::setNiveau(int niveau)
{
    m_niveau = niveau;
    setWindowTitle(QStringLiteral("Perfectionnement: les tables inversées (niveau %1)").arg(niveau));
}
