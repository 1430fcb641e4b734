#include "recording/RecordFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

namespace recordfile {

namespace {

// Room for any float in the file's format: a sign, "0." with 44 zeros and
// 7 digits for the smallest, 39 digits for the largest.
constexpr int NumberRoom = 64;

// Writes `value` at `dst` in the file's format; returns the end.
char *formatNumberTo(char *dst, float value)
{
    // A sample is a reading divided by 10, so it is always finite; should a
    // value that is not be handed in, 0 keeps the file readable.
    if (value == 0.0f || !std::isfinite(value)) {
        *dst++ = '0';
        return dst;
    }
    // Round to 7 significant digits: d.dddddde±XX, independent of the locale.
    char sci[32];
    const auto [sciEnd, ec] = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific, 6);
    (void)ec; // 32 characters always suffice
    const char *p = sci;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    std::array<char, 7> digits{};
    int count = 0;
    digits[count++] = *p++;
    if (*p == '.')
        for (++p; *p != 'e'; ++p)
            digits[count++] = *p;
    ++p; // 'e'
    const bool negativeExponent = *p == '-';
    int exponent = 0;
    std::from_chars(p + 1, sciEnd, exponent);
    if (negativeExponent)
        exponent = -exponent;
    while (count > 1 && digits[count - 1] == '0')
        --count;

    if (negative)
        *dst++ = '-';
    if (exponent >= 0) {
        const int whole = exponent + 1;
        for (int i = 0; i < whole; ++i)
            *dst++ = i < count ? digits[i] : '0';
        if (count > whole) {
            *dst++ = '.';
            for (int i = whole; i < count; ++i)
                *dst++ = digits[i];
        }
    } else {
        *dst++ = '0';
        *dst++ = '.';
        for (int i = 1; i < -exponent; ++i)
            *dst++ = '0';
        for (int i = 0; i < count; ++i)
            *dst++ = digits[i];
    }
    return dst;
}

// Reads the fields of a record file one at a time, in chunks, so that a
// large file is never held whole and reading stops after the last sample.
class FieldReader
{
public:
    enum class Result { Field, End, Bad };

    explicit FieldReader(QIODevice &in) : m_in(in) {}

    // The next field in `field`: blanks and line ends before it skipped, the
    // blanks after it trimmed, the comma after it consumed. An empty field
    // (two commas in a row) or one too long for any number is Bad.
    Result next(std::string_view &field)
    {
        int c = peek();
        while (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++m_pos;
            c = peek();
        }
        if (c < 0)
            return Result::End;
        m_fieldLength = 0;
        while (c >= 0 && c != ',' && c != '\r' && c != '\n') {
            if (m_fieldLength == int(m_field.size()))
                return Result::Bad;
            m_field[size_t(m_fieldLength++)] = char(c);
            ++m_pos;
            c = peek();
        }
        if (c == ',')
            ++m_pos;
        while (m_fieldLength > 0 && (m_field[size_t(m_fieldLength - 1)] == ' ' || m_field[size_t(m_fieldLength - 1)] == '\t'))
            --m_fieldLength;
        if (m_fieldLength == 0)
            return Result::Bad;
        field = std::string_view(m_field.data(), size_t(m_fieldLength));
        return Result::Field;
    }

private:
    int peek()
    {
        if (m_pos == m_end && !refill())
            return -1;
        return static_cast<unsigned char>(*m_pos);
    }

    bool refill()
    {
        if (m_chunk.isEmpty())
            m_chunk.resize(64 * 1024);
        const qint64 n = m_in.read(m_chunk.data(), m_chunk.size());
        if (n <= 0)
            return false;
        m_pos = m_chunk.constData();
        m_end = m_pos + n;
        return true;
    }

    QIODevice &m_in;
    QByteArray m_chunk;
    const char *m_pos = nullptr;
    const char *m_end = nullptr;
    std::array<char, NumberRoom> m_field{};
    int m_fieldLength = 0;
};

// A decimal number, with or without a digit before the point (".7", "0.7",
// "-.5"), an optional sign and exponent; it must fill the whole field and fit
// a float.
std::optional<float> parseNumber(std::string_view field)
{
    const char *first = field.data();
    const char *last = first + field.size();
    if (first != last && *first == '+')
        ++first;
    if (first == last || *first == '+')
        return std::nullopt;
    // from_chars reads "inf" and "nan" too; a number starts with a digit,
    // a point or a minus sign.
    const char lead = *first == '-' && first + 1 != last ? first[1] : *first;
    if (!(lead >= '0' && lead <= '9') && lead != '.')
        return std::nullopt;
    float value = 0.0f;
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

std::string formatNumber(float value)
{
    char buffer[NumberRoom];
    return std::string(buffer, formatNumberTo(buffer, value));
}

QByteArray encode(std::span<const RecordSample> samples)
{
    QByteArray out;
    out.reserve(qsizetype(16 + samples.size() * 16));
    out.append(QByteArray::number(qulonglong(samples.size())));
    out.append("\r\n", 2);
    char line[2 * NumberRoom + 3];
    for (const RecordSample &sample : samples) {
        char *p = formatNumberTo(line, sample.sp);
        *p++ = ',';
        p = formatNumberTo(p, sample.pv);
        *p++ = '\r';
        *p++ = '\n';
        out.append(line, p - line);
    }
    return out;
}

bool write(const QString &path, std::span<const RecordSample> samples)
{
    const QByteArray text = encode(samples);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(text) != text.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::optional<std::vector<RecordSample>> read(QIODevice &in)
{
    FieldReader fields(in);
    std::string_view field;
    if (fields.next(field) != FieldReader::Result::Field)
        return std::nullopt;
    const std::optional<float> announced = parseNumber(field);
    if (!announced || *announced < 0.0f || *announced > float(RecordCapacity) || std::trunc(*announced) != *announced)
        return std::nullopt;
    const auto count = size_t(*announced);

    std::vector<RecordSample> samples(count);
    for (RecordSample &sample : samples) {
        for (float *value : {&sample.sp, &sample.pv}) {
            if (fields.next(field) != FieldReader::Result::Field)
                return std::nullopt;
            const std::optional<float> number = parseNumber(field);
            if (!number)
                return std::nullopt;
            *value = *number;
        }
    }
    return samples;
}

std::optional<std::vector<RecordSample>> read(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return read(file);
}

} // namespace recordfile
