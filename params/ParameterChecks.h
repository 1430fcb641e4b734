#pragma once
// The checks of the parameter window: a typed box against its field, and the
// password. Pure functions, so the window only reads boxes and shows messages.
#include "params/ParameterFields.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace params {

// What a field shows for a stored value: tenths as "0.0", others as "0".
QString ShownText(const ParameterField &field, int16_t stored);

struct TypedValue
{
    bool fits16 = false; // the scaled, rounded value fits a signed 16-bit word
    int16_t stored = 0;  // that value, when it fits
    bool inRange = false;
    QString normalized;  // what the box shows afterwards
};

// Reads a box the way Modify does: the number at the start of the text (none
// reads as 0), times 10 for a tenths field, rounded with halves to even.
// A value beyond 16 bits is out of range and leaves the text as typed.
TypedValue ReadTypedValue(const ParameterField &field, QStringView text);

inline const QString PasswordTitle = QStringLiteral("Invalid Password");
inline const QString PasswordLengthMessage = QStringLiteral("Password has to be of 4 numericals");
inline const QString PasswordDigitMessage = QStringLiteral("Password has to be numeric");

// The password messages in the order they are shown: one for a text that is
// not 4 characters long, otherwise one per character that is not 0..9.
QStringList PasswordProblems(QStringView password);

} // namespace params
