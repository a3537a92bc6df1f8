#pragma once

#include <QDateTime>
#include <QElapsedTimer>

// Time comes from outside so that a test run, a training step or a start-up
// can be replayed with a fixed clock.
class Clock
{
public:
    virtual ~Clock() = default;
    // Local wall-clock date and time.
    virtual QDateTime now() const = 0;
    // Milliseconds on a monotonic tick: unaffected by changes of the wall clock.
    virtual qint64 monotonicMs() const = 0;
};

class SystemClock final : public Clock
{
public:
    SystemClock() { m_timer.start(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    qint64 monotonicMs() const override { return m_timer.elapsed(); }

private:
    QElapsedTimer m_timer;
};

// A clock that only moves when told to; both readings advance together.
class ManualClock final : public Clock
{
public:
    explicit ManualClock(QDateTime start = QDateTime(QDate(2026, 12, 10), QTime(10, 0, 0)))
        : m_now(std::move(start)) {}
    QDateTime now() const override { return m_now; }
    qint64 monotonicMs() const override { return m_tick; }
    void advanceMs(qint64 ms) { m_now = m_now.addMSecs(ms); m_tick += ms; }
    void setNow(const QDateTime &now) { m_now = now; }

private:
    QDateTime m_now;
    qint64 m_tick = 0;
};
