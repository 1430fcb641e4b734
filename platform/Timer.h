#pragma once
// A timer with an interval and an enabled state: while enabled it ticks every
// interval, the first tick one interval after it was enabled. Precise, so
// that 100 ms polls stay 100 ms apart.
#include <QObject>
#include <QTimer>

class Timer : public QObject
{
    Q_OBJECT
public:
    explicit Timer(int intervalMs, bool enabled, QObject *parent = nullptr);

    int interval() const { return m_timer.interval(); }
    // Changing the interval of an enabled timer restarts its count.
    void setInterval(int ms);
    bool isEnabled() const { return m_timer.isActive(); }
    void setEnabled(bool enabled);

signals:
    void tick();

private:
    QTimer m_timer;
};
