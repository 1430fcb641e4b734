#include "recording/ReportChart.h"

#include "display/TrendChart.h"
#include "platform/Numbers.h"

#include <algorithm>

namespace report {

namespace {

// Values far beyond any reading are kept this far outside the picture, so
// that the painter never meets coordinates it cannot handle.
constexpr double FarOutside = 1.0e6;

double curveY(float percent)
{
    return std::clamp(11000.0 - 100.0 * double(percent), -FarOutside, FarOutside);
}

} // namespace

ReportScale reportScale(int32_t n)
{
    if (n > 10000)
        return {1, 10000};
    if (n > 5000)
        return {1, n};
    if (n > 1000)
        return {2, n};
    if (n > 100)
        return {10, n};
    return {100, std::max(n, 0)};
}

int32_t lastFirstSample(int32_t sampleCount, ReportScale scale)
{
    return std::max(sampleCount - scale.M, 0);
}

void drawReportChart(DisplayList &list, std::span<const RecordSample> samples, ReportScale scale,
                     int32_t first)
{
    first = std::clamp<int32_t>(first, 0, int32_t(samples.size()));
    const std::span<const RecordSample> shown = samples.subspan(size_t(first));
    const int32_t drawn = std::clamp<int32_t>(scale.M, 0, int32_t(shown.size()));
    list.clear();
    list.reserve(size_t(46 + 2 * std::max(drawn - 1, 0)));
    chart::TimeLabels seconds;
    for (int i = 0; i < int(seconds.size()); ++i)
        seconds[size_t(i)] = (first + 1000.0 * i / scale.k) / 10.0; // the time in seconds at grid line i
    chart::drawChartGrid(list, seconds);
    for (int32_t i = 0; i + 1 < drawn; ++i) {
        const double x0 = 1000 + scale.k * i;
        const double x1 = 1000 + scale.k * (i + 1);
        list.line(x0, curveY(shown[size_t(i)].sp), x1, curveY(shown[size_t(i) + 1].sp), chart::SpColor);
        list.line(x0, curveY(shown[size_t(i)].pv), x1, curveY(shown[size_t(i) + 1].pv), chart::PvColor);
    }
}

bool inPlotArea(double x, double y)
{
    return x > 1000 && x < 11000 && y > 1000 && y < 11000;
}

int32_t readoutIndex(double x, int32_t k, int32_t first)
{
    // Rounded within the window, as on a chart that starts at sample 0.
    const int64_t index = int64_t(num::toInt32((x - 1000) / k)) + first;
    return int32_t(std::clamp<int64_t>(index, INT32_MIN, INT32_MAX));
}

std::optional<RecordSample> sampleUnder(double x, int32_t k, std::span<const RecordSample> samples, int32_t first)
{
    const int32_t index = readoutIndex(x, k, first);
    if (index < 0 || size_t(index) >= samples.size())
        return std::nullopt;
    return samples[size_t(index)];
}

QString positionText(double x, double y, int32_t k, int32_t first)
{
    return num::fixed1((x - 1000) / (10.0 * k) + first / 10.0) + QStringLiteral(", ") + num::fixed1((11000 - y) / 100);
}

QString valueText(const RecordSample &sample)
{
    return QStringLiteral("SP=") + num::fixed1(sample.sp) + QStringLiteral(", PV=") + num::fixed1(sample.pv);
}

QString sampleText(const RecordSample &sample)
{
    return QStringLiteral("Input Signal: ") + num::fixed1(sample.sp) + QStringLiteral("\nFeedback Signal: ")
        + num::fixed1(sample.pv) + QStringLiteral("\nError: ") + num::fixed1(sample.sp - sample.pv);
}

} // namespace report
