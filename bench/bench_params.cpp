// Reading a parameter file: the object-literal reader on the text Save
// writes, and Load's 17 key reads from it. Goal: well under 1 ms per file.
#include "params/ParameterFile.h"
#include "platform/ObjectLiteral.h"

#include <benchmark/benchmark.h>

namespace {

ParameterSet sampleSet()
{
    ParameterSet p;
    p.SPZero = 300; p.SPSpan = 3800; p.PVZero = 310; p.PVSpan = 3790; p.LVZero = 5; p.LVSpan = 4000;
    p.CoarseControlUp = 15; p.FineControlUp = 5; p.OilLevelAlarm = 250; p.AlarmHysteresis = 20;
    p.pswd = {0, 4, 2, 9};
    p.CoarseControlDn = 16; p.FineControlDn = 6; p.PulseDelay = 25;
    p.SPFail = 1; p.PVFail = 2;
    p.CoutZero = 100; p.CoutSpan = 32767; p.Cout25 = 2; p.Cout50 = 3; p.Cout75 = 4; p.PRZero = 7; p.PRSpan = 8;
    p.LevelSwOpt = 1; p.PressureSwOpt = 0;
    p.PressureValueLow = 0; p.PressureValueHigh = 160; p.PressureLow = 20; p.PressurePumpOn = 40; p.PressurePumpOff = 80;
    return p;
}

QString savedExpression()
{
    const QString text = params::BuildFileText(sampleSet(), {QStringLiteral("DMK--0042"), QStringLiteral("S123"),
                                                             QStringLiteral("V4.1")});
    return QLatin1Char('(') + text + QLatin1Char(')');
}

// One evaluation of the file Save writes (about 800 characters, 33 pairs).
void ReadSavedFile(benchmark::State &state)
{
    const QString expression = savedExpression();
    for (auto _ : state) {
        auto value = objlit::evaluate(expression);
        benchmark::DoNotOptimize(value);
    }
    state.SetBytesProcessed(state.iterations() * expression.size());
}
BENCHMARK(ReadSavedFile);

// What Load does with a file: evaluate once, then read the 17 keys as text.
void LoadKeysFromSavedFile(benchmark::State &state)
{
    const QString expression = savedExpression();
    for (auto _ : state) {
        const auto value = objlit::evaluate(expression);
        for (const char *key : params::LoadKeys) {
            auto text = value->property(QString::fromLatin1(key))->text();
            benchmark::DoNotOptimize(text);
        }
    }
}
BENCHMARK(LoadKeysFromSavedFile);

// Building the text Save writes.
void BuildSavedText(benchmark::State &state)
{
    const ParameterSet set = sampleSet();
    const params::Identity identity{QStringLiteral("DMK--0042"), QStringLiteral("S123"), QStringLiteral("V4.1")};
    for (auto _ : state) {
        auto text = params::BuildFileText(set, identity);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BuildSavedText);

// The worst a file can cost before it is refused: a string literal filling
// the whole length limit, and nesting that stops at the depth limit.
void RefuseLongestString(benchmark::State &state)
{
    const qsizetype limit = objlit::Limits{}.maxLength;
    const QString expression = QStringLiteral("({'a': '") + QString(limit - 10, QLatin1Char('x')) + QStringLiteral("'}");
    for (auto _ : state) {
        auto value = objlit::evaluate(expression);
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(RefuseLongestString);

void RefuseDeepNesting(benchmark::State &state)
{
    const QString expression = QString(30000, QLatin1Char('('));
    for (auto _ : state) {
        auto value = objlit::evaluate(expression);
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(RefuseDeepNesting);

} // namespace

BENCHMARK_MAIN();
