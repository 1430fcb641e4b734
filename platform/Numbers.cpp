#include "platform/Numbers.h"

#include <charconv>
#include <cmath>
#include <string>
#include <limits>

namespace num {

double roundHalfEven(double v)
{
    // std::round takes halves away from zero and ignores the floating-point
    // rounding mode; an exact half is rounded as v / 2 and doubled, which
    // lands on the even neighbour (49.5 and 50.5 both give 50).
    if (!std::isfinite(v))
        return v;
    const double r = std::round(v);
    if (std::fabs(v - std::trunc(v)) == 0.5)
        return 2.0 * std::round(v / 2.0);
    return r;
}

template <typename T>
static T clampRounded(double v)
{
    if (std::isnan(v))
        return 0;
    const double r = roundHalfEven(v);
    if (r <= double(std::numeric_limits<T>::min()))
        return std::numeric_limits<T>::min();
    if (r >= double(std::numeric_limits<T>::max()))
        return std::numeric_limits<T>::max();
    return static_cast<T>(r);
}

int16_t toInt16(double v) { return clampRounded<int16_t>(v); }
int32_t toInt32(double v) { return clampRounded<int32_t>(v); }

template <typename Char>
static double readLeadingNumber(const Char *p, qsizetype n)
{
    // Pick out the longest prefix that forms a number, then convert it with
    // from_chars so that the result is correctly rounded and independent of
    // the locale.
    qsizetype i = 0;
    while (i < n && (p[i] == ' ' || p[i] == '\t'))
        ++i;
    std::string text;
    if (i < n && (p[i] == '-' || p[i] == '+')) {
        if (p[i] == '-')
            text += '-';
        ++i;
    }
    bool anyDigit = false;
    // Leading zeros carry no value; skipping them keeps the digits that do
    // within the bound below ("0000...05" is 5).
    while (i + 1 < n && p[i] == '0' && p[i + 1] >= '0' && p[i + 1] <= '9')
        ++i;
    while (i < n && p[i] >= '0' && p[i] <= '9' && text.size() < 400) {
        text += char(p[i++]);
        anyDigit = true;
    }
    if (i < n && p[i] == '.') {
        text += '.';
        ++i;
        while (i < n && p[i] >= '0' && p[i] <= '9' && text.size() < 400) {
            text += char(p[i++]);
            anyDigit = true;
        }
    }
    if (!anyDigit || text.empty() || text == "-")
        return 0.0;
    if (text.front() == '.' || (text.front() == '-' && text.size() > 1 && text[1] == '.'))
        text.insert(text.front() == '-' ? 1 : 0, 1, '0');
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return text.front() == '-' ? -HUGE_VAL : HUGE_VAL;
    return value;
}

double val(QStringView text) { return readLeadingNumber(text.utf16(), text.size()); }
double val(QByteArrayView text) { return readLeadingNumber(text.data(), text.size()); }

QString fixed1(double v)
{
    QString s = QString::number(v, 'f', 1);
    if (s == QLatin1String("-0.0"))
        s = QStringLiteral("0.0");
    return s;
}

QString zeroPadded(long long v, int width)
{
    const QString digits = QString::number(v < 0 ? -v : v).rightJustified(width, QLatin1Char('0'));
    return v < 0 ? QLatin1Char('-') + digits : digits;
}

QString printed(double v)
{
    QString s = QString::number(v, 'g', 15);
    return v < 0 ? s : QLatin1Char(' ') + s;
}

} // namespace num
