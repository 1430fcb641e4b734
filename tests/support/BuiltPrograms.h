#pragma once
// Runs the built programs (velmora, velmora-sim) the way a user does, from
// the folder CTest names in VELMORA_BIN_DIR.
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct ProgramRun
{
    int exitCode = -1;
    bool crashed = false;
    QString out;
    QString err;
};

namespace built {

// The built program's path.
QString program(const QString &name);
// An environment without a display: no X, no Wayland, no platform override.
QProcessEnvironment withoutDisplay();
// Runs the program to its end (at most 30 s).
ProgramRun run(const QString &program, const QStringList &arguments,
               const QProcessEnvironment &environment = withoutDisplay());

} // namespace built
