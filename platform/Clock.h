#pragma once
// Milliseconds on a steady clock, for what must follow real time (the sample
// tick, the age of the live values). The program runs on SteadyClock; tests
// set the time by hand.
#include <QElapsedTimer>

class Clock
{
public:
    virtual ~Clock() = default;
    virtual qint64 nowMs() const = 0;
};

class SteadyClock final : public Clock
{
public:
    SteadyClock() { m_elapsed.start(); }
    qint64 nowMs() const override { return m_elapsed.elapsed(); }

private:
    QElapsedTimer m_elapsed;
};
