// Reading a parameter file: the object-literal reader on the text Save
// writes, and Load's 17 key reads from it. Goal: well under 1 ms per file.
#include "params/ParameterFile.h"
#include "platform/ObjectLiteral.h"
#include "SampleParameters.h"

#include <benchmark/benchmark.h>

namespace {

QString savedExpression()
{
    const QString text = params::BuildFileText(sampleParameterSet(), {QStringLiteral("DMK--0042"), QStringLiteral("S123"),
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
    const ParameterSet set = sampleParameterSet();
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

// The codec both ways: a "P" reply decoded into the set, and the "*P1" line
// built from it.
void DecodeParameterReply(benchmark::State &state)
{
    const QByteArray reply = 'P' + params::BuildParameterUpload(sampleParameterSet(), false).mid(3).toLatin1()
        + QByteArray(2 * (params::BlockBytes - params::UploadBytes), '0') + '\r';
    for (auto _ : state) {
        ParameterSet set;
        benchmark::DoNotOptimize(params::DecodeParameterBlock(reply, set));
        benchmark::DoNotOptimize(set);
    }
}
BENCHMARK(DecodeParameterReply);

void BuildUploadLine(benchmark::State &state)
{
    const ParameterSet set = sampleParameterSet();
    for (auto _ : state) {
        auto line = params::BuildParameterUpload(set, false);
        benchmark::DoNotOptimize(line);
    }
}
BENCHMARK(BuildUploadLine);

// Upload: the texts Load read taken into the set.
void TakeFileValues(benchmark::State &state)
{
    const QString expression = savedExpression();
    const auto value = objlit::evaluate(expression);
    params::FileValueTexts texts;
    for (const char *key : params::LoadKeys)
        texts.insert(QString::fromLatin1(key), value->property(QString::fromLatin1(key))->text().value_or(QString()));
    for (auto _ : state) {
        ParameterSet set = sampleParameterSet();
        auto misfits = params::ApplyFileValues(texts, set);
        benchmark::DoNotOptimize(misfits);
        benchmark::DoNotOptimize(set);
    }
}
BENCHMARK(TakeFileValues);

// The worst a file can cost Upload's check of its numbers: a 64 KiB file
// whose 15 numeric values are 4,000 digits each, ending in a letter so that
// none of them is a number. Evaluated, its 17 keys read, then checked.
void RefuseCraftedNumbers(benchmark::State &state)
{
    const QString notANumber = QString(4000, QLatin1Char('1')) + QLatin1Char('x');
    QStringList pairs;
    for (const char *key : params::LoadKeys) {
        const QString k = QLatin1String(key);
        const bool text = k == QLatin1String(params::ModelField.key) || k == QLatin1String(params::PasswordField.key);
        pairs << QStringLiteral("'%1': '%2'").arg(k, text ? QStringLiteral("0429") : notANumber);
    }
    const QString expression = QStringLiteral("({") + pairs.join(QStringLiteral(", ")) + QStringLiteral("})");
    for (auto _ : state) {
        const auto value = objlit::evaluate(expression);
        params::FileValueTexts texts;
        for (const char *key : params::LoadKeys)
            texts.insert(QLatin1String(key), value->property(QString::fromLatin1(key))->text().value_or(QString()));
        ParameterSet set;
        auto misfits = params::ApplyFileValues(texts, set);
        benchmark::DoNotOptimize(misfits);
    }
    state.SetBytesProcessed(state.iterations() * expression.size());
}
BENCHMARK(RefuseCraftedNumbers)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
