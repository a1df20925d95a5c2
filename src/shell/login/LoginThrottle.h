#pragma once

#include <QtGlobal>
#include <functional>

// Slows guessing: after five wrong log-ins in a row, each further try must wait
// 1 s, then 2 s, 4 s, ... up to 30 s after the last failure. A success starts
// the count again. Kept in memory for one running program.
class LoginThrottle
{
public:
    // Milliseconds on a clock that only moves forward; tests pass their own.
    using Clock = std::function<qint64()>;

    static constexpr int FreeFailures = 5;
    static constexpr int MaxDelaySeconds = 30;

    explicit LoginThrottle(Clock clock = {});

    // Whole seconds left before the next try is checked (0: it may be tried now).
    int secondsToWait() const;
    void failed();
    void succeeded();
    int failuresInARow() const { return m_failures; }

    // The wait after `failures` wrong tries in a row, in seconds.
    static int delayAfter(int failures);

private:
    Clock m_clock;
    int m_failures = 0;
    qint64 m_lastFailureMs = 0;
};
