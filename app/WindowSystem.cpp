#include "app/WindowSystem.h"

#include <QList>
#include <cstdio>
#include <cstdlib>

namespace {

struct HeldMessage
{
    QtMsgType type;
    QByteArray category;
    QString text;
};

QList<HeldMessage> held;

QString noWindowSystem()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty())
        return QStringLiteral("cannot open a window: the window system \"%1\" (QT_QPA_PLATFORM) could not be started")
            .arg(QString::fromLocal8Bit(platform));
    const QByteArray display = qgetenv("DISPLAY");
    const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
    if (display.isEmpty() && wayland.isEmpty())
        return QStringLiteral("cannot open a window: no display (DISPLAY is not set); --help and --version work without one");
    return QStringLiteral("cannot open a window: the display \"%1\" cannot be reached")
        .arg(QString::fromLocal8Bit(display.isEmpty() ? wayland : display));
}

void holdWhileStarting(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        // Qt gives up here; it would abort right after this returns.
        std::fprintf(stderr, "velmora: %s\n", qPrintable(noWindowSystem()));
        std::_Exit(1);
    }
    held.append({type, QByteArray(context.category), text});
}

} // namespace

std::unique_ptr<QApplication> openWindowSystem(int &argc, char **argv)
{
    const QtMessageHandler previous = qInstallMessageHandler(holdWhileStarting);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    for (const HeldMessage &message : std::exchange(held, {})) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    return app;
}
