// The parameter file. The input is read as a file the way Load reads it and
// checked the way Upload checks it; as text it goes through the object-literal
// reader, and what that read must print and read back the same; split into a
// parameter set and identity texts, it goes through Save's text and back.
#include "FuzzTargets.h"

#include "params/ParameterFile.h"
#include "platform/Numbers.h"
#include "platform/ObjectLiteral.h"

#include <QBuffer>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// The words Upload takes, in file order.
const QStringList WordKeys{
    QStringLiteral("SPZero"), QStringLiteral("SPSpan"), QStringLiteral("PVZero"), QStringLiteral("PVSpan"),
    QStringLiteral("LVZero"), QStringLiteral("LVSpan"), QStringLiteral("CoarseControlUp"),
    QStringLiteral("CoarseControlDn"), QStringLiteral("FineControlUp"), QStringLiteral("FineControlDn"),
    QStringLiteral("OilLevelAlarm"), QStringLiteral("AlarmHysteresis"), QStringLiteral("PulseDelay")};

// The same words, in file order.
constexpr int16_t ParameterSet::*UploadWords[] = {
    &ParameterSet::SPZero, &ParameterSet::SPSpan, &ParameterSet::PVZero, &ParameterSet::PVSpan,
    &ParameterSet::LVZero, &ParameterSet::LVSpan, &ParameterSet::CoarseControlUp, &ParameterSet::CoarseControlDn,
    &ParameterSet::FineControlUp, &ParameterSet::FineControlDn, &ParameterSet::OilLevelAlarm,
    &ParameterSet::AlarmHysteresis, &ParameterSet::PulseDelay};

// Every word and byte of the set, in block order.
constexpr int16_t ParameterSet::*Words[] = {
    &ParameterSet::SPZero, &ParameterSet::SPSpan, &ParameterSet::PVZero, &ParameterSet::PVSpan,
    &ParameterSet::LVZero, &ParameterSet::LVSpan, &ParameterSet::CoarseControlUp, &ParameterSet::FineControlUp,
    &ParameterSet::OilLevelAlarm, &ParameterSet::AlarmHysteresis, &ParameterSet::CoarseControlDn,
    &ParameterSet::FineControlDn, &ParameterSet::PulseDelay, &ParameterSet::CoutZero, &ParameterSet::CoutSpan,
    &ParameterSet::Cout25, &ParameterSet::Cout50, &ParameterSet::Cout75, &ParameterSet::PRZero,
    &ParameterSet::PRSpan, &ParameterSet::PressureValueLow, &ParameterSet::PressureValueHigh,
    &ParameterSet::PressureLow, &ParameterSet::PressurePumpOn, &ParameterSet::PressurePumpOff};
constexpr uint8_t ParameterSet::*Bytes[] = {&ParameterSet::SPFail, &ParameterSet::PVFail,
                                            &ParameterSet::LevelSwOpt, &ParameterSet::PressureSwOpt};

// Upload's idea of a number, as a pattern; only for short texts.
bool looksPlain(const QString &text)
{
    static const QRegularExpression plain(QStringLiteral("\\A[ \\t]*[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)[ \\t]*\\z"));
    return plain.match(text).hasMatch();
}

// Load's 17 texts from a file's first item, then Upload's checks.
void checkLoadAndUpload(const QByteArray &bytes)
{
    QBuffer file;
    file.setData(bytes);
    file.open(QIODevice::ReadOnly);
    const qsizetype limit = objlit::Limits{}.maxLength;
    const std::optional<QString> item = params::ReadFirstItem(file, limit);
    if (!item)
        return;
    fuzz::require(item->size() <= limit + 1, "the first item is read no further than just past the limit");

    const std::optional<objlit::Value> parsed = objlit::evaluate(QLatin1Char('(') + *item + QLatin1Char(')'));
    params::FileValueTexts texts;
    for (const char *key : params::LoadKeys) {
        const objlit::Value *value = parsed ? parsed->property(QString::fromLatin1(key)) : nullptr;
        texts.insert(QLatin1String(key), value ? value->text().value_or(QString()) : QString());
    }

    ParameterSet set;
    set.CoutZero = 1234; // a field Upload never sets
    const ParameterSet before = set;
    const QStringList misfits = params::ApplyFileValues(texts, set);
    for (const QString &key : WordKeys) {
        const QString &text = texts[key];
        const double rounded = num::roundHalfEven(num::val(text));
        if (text.size() <= 200) {
            const bool fits = looksPlain(text) && rounded >= 0 && rounded <= 32767;
            fuzz::require(fits != misfits.contains(key), "a word is taken exactly when it is a number that fits");
        }
    }
    if (misfits.isEmpty()) {
        for (int i = 0; i < WordKeys.size(); ++i) {
            bool ok = false;
            const double number = texts[WordKeys[i]].trimmed().toDouble(&ok);
            fuzz::require(ok && set.*UploadWords[i] == num::roundHalfEven(number), "a word taken is its text's number");
        }
        fuzz::require(set.CoutZero == 1234, "Upload sets only the fields it takes from the file");
        fuzz::require(set.SPFail <= 2 && set.PVFail <= 2, "fail codes are 0..2");
        for (const uint8_t digit : set.pswd)
            fuzz::require(digit <= 9, "password digits are 0..9");
    } else {
        fuzz::require(set == before, "a file with a misfit changes nothing");
    }
}

