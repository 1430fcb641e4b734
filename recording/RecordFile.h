#pragma once
// The record file: a text file of the sample count and one "SP,PV" line per
// sample, lines ended by CR LF. Numbers are plain decimal with "." as the
// decimal point whatever the locale, rounded to 7 significant digits, with
// trailing zeros and a trailing point dropped (0, 45, 12.3, -0.5).
#include "recording/RecordBuffer.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <span>
#include <string>
#include <vector>

class QIODevice;

namespace recordfile {

// `value` in the record file's number format.
std::string formatNumber(float value);

// The whole file as written: count line, then one line per sample.
QByteArray encode(std::span<const RecordSample> samples);

// Writes the file under `path`. The text goes to a temporary file beside the
// target, which then replaces the target in one rename: a failed save leaves
// an existing file as it was. Returns whether the file was written; when it
// was not, `reason` (if given) says why, as the system put it.
bool write(const QString &path, std::span<const RecordSample> samples, QString *reason = nullptr);

// Reads a record file's fields: numbers separated by commas or line ends,
// blanks around them ignored, line layout not looked at. Refuses (nullopt) a
// text that ends before the announced samples, announces a count that is not
// a whole number in 0..RecordCapacity, or holds a field that is not a number.
// Whatever follows the last announced sample is not read. A refused text
// sets `reason` (if given) to a sentence for the operator.
std::optional<std::vector<RecordSample>> read(QIODevice &in, QString *reason = nullptr);
// The same from a file; a file that cannot be opened, or is not a regular
// file (a directory, a device), is refused.
std::optional<std::vector<RecordSample>> read(const QString &path, QString *reason = nullptr);

} // namespace recordfile
