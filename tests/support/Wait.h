#pragma once

#include <QElapsedTimer>
#include <QTest>

// Waits for the condition while the event loop runs; false after the timeout.
template <typename F>
bool attend(F condition, int timeoutMs = 3000)
{
    QElapsedTimer t;
    t.start();
    while (!condition()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QTest::qWait(2);
    }
    return true;
}
