// Step analysis of recordings with known responses: plateaus, steps and the
// values of each step, against what the response is known to do; and the
// travel times of a 0 -> 100 -> 0 % cycle recorded from the simulated actuator.
#include "link/LiveValues.h"
#include "link/Protocol.h"
#include "recording/RecordFile.h"
#include "recording/StepAnalysis.h"
#include "sim/ActuatorModel.h"

#include <QBuffer>
#include <QtTest>

#include <cmath>
#include <functional>

using steps::Plateau;
using steps::StepResponse;
using steps::Stroke;

namespace {

using Opt = std::optional<double>;
constexpr Opt NotReached = std::nullopt;

// SP holds `sp` for `samples` samples (0.1 s each).
struct Level
{
    double sp;
    int samples;
};

std::vector<double> spOf(const std::vector<Level> &levels)
{
    std::vector<double> sp;
    for (const Level &level : levels)
        sp.insert(sp.end(), size_t(level.samples), level.sp);
    return sp;
}

std::vector<RecordSample> recording(const std::vector<double> &sp, const std::vector<double> &pv)
{
    std::vector<RecordSample> samples;
    for (size_t i = 0; i < sp.size(); ++i)
        samples.push_back({float(sp[i]), float(pv[i])});
    return samples;
}

// PV follows SP `dead` samples late through a first-order lag with time
// constant `tau` seconds, starting settled at the first level. Exact at the
// sample times: the delayed input is held between samples.
std::vector<RecordSample> firstOrder(const std::vector<Level> &levels, int dead, double tau)
{
    const std::vector<double> sp = spOf(levels);
    const double keep = std::exp(-0.1 / tau);
    std::vector<double> pv{sp[0]};
    for (size_t i = 1; i < sp.size(); ++i) {
        const double input = sp[size_t(std::max<long>(long(i) - 1 - dead, 0))];
        pv.push_back(input + (pv.back() - input) * keep);
    }
    return recording(sp, pv);
}

// PV moves towards SP, `dead` samples late, at `up` / `down` percent a second
// (a hydraulic piston at full speed), starting settled at the first level.
std::vector<RecordSample> rateLimited(const std::vector<Level> &levels, int dead, double up, double down)
{
    const std::vector<double> sp = spOf(levels);
    std::vector<double> pv{sp[0]};
    for (size_t i = 1; i < sp.size(); ++i) {
        const double target = sp[size_t(std::max<long>(long(i) - 1 - dead, 0))];
        const double now = pv.back();
        pv.push_back(target > now ? std::min(target, now + up / 10) : std::max(target, now - down / 10));
    }
    return recording(sp, pv);
}

// One step from `from` to `to` after `before` samples, PV given in seconds
// after the step.
std::vector<RecordSample> oneStep(double from, double to, int before, int after,
                                  const std::function<double(double)> &pvAfter)
{
    const std::vector<double> sp = spOf({{from, before}, {to, after}});
    std::vector<double> pv;
    for (int i = 0; i < before + after; ++i)
        pv.push_back(i < before ? from : pvAfter((i - before) / 10.0));
    return recording(sp, pv);
}

// A second-order response with damping `zeta` and natural frequency `wn`
// rad/s, `dead` seconds late; its overshoot is exp(-pi zeta / sqrt(1 - zeta^2)).
double underdamped(double t, double dead, double zeta, double wn)
{
    t -= dead;
    if (t <= 0)
        return 0;
    const double root = std::sqrt(1 - zeta * zeta);
    return 1 - std::exp(-zeta * wn * t) * (std::cos(wn * root * t) + zeta / root * std::sin(wn * root * t));
}

// Uniform noise in [-amplitude, amplitude] on PV, the same on every run.
std::vector<RecordSample> withNoise(std::vector<RecordSample> samples, double amplitude)
{
    uint32_t state = 20261211u;
    for (RecordSample &s : samples) {
        state = state * 1664525u + 1013904223u;
        s.pv += float(amplitude * (2.0 * (state >> 8) / double(1u << 24) - 1.0));
    }
    return samples;
}

struct Expected
{
    double start, from, to;
    Opt dead, t63, t86, settling, overshoot;
    double finalError;
};

bool near(const Opt &actual, const Opt &expected, double tolerance)
{
    if (!actual || !expected)
        return actual.has_value() == expected.has_value();
    return std::fabs(*actual - *expected) <= tolerance + 1e-9;
}

QString shown(const Opt &v)
{
    return v ? QString::number(*v, 'f', 3) : QStringLiteral("not reached");
}

constexpr double OneSample = 0.1; // seconds
constexpr double HalfPercent = 0.5;

} // namespace

