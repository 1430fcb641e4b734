#include "params/ParameterFile.h"

#include "params/ParameterFields.h"
#include "platform/Numbers.h"
#include "platform/ObjectLiteral.h"
#include "platform/SaveFile.h"

#include <QFile>

namespace params {

namespace {

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

// A field's value as the file writes it.
QString valueText(const FileField &f, const ParameterSet &p, const Identity &identity)
{
    switch (f.kind) {
    case FieldKind::Text:
        return identity.*f.text;
    case FieldKind::Word:
        return QString::number(p.*f.word);
    case FieldKind::Byte:
        return QString::number(p.*f.byte);
    case FieldKind::Password:
        return PasswordText(p.pswd);
    }
    return {};
}

} // namespace

QList<std::pair<QString, QString>> FilePairs(const ParameterSet &p, const Identity &identity)
{
    QList<std::pair<QString, QString>> pairs;
    pairs.reserve(qsizetype(FileFields.size()));
    for (const FileField &f : FileFields)
        pairs.append({QLatin1String(f.key), valueText(f, p, identity)});
    return pairs;
}

QString PasswordText(const PasswordDigits &digits)
{
    QString text;
    for (const uint8_t digit : digits)
        text += QString::number(digit);
    return text;
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
    QString text;
    text.reserve(1024);
    text += QLatin1Char('{');
    for (const FileField &f : FileFields) {
        if (&f != FileFields.data())
            text += QLatin1String(", ");
        text += QLatin1Char('\'') + QLatin1String(f.key) + QLatin1String("': ") + QuotedValue(valueText(f, set, identity));
    }
    return text + QLatin1Char('}');
}

QByteArray FileContents(const QString &fileText)
{
    return '"' + fileText.toLatin1() + "\"\r\n";
}

bool WriteParameterFile(const QString &path, const QString &fileText, QString *reason)
{
    const QString failure = savefile::saveWhole(path, FileContents(fileText));
    if (!failure.isEmpty() && reason)
        *reason = failure;
    return failure.isEmpty();
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
    const auto shown = [](const FileField &f) {
        return f.loaded && (f.box.index >= 0 || f.kind == FieldKind::Byte || f.kind == FieldKind::Password);
    };
    if (std::none_of(FileFields.begin(), FileFields.end(), [&](const FileField &f) {
            return shown(f) && parsed->property(QString::fromLatin1(f.key));
        }))
        return QStringLiteral("It holds none of the settings.");
    for (const FileField &f : FileFields) {
        if (!f.loaded || f.kind != FieldKind::Byte) // the fail codes
            continue;
        const objlit::Value *value = parsed->property(QString::fromLatin1(f.key));
        const QString text = value ? value->text().value_or(QString()) : QString();
        const double code = num::roundHalfEven(num::val(text));
        if (!(code >= 0 && code < FailCodeCount))
            return QStringLiteral("Its %1 value \"%2\" is not a fail condition.").arg(QLatin1String(f.key), text);
    }
    return {};
}

QStringList ApplyFileValues(const FileValueTexts &values, ParameterSet &set)
{
    ParameterSet updated = set;
    QStringList misfits;
    for (const FileField &f : FileFields) {
        if (!f.loaded || f.kind == FieldKind::Text)
            continue;
        const QString key = QLatin1String(f.key);
        const QString text = values.value(key);
        bool fits = false;
        if (f.kind == FieldKind::Word) {
            const auto value = wholeNumberIn(text, 0, 32767);
            if ((fits = value.has_value()))
                updated.*f.word = int16_t(*value);
        } else if (f.kind == FieldKind::Byte) { // the fail codes
            const auto code = wholeNumberIn(text, 0, FailCodeCount - 1);
            if ((fits = code.has_value()))
                updated.*f.byte = uint8_t(*code);
        } else {
            fits = text.size() == PasswordLength;
            for (int i = 0; fits && i < PasswordLength; ++i) {
                const QChar c = text[i];
                fits = c >= QLatin1Char('0') && c <= QLatin1Char('9');
                updated.pswd[size_t(i)] = uint8_t(c.unicode() - u'0');
            }
        }
        if (!fits)
            misfits << key;
    }

    if (misfits.isEmpty())
        set = updated;
    return misfits;
}

} // namespace params