// A value printed as a literal, so that reading the print gives the value back.
QString print(const objlit::Value &value)
{
    switch (value.kind()) {
    case objlit::Value::Kind::Null:
        return QStringLiteral("null");
    case objlit::Value::Kind::Boolean:
    case objlit::Value::Kind::String:
        return value.kind() == objlit::Value::Kind::String ? params::QuotedValue(value.string()) : *value.text();
    case objlit::Value::Kind::Number:
        if (std::isinf(value.number()))
            return value.number() < 0 ? QStringLiteral("-1e999") : QStringLiteral("1e999");
        return objlit::numberText(value.number());
    case objlit::Value::Kind::Array: {
        QStringList parts;
        for (const objlit::Value &element : value.elements())
            parts << print(element);
        return QLatin1Char('[') + parts.join(QStringLiteral(", ")) + QLatin1Char(']');
    }
    case objlit::Value::Kind::Object: {
        QStringList parts;
        for (size_t i = 0; i < value.keys().size(); ++i)
            parts << params::QuotedValue(value.keys()[i]) + QStringLiteral(": ") + print(value.elements()[i]);
        return QLatin1Char('{') + parts.join(QStringLiteral(", ")) + QLatin1Char('}');
    }
    }
    return {};
}

bool same(const objlit::Value &a, const objlit::Value &b)
{
    if (a.kind() != b.kind() || a.text() != b.text() || a.keys() != b.keys()
        || a.elements().size() != b.elements().size())
        return false;
    if (a.kind() == objlit::Value::Kind::Number && !(a.number() == b.number() || (std::isnan(a.number()) && std::isnan(b.number()))))
        return false;
    for (size_t i = 0; i < a.elements().size(); ++i)
        if (!same(a.elements()[i], b.elements()[i]))
            return false;
    return true;
}

void checkObjectLiteral(const QString &text)
{
    const std::optional<objlit::Value> value = objlit::evaluate(text);
    if (!value)
        return;
    const QString printed = print(*value);
    const std::optional<objlit::Value> again = objlit::evaluate(printed, {printed.size(), objlit::Limits{}.maxDepth});
    fuzz::require(again.has_value(), "a printed literal reads");
    fuzz::require(same(*value, *again), "a printed literal reads back the same");
}

// Save's text from a set and identity texts made of the input, read back.
void checkSaveAndLoad(const uint8_t *data, size_t size)
{
    ParameterSet set;
    size_t at = 0;
    auto take = [&](void *to, size_t n) {
        const size_t k = std::min(n, size - at);
        std::memcpy(to, data + at, k);
        at += k;
    };
    for (auto word : Words)
        take(&(set.*word), 2);
    for (auto byte : Bytes)
        take(&(set.*byte), 1);
    take(set.pswd.data(), 4);
    const QString rest = QString::fromUtf8(reinterpret_cast<const char *>(data + at), qsizetype(size - at));
    const qsizetype third = rest.size() / 3;
    const params::Identity identity{rest.left(third), rest.mid(third, third), rest.mid(2 * third)};

    const QByteArray contents = params::FileContents(params::BuildFileText(set, identity));
    QBuffer file;
    file.setData(contents);
    file.open(QIODevice::ReadOnly);
    const std::optional<QString> item = params::ReadFirstItem(file, qsizetype(contents.size()));
    fuzz::require(item.has_value(), "a saved file has an item");
    const std::optional<objlit::Value> parsed =
        objlit::evaluate(QLatin1Char('(') + *item + QLatin1Char(')'), {item->size() + 2, objlit::Limits{}.maxDepth});
    fuzz::require(parsed.has_value(), "a saved file reads");

    params::FileValueTexts texts;
    for (const auto &[key, written] : params::FilePairs(set, identity)) {
        const objlit::Value *value = parsed->property(key);
        fuzz::require(value && value->text() == written, "every saved value reads back as written");
        texts.insert(key, written);
    }

    // Upload refuses negative words, fail codes beyond 2 and password digits
    // beyond 9, and takes everything else back as it was saved.
    ParameterSet uploaded;
    const QStringList misfits = params::ApplyFileValues(texts, uploaded);
    QStringList expected;
    for (const QString &key : WordKeys)
        if (texts[key].startsWith(QLatin1Char('-')))
            expected << key;
    if (set.SPFail > 2)
        expected << QStringLiteral("SPFail");
    if (set.PVFail > 2)
        expected << QStringLiteral("PVFail");
    if (std::any_of(set.pswd.begin(), set.pswd.end(), [](uint8_t digit) { return digit > 9; }))
        expected << QStringLiteral("pswd");
    fuzz::require(misfits == expected, "Upload refuses exactly the saved values that do not fit");
    if (misfits.isEmpty()) {
        ParameterSet taken = set; // the first 13 words, the fail codes and the password
        for (size_t i = 13; i < std::size(Words); ++i)
            taken.*Words[i] = 0;
        taken.LevelSwOpt = 0;
        taken.PressureSwOpt = 0;
        fuzz::require(uploaded == taken, "Upload takes back what Save wrote");
    }
}

} // namespace

namespace fuzz {

int parameterFile(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    checkLoadAndUpload(bytes);
    checkObjectLiteral(QString::fromUtf8(bytes));
    checkSaveAndLoad(data, size);
    return 0;
}

} // namespace fuzz
