#pragma once
// When live values are current, and when the trend and the recording take
// their next sample. The controller's replies come every 100 or 200 ms,
// depending on what is polled; the trend and the record file count 10
// samples per second of real time. So samples are taken on a steady 100 ms
// clock from the latest values (sample and hold), never one per reply.
#include <QtGlobal>
#include <algorithm>

// The age of one kind of record.
class Freshness
{
public:
    static constexpr qint64 LimitMs = 1000; // older values are stale

    void arrived(qint64 nowMs)
    {
        m_lastMs = nowMs;
        m_any = true;
    }
    bool any() const { return m_any; }
    bool fresh(qint64 nowMs) const { return m_any && nowMs - m_lastMs <= LimitMs; }
    // The source is gone (the link was lost): what was received is old now.
    void expire(qint64 nowMs)
    {
        if (m_any)
            m_lastMs = std::min(m_lastMs, nowMs - LimitMs - 1);
    }
    // Values were received, but not within the limit.
    bool stale(qint64 nowMs) const { return m_any && !fresh(nowMs); }

private:
    qint64 m_lastMs = 0;
    bool m_any = false;
};

class SampleClock
{
public:
    static constexpr qint64 PeriodMs = 100;

    // A live record arrived. After a time without fresh values the clock
    // starts again from this record: a gap is never filled with old values.
    void liveRecord(qint64 nowMs)
    {
        if (!m_live.fresh(nowMs))
            m_nextMs = nowMs + PeriodMs;
        m_live.arrived(nowMs);
    }

    const Freshness &live() const { return m_live; }
    void expire(qint64 nowMs) { m_live.expire(nowMs); }

    // How many samples have come due since the last call: one per 100 ms
    // while the live values are fresh, so a late tick catches up. None
    // while they are stale.
    int due(qint64 nowMs)
    {
        if (!m_live.fresh(nowMs) || nowMs < m_nextMs)
            return 0;
        const qint64 n = (nowMs - m_nextMs) / PeriodMs + 1;
        m_nextMs += n * PeriodMs;
        return int(n);
    }

private:
    Freshness m_live;
    qint64 m_nextMs = 0;
};
