#include "recording/StepAnalysis.h"

#include <algorithm>
#include <cmath>

namespace steps {

namespace {

// A level this close to 0 % or 100 % counts as the end of the stroke.
constexpr double StrokeEndTolerance = 1.0;

double sp(std::span<const RecordSample> s, int32_t i) { return double(s[size_t(i)].sp); }
double pv(std::span<const RecordSample> s, int32_t i) { return double(s[size_t(i)].pv); }

double meanPv(std::span<const RecordSample> s, int32_t first, int32_t count)
{
    double sum = 0;
    for (int32_t i = first; i < first + count; ++i)
        sum += pv(s, i);
    return sum / count;
}

// What the analysis of one step works on: PV from t0 to the new plateau's end.
struct Response
{
    std::span<const RecordSample> s;
    int32_t t0;
    int32_t end;
    double pv0;
    double change; // PVf - PV0

    // Seconds from t0 to the moment PV first covers `fraction` of its change,
    // interpolated between the sample before and the sample that does.
    std::optional<double> crossing(double fraction) const
    {
        if (change == 0)
            return std::nullopt;
        const auto covered = [&](int32_t i) { return (pv(s, i) - pv0) / change; };
        for (int32_t i = t0; i <= end; ++i) {
            const double now = covered(i);
            if (now < fraction)
                continue;
            const double before = covered(i - 1);
            const double part = before < fraction ? (fraction - before) / (now - before) : 1.0;
            return std::max(0.0, (i - 1 + part - t0) * SamplePeriod);
        }
        return std::nullopt;
    }

    // Seconds from t0 to the first sample at which PV has moved from PV0 in
    // `direction` (+1 or -1) by more than `threshold`.
    std::optional<double> firstMove(int direction, double threshold) const
    {
        for (int32_t i = t0; i <= end; ++i)
            if (direction * (pv(s, i) - pv0) > threshold)
                return (i - t0) * SamplePeriod;
        return std::nullopt;
    }

    // Whether PV ever gets `distance` away from PV0 in `direction`.
    bool reaches(int direction, double distance) const
    {
        for (int32_t i = t0; i <= end; ++i)
            if (direction * (pv(s, i) - pv0) >= distance)
                return true;
        return false;
    }

    // Seconds from t0 to the moment PV comes back inside pvFinal +- band for
    // the last time: 0 when it never leaves it, nothing when it is still
    // outside at the last sample.
    std::optional<double> settling(double pvFinal, double band) const
    {
        const auto off = [&](int32_t i) { return std::fabs(pv(s, i) - pvFinal); };
        int32_t last = end;
        while (last >= t0 && off(last) <= band)
            --last;
        if (last < t0)
            return 0.0;
        if (last == end)
            return std::nullopt;
        const double part = (off(last) - band) / (off(last) - off(last + 1));
        return (last + part - t0) * SamplePeriod;
    }

    // The farthest PV goes beyond pvFinal in `direction`, never below 0.
    double farthestBeyond(double pvFinal, int direction) const
    {
        double farthest = 0;
        for (int32_t i = t0; i <= end; ++i)
            farthest = std::max(farthest, direction * (pv(s, i) - pvFinal));
        return farthest;
    }
};

Stroke strokeOf(double from, double to)
{
    const auto near = [](double level, double end) { return std::fabs(level - end) <= StrokeEndTolerance; };
    if (near(from, 0) && near(to, 100))
        return Stroke::TravelUp;
    if (near(from, 100) && near(to, 0))
        return Stroke::TravelDown;
    return Stroke::None;
}

StepResponse analyse(std::span<const RecordSample> s, const Plateau &before, const Plateau &after)
{
    StepResponse step;
    step.start = before.last + 1;
    step.end = after.last;
    step.from = before.level;
    step.to = after.level;
    step.pv0 = meanPv(s, step.start - MeanSamples, MeanSamples);
    step.pvFinal = meanPv(s, after.last + 1 - MeanSamples, MeanSamples);
    step.finalError = step.pvFinal - step.to;
    step.stroke = strokeOf(step.from, step.to);

    const double stepSize = step.to - step.from;
    const int direction = stepSize > 0 ? 1 : -1;
    const Response r{s, step.start, step.end, step.pv0, step.pvFinal - step.pv0};
    const double change = std::fabs(r.change);

    step.deadTime = r.firstMove(direction, std::max(0.2, 0.01 * std::fabs(stepSize)));
    step.t63 = r.crossing(0.632);
    step.t86 = r.crossing(0.865);
    if (step.t86 && !r.reaches(direction, 0.865 * std::fabs(stepSize)))
        step.t86.reset();
    if (step.t86)
        step.settling = r.settling(step.pvFinal, std::max(0.2, 0.02 * change));
    // Beyond where PV ended up only means something once it has come to rest.
    if (step.settling && change > 0)
        step.overshoot = 100.0 * r.farthestBeyond(step.pvFinal, direction) / change;

    if (step.stroke != Stroke::None) {
        // Between the valve positions 10 % and 90 % of the way from the old
        // level to the new one.
        const Response stroke{s, step.start, step.end, step.from, stepSize};
        const std::optional<double> t10 = stroke.crossing(0.1);
        const std::optional<double> t90 = stroke.crossing(0.9);
        if (t10 && t90 && *t90 > *t10)
            step.travelTime = (*t90 - *t10) * 100.0 / (0.8 * std::fabs(stepSize));
    }
    return step;
}

} // namespace

std::vector<Plateau> findPlateaus(std::span<const RecordSample> s)
{
    std::vector<Plateau> plateaus;
    const auto n = int32_t(s.size());
    int32_t first = 0;
    while (first + PlateauSamples <= n) {
        const double start = sp(s, first);
        double sum = start;
        int32_t next = first + 1;
        for (; next < n && std::fabs(sp(s, next) - start) <= PlateauBand; ++next)
            sum += sp(s, next);
        if (next - first >= PlateauSamples) {
            plateaus.push_back({first, next - 1, sum / (next - first)});
            first = next;
        } else {
            ++first;
        }
    }
    return plateaus;
}

std::vector<StepResponse> analyseSteps(std::span<const RecordSample> samples)
{
    const std::vector<Plateau> plateaus = findPlateaus(samples);
    std::vector<StepResponse> found;
    for (size_t i = 1; i < plateaus.size(); ++i)
        if (std::fabs(plateaus[i].level - plateaus[i - 1].level) >= StepMinimum)
            found.push_back(analyse(samples, plateaus[i - 1], plateaus[i]));
    return found;
}

} // namespace steps
