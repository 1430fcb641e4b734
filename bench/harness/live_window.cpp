// The real main window on a real serial device, for measuring what the live
// display costs while a controller streams records (scripts/bench-live):
//
//   live-window DEVICE REPORT [--probe]
//
// The device is port 1 (e.g. the pseudo-terminal velmora-sim prints). At
// exit (SIGTERM or SIGINT) REPORT receives the number of complete lines the
// window was handed; with --probe also how late the window answered input:
//   - every mouse press (a quick second one arrives as a double click): its
//     handling time minus the X server's time stamp;
//   - a 10 ms timer: how late each tick ran (what any event waiting behind
//     the receive handler and the painting would wait).
// On start it prints the screen position of the middle of the trend chart,
// where clicks land harmlessly.
#include "app/frmMain.h"
#include "app/modMain.h"
#include "platform/PictureBox.h"
#include "platform/PortMap.h"
#include "platform/QtDialogs.h"
#include "platform/QtSerialPortControl.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QInputEvent>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

// Every complete line the window receives goes to its dispatcher in the same
// call, so carriage returns read are lines handled.
class CountingPort : public QtSerialPortControl
{
public:
    using QtSerialPortControl::QtSerialPortControl;
    qint64 lines = 0;
    QByteArray input() override
    {
        QByteArray data = QtSerialPortControl::input();
        lines += data.count('\r');
        return data;
    }
};

// The X server stamps input events with its monotonic clock in milliseconds
// (32 bits of it).
qint64 monotonicMs()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

class InputLatency : public QObject
{
public:
    std::vector<qint64> pressMs;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const bool press = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
        if (press && watched->isWidgetType())
            pressMs.push_back((monotonicMs() - qint64(static_cast<QInputEvent *>(event)->timestamp())) & 0xffffffff);
        return false;
    }
};

class TimerLateness : public QObject
{
public:
    std::vector<double> lateMs;
    void start()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            const qint64 ns = m_clock.nsecsElapsed();
            if (m_last >= 0)
                lateMs.push_back(std::max(0.0, (ns - m_last) / 1e6 - 10.0));
            m_last = ns;
        });
        m_clock.start();
        m_timer.start();
    }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = -1;
};

template <typename T>
QByteArray joined(const std::vector<T> &values)
{
    QByteArrayList parts;
    for (const T &v : values)
        parts << QByteArray::number(v);
    return parts.join(',');
}

} // namespace

int main(int argc, char *argv[])
{
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return 1;
    std::signal(SIGTERM, onSignal);
    std::signal(SIGINT, onSignal);
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: live-window DEVICE REPORT [--probe]\n");
        return 2;
    }
    QSocketNotifier signalled(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalled, &QSocketNotifier::activated, &app, &QCoreApplication::quit);

    CountingPort port(PortMap({args.at(1)}));
    modMain data;
    QtDialogs dialogs;
    frmMain window(data, port, dialogs);
    window.Form_Load();
    window.resize(1010, 640);
    window.move(0, 0);
    window.show();

    InputLatency input;
    TimerLateness timer;
    if (args.contains(QStringLiteral("--probe"))) {
        app.installEventFilter(&input);
        timer.start();
    }
    QTimer::singleShot(200, &window, [&window] {
        const QPoint middle = window.pic->mapToGlobal(window.pic->rect().center());
        std::printf("chart %d %d\n", middle.x(), middle.y());
        std::fflush(stdout);
    });

    const int status = app.exec();
    QFile report(args.at(2));
    if (!report.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    report.write("lines " + QByteArray::number(port.lines) + "\n");
    report.write("unhandled " + QByteArray::number(window.link.RxBuffer.pending().count('\r')) + "\n");
    report.write("press_ms " + joined(input.pressMs) + "\n");
    report.write("timer_late_ms " + joined(timer.lateMs) + "\n");
    return status;
}
