// Record file and report window: writing and reading a full 75,001-sample
// record file, the step analysis of it, opening the report window on it
// (read, plot, steps, first paint) and moving its chart.
//
// VELMORA_RECORD_FILE=<path> keeps the benchmark's record file there, so that
// scripts/bench-record-file can time other readers on the very same file.
#include "BenchWindow.h"
#include "app/modMain.h"
#include "platform/PictureBox.h"
#include "recording/RecordFile.h"
#include "recording/ReportChart.h"
#include "recording/StepAnalysis.h"
#include "recording/frmHistory.h"

#include <QApplication>
#include <QDir>
#include <QScrollBar>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

// A full buffer as a recording of step tests gives it: SP steps between 0 %
// and 100 % every 60 s, PV follows at 5 %/s up and 4 %/s down, in tenths.
std::vector<RecordSample> fullRecording()
{
    std::vector<RecordSample> samples;
    samples.reserve(size_t(RecordCapacity));
    int pv = 0;
    for (int i = 0; i < RecordCapacity; ++i) {
        const int sp = (i / 600) % 2 ? 1000 : 0;
        pv += sp > pv ? std::min(5, sp - pv) : -std::min(4, pv - sp);
        samples.push_back({float(sp / 10.0), float((pv + i % 7) / 10.0)});
    }
    return samples;
}

const std::vector<RecordSample> &samples()
{
    static const std::vector<RecordSample> all = fullRecording();
    return all;
}

QString recordPath()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QByteArray chosen = qgetenv("VELMORA_RECORD_FILE");
        return chosen.isEmpty() ? dir.filePath(QStringLiteral("record.txt")) : QString::fromLocal8Bit(chosen);
    }();
    return path;
}

void ensureRecordFile()
{
    static const bool written = recordfile::write(recordPath(), samples());
    if (!written)
        std::abort();
}

void BM_EncodeRecord(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(recordfile::encode(samples()));
}
BENCHMARK(BM_EncodeRecord)->Unit(benchmark::kMillisecond);

void BM_WriteRecordFile(benchmark::State &state)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("written.txt"));
    for (auto _ : state)
        if (!recordfile::write(path, samples()))
            state.SkipWithError("write failed");
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}
BENCHMARK(BM_WriteRecordFile)->Unit(benchmark::kMillisecond);

void BM_ReadRecordFile(benchmark::State &state)
{
    ensureRecordFile();
    for (auto _ : state) {
        const auto read = recordfile::read(recordPath());
        if (!read || read->size() != size_t(RecordCapacity))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(read);
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(recordPath()).size());
}
BENCHMARK(BM_ReadRecordFile)->Unit(benchmark::kMillisecond);

void BM_PlotReportChart(benchmark::State &state)
{
    DisplayList list;
    for (auto _ : state) {
        report::drawReportChart(list, samples(), report::reportScale(RecordCapacity));
        benchmark::DoNotOptimize(list.items().data());
    }
}
BENCHMARK(BM_PlotReportChart)->Unit(benchmark::kMillisecond);

// A full buffer of step tests: 124 steps, 0 -> 100 and back every minute.
void BM_AnalyseSteps(benchmark::State &state)
{
    for (auto _ : state) {
        const std::vector<steps::StepResponse> found = steps::analyseSteps(samples());
        if (found.size() != 124)
            state.SkipWithError("wrong number of steps");
        benchmark::DoNotOptimize(found.data());
    }
}
BENCHMARK(BM_AnalyseSteps)->Unit(benchmark::kMillisecond);

// What "Report" does after the dialog: read the file, take it over, open the
// window, plot, and paint it once (offscreen).
void BM_OpenReportWindow(benchmark::State &state)
{
    ensureRecordFile();
    modMain data;
    for (auto _ : state) {
        const auto read = recordfile::read(recordPath());
        std::copy(read->begin(), read->end(), data.ReportBuffer.begin());
        data.ReportCount = int32_t(read->size());
        NoDialogs dialogs;
        auto *window = new frmHistory(data, dialogs);
        window->Form_Load();
        window->show();
        const QPixmap painted = window->grab();
        benchmark::DoNotOptimize(painted.cacheKey());
        state.PauseTiming();
        delete window;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenReportWindow)->Unit(benchmark::kMillisecond);

// A repaint of the full chart, as each mouse move does while the rubber band
// follows the mouse.
void BM_PaintReportChart(benchmark::State &state)
{
    modMain data;
    std::copy(samples().begin(), samples().end(), data.ReportBuffer.begin());
    data.ReportCount = RecordCapacity;
    NoDialogs dialogs;
    frmHistory window(data, dialogs);
    window.Form_Load();
    window.show();
    for (auto _ : state) {
        const QPixmap painted = window.pic->grab();
        benchmark::DoNotOptimize(painted.cacheKey());
    }
}
BENCHMARK(BM_PaintReportChart)->Unit(benchmark::kMillisecond);

// The scroll bar moved by a page: the chart drawn afresh and painted.
void BM_ScrollReportChart(benchmark::State &state)
{
    modMain data;
    std::copy(samples().begin(), samples().end(), data.ReportBuffer.begin());
    data.ReportCount = RecordCapacity;
    NoDialogs dialogs;
    frmHistory window(data, dialogs);
    window.Form_Load();
    window.show();
    int page = 0;
    for (auto _ : state) {
        page = (page + 1) % 7;
        window.hsbChart->setValue(page * 10000);
        const QPixmap painted = window.pic->grab();
        benchmark::DoNotOptimize(painted.cacheKey());
    }
}
BENCHMARK(BM_ScrollReportChart)->Unit(benchmark::kMillisecond);

} // namespace


int main(int argc, char **argv)
{
    return runBenchmarksInApplication(argc, argv);
}
