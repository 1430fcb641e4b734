// velmora: the service tool. "--simulate" puts the built-in simulated
// actuator on the port list in place of the system's serial devices.
#include "app/frmMain.h"
#include "app/modMain.h"
#include "platform/PortMap.h"
#include "platform/QtDialogs.h"
#include "platform/QtSerialPortControl.h"
#include "sim/SimulatedSerialPort.h"

#include <QApplication>
#include <QScreen>
#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QApplication::setApplicationVersion(QStringLiteral("4.0.0"));

    const bool simulate = QApplication::arguments().contains(QStringLiteral("--simulate"));
    std::unique_ptr<SerialPortControl> port;
    if (simulate)
        port = std::make_unique<SimulatedSerialPort>();
    else
        port = std::make_unique<QtSerialPortControl>(PortMap::fromSystem());

    modMain data;
    QtDialogs dialogs;
    frmMain window(data, *port, dialogs);
    window.Form_Load();
    if (const QScreen *screen = window.screen())
        window.move(screen->availableGeometry().center() - window.rect().center());
    window.show();
    return app.exec();
}
