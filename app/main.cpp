// velmora: the service tool. "velmora --help" lists the options.
#include "app/AppIcon.h"
#include "app/CommandLine.h"
#include "app/Startup.h"
#include "Version.h"
#include "app/WindowSystem.h"
#include "app/frmMain.h"
#include "app/modMain.h"
#include "platform/QtDialogs.h"
#include "platform/SerialPortControl.h"
#include "platform/WindowPlacement.h"

#include <cstdio>

namespace {

QStringList argumentsOf(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace

int main(int argc, char *argv[])
{
    // Options are read before a display is needed, so that --help, --version
    // and mistakes are answered on any terminal.
    const StartOptions options = commandline::parse(argumentsOf(argc, argv));
    if (options.action != StartOptions::Action::Run) {
        QCoreApplication console(argc, argv);
        return commandline::answer(options);
    }
    if (const QString problem = startup::problem(options); !problem.isEmpty()) {
        std::fprintf(stderr, "velmora: %s\n", qPrintable(problem));
        return 1;
    }

    const std::unique_ptr<QApplication> app = openWindowSystem(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    QApplication::setWindowIcon(appIcon());

    const std::unique_ptr<SerialPortControl> port = startup::serialPort(options);
    modMain data;
    QtDialogs dialogs;
    frmMain window(data, *port, dialogs);
    window.Form_Load();
    placement::centreOnScreen(window);
    window.show();
    if (!options.reportFile.isEmpty() && !window.OpenReport(options.reportFile)) {
        std::fprintf(stderr, "velmora: %s: cannot be read any more\n", qPrintable(options.reportFile));
        return 1;
    }
    return app->exec();
}
