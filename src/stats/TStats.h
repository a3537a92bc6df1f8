#pragma once

#include "widgets/ShellWindow.h"

struct Environment;
struct SessionState;

// The "Statistiques par produits" window. For now it only opens and closes:
// its activity comes with a later piece of work.
class TStats : public ShellWindow
{
    Q_OBJECT

public:
    TStats(SessionState &state, const Environment &env, QWidget *parent = nullptr);

private:
    SessionState &m_state;
    const Environment &m_env;
};
