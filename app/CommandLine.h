#pragma once
// The command line of velmora: what to talk to, a record file to show at
// start, and the answers that end the program before any window opens.
#include <QString>
#include <QStringList>

struct StartOptions
{
    enum class Action { Run, ShowHelp, ShowVersion, UsageError };

    Action action = Action::Run;
    QString error;       // UsageError: what was wrong, one line
    bool simulate = false;
    QString port;        // the one serial device to probe; empty: all of them
    QString reportFile;  // a record file to show at start; empty: none
};

namespace commandline {

// Reads the arguments (the program name first). Needs no application object.
StartOptions parse(const QStringList &arguments);

// The text of --help. Needs an application object (it names the program as
// it was called).
QString helpText();
// The text of --version: "velmora " and the version of the build.
QString versionText();

// Prints what a Help, Version or UsageError outcome calls for and returns
// the exit status (0, or 2 for a usage error).
int answer(const StartOptions &options);

} // namespace commandline
