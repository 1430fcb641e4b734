// The record file. The input is read as a file and checked against a plain
// reference reader; the same bytes, taken as floats and as readings, go
// through the writer and must read back.
#include "FuzzTargets.h"

#include "recording/RecordFile.h"

#include <QBuffer>

#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

namespace {

using Samples = std::vector<RecordSample>;

std::optional<Samples> readBytes(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return recordfile::read(buffer);
}

// A number as the reader takes it: one optional sign, digits with at most
// one point (a digit before or after it), an optional exponent; read as the
// nearest float, which must be finite.
std::optional<float> referenceNumber(std::string_view field)
{
    size_t i = 0;
    if (i < field.size() && (field[i] == '+' || field[i] == '-'))
        ++i;
    size_t digits = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i)
        ++digits;
    if (i < field.size() && field[i] == '.')
        for (++i; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i)
            ++digits;
    if (digits == 0)
        return std::nullopt;
    if (i < field.size() && (field[i] == 'e' || field[i] == 'E')) {
        ++i;
        if (i < field.size() && (field[i] == '+' || field[i] == '-'))
            ++i;
        size_t exponentDigits = 0;
        for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i)
            ++exponentDigits;
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != field.size())
        return std::nullopt;
    std::string text(field.substr(field[0] == '+' ? 1 : 0));
    if (text[0] == '.' || (text[0] == '-' && text[1] == '.'))
        text.insert(text[0] == '-' ? 1 : 0, "0");
    float value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The reader written out plainly: fields end at a comma or a line end, blanks
// and line ends before a field are skipped, blanks after it trimmed, one comma
// after it consumed; a field longer than 64 characters is refused.
std::optional<Samples> referenceRead(std::string_view text)
{
    size_t at = 0;
    auto next = [&]() -> std::optional<float> {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == '\r' || text[at] == '\n'))
            ++at;
        if (at == text.size())
            return std::nullopt;
        const size_t start = at;
        while (at < text.size() && text[at] != ',' && text[at] != '\r' && text[at] != '\n')
            ++at;
        if (at - start > 64)
            return std::nullopt;
        size_t end = at;
        if (at < text.size() && text[at] == ',')
            ++at;
        while (end > start && (text[end - 1] == ' ' || text[end - 1] == '\t'))
            --end;
        return referenceNumber(text.substr(start, end - start));
    };
    const auto count = next();
    if (!count || *count < 0 || *count > float(RecordCapacity) || std::trunc(*count) != *count)
        return std::nullopt;
    Samples samples(static_cast<size_t>(*count));
    for (RecordSample &sample : samples) {
        for (float *value : {&sample.sp, &sample.pv}) {
            const auto number = next();
            if (!number)
                return std::nullopt;
            *value = *number;
        }
    }
    return samples;
}

// Samples the writer must give back exactly: readings in tenths of a percent.
bool isTenths(float value)
{
    const double tenths = std::nearbyint(double(value) * 10.0);
    return std::fabs(tenths) < 1.0e7 && float(tenths / 10.0) == value;
}

void checkWriterRoundTrip(const Samples &samples)
{
    const QByteArray text = recordfile::encode(samples);
    const std::optional<Samples> back = readBytes(text);
    fuzz::require(back.has_value() && back->size() == samples.size(), "what the writer writes is read");
    for (size_t i = 0; i < samples.size(); ++i) {
        const RecordSample &was = samples[i];
        const RecordSample &is = (*back)[i];
        for (const auto &[before, after] : {std::pair{was.sp, is.sp}, std::pair{was.pv, is.pv}}) {
            if (!std::isfinite(before)) {
                fuzz::require(after == 0.0f, "a value that is not finite is written as 0");
                continue;
            }
            fuzz::require(recordfile::formatNumber(after) == recordfile::formatNumber(before),
                          "a value reads back as its 7 significant digits");
            const std::string written = recordfile::formatNumber(before);
            fuzz::require(after == referenceNumber(written), "a written value reads as the float nearest its text");
            if (isTenths(before))
                fuzz::require(after == before, "a reading in tenths reads back exactly");
        }
    }
    fuzz::require(recordfile::encode(*back) == text, "writing what was read gives the same file");
}

} // namespace

namespace fuzz {

int recordFile(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<Samples> read = readBytes(bytes);
    const std::optional<Samples> expected = referenceRead(std::string_view(bytes.constData(), size_t(bytes.size())));
    require(read.has_value() == expected.has_value(), "the reader takes exactly the files the reference takes");
    if (read) {
        require(read->size() == expected->size(), "the count is the announced one");
        for (size_t i = 0; i < read->size(); ++i)
            require((*read)[i] == (*expected)[i], "every value is the float nearest its text");
        checkWriterRoundTrip(*read);
    }

    // The same bytes as floats (any bit pattern) and as readings of the controller.
    Samples floats(size / 8);
    for (size_t i = 0; i < floats.size(); ++i) {
        std::memcpy(&floats[i].sp, data + 8 * i, 4);
        std::memcpy(&floats[i].pv, data + 8 * i + 4, 4);
    }
    checkWriterRoundTrip(floats);
    Samples readings(size / 4);
    for (size_t i = 0; i < readings.size(); ++i) {
        int16_t sp = 0, pv = 0;
        std::memcpy(&sp, data + 4 * i, 2);
        std::memcpy(&pv, data + 4 * i + 2, 2);
        readings[i] = {float(sp / 10.0), float(pv / 10.0)};
    }
    checkWriterRoundTrip(readings);
    return 0;
}

} // namespace fuzz
