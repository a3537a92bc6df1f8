#pragma once

#include <QElapsedTimer>
#include <QTest>

// Lets the event loop run until the condition holds; false after the timeout.
template <typename F>
bool attend(F condition, int timeoutMs = 5000)
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