Q_DECLARE_METATYPE(std::vector<RecordSample>)
Q_DECLARE_METATYPE(std::vector<Expected>)
Q_DECLARE_METATYPE(std::vector<Plateau>)
Q_DECLARE_METATYPE(Opt)

class tst_StepAnalysis : public QObject
{
    Q_OBJECT

    static void compareStep(const StepResponse &actual, const Expected &e, int index)
    {
        const auto check = [&](const char *what, const Opt &a, const Opt &x, double tolerance) {
            if (!near(a, x, tolerance))
                QFAIL(qPrintable(QStringLiteral("step %1 %2: %3, expected %4")
                                     .arg(index + 1)
                                     .arg(QLatin1String(what), shown(a), shown(x))));
        };
        check("start", actual.startTime(), e.start, 1e-9);
        check("from", actual.from, e.from, HalfPercent);
        check("to", actual.to, e.to, HalfPercent);
        check("dead time", actual.deadTime, e.dead, OneSample);
        check("T63", actual.t63, e.t63, OneSample);
        check("T86", actual.t86, e.t86, OneSample);
        check("settling", actual.settling, e.settling, OneSample);
        check("overshoot", actual.overshoot, e.overshoot, HalfPercent);
        check("final error", actual.finalError, e.finalError, HalfPercent);
    }

private slots:
    void findsPlateaus_data()
    {
        QTest::addColumn<std::vector<RecordSample>>("samples");
        QTest::addColumn<std::vector<Plateau>>("plateaus");
        const auto sp = [](std::vector<Level> levels) { return recording(spOf(levels), spOf(levels)); };

        QTest::newRow("empty") << std::vector<RecordSample>{} << std::vector<Plateau>{};
        QTest::newRow("19 samples are too short") << sp({{5, 19}}) << std::vector<Plateau>{};
        QTest::newRow("20 samples are a plateau") << sp({{5, 20}}) << std::vector<Plateau>{{0, 19, 5}};
        QTest::newRow("a short level between two plateaus")
            << sp({{0, 25}, {50, 19}, {100, 20}}) << std::vector<Plateau>{{0, 24, 0}, {44, 63, 100}};
        QTest::newRow("within 0.5 of the run's first sample")
            << sp({{10, 10}, {10.5, 10}, {9.5, 10}, {12, 30}})
            << std::vector<Plateau>{{0, 29, 10}, {30, 59, 12}};
        QTest::newRow("0.6 away ends the run")
            << sp({{10, 20}, {10.6, 20}}) << std::vector<Plateau>{{0, 19, 10}, {20, 39, 10.6}};

        // SP climbs 0.1 a sample: each run of six samples is too short.
        std::vector<double> climbing;
        for (int i = 0; i < 500; ++i)
            climbing.push_back(i / 10.0);
        QTest::newRow("no plateau in a climbing SP") << recording(climbing, climbing) << std::vector<Plateau>{};

        // A run that starts one sample early (an outlier) yields to the one after it.
        std::vector<double> outlier = spOf({{0, 30}});
        outlier.insert(outlier.begin(), 3.0);
        QTest::newRow("an outlier before the run") << recording(outlier, outlier) << std::vector<Plateau>{{1, 30, 0}};
    }
    void findsPlateaus()
    {
        QFETCH(std::vector<RecordSample>, samples);
        QFETCH(std::vector<Plateau>, plateaus);
        const std::vector<Plateau> found = steps::findPlateaus(samples);
        QCOMPARE(found.size(), plateaus.size());
        for (size_t i = 0; i < found.size(); ++i) {
            QCOMPARE(found[i].first, plateaus[i].first);
            QCOMPARE(found[i].last, plateaus[i].last);
            QVERIFY(std::fabs(found[i].level - plateaus[i].level) < 1e-4);
        }
    }

