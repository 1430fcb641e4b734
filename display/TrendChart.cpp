#include "display/TrendChart.h"

#include "platform/Numbers.h"

#include <algorithm>
#include <limits>

namespace chart {

void drawChartGrid(DisplayList &list, const TimeLabels &timeLabels)
{
    for (int i = 0; i <= 10; ++i) {
        const int at = PlotTop + GridStep * i;
        list.line(PlotLeft, at, PlotRight, at, GridColor);
        list.line(PlotLeft + GridStep * i, PlotTop, PlotLeft + GridStep * i, PlotBottom, GridColor);
    }
    // Each percent label starts 250 units above its grid line.
    for (int i = 0; i <= 10; ++i)
        list.text(QPointF(500, 10750 - GridStep * i), num::printed(10 * i), LabelColor);
    for (int i = 0; i <= 10; ++i)
        list.text(QPointF(GridStep * i + 800, PlotBottom), num::printed(timeLabels[i]), LabelColor);
    list.text(QPointF(250, 5500), QStringLiteral("%"), AxisNameColor);
    list.text(QPointF(6250, 11350), QStringLiteral("Time"), AxisNameColor);
    list.markBackground();
}

TimeLabels trendTimeLabels(int trendLength)
{
    TimeLabels labels{};
    for (int i = 0; i <= 10; ++i)
        labels[i] = trendLength * i / 100.0;
    return labels;
}

int16_t curveY(int16_t percent)
{
    const int32_t y = PlotBottom - 100 * int32_t(percent);
    return int16_t(std::clamp<int32_t>(y, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
}

void drawTrendChart(DisplayList &list, const TrendBuffer &trend)
{
    constexpr int length = TrendBuffer::TrendLength;
    const int step = int(num::roundHalfEven(10000.0 / length));

    list.clear();
    list.reserve(22 + 24 + 2 * length);
    drawChartGrid(list, trendTimeLabels(length));
    for (int i = 0; i < length; ++i) {
        const int x0 = PlotLeft + step * i;
        const int x1 = PlotLeft + step * (i + 1);
        list.line(x0, curveY(trend[i].sp), x1, curveY(trend[i + 1].sp), SpColor);
        list.line(x0, curveY(trend[i].pv), x1, curveY(trend[i + 1].pv), PvColor);
    }
}

} // namespace chart
