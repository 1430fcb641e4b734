#pragma once
// The parameter file: one line holding a double-quoted object literal of 33
// single-quoted key/value pairs, in a fixed order:
//   "{'ModelNo': 'DMK--0042', 'SerialNo': 'S123', ..., 'PressurePumpOff': '80'}"
// followed by CR LF. Words are written in stored units (tenths not divided).
#include "params/ParameterFields.h"
#include "platform/ObjectLiteral.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <utility>

class QIODevice;

namespace params {

// The password digits as one text, each digit a decimal number: "1234".
QString PasswordText(const PasswordDigits &digits);

// The pairs in file order, each value as its text.
QList<std::pair<QString, QString>> FilePairs(const ParameterSet &set, const Identity &identity);

// The object text: "{'ModelNo': '...', ..., 'PressurePumpOff': '0'}".
QString BuildFileText(const ParameterSet &set, const Identity &identity);

// A text as a single-quoted literal that reads back unchanged and keeps the
// file plain ASCII: a backslash and a single quote are escaped with a
// backslash; a double quote (which would end the file's item), control
// characters and characters beyond ASCII are written as \xHH or \uHHHH.
QString QuotedValue(QStringView text);

// The bytes of the file: a double quote, the object text, a double quote, CR, LF.
QByteArray FileContents(const QString &fileText);

// Writes the file through a temporary file that is renamed over `path`, so
// a failed save leaves what was there. False when it could not be written;
// `reason` (if given) then says why, as the system put it.
bool WriteParameterFile(const QString &path, const QString &fileText, QString *reason = nullptr);

// The file's first item: blanks before it are skipped; a quoted item runs to
// the next double quote (dropped), any other ends at the first comma or line
// end. A byte-order mark before it is skipped. An item longer than
// `maxChars` is cut just past that length, so a bounded reader still sees it
// is too long. Nothing when the file holds nothing.
std::optional<QString> ReadFirstItem(QIODevice &file, qsizetype maxChars);

// The first item of the file at `path`; nothing when it cannot be opened or
// is empty, with `reason` (if given) saying which.
std::optional<QString> ReadParameterFile(const QString &path, QString *reason = nullptr);

// Why a file's evaluated item cannot be loaded, for the operator; empty when
// it can: it must be an object holding at least one of the settings the
// window shows, and fail codes (missing ones read as 0) that name a fail
// condition.
QString LoadProblem(const objlit::Value *parsed);

// The texts Load read, by key.
using FileValueTexts = QHash<QString, QString>;

// Upload: takes the words SPZero..PulseDelay (whole numbers 0..32767, no
// scaling; halves round to even), the fail codes (0..2) and the four
// password digits from the file's texts into `set`. A text that is missing,
// is not one plain decimal number, or does not fit its field sends nothing:
// `set` stays untouched and the keys at fault are returned in file order.
QStringList ApplyFileValues(const FileValueTexts &values, ParameterSet &set);

} // namespace params