    void analysesKnownResponses_data()
    {
        QTest::addColumn<std::vector<RecordSample>>("samples");
        QTest::addColumn<std::vector<Expected>>("expected");

        // 1.5 s dead time, lag of 4 s: PV reaches 63.2 % at 1.5 + 4 ln(1/0.368),
        // 86.5 % at 1.5 + 4 ln(1/0.135), and stays within 2 % from
        // 1.5 + 4 ln 50. It leaves PV0 by more than 0.6 (1 % of 60) at
        // 1.5 - 4 ln(1 - 0.6/60) = 1.540 s, first seen at the sample of 1.6 s.
        const Expected lagUp{30.0, 20, 80, 1.6, 5.4987, 9.5099, 17.1481, 0.0, 0.0};
        QTest::newRow("dead time and first-order lag, up")
            << firstOrder({{20, 300}, {80, 600}}, 15, 4.0) << std::vector<Expected>{lagUp};
        QTest::newRow("dead time and first-order lag, down")
            << firstOrder({{80, 300}, {20, 600}}, 15, 4.0)
            << std::vector<Expected>{{30.0, 80, 20, 1.6, 5.4987, 9.5099, 17.1481, 0.0, 0.0}};

        // Damping 0.4, 1.5 rad/s, 0.5 s late, 30 -> 70: overshoot
        // exp(-0.4 pi / sqrt(0.84)) = 25.38 %; crossings of the continuous response.
        QTest::newRow("underdamped with overshoot")
            << oneStep(30, 70, 300, 400, [](double t) { return 30 + 40 * underdamped(t, 0.5, 0.4, 1.5); })
            << std::vector<Expected>{{30.0, 30, 70, 0.5962, 1.4705, 1.7493, 6.1062, 25.3827, 0.0}};

        // PV climbs 1 %/s towards 100 and has reached 39.9 when SP moves on:
        // PVf = 39.45 (mean of 39.0 .. 39.9), T63 at 0.632 x 39.45 s. It never
        // covers 86.5 % of the step, so it neither reaches T86 nor settles.
        QTest::newRow("a ramp that never settles")
            << oneStep(0, 100, 300, 400, [](double t) { return t; })
            << std::vector<Expected>{{30.0, 0, 100, 1.0, 24.9324, NotReached, NotReached, NotReached, -60.55}};

        // Full speed 5 %/s, 0.65 s late, 10 -> 90: PV leaves 10 by more than
        // 0.8 at 0.81 s, covers 63.2 % of 80 at 0.65 + 50.56 / 5, 86.5 % at
        // 0.65 + 69.2 / 5, and enters 90 +- 1.6 at 0.65 + 78.4 / 5. Noise of
        // +-0.3 on PV leaves all of that in place.
        const auto fullSpeed = [](double t) { return 10 + std::clamp(5 * (t - 0.65), 0.0, 80.0); };
        const Expected rateUp{30.0, 10, 90, 0.81, 10.762, 14.49, 16.33, 0.0, 0.0};
        QTest::newRow("full speed") << oneStep(10, 90, 300, 400, fullSpeed) << std::vector<Expected>{rateUp};
        QTest::newRow("full speed, noise +-0.3")
            << withNoise(oneStep(10, 90, 300, 400, fullSpeed), 0.3) << std::vector<Expected>{rateUp};
        // A lag of 0.25 s, 0.5 s late: 0.5 + 0.25 ln(1/0.368), 0.5 + 0.25 ln(1/0.135),
        // 0.5 + 0.25 ln 50; it leaves 10 by more than 0.8 at 0.5025 s.
        QTest::newRow("first-order lag, noise +-0.3")
            << withNoise(firstOrder({{10, 300}, {90, 400}}, 5, 0.25), 0.3)
            << std::vector<Expected>{{30.0, 10, 90, 0.5025, 0.7499, 1.0006, 1.4780, 0.0, 0.0}};

        // 0 -> 100 -> 0 at 5 %/s up and 4 %/s down, 0.3 s late.
        QTest::newRow("steps up and down")
            << rateLimited({{0, 300}, {100, 400}, {0, 400}}, 3, 5, 4)
            << std::vector<Expected>{{30.0, 0, 100, 0.6, 12.94, 17.6, 19.9, 0.0, 0.0},
                                     {70.0, 100, 0, 0.6, 16.1, 21.925, 24.8, 0.0, 0.0}};

        // SP holds 40 for only 2 s before it moves on to 80; PV climbs
        // 10 %/s, 0.3 s late. The first step is cut short at PV = 16 (PVf
        // 11.5); the second starts with PV already moving, so no dead time.
        QTest::newRow("back-to-back steps")
            << rateLimited({{0, 300}, {40, 20}, {80, 400}}, 3, 10, 10)
            << std::vector<Expected>{{30.0, 0, 40, 0.4, 1.0268, NotReached, NotReached, NotReached, -28.5},
                                     {32.0, 40, 80, 0.0, 3.779, 5.375, 6.163, 0.0, 0.0}};

        // The new level is held for exactly 20 samples at the file's end. PV
        // moves 10 a sample: 10 at 0.1 s, 20 at 0.2 s.
        QTest::newRow("a plateau at the very end")
            << rateLimited({{0, 100}, {20, 20}}, 0, 100, 100)
            << std::vector<Expected>{{10.0, 0, 20, 0.0, 0.1264, 0.173, 0.196, 0.0, 0.0}};
        QTest::newRow("19 samples at the end are no plateau")
            << rateLimited({{0, 100}, {20, 19}}, 0, 100, 100) << std::vector<Expected>{};
        QTest::newRow("empty") << std::vector<RecordSample>{} << std::vector<Expected>{};
        QTest::newRow("a change of 0.9 is no step")
            << rateLimited({{50, 100}, {50.9, 100}}, 0, 10, 10) << std::vector<Expected>{};
        QTest::newRow("a change of 1.0 is a step")
            << rateLimited({{50, 100}, {51, 100}}, 0, 10, 10)
            << std::vector<Expected>{{10.0, 50, 51, 0.1, 0.0632, 0.0865, 0.08, 0.0, 0.0}};

        // PV does not move at all: no time is reached, no overshoot measured.
        QTest::newRow("a valve that does not move")
            << oneStep(20, 60, 300, 300, [](double) { return 20.0; })
            << std::vector<Expected>{{30.0, 20, 60, NotReached, NotReached, NotReached, NotReached, NotReached, -40}};
        // PV stops at 80 of a step to 100: it never covers 86.5 % of the step.
        QTest::newRow("a valve that stops short")
            << oneStep(0, 100, 300, 400, [](double t) { return std::min(80.0, 5 * t); })
            << std::vector<Expected>{{30.0, 0, 100, 0.2, 10.112, NotReached, NotReached, NotReached, -20}};
    }
    void analysesKnownResponses()
    {
        QFETCH(std::vector<RecordSample>, samples);
        QFETCH(std::vector<Expected>, expected);
        const std::vector<StepResponse> found = steps::analyseSteps(samples);
        QCOMPARE(found.size(), expected.size());
        for (size_t i = 0; i < found.size(); ++i)
            compareStep(found[i], expected[i], int(i));
    }

