#pragma once
// Live records sent without being asked, a given number a second, for
// measuring a receiver under a steady stream or a flood (a USB controller
// ignores the baud rate). Everything put on the line, replies included, goes
// through one queue of whole lines: a full terminal delays lines but never
// cuts one, and a line is counted once its carriage return is out.
#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

class RecordStream : public QObject
{
    Q_OBJECT
public:
    // Writes what the terminal takes now: the number of bytes taken, 0 when full.
    using Writer = std::function<qsizetype(const char *data, qsizetype size)>;

    // The next live record as the controller would send it now.
    using Source = std::function<QByteArray()>;

    RecordStream(Source record, int perSecond, Writer write, QObject *parent = nullptr);

    // Starts sending records, from now on; with `forMs` > 0 only for that long.
    void start(qint64 forMs = 0);
    bool isStarted() const { return m_clock.isValid(); }
    // Queues `bytes` (a reply, or a piece of one) behind what is already due.
    void send(const QByteArray &bytes);
    // Writes as much of the queue as the terminal takes.
    void flush();
    bool hasPending() const { return !m_queue.isEmpty(); }
    // Carriage returns written so far: every line the receiver can have seen whole.
    qint64 linesSent() const { return m_linesSent; }

signals:
    // The terminal took less than was queued; flush() again when it has room.
    void blocked();

private:
    void generate();

    Source m_record;
    int m_perSecond;
    Writer m_write;
    QByteArray m_queue;
    QElapsedTimer m_clock;
    QTimer m_timer;
    qint64 m_forMs = 0;
    qint64 m_generated = 0;
    qint64 m_linesSent = 0;
};
