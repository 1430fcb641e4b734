#include "params/ParameterFile.h"

#include "params/ParameterFields.h"
#include "platform/Numbers.h"
#include "platform/ObjectLiteral.h"

#include <QFile>
#include <QSaveFile>

namespace params {

namespace {

struct WordKey
{
    const char *key;
    int16_t ParameterSet::*field;
};

// The words Upload takes from a file, in file order.
constexpr std::array<WordKey, 13> UploadWords{{
    {"SPZero", &ParameterSet::SPZero},
    {"SPSpan", &ParameterSet::SPSpan},
    {"PVZero", &ParameterSet::PVZero},
    {"PVSpan", &ParameterSet::PVSpan},
    {"LVZero", &ParameterSet::LVZero},
    {"LVSpan", &ParameterSet::LVSpan},
    {"CoarseControlUp", &ParameterSet::CoarseControlUp},
    {"CoarseControlDn", &ParameterSet::CoarseControlDn},
    {"FineControlUp", &ParameterSet::FineControlUp},
    {"FineControlDn", &ParameterSet::FineControlDn},
    {"OilLevelAlarm", &ParameterSet::OilLevelAlarm},
    {"AlarmHysteresis", &ParameterSet::AlarmHysteresis},
    {"PulseDelay", &ParameterSet::PulseDelay},
}};

// A text that is one plain decimal number and nothing else (blanks around it
// allowed): an optional sign, digits with at most one point, a digit before or
// after it. Upload sends without range checks, so an empty text, a word, a
// number with a tail ("12abc") or in exponent form ("1e+21", which would read
// as 1) is not taken as a value. One pass over the text, however long.
bool isPlainNumber(QStringView text)
{
    const auto isBlank = [](QChar c) { return c == u' ' || c == u'\t'; };
    const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    for (; i < n && isDigit(text[i]); ++i)
        ++digits;
    if (i < n && text[i] == u'.')
        for (++i; i < n && isDigit(text[i]); ++i)
            ++digits;
    while (i < n && isBlank(text[i]))
        ++i;
    return digits > 0 && i == n;
}

// The text as a whole number rounded with halves to even, when it holds a
// number within min..max.
std::optional<int> wholeNumberIn(const QString &text, int min, int max)
{
    if (!isPlainNumber(text))
        return std::nullopt;
    const double rounded = num::roundHalfEven(num::val(text));
    if (!(rounded >= min && rounded <= max))
        return std::nullopt;
    return int(rounded);
}

QString hexEscape(char16_t c)
{
    if (c <= 0xFF)
        return QStringLiteral("\\x") + QString::number(c, 16).toUpper().rightJustified(2, QLatin1Char('0'));
    return QStringLiteral("\\u") + QString::number(c, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

} // namespace

QList<std::pair<QString, QString>> FilePairs(const ParameterSet &p, const Identity &identity)
{
    auto n = [](int value) { return QString::number(value); };
    QString password;
    for (const uint8_t digit : p.pswd)
        password += n(digit);
    return {
        {QStringLiteral("ModelNo"), identity.ModelNo},
        {QStringLiteral("SerialNo"), identity.SerialNo},
        {QStringLiteral("VersionNo"), identity.VersionNo},
        {QStringLiteral("SPZero"), n(p.SPZero)},
        {QStringLiteral("SPSpan"), n(p.SPSpan)},
        {QStringLiteral("PVZero"), n(p.PVZero)},
        {QStringLiteral("PVSpan"), n(p.PVSpan)},
        {QStringLiteral("LVZero"), n(p.LVZero)},
        {QStringLiteral("LVSpan"), n(p.LVSpan)},
        {QStringLiteral("CoarseControlUp"), n(p.CoarseControlUp)},
        {QStringLiteral("CoarseControlDn"), n(p.CoarseControlDn)},
        {QStringLiteral("FineControlUp"), n(p.FineControlUp)},
        {QStringLiteral("FineControlDn"), n(p.FineControlDn)},
        {QStringLiteral("OilLevelAlarm"), n(p.OilLevelAlarm)},
        {QStringLiteral("AlarmHysteresis"), n(p.AlarmHysteresis)},
        {QStringLiteral("PulseDelay"), n(p.PulseDelay)},
        {QStringLiteral("SPFail"), n(p.SPFail)},
        {QStringLiteral("PVFail"), n(p.PVFail)},
        {QStringLiteral("pswd"), password},
        {QStringLiteral("CoutZero"), n(p.CoutZero)},
        {QStringLiteral("CoutSpan"), n(p.CoutSpan)},
        {QStringLiteral("Cout25"), n(p.Cout25)},
        {QStringLiteral("Cout50"), n(p.Cout50)},
        {QStringLiteral("Cout75"), n(p.Cout75)},
        {QStringLiteral("PRZero"), n(p.PRZero)},
        {QStringLiteral("PRSpan"), n(p.PRSpan)},
        {QStringLiteral("LevelSwOpt"), n(p.LevelSwOpt)},
        {QStringLiteral("PressureSwOpt"), n(p.PressureSwOpt)},
        {QStringLiteral("PressureValueLow"), n(p.PressureValueLow)},
        {QStringLiteral("PressureValueHigh"), n(p.PressureValueHigh)},
        {QStringLiteral("PressureLow"), n(p.PressureLow)},
        {QStringLiteral("PressurePumpOn"), n(p.PressurePumpOn)},
        {QStringLiteral("PressurePumpOff"), n(p.PressurePumpOff)},
    };
}

QString QuotedValue(QStringView text)
{
    QString quoted = QStringLiteral("'");
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == u'\\' || c == u'\'')
            quoted += QLatin1Char('\\') + ch;
        else if (c == u'"' || c < 0x20 || c >= 0x7F)
            quoted += hexEscape(c);
        else
            quoted += ch;
    }
    return quoted + QLatin1Char('\'');
}

QString BuildFileText(const ParameterSet &set, const Identity &identity)
{
    QStringList pairs;
    for (const auto &[key, value] : FilePairs(set, identity))
        pairs << QLatin1Char('\'') + key + QStringLiteral("': ") + QuotedValue(value);
    return QLatin1Char('{') + pairs.join(QStringLiteral(", ")) + QLatin1Char('}');
}

QByteArray FileContents(const QString &fileText)
{
    return '"' + fileText.toLatin1() + "\"\r\n";
}

bool WriteParameterFile(const QString &path, const QString &fileText, QString *reason)
{
    const QByteArray contents = FileContents(fileText);
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
    if (written)
        written = file.commit();
    else
        file.cancelWriting();
    if (!written && reason)
        *reason = file.errorString();
    return written;
}

std::optional<QString> ReadFirstItem(QIODevice &file, qsizetype maxChars)
{
    if (file.peek(3) == QByteArrayLiteral("\xEF\xBB\xBF"))
        file.skip(3);
    char c = 0;
    bool more = file.getChar(&c);
    if (!more)
        return std::nullopt;

    qsizetype blanks = 0;
    while (more && (c == ' ' || c == '\t')) {
        if (++blanks > maxChars)
            return QString(); // nothing but blanks as far as we read
        more = file.getChar(&c);
    }

    QByteArray item;
    if (more && c == '"') {
        while (item.size() <= maxChars && file.getChar(&c) && c != '"')
            item += c;
    } else {
        while (more && c != ',' && c != '\r' && c != '\n' && item.size() <= maxChars) {
            item += c;
            more = file.getChar(&c);
        }
    }
    return QString::fromLatin1(item);
}

std::optional<QString> ReadParameterFile(const QString &path, QString *reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (reason)
            *reason = file.errorString();
        return std::nullopt;
    }
    std::optional<QString> item = ReadFirstItem(file, objlit::Limits{}.maxLength);
    if (!item && reason)
        *reason = QStringLiteral("The file is empty.");
    return item;
}

