// velmora-sim: serves the simulated controller on a pseudo-terminal. Prints
// the terminal's device path (one line) and answers on it until it is
// interrupted or terminated. "--link PATH" also makes PATH a symbolic link to
// the terminal while it runs, a name that stays the same from one run to the
// next (the terminal's own name changes), so that stopping and starting the
// simulator stands in for pulling and plugging the controller's cable.
#include "Version.h"
#include "sim/PtyServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

// Only writes one byte: the event loop does the rest.
void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

// SIGINT and SIGTERM write to a pipe; installed first thing, so that a
// signal sent right after start is not lost.
bool catchSignals()
{
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return ::sigaction(SIGINT, &action, nullptr) == 0 && ::sigaction(SIGTERM, &action, nullptr) == 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (!catchSignals()) {
        std::perror("velmora-sim: signal handling");
        return 1;
    }
    QCoreApplication app(argc, argv);
    QSocketNotifier signalled(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalled, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    QCoreApplication::setApplicationName(QStringLiteral("velmora-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Serves a simulated actuator controller on a pseudo-terminal and prints its device path."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption latency(QStringLiteral("latency"), QStringLiteral("Reply latency in milliseconds."),
                                     QStringLiteral("ms"), QStringLiteral("10"));
    const QCommandLineOption pieces(QStringLiteral("pieces"), QStringLiteral("Deliver each reply in this many pieces."),
                                    QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption link(QStringLiteral("link"),
                                  QStringLiteral("Make PATH a symbolic link to the terminal while serving."),
                                  QStringLiteral("PATH"));
    const QCommandLineOption stream(QStringLiteral("stream"),
                                    QStringLiteral("Send this many live records a second unpolled, from the first command "
                                                   "on, and report at exit how many lines went out whole."),
                                    QStringLiteral("rate"));
    const QCommandLineOption streamFor(QStringLiteral("stream-for"),
                                       QStringLiteral("Stop the stream after this many seconds (default: never)."),
                                       QStringLiteral("seconds"), QStringLiteral("0"));
    parser.addOption(latency);
    parser.addOption(pieces);
    parser.addOption(link);
    parser.addOption(stream);
    parser.addOption(streamFor);
    parser.process(app);

    bool latencyOk = false;
    bool piecesOk = false;
    ReplyTiming timing;
    timing.latencyMs = parser.value(latency).toInt(&latencyOk);
    timing.pieces = parser.value(pieces).toInt(&piecesOk);
    bool rateOk = true;
    bool forOk = false;
    const int rate = parser.isSet(stream) ? parser.value(stream).toInt(&rateOk) : 0;
    const int streamSeconds = parser.value(streamFor).toInt(&forOk);
    if (!latencyOk || timing.latencyMs < 0 || !piecesOk || timing.pieces < 1 || !rateOk
        || (parser.isSet(stream) && rate < 1) || !forOk || streamSeconds < 0) {
        std::fprintf(stderr, "velmora-sim: --latency takes milliseconds >= 0, --pieces a count >= 1, "
                             "--stream records a second >= 1, --stream-for seconds >= 0\n");
        return 2;
    }

    PtyServer server;
    server.model().setReplyTiming(timing);
    if (!server.start()) {
        std::fprintf(stderr, "velmora-sim: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    if (rate > 0)
        server.streamLiveRecords(rate, streamSeconds);
    const QString linkPath = parser.value(link);
    if (!linkPath.isEmpty()) {
        if (QFileInfo(linkPath).isSymLink())
            QFile::remove(linkPath); // left by a run that was killed
        if (!QFile::link(server.devicePath(), linkPath)) {
            std::fprintf(stderr, "velmora-sim: cannot make the link %s\n", qPrintable(linkPath));
            return 1;
        }
    }
    std::printf("%s\n", qPrintable(server.devicePath()));
    std::fflush(stdout);
    const int status = app.exec();
    if (!linkPath.isEmpty())
        QFile::remove(linkPath);
    if (rate > 0)
        std::fprintf(stderr, "velmora-sim: %lld lines sent\n", static_cast<long long>(server.linesSent()));
    return status;
}
