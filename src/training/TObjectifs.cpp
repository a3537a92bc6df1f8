#include "training/TObjectifs.h"

TObjectifs::TObjectifs(SessionState &state, const Environment &env, QWidget *parent)
    : ShellWindow(QStringLiteral("TObjectifs"), QStringLiteral("Objectifs"), parent), m_state(state), m_env(env)
{
}

void TObjectifs::setTypeTables(const QString &type)
{
    m_typeTables = type;
    setWindowTitle(type == QStringLiteral("etendues") ? QStringLiteral("Objectifs pour les tables étendues")
                                                      : QStringLiteral("Objectifs pour les tables classiques"));
}
