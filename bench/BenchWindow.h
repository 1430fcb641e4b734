#pragma once
// What the window benchmarks share: a port that delivers whatever the
// benchmark hands it, dialogs that answer nothing, and a main() that runs the
// benchmarks inside an offscreen application.
#include "bench/NoDialogs.h"
#include "platform/SerialPortControl.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <utility>

class LoopbackPort : public SerialPortControl
{
public:
    QByteArray pending;
    bool open() override { return true; }
    void close() override {}
    bool isOpen() const override { return true; }
    void output(const QByteArray &) override {}
    QByteArray input() override { return std::exchange(pending, {}); }
    // Raises the receive event with `bytes` waiting.
    void receive(const QByteArray &bytes)
    {
        pending = bytes;
        raiseReceiveEvent();
    }
};

// The offscreen platform warns on every window shown; the figures matter here.
inline void quietOffscreenWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (message.contains(QLatin1String("propagateSizeHints")))
        return;
    std::fprintf(stderr, "%s%s\n", type == QtWarningMsg ? "warning: " : "", qPrintable(message));
}

inline int runBenchmarksInApplication(int argc, char **argv)
{
    qInstallMessageHandler(quietOffscreenWarnings);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
