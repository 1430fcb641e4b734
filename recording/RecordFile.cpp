#include "recording/RecordFile.h"

#include "platform/SaveFile.h"

#include <QFile>
#include <QFileInfo>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace recordfile {

namespace {

// Room for any float in the file's format: a sign, "0." with 44 zeros and
// 7 digits for the smallest, 39 digits for the largest.
constexpr int NumberRoom = 64;

// Writes `tenths` / 10 in plain decimal, a trailing ".0" dropped.
char *formatTenths(char *dst, int64_t tenths)
{
    if (tenths < 0) {
        *dst++ = '-';
        tenths = -tenths;
    }
    char digits[20];
    int n = 0;
    for (int64_t rest = tenths; rest > 0 || n < 2; rest /= 10)
        digits[n++] = char('0' + rest % 10);
    for (int i = n - 1; i >= 1; --i)
        *dst++ = digits[i];
    if (digits[0] != '0') {
        *dst++ = '.';
        *dst++ = digits[0];
    }
    return dst;
}

// Writes `value` at `dst` in the file's format; returns the end.
char *formatNumberTo(char *dst, float value)
{
    // A sample is a reading divided by 10, so it is always finite; should a
    // value that is not be handed in, 0 keeps the file readable.
    if (value == 0.0f || !std::isfinite(value)) {
        *dst++ = '0';
        return dst;
    }
    // Samples are tenths of a percent. When `value` is the float nearest to a
    // number of tenths t / 10 with at most 7 digits, that number is also its
    // rounding to 7 significant digits: a float lies within half its spacing
    // of t / 10, and that is always less than half a step in the 7th digit.
    // (t fits a float exactly, so float(t) / 10 is that nearest float.)
    const double scaled = double(value) * 10.0;
    if (std::fabs(scaled) < 1.0e7) {
        const double tenths = std::nearbyint(scaled);
        if (tenths != 0.0 && float(tenths) / 10.0f == value)
            return formatTenths(dst, int64_t(tenths));
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

    explicit FieldReader(QIODevice &in) : m_in(in), m_chunk(ChunkSize, Qt::Uninitialized)
    {
        m_pos = m_end = m_chunk.data();
    }

    // The next field: blanks and line ends before it skipped, blanks after
    // it trimmed, the comma after it consumed. An empty field (two commas in
    // a row) or one too long for any number is Bad. The field stays valid
    // until the next call.
    Result next(std::string_view &field)
    {
        for (;;) {
            topUp();
            while (m_pos != m_end && (*m_pos == ' ' || *m_pos == '\t' || *m_pos == '\r' || *m_pos == '\n'))
                ++m_pos;
            if (m_pos != m_end)
                break;
            if (m_atEnd)
                return Result::End;
        }
        topUp();
        // topUp() leaves more than a field's room ahead unless the input ends.
        char *start = m_pos;
        char *limit = m_end - start > NumberRoom ? start + NumberRoom + 1 : m_end;
        char *p = start;
        while (p != limit && *p != ',' && *p != '\r' && *p != '\n')
            ++p;
        if (p - start > NumberRoom)
            return Result::Bad;
        const char *fieldEnd = p;
        if (p != m_end && *p == ',')
            ++p;
        m_pos = p;
        while (fieldEnd != start && (fieldEnd[-1] == ' ' || fieldEnd[-1] == '\t'))
            --fieldEnd;
        if (fieldEnd == start)
            return Result::Bad;
        field = std::string_view(start, size_t(fieldEnd - start));
        return Result::Field;
    }

private:
    static constexpr qsizetype ChunkSize = 64 * 1024;
    static constexpr qsizetype Lookahead = 256;

    // Keeps at least Lookahead bytes ahead, unless the input ends sooner.
    void topUp()
    {
        if (m_end - m_pos >= Lookahead || m_atEnd)
            return;
        char *base = m_chunk.data();
        const qsizetype kept = m_end - m_pos;
        std::memmove(base, m_pos, size_t(kept));
        m_pos = base;
        m_end = base + kept;
        while (m_end - base < ChunkSize && !m_atEnd) {
            const qint64 n = m_in.read(m_end, ChunkSize - (m_end - base));
            if (n <= 0)
                m_atEnd = true;
            else
                m_end += n;
        }
    }

    QIODevice &m_in;
    QByteArray m_chunk;
    char *m_pos = nullptr;
    char *m_end = nullptr;
    bool m_atEnd = false;
};

// The common case, as the writer puts samples: an optional minus sign, at
// most 7 digits, and at most one of them after the point. Sets the number of
// tenths; false for any other form, and for a number of tenths beyond 2^24,
// which a float no longer holds exactly (ten times 3634539 does not fit).
bool parseTenths(std::string_view field, int32_t &tenths)
{
    constexpr int32_t ExactInFloat = 1 << 24;
    const char *p = field.data();
    const char *end = p + field.size();
    const bool negative = p != end && *p == '-';
    if (negative)
        ++p;
    int32_t t = 0;
    int digits = 0;
    for (; p != end && *p >= '0' && *p <= '9'; ++p) {
        if (++digits > 7)
            return false;
        t = t * 10 + (*p - '0');
    }
    t *= 10;
    if (p != end && *p == '.') {
        ++p;
        if (p != end && *p >= '0' && *p <= '9') {
            t += *p++ - '0';
            ++digits;
        }
    }
    if (p != end || digits == 0 || digits > 7 || t > ExactInFloat)
        return false;
    tenths = negative ? -t : t;
    return true;
}

// A decimal number, with or without a digit before the point (".7", "0.7",
// "-.5"), an optional sign and exponent; it must fill the whole field and fit
// a float. Returns whether `value` was set. (No optional<float> here: that
// return costs a store-forwarding stall per field.)
bool parseNumber(std::string_view field, float &value)
{
    // The tenths fit a float exactly, and the division rounds once: the
    // result is the float nearest to t / 10.
    if (int32_t tenths = 0; parseTenths(field, tenths)) {
        value = float(tenths) / 10.0f;
        return true;
    }

    const char *first = field.data();
    const char *last = first + field.size();
    // One sign at most: "+-5" is no number.
    const bool plus = first != last && *first == '+';
    if (plus)
        ++first;
    if (first == last || *first == '+' || (plus && *first == '-'))
        return false;
    // from_chars reads "inf" and "nan" too; a number starts with a digit,
    // a point or a minus sign.
    const char lead = *first == '-' && first + 1 != last ? first[1] : *first;
    if (!(lead >= '0' && lead <= '9') && lead != '.')
        return false;
    float number = 0.0f;
    const auto [end, ec] = std::from_chars(first, last, number, std::chars_format::general);
    if (ec != std::errc() || end != last || !std::isfinite(number))
        return false;
    value = number;
    return true;
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
    // Lines are gathered in a block and appended a block at a time.
    constexpr int LineRoom = 2 * NumberRoom + 3;
    char block[16 * 1024];
    char *p = block;
    for (const RecordSample &sample : samples) {
        if (p - block > qsizetype(sizeof block) - LineRoom) {
            out.append(block, p - block);
            p = block;
        }
        p = formatNumberTo(p, sample.sp);
        *p++ = ',';
        p = formatNumberTo(p, sample.pv);
        *p++ = '\r';
        *p++ = '\n';
    }
    out.append(block, p - block);
    return out;
}

bool write(const QString &path, std::span<const RecordSample> samples, QString *reason)
{
    const QString failure = savefile::saveWhole(path, encode(samples));
    if (!failure.isEmpty() && reason)
        *reason = failure;
    return failure.isEmpty();
}

std::optional<std::vector<RecordSample>> read(QIODevice &in, QString *reason)
{
    const auto refuse = [reason](const QString &why) {
        if (reason)
            *reason = why;
        return std::nullopt;
    };
    FieldReader fields(in);
    std::string_view field;
    const FieldReader::Result first = fields.next(field);
    if (first == FieldReader::Result::End)
        return refuse(QStringLiteral("The file is empty."));
    float announced = 0.0f;
    if (first != FieldReader::Result::Field || !parseNumber(field, announced) || announced < 0.0f
        || std::trunc(announced) != announced)
        return refuse(QStringLiteral("It does not begin with a sample count."));
    if (announced > float(RecordCapacity))
        return refuse(QStringLiteral("It announces %1 samples; a record holds at most %2.")
                          .arg(QString::number(double(announced), 'f', 0))
                          .arg(RecordCapacity));
    const auto count = size_t(announced);

    std::vector<RecordSample> samples(count);
    for (size_t i = 0; i < count; ++i) {
        for (float *value : {&samples[i].sp, &samples[i].pv}) {
            const FieldReader::Result result = fields.next(field);
            if (result == FieldReader::Result::End)
                return refuse(QStringLiteral("It ends after %1 of the %2 samples it announces.").arg(i).arg(count));
            if (result != FieldReader::Result::Field || !parseNumber(field, *value))
                return refuse(QStringLiteral("Sample %1 is not a pair of numbers.").arg(i + 1));
        }
    }
    return samples;
}

std::optional<std::vector<RecordSample>> read(const QString &path, QString *reason)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        if (reason)
            *reason = QStringLiteral("It is not a file.");
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (reason)
            *reason = file.errorString();
        return std::nullopt;
    }
    return read(file, reason);
}

} // namespace recordfile
