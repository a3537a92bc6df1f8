#pragma once

#include "widgets/ShellWindow.h"

struct Environment;
struct SessionState;

// The perfectionnement window, "les tables inversées". For now it only opens
// and closes: its activity comes with a later piece of work.
class Tperfect : public ShellWindow
{
    Q_OBJECT

public:
    Tperfect(SessionState &state, const Environment &env, QWidget *parent = nullptr);
    // Difficulty level 1, 2 or 3.
    void setNiveau(int niveau);
    int niveau() const { return m_niveau; }

private:
    SessionState &m_state;
    const Environment &m_env;
    int m_niveau = 1;
};