    // A full stroke is marked, and its travel time is what a whole stroke
    // takes at the speed PV kept between 10 % and 90 % of its change.
    void measuresFullStrokes_data()
    {
        QTest::addColumn<std::vector<RecordSample>>("samples");
        QTest::addColumn<int>("stroke");
        QTest::addColumn<Opt>("travelTime");
        const auto stroke = [](double from, double to, double speed) {
            return rateLimited({{from, 300}, {to, 400}}, 5, speed, speed);
        };
        QTest::newRow("0 -> 100 at 5 %/s") << stroke(0, 100, 5) << int(Stroke::TravelUp) << Opt(20.0);
        QTest::newRow("100 -> 0 at 4 %/s") << stroke(100, 0, 4) << int(Stroke::TravelDown) << Opt(25.0);
        QTest::newRow("0.8 -> 99.2 at 10 %/s") << stroke(0.8, 99.2, 10) << int(Stroke::TravelUp) << Opt(10.0);
        QTest::newRow("0 -> 100, noise +-0.3") << withNoise(stroke(0, 100, 5), 0.3) << int(Stroke::TravelUp)
                                               << Opt(20.0);
        // Cut short before PV passes 90 % of its change: no speed to tell.
        QTest::newRow("0 -> 100, cut short")
            << oneStep(0, 100, 300, 100, [](double t) { return 5 * t; }) << int(Stroke::TravelUp) << NotReached;
        QTest::newRow("0 -> 50 is no full stroke") << stroke(0, 50, 5) << int(Stroke::None) << NotReached;
        QTest::newRow("50 -> 100 is no full stroke") << stroke(50, 100, 5) << int(Stroke::None) << NotReached;
        QTest::newRow("1.5 -> 100 is no full stroke") << stroke(1.5, 100, 5) << int(Stroke::None) << NotReached;
        QTest::newRow("100 -> 1.5 is no full stroke") << stroke(100, 1.5, 5) << int(Stroke::None) << NotReached;
    }
    void measuresFullStrokes()
    {
        QFETCH(std::vector<RecordSample>, samples);
        QFETCH(int, stroke);
        QFETCH(Opt, travelTime);
        const std::vector<StepResponse> found = steps::analyseSteps(samples);
        QCOMPARE(found.size(), size_t(1));
        QCOMPARE(int(found[0].stroke), stroke);
        QVERIFY2(near(found[0].travelTime, travelTime, OneSample), qPrintable(shown(found[0].travelTime)));
    }

