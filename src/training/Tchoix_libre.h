#pragma once

#include "widgets/ShellWindow.h"

struct Environment;
struct SessionState;

// The "Séance de travail: choix libre" window. For now it only opens and closes:
// its activity comes with a later piece of work.
class Tchoix_libre : public ShellWindow
{
    Q_OBJECT

public:
    Tchoix_libre(SessionState &state, const Environment &env, QWidget *parent = nullptr);

private:
    SessionState &m_state;
    const Environment &m_env;
};
