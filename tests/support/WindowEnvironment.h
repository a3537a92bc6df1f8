#pragma once

#include "core/Clock.h"
#include "core/RandomSource.h"
#include "core/SessionState.h"
#include "support/FakeSystem.h"

#include <QChar>
#include <QTemporaryDir>

// What a window's test gives the program: a clock stopped at ten on
// 10/12/2026, a seeded random source, the fake operating system and a fresh
// program folder, wired into one Environment. A fixture inherits it.
struct WindowEnvironment
{
    explicit WindowEnvironment(quint32 graine)
        : m_hasard(graine)
    {
        m_env.clock = &m_horloge;
        m_env.random = &m_hasard;
        m_env.system = &m_systeme;
        m_env.programFolder = m_dossier.path() + QLatin1Char('/');
    }

    QTemporaryDir m_dossier;
    ManualClock m_horloge{QDateTime(QDate(2026, 12, 10), QTime(10, 0))};
    SeededRandom m_hasard;
    FakeSystem m_systeme;
    Environment m_env;
};
