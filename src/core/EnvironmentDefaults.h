#pragma once

#include "core/Clock.h"
#include "core/RandomSource.h"
#include "core/SessionState.h"

#include <memory>

// The clock and the random source an environment gives, or the system's own
// when it gives none (a window built before the environment was complete).
class EnvironmentDefaults
{
public:
    explicit EnvironmentDefaults(const Environment &env)
        : m_horlogePropre(env.clock ? nullptr : std::make_unique<SystemClock>())
        , m_hasardPropre(env.random ? nullptr : std::make_unique<SystemRandom>())
        , m_clock(env.clock ? env.clock : m_horlogePropre.get())
        , m_random(env.random ? env.random : m_hasardPropre.get())
    {
    }

    Clock &clock() const { return *m_clock; }
    RandomSource &random() const { return *m_random; }

private:
    std::unique_ptr<Clock> m_horlogePropre;
    std::unique_ptr<RandomSource> m_hasardPropre;
    Clock *m_clock;
    RandomSource *m_random;
};
