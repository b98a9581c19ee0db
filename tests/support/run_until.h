#pragma once

// Runs the event loop until a condition holds or the time is up.

#include <QElapsedTimer>
#include <QTest>

#include <functional>

inline bool runUntil(const std::function<bool()> &done, int limitMs = 20000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limitMs)
        QTest::qWait(5);
    return done();
}
