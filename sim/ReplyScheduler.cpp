#include "sim/ReplyScheduler.h"

#include <algorithm>

ReplyScheduler::ReplyScheduler(QObject *parent) : QObject(parent)
{
    m_clock.start();
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &ReplyScheduler::fire);
}

void ReplyScheduler::schedule(const QByteArray &reply, const ReplyTiming &timing)
{
    qint64 due = m_clock.elapsed() + std::max(0, timing.latencyMs);
    for (const QByteArray &piece : sim::splitReply(reply, timing.pieces)) {
        if (!m_queue.empty())
            due = std::max(due, m_queue.back().due);
        m_queue.push_back({due, piece});
        due += std::max(0, timing.pieceGapMs);
    }
    arm();
}

void ReplyScheduler::clear()
{
    m_queue.clear();
    m_timer.stop();
}

// Each piece is taken off the queue before it is handed on: the receiver may
// write a new command or close the port while it handles it.
void ReplyScheduler::fire()
{
    while (!m_queue.empty() && m_queue.front().due <= m_clock.elapsed()) {
        const QByteArray piece = m_queue.front().bytes;
        m_queue.pop_front();
        emit deliver(piece);
    }
    arm();
}

void ReplyScheduler::arm()
{
    if (m_queue.empty() || m_timer.isActive())
        return;
    m_timer.start(int(std::max<qint64>(0, m_queue.front().due - m_clock.elapsed())));
}
