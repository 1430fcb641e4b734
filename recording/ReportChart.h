#pragma once
// The report chart: its scale, the chart itself as a display list, and the
// readouts under the mouse. Chart units: 12000 x 12000, plot area 1000..11000
// on both axes; samples are 0.1 s apart.
#include "platform/DisplayList.h"
#include "recording/RecordBuffer.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <span>

namespace report {

// k: chart units per sample; M: samples drawn. M x k never exceeds 10000,
// the width of the plot area.
struct ReportScale
{
    int32_t k = 100;
    int32_t M = 0;
    friend bool operator==(const ReportScale &, const ReportScale &) = default;
};

ReportScale reportScale(int32_t sampleCount);

// The chart shows M samples from `first` on. A file longer than the chart can
// be moved through up to here: its last sample at the right end of the plot.
int32_t lastFirstSample(int32_t sampleCount, ReportScale scale);

// The whole chart: the main chart's grid and labels (time labels in seconds
// from the file's start), then SP and PV of M samples from `first` on.
void drawReportChart(DisplayList &list, std::span<const RecordSample> samples, ReportScale scale,
                     int32_t first = 0);

// Strictly inside the plot area, where the readouts work.
bool inPlotArea(double x, double y);

// The sample under chart position x: (x - 1000) / k, halves to even, counted
// from `first`, the sample at the left edge of the plot area.
int32_t readoutIndex(double x, int32_t k, int32_t first = 0);

// That sample, or nothing where the file has none (right of its last sample).
std::optional<RecordSample> sampleUnder(double x, int32_t k, std::span<const RecordSample> samples,
                                        int32_t first = 0);

// "12.3, 45.6": the time in seconds from the file's start and the percentage
// at (x, y).
QString positionText(double x, double y, int32_t k, int32_t first = 0);
// "SP=12.3, PV=45.6".
QString valueText(const RecordSample &sample);
// The three lines of the clicked sample: input, feedback and their difference.
QString sampleText(const RecordSample &sample);

} // namespace report
