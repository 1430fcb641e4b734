#include "sim/RecordStream.h"

#include <algorithm>

namespace {
// Records not yet written are capped at a tenth of a second's worth: a
// receiver slower than the stream gets fewer records, never older ones.
constexpr qint64 BacklogDivisor = 10;
constexpr qsizetype MinBacklogBytes = 4096;
} // namespace

RecordStream::RecordStream(Source record, int perSecond, Writer write, QObject *parent)
    : QObject(parent), m_record(std::move(record)), m_perSecond(std::max(1, perSecond)), m_write(std::move(write))
{
    // Wake often enough for one record per tick at low rates, every
    // millisecond (several records per tick) in a flood.
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(std::clamp(1000 / m_perSecond, 1, 100));
    connect(&m_timer, &QTimer::timeout, this, &RecordStream::generate);
}

void RecordStream::start(qint64 forMs)
{
    if (isStarted())
        return;
    m_forMs = forMs;
    m_clock.start();
    m_timer.start();
}

void RecordStream::send(const QByteArray &bytes)
{
    m_queue.append(bytes);
    flush();
}

void RecordStream::flush()
{
    qsizetype written = 0;
    while (written < m_queue.size()) {
        const qsizetype n = m_write(m_queue.constData() + written, m_queue.size() - written);
        if (n <= 0)
            break;
        m_linesSent += std::count(m_queue.constData() + written, m_queue.constData() + written + n, '\r');
        written += n;
    }
    m_queue.remove(0, written);
    if (!m_queue.isEmpty())
        emit blocked();
}

void RecordStream::generate()
{
    const qint64 elapsed = m_clock.elapsed();
    const bool last = m_forMs > 0 && elapsed >= m_forMs;
    const qint64 due = (last ? m_forMs : elapsed) * m_perSecond / 1000;
    const qsizetype backlog = std::max<qsizetype>(MinBacklogBytes, 22 * m_perSecond / BacklogDivisor);
    for (; m_generated < due; ++m_generated) {
        if (m_queue.size() >= backlog) {
            m_generated = due;
            break;
        }
        m_queue.append(m_record());
    }
    if (last)
        m_timer.stop();
    flush();
}
