#include "platform/Timer.h"

Timer::Timer(int intervalMs, bool enabled, QObject *parent)
    : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(intervalMs);
    connect(&m_timer, &QTimer::timeout, this, &Timer::tick);
    if (enabled)
        m_timer.start();
}

void Timer::setInterval(int ms)
{
    m_timer.setInterval(ms);
}

void Timer::setEnabled(bool enabled)
{
    if (enabled == m_timer.isActive())
        return;
    if (enabled)
        m_timer.start();
    else
        m_timer.stop();
}
