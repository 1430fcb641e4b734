#pragma once
// The trend charts of the main window and the report window, built as display
// lists in a 12000 x 12000 user coordinate system. The plot area is the square
// from 1000 to 11000 on both axes; the margins hold the labels.
#include "link/TrendBuffer.h"
#include "platform/DisplayList.h"

#include <array>
#include <cstdint>

namespace chart {

inline constexpr double ScaleWidth = 12000.0;
inline constexpr double ScaleHeight = 12000.0;
inline constexpr int PlotLeft = 1000;
inline constexpr int PlotRight = 11000;
inline constexpr int PlotTop = 1000;
inline constexpr int PlotBottom = 11000;
inline constexpr int GridStep = 1000; // one grid cell: 10 % up, a tenth of the time across

inline constexpr Rgb GridColor{64, 64, 64};
inline constexpr Rgb LabelColor{0, 255, 255};
inline constexpr Rgb AxisNameColor{0, 255, 0};
inline constexpr Rgb SpColor{255, 255, 0};
inline constexpr Rgb PvColor{0, 255, 0};

// The value printed under each of the 11 vertical grid lines, left to right.
using TimeLabels = std::array<double, 11>;

// The chart's frame, shared by every chart of the tool: the 10 x 10 grid
// (22 lines), the percent labels 0..100 up the left margin, `timeLabels`
// along the bottom margin and the axis names "%" and "Time" (24 texts).
// Appends to `list` and marks it as the list's background (the curves drawn
// after it change, the frame does not); clearing first is the caller's business.
void drawChartGrid(DisplayList &list, const TimeLabels &timeLabels);

// Time labels of the main chart: TrendLength x i / 100 at grid line i.
TimeLabels trendTimeLabels(int trendLength = TrendBuffer::TrendLength);

// Chart y of a whole percentage: 11000 - 100 v, 0 % on the bottom grid line
// and 100 % on the top one. Clamped into 16 bits, so that a reading beyond
// 327 % or below -217 % still lands on a usable (if far off-chart) coordinate.
int16_t curveY(int16_t percent);

// The whole main chart: clears `list`, draws the frame and the SP and PV
// curves of TrendBuffer entries 0..TrendLength (200 segments, SP then PV for
// each step), the newest reading at the right edge.
void drawTrendChart(DisplayList &list, const TrendBuffer &trend);

} // namespace chart
