#include "LoginThrottle.h"

#include <QDeadlineTimer>
#include <algorithm>

LoginThrottle::LoginThrottle(Clock clock) : m_clock(std::move(clock))
{
    if (!m_clock)
        m_clock = [] { return QDeadlineTimer::current(Qt::PreciseTimer).deadline(); };
}

int LoginThrottle::delayAfter(int failures)
{
    if (failures < FreeFailures)
        return 0;
    const int doublings = std::min(failures - FreeFailures, 5); // 2^5 = 32 is past the ceiling
    return std::min(1 << doublings, MaxDelaySeconds);
}

int LoginThrottle::secondsToWait() const
{
    const qint64 delayMs = qint64(delayAfter(m_failures)) * 1000;
    if (delayMs == 0)
        return 0;
    const qint64 left = m_lastFailureMs + delayMs - m_clock();
    return left <= 0 ? 0 : int((left + 999) / 1000);
}

void LoginThrottle::failed()
{
    ++m_failures;
    m_lastFailureMs = m_clock();
}

void LoginThrottle::succeeded()
{
    m_failures = 0;
}
