#pragma once

#include <QRandomGenerator>

// Chance comes from outside too: tests give a seeded source.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // A uniform integer in [low, high], both included.
    virtual int uniform(int low, int high) = 0;
};

class SeededRandom final : public RandomSource
{
public:
    explicit SeededRandom(quint32 seed) : m_gen(seed) {}
    int uniform(int low, int high) override { return low + int(m_gen.bounded(quint32(high - low + 1))); }
    void reseed(quint32 seed) { m_gen.seed(seed); }

private:
    QRandomGenerator m_gen;
};

class SystemRandom final : public RandomSource
{
public:
    int uniform(int low, int high) override
    {
        return low + int(QRandomGenerator::global()->bounded(quint32(high - low + 1)));
    }
};