    // The simulated actuator strokes 20 s up and 25 s down. Its SP steps
    // 0 -> 100 -> 0 % every 40 s; sampled every 100 ms of its own clock as
    // the tool records live readings, and saved to and read from a record file.
    void measuresTheSimulatedActuator()
    {
        ActuatorConfig config;
        config.startPosition = 0;
        config.signalSteps = {0, 1000, 0};
        config.signalHoldMs = 40000;
        ActuatorModel model(config);
        std::vector<RecordSample> recorded;
        for (int i = 0; i < 1200; ++i) {
            model.advance(100);
            LiveValues live;
            protocol::applyLiveRecord(model.answer("?C"), live);
            recorded.push_back({live.sp.value, live.pv.value});
        }
        QBuffer file;
        file.setData(recordfile::encode(recorded));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const std::optional<std::vector<RecordSample>> read = recordfile::read(file);
        QVERIFY(read);

        const std::vector<StepResponse> found = steps::analyseSteps(*read);
        QCOMPARE(found.size(), size_t(2));
        QCOMPARE(found[0].stroke, Stroke::TravelUp);
        QCOMPARE(found[1].stroke, Stroke::TravelDown);
        QVERIFY(found[0].travelTime && found[1].travelTime);
        QVERIFY2(std::fabs(*found[0].travelTime - 20.0) <= 0.3, qPrintable(shown(found[0].travelTime)));
        QVERIFY2(std::fabs(*found[1].travelTime - 25.0) <= 0.3, qPrintable(shown(found[1].travelTime)));
        // The valve stops inside its fine band of 0.5 %.
        QVERIFY(std::fabs(found[0].finalError) <= 0.5);
        QVERIFY(std::fabs(found[1].finalError) <= 0.5);
        QVERIFY(found[0].settling && found[1].settling);
    }
};

QTEST_APPLESS_MAIN(tst_StepAnalysis)
#include "tst_step_analysis.moc"
