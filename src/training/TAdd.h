#pragma once

#include "widgets/ShellWindow.h"

struct Environment;
struct SessionState;

// The "Addition" window. For now it only opens and closes:
// its activity comes with a later piece of work.
class TAdd : public ShellWindow
{
    Q_OBJECT

public:
    TAdd(SessionState &state, const Environment &env, QWidget *parent = nullptr);

private:
    SessionState &m_state;
    const Environment &m_env;
};
