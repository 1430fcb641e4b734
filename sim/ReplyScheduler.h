#pragma once
// Puts the simulated controller's replies on the line after their latency,
// each possibly in several pieces, strictly in the order they were given: a
// piece never overtakes one scheduled before it.
#include "sim/ActuatorModel.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <deque>

class ReplyScheduler : public QObject
{
    Q_OBJECT
public:
    explicit ReplyScheduler(QObject *parent = nullptr);

    void schedule(const QByteArray &reply, const ReplyTiming &timing);
    // Drops everything still under way (the port was closed).
    void clear();
    bool isIdle() const { return m_queue.empty(); }

signals:
    void deliver(const QByteArray &piece);

private:
    struct Piece
    {
        qint64 due;
        QByteArray bytes;
    };
    void fire();
    void arm();

    std::deque<Piece> m_queue;
    QElapsedTimer m_clock;
    QTimer m_timer;
};
