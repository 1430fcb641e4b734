// Grabs the main window as it looks in use: starts it on the built-in
// simulated actuator exactly as "velmora --simulate" does, presses "Scan",
// lets it scan for a few seconds and saves the window as a PNG.
//
//   velmora-screenshot OUTPUT.png [WIDTH HEIGHT [SECONDS]]
#include "app/frmMain.h"
#include "app/modMain.h"
#include "platform/QtDialogs.h"
#include "sim/SimulatedSerialPort.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: velmora-screenshot OUTPUT.png [WIDTH HEIGHT [SECONDS]]\n");
        return 2;
    }
    const QString output = args.at(1);
    const int width = args.size() > 3 ? args.at(2).toInt() : 0;
    const int height = args.size() > 3 ? args.at(3).toInt() : 0;
    const double seconds = args.size() > 4 ? args.at(4).toDouble() : 6.0;

    SimulatedSerialPort port;
    modMain data;
    QtDialogs dialogs;
    frmMain window(data, port, dialogs);
    window.Form_Load();
    if (width > 0 && height > 0)
        window.resize(width, height);
    window.show();

    int status = 0;
    QTimer::singleShot(300, &window, [&] {
        if (!window.cmdRun->isEnabled())
            std::fprintf(stderr, "velmora-screenshot: no device found; grabbing the idle window\n");
        else
            window.cmdRun->click();
    });
    QTimer::singleShot(300 + int(seconds * 1000), &window, [&] {
        if (!window.grab().save(output)) {
            std::fprintf(stderr, "velmora-screenshot: cannot write %s\n", qPrintable(output));
            status = 1;
        }
        app.quit();
    });
    app.exec();
    return status;
}
