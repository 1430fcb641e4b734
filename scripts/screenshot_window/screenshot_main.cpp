// Grabs the main window as it looks in use: starts it on the built-in
// simulated actuator exactly as "velmora --simulate" does, presses "Scan",
// lets it scan for a while and saves the window at one or more sizes.
//
//   velmora-screenshot SECONDS OUTPUT.png WIDTH HEIGHT [OUTPUT.png WIDTH HEIGHT]...
#include "app/frmMain.h"
#include "app/modMain.h"
#include "platform/QtDialogs.h"
#include "sim/SimulatedSerialPort.h"

#include <QApplication>
#include <QPushButton>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>

namespace {

// Runs the event loop for `ms` milliseconds: the timers, polls and replies go on.
void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 5 || (args.size() - 2) % 3 != 0) {
        std::fprintf(stderr, "usage: velmora-screenshot SECONDS OUTPUT.png WIDTH HEIGHT [OUTPUT.png WIDTH HEIGHT]...\n");
        return 2;
    }
    const int scanMs = int(args.at(1).toDouble() * 1000);

    SimulatedSerialPort port;
    modMain data;
    QtDialogs dialogs;
    frmMain window(data, port, dialogs);
    window.Form_Load();
    window.resize(args.at(3).toInt(), args.at(4).toInt());
    window.show();
    wait(300);
    if (window.cmdRun->isEnabled())
        window.cmdRun->click();
    else
        std::fprintf(stderr, "velmora-screenshot: no device found; grabbing the idle window\n");
    wait(scanMs);

    for (int i = 2; i + 2 < args.size(); i += 3) {
        window.resize(args.at(i + 1).toInt(), args.at(i + 2).toInt());
        wait(300); // a display refresh and the new layout
        if (!window.grab().save(args.at(i))) {
            std::fprintf(stderr, "velmora-screenshot: cannot write %s\n", qPrintable(args.at(i)));
            return 1;
        }
        std::printf("wrote %s\n", qPrintable(args.at(i)));
    }
    return 0;
}
