#pragma once
// Number reading, rounding and the fixed text formats the tool shows and writes.
#include <QString>
#include <QStringView>
#include <QByteArrayView>
#include <cstdint>

namespace num {

// Nearest whole number, a value exactly halfway going to the even neighbour
// (49.5 and 50.5 both give 50).
double roundHalfEven(double v);

// Rounded (halves to even) and clamped into the signed 16-bit range.
int16_t toInt16(double v);
// Rounded (halves to even) and clamped into the signed 32-bit range.
int32_t toInt32(double v);

// The decimal number at the start of a text: leading blanks skipped, an
// optional sign, digits with "." as the decimal point; reading stops at the
// first character that cannot continue the number. No number reads as 0.
double val(QStringView text);
double val(QByteArrayView text);

// The value of one hexadecimal digit of either case; -1 for any other character.
constexpr int hexDigit(char32_t c)
{
    if (c >= '0' && c <= '9')
        return int(c - '0');
    if (c >= 'A' && c <= 'F')
        return int(c - 'A' + 10);
    if (c >= 'a' && c <= 'f')
        return int(c - 'a' + 10);
    return -1;
}

// "0.0": at least one digit before the point and exactly one after it.
QString fixed1(double v);
// At least `width` digits with leading zeros ("00000", "0000"); a minus sign
// precedes the digits of a negative value.
QString zeroPadded(long long v, int width);
// A number as a picture prints it: plain decimal, one blank in place of the
// sign of a value that is not negative (" 10", "-5").
QString printed(double v);

} // namespace num
