#pragma once
// Saving a file whole or not at all: everything goes to a temporary file beside
// the target, which replaces the target only once it is all written. A failure
// leaves an earlier file as it was and says why.
#include <QSaveFile>
#include <QString>
#include <functional>

namespace savefile {

// Writes through `write` and commits. Returns the reason of a failure, or an
// empty text when the file is saved.
inline QString saveWhole(const QString &path, const std::function<bool(QIODevice &)> &write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (!write(file)) {
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString()
                                                                    : QStringLiteral("The data could not be written.");
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

inline QString saveWhole(const QString &path, const QByteArray &bytes)
{
    return saveWhole(path, [&](QIODevice &out) { return out.write(bytes) == bytes.size(); });
}

} // namespace savefile
