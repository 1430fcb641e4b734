// Handling one reply line: framing, decoding and (for "C") the trend shift.
// At 9600 baud a 22-character "C" line takes about 22.9 ms on the wire; the
// goal is to handle it in under 1/10,000 of that (2.3 us).
#include "BenchWindow.h"
#include "app/frmMain.h"
#include "app/modMain.h"
#include "link/Protocol.h"
#include "link/ReceiveBuffer.h"
#include "link/TrendBuffer.h"
#include "params/ParameterSet.h"
#include "platform/Dialogs.h"
#include "platform/Numbers.h"
#include "platform/SerialPortControl.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

const QByteArray LiveLine = "C  455,  400,   55,10\r";

QByteArray parameterLine()
{
    QByteArray hex;
    for (int i = 0; i < 100; ++i)
        hex += QByteArray::number(i % 100, 16).rightJustified(2, '0').toUpper();
    return "P" + hex + "\r";
}

void LiveLineDecodeAndShift(benchmark::State &state)
{
    ReceiveBuffer rx;
    LiveValues live;
    TrendBuffer trend;
    for (auto _ : state) {
        rx.append(LiveLine);
        const auto line = rx.takeLine();
        protocol::applyLiveRecord(*line, live);
        trend.shift(num::toInt16(live.sp.value), num::toInt16(live.pv.value));
        benchmark::DoNotOptimize(trend);
    }
}
BENCHMARK(LiveLineDecodeAndShift);

void ParameterLineDecode(benchmark::State &state)
{
    const QByteArray line = parameterLine();
    ReceiveBuffer rx;
    ParameterSet set;
    for (auto _ : state) {
        rx.append(line);
        benchmark::DoNotOptimize(params::DecodeParameterBlock(*rx.takeLine(), set));
    }
}
BENCHMARK(ParameterLineDecode);

// The whole receive event of the main window (lamp flash included), paused
// so that no drawing is done.
void WindowReceiveEventLiveLinePaused(benchmark::State &state)
{
    modMain data;
    LoopbackPort port;
    NoDialogs dialogs;
    frmMain window(data, port, dialogs);
    window.Paused = true;
    for (auto _ : state)
        port.receive(LiveLine);
    benchmark::DoNotOptimize(window.Trend);
}
BENCHMARK(WindowReceiveEventLiveLinePaused);

void WindowReceiveEventParameterLine(benchmark::State &state)
{
    modMain data;
    LoopbackPort port;
    NoDialogs dialogs;
    frmMain window(data, port, dialogs);
    const QByteArray line = parameterLine();
    for (auto _ : state)
        port.receive(line);
    benchmark::DoNotOptimize(data.ParameterSet);
}
BENCHMARK(WindowReceiveEventParameterLine);

} // namespace

int main(int argc, char **argv)
{
    return runBenchmarksInApplication(argc, argv);
}
