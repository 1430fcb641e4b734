#include "platform/FrameClock.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <vector>

namespace {

// Lives with the application, so that no timer outlives its event loop.
class FrameClock : public QObject
{
public:
    explicit FrameClock(QObject *parent) : QObject(parent)
    {
        m_timer.setSingleShot(true);
        m_timer.setInterval(frame::IntervalMs);
        connect(&m_timer, &QTimer::timeout, this, &FrameClock::tick);
    }

    static FrameClock *instance()
    {
        static QPointer<FrameClock> clock;
        if (!clock && QCoreApplication::instance())
            clock = new FrameClock(QCoreApplication::instance());
        return clock;
    }

    void add(QWidget *widget, const QRect &area)
    {
        for (Pending &p : m_pending) {
            if (p.widget == widget) {
                p.area |= area;
                return;
            }
        }
        m_pending.push_back({widget, area});
        if (!m_timer.isActive())
            m_timer.start();
    }

    const QRect *find(const QWidget *widget) const
    {
        for (const Pending &p : m_pending)
            if (p.widget == widget)
                return &p.area;
        return nullptr;
    }

private:
    struct Pending
    {
        QPointer<QWidget> widget;
        QRect area;
    };

    void tick()
    {
        std::vector<Pending> due;
        due.swap(m_pending);
        for (const Pending &p : due)
            if (p.widget)
                p.widget->update(p.area);
    }

    QTimer m_timer;
    std::vector<Pending> m_pending;
};

} // namespace

namespace frame {

void update(QWidget *widget, const QRect &area)
{
    if (!widget)
        return;
    const QRect clipped = area & widget->rect();
    if (clipped.isEmpty())
        return;
    if (FrameClock *clock = FrameClock::instance())
        clock->add(widget, clipped);
    else
        widget->update(clipped);
}

void update(QWidget *widget)
{
    if (widget)
        update(widget, widget->rect());
}

bool isPending(const QWidget *widget)
{
    const FrameClock *clock = FrameClock::instance();
    return clock && clock->find(widget);
}

QRect pendingArea(const QWidget *widget)
{
    const FrameClock *clock = FrameClock::instance();
    const QRect *area = clock ? clock->find(widget) : nullptr;
    return area ? *area : QRect();
}

} // namespace frame
