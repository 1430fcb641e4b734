#include "params/ParameterChecks.h"

#include "platform/Numbers.h"

#include <limits>

namespace params {

QString ShownText(const ParameterField &field, int16_t stored)
{
    return field.tenths ? num::fixed1(stored / 10.0) : QString::number(stored);
}

TypedValue ReadTypedValue(const ParameterField &field, QStringView text)
{
    TypedValue typed;
    const double rounded = num::roundHalfEven(num::val(text) * (field.tenths ? 10.0 : 1.0));
    typed.fits16 = rounded >= std::numeric_limits<int16_t>::min() && rounded <= std::numeric_limits<int16_t>::max();
    if (!typed.fits16) {
        typed.normalized = text.toString();
        return typed;
    }
    typed.stored = int16_t(rounded);
    typed.inRange = typed.stored >= field.min && typed.stored <= field.max;
    typed.normalized = ShownText(field, typed.stored);
    return typed;
}

QStringList PasswordProblems(QStringView password)
{
    if (password.size() != 4)
        return {PasswordLengthMessage};
    QStringList problems;
    for (const QChar c : password) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            problems << PasswordDigitMessage;
    }
    return problems;
}

} // namespace params