QString LoadProblem(const objlit::Value *parsed)
{
    if (!parsed || !parsed->isObject())
        return QStringLiteral("It does not hold a parameter list.");
    // A key that is missing reads as 0, but a file without any of the values
    // the window shows would only blank the window.
    static constexpr std::array<const char *, 10> ShownKeys{
        "CoarseControlUp", "CoarseControlDn", "FineControlUp", "FineControlDn", "OilLevelAlarm",
        "AlarmHysteresis", "PulseDelay", "SPFail", "PVFail", "pswd"};
    if (std::none_of(ShownKeys.begin(), ShownKeys.end(),
                     [parsed](const char *key) { return parsed->property(QString::fromLatin1(key)); }))
        return QStringLiteral("It holds none of the settings.");
    for (const char *key : {"SPFail", "PVFail"}) {
        const objlit::Value *value = parsed->property(QString::fromLatin1(key));
        const QString text = value ? value->text().value_or(QString()) : QString();
        const double code = num::roundHalfEven(num::val(text));
        if (!(code >= 0 && code < FailCodeCount))
            return QStringLiteral("Its %1 value \"%2\" is not a fail condition.").arg(QLatin1String(key), text);
    }
    return {};
}

QStringList ApplyFileValues(const FileValueTexts &values, ParameterSet &set)
{
    ParameterSet updated = set;
    QStringList misfits;
    for (const WordKey &word : UploadWords) {
        const QString key = QLatin1String(word.key);
        if (const auto value = wholeNumberIn(values.value(key), 0, 32767))
            updated.*word.field = int16_t(*value);
        else
            misfits << key;
    }
    for (auto [key, field] : {std::pair{"SPFail", &ParameterSet::SPFail}, std::pair{"PVFail", &ParameterSet::PVFail}}) {
        if (const auto code = wholeNumberIn(values.value(QLatin1String(key)), 0, FailCodeCount - 1))
            updated.*field = uint8_t(*code);
        else
            misfits << QLatin1String(key);
    }
    const QString password = values.value(QStringLiteral("pswd"));
    bool passwordFits = password.size() == 4;
    for (int i = 0; passwordFits && i < 4; ++i) {
        const QChar c = password[i];
        passwordFits = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        updated.pswd[i] = uint8_t(c.unicode() - u'0');
    }
    if (!passwordFits)
        misfits << QStringLiteral("pswd");

    if (misfits.isEmpty())
        set = updated;
    return misfits;
}

} // namespace params
