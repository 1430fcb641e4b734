// The live display's share of each poll. A "C" line arrives at most every
// 100 ms; building the chart and painting it once should take under 1 % of
// that (1 ms), and the 250 ms display refresh under 0.2 ms.
#include "BenchWindow.h"
#include "app/frmMain.h"
#include "app/modMain.h"
#include "display/TrendChart.h"
#include "platform/Dialogs.h"
#include "platform/PictureBox.h"
#include "platform/SerialPortControl.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

// A trend in use: SP in steps, PV following it with some ripple.
TrendBuffer busyTrend()
{
    TrendBuffer trend;
    for (int i = 0; i <= TrendBuffer::TrendLength; ++i) {
        const int sp = (i / 25) % 2 ? 80 : 20;
        const int pv = int(50 + 30 * std::sin(i / 8.0));
        trend.entries[i] = {int16_t(sp), int16_t(pv)};
    }
    return trend;
}



void ChartDisplayList(benchmark::State &state)
{
    const TrendBuffer trend = busyTrend();
    DisplayList list;
    for (auto _ : state) {
        chart::drawTrendChart(list, trend);
        benchmark::DoNotOptimize(list.items().data());
    }
}
BENCHMARK(ChartDisplayList);

// Plot's display list and one full paint of the chart at 1010 x 640.
void ChartBuildAndPaint1010x640(benchmark::State &state)
{
    const TrendBuffer trend = busyTrend();
    PictureBox pic(Qt::black);
    pic.resize(1010, 640);
    pic.setScale(chart::ScaleWidth, chart::ScaleHeight);
    QImage image(pic.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        chart::drawTrendChart(pic.drawing(), trend);
        QPainter painter(&image);
        pic.render(painter);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(ChartBuildAndPaint1010x640)->Unit(benchmark::kMicrosecond);

struct Window
{
    modMain data;
    LoopbackPort port;
    NoDialogs dialogs;
    frmMain window{data, port, dialogs};
    Window()
    {
        window.pic->setScale(chart::ScaleWidth, chart::ScaleHeight);
        window.PrepareDisplay();
        window.Trend = busyTrend();
    }
};

// A "C" line as the window handles it: decode into the live values (the
// trend and the recording take it on the sample tick).
void WindowLiveLine(benchmark::State &state)
{
    Window w;
    for (auto _ : state)
        w.port.receive("C  455,  400,   55,10\r");
    benchmark::DoNotOptimize(w.window.Live);
}
BENCHMARK(WindowLiveLine);

// One 100 ms sample tick while recording: trend shift, Plot (the chart itself
// is painted later, with the window) and the record append.
void WindowSampleTick(benchmark::State &state)
{
    struct StepClock : Clock
    {
        qint64 t = 0;
        qint64 nowMs() const override { return t; }
    } clock;
    Window w;
    w.window.setClock(clock);
    w.window.Recording = true;
    for (auto _ : state) {
        clock.t += SampleClock::PeriodMs;
        w.port.receive("C  455,  400,   55,10\r");
        w.window.tmrSample_Timer();
        if (w.data.RecordCount >= RecordCapacity)
            w.data.RecordCount = 0;
    }
    benchmark::DoNotOptimize(w.window.Trend);
}
BENCHMARK(WindowSampleTick);

// The tmrDisp refresh with every reading different from the last tick.
void DisplayRefreshChangingValues(benchmark::State &state)
{
    Window w;
    const QByteArray lines[] = {"C  455,  400,   55,10\rA  725,1\r", "C  612,  587,   25,01\rA  718,0\r"};
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        w.port.receive(lines[n++ % 2]);
        state.ResumeTiming();
        w.window.tmrDisp_Timer();
    }
}
BENCHMARK(DisplayRefreshChangingValues);

// The tmrDisp refresh while the readings stand still (no device, or paused).
void DisplayRefreshSteadyValues(benchmark::State &state)
{
    Window w;
    w.port.receive("C  455,  400,   55,10\rA  725,1\r");
    for (auto _ : state)
        w.window.tmrDisp_Timer();
}
BENCHMARK(DisplayRefreshSteadyValues);

} // namespace

int main(int argc, char **argv)
{
    return runBenchmarksInApplication(argc, argv);
}
