#pragma once
// Step responses found in a recording: where SP holds still (a plateau), then
// moves to a new level and holds there again, how PV followed. Samples are
// 0.1 s apart; every level and value is in the recording's own percentages.
//
// - Plateau: a run of at least 20 samples (2 s) over which SP stays within
//   +-0.5 of the run's first sample, as long as it goes on.
// - Step: two consecutive plateaus whose levels (mean SP) differ by at least
//   1.0. It starts (t0) at the first sample after the earlier plateau and is
//   followed to the last sample of the new one.
// - PV0: mean PV of the 10 samples before t0; PVf: mean PV of the new
//   plateau's last 10 samples.
// - Dead time: t0 to the first sample at which PV has moved from PV0 towards
//   the new level by more than max(0.2, 1 % of the step).
// - T63 / T86: t0 to the moment PV first completes 63.2 % / 86.5 % of
//   PVf - PV0, interpolated between samples.
// - Settling: t0 to the moment PV last comes back inside PVf +- max(0.2, 2 %
//   of PVf - PV0), interpolated; 0 when it never leaves the band.
// - Overshoot: the farthest PV goes beyond PVf towards the new level, in
//   percent of |PVf - PV0|.
// - Final error: PVf minus the new level.
// T86 and settling are "not reached" when PV never covers 86.5 % of the step
// (of the SP change, or of its own change PVf - PV0) within the new plateau,
// and settling also when PV is still outside the band at its last sample: a
// valve that stops short or is still moving has not settled. Overshoot is
// measured only on a response that settled: beyond PVf means nothing while
// PV is still on its way.
#include "recording/RecordBuffer.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace steps {

inline constexpr double SamplePeriod = 0.1;   // seconds between samples
inline constexpr int32_t PlateauSamples = 20; // the shortest plateau
inline constexpr double PlateauBand = 0.5;    // SP within this of the run's first sample
inline constexpr double StepMinimum = 1.0;    // the smallest change of level that is a step
inline constexpr int32_t MeanSamples = 10;    // samples averaged for PV0 and PVf

struct Plateau
{
    int32_t first = 0; // first and last sample, both inside
    int32_t last = 0;
    double level = 0;  // mean SP
    friend bool operator==(const Plateau &, const Plateau &) = default;
};

// A full stroke: from 0 % to 100 % or back.
enum class Stroke { None, TravelUp, TravelDown };

struct StepResponse
{
    int32_t start = 0;   // t0, the sample the step starts at
    int32_t end = 0;     // the new plateau's last sample
    double from = 0;     // level before and after (mean SP)
    double to = 0;
    double pv0 = 0;
    double pvFinal = 0;
    // Seconds after t0; nothing where not reached.
    std::optional<double> deadTime;
    std::optional<double> t63;
    std::optional<double> t86;
    std::optional<double> settling;
    // Percent of |PVf - PV0|; nothing when PV did not settle.
    std::optional<double> overshoot;
    double finalError = 0;
    Stroke stroke = Stroke::None;
    // Full strokes only: the time a whole 0..100 % stroke takes at the speed
    // PV kept between 10 % and 90 % of the way from the old level to the new
    // one; nothing when PV did not get that far. Dead time at the start and
    // the slow creep into the control band at the end are not travel.
    std::optional<double> travelTime;

    double startTime() const { return start * SamplePeriod; }
};

std::vector<Plateau> findPlateaus(std::span<const RecordSample> samples);

// Every step of the recording, in order.
std::vector<StepResponse> analyseSteps(std::span<const RecordSample> samples);

} // namespace steps
