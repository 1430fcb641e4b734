#pragma once
// A clock that stands still until a test moves it.
#include "platform/Clock.h"

class ManualClock : public Clock
{
public:
    qint64 nowMs() const override { return m_now; }
    void advance(qint64 ms) { m_now += ms; }
    void set(qint64 ms) { m_now = ms; }

private:
    qint64 m_now = 1'000'000;
};
