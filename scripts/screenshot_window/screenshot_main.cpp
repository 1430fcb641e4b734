// Grabs the main window as it looks in use: starts it on the built-in
// simulated actuator exactly as "velmora --simulate" does, presses "Scan",
// lets it scan for a while and saves the window at one or more sizes.
//
//   velmora-screenshot SECONDS OUTPUT.png WIDTH HEIGHT [OUTPUT.png WIDTH HEIGHT]...
//   velmora-screenshot --screen SECONDS OUTPUT.png
//
// With --screen the window opens where velmora opens it (sized to the screen
// and centred on it) and the whole screen is saved.
#include "app/frmMain.h"
#include "app/modMain.h"
#include "app/AppIcon.h"
#include "platform/QtDialogs.h"
#include "platform/WindowPlacement.h"
#include "sim/SimulatedSerialPort.h"

#include <QApplication>
#include <QPushButton>
#include <QScreen>
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

// Starts the window as velmora does, scans and saves the whole screen.
int grabScreen(double seconds, const QString &output)
{
    SimulatedSerialPort port;
    modMain data;
    QtDialogs dialogs;
    frmMain window(data, port, dialogs);
    window.Form_Load();
    placement::centreOnScreen(window);
    window.show();
    wait(300);
    window.cmdRun->click();
    wait(int(seconds * 1000));
    const QPixmap screen = window.screen()->grabWindow(0);
    if (!screen.save(output)) {
        std::fprintf(stderr, "velmora-screenshot: cannot write %s\n", qPrintable(output));
        return 1;
    }
    std::printf("wrote %s (%dx%d, window %dx%d)\n", qPrintable(output), screen.width(), screen.height(),
                window.width(), window.height());
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(appIcon());
    QStringList args = QApplication::arguments();
    const bool wholeScreen = args.size() == 4 && args.at(1) == QLatin1String("--screen");
    if (wholeScreen)
        return grabScreen(args.at(2).toDouble(), args.at(3));
    if (args.size() < 5 || (args.size() - 2) % 3 != 0) {
        std::fprintf(stderr, "usage: velmora-screenshot SECONDS OUTPUT.png WIDTH HEIGHT [OUTPUT.png WIDTH HEIGHT]...\n"
                             "       velmora-screenshot --screen SECONDS OUTPUT.png\n");
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
