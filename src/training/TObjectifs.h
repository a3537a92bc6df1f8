#pragma once

#include "widgets/ShellWindow.h"

struct Environment;
struct SessionState;

// The "Objectifs" window. For now it only opens and closes:
// its activity comes with a later piece of work.
class TObjectifs : public ShellWindow
{
    Q_OBJECT

public:
    TObjectifs(SessionState &state, const Environment &env, QWidget *parent = nullptr);
    // "classiques" or "etendues": which tables the window is about.
    void setTypeTables(const QString &type);
    QString typeTables() const { return m_typeTables; }

private:
    SessionState &m_state;
    const Environment &m_env;
    QString m_typeTables = QStringLiteral("classiques");
};
