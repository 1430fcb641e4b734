#include "app/CommandLine.h"

#include "Version.h"

#include <QCommandLineParser>
#include <cstdio>

namespace {

struct Parser
{
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show these options and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Show the version and exit.")};
    QCommandLineOption simulate{QStringLiteral("simulate"),
                                QStringLiteral("Talk to the built-in simulated actuator instead of the serial ports.")};
    QCommandLineOption port{QStringLiteral("port"),
                            QStringLiteral("Probe only this serial device, e.g. /dev/ttyUSB1, a /dev/serial/by-id/ "
                                           "link or the pseudo-terminal velmora-sim prints."),
                            QStringLiteral("device")};
    QCommandLineOption report{QStringLiteral("report"),
                              QStringLiteral("Open the report window on this record file at start. Without --port "
                                             "or --simulate no serial port is probed."),
                              QStringLiteral("file")};

    Parser()
    {
        parser.setApplicationDescription(QStringLiteral(
            "Service tool for the field controller of an electro-hydraulic valve actuator."));
        parser.addOptions({help, version, simulate, port, report});
    }
};

// The single value of a value option; empty when it is not given.
bool singleValue(const QCommandLineParser &parser, const QCommandLineOption &option, QString &value, QString &error)
{
    const QStringList values = parser.values(option);
    const QString name = QStringLiteral("--") + option.names().constLast();
    if (values.size() > 1) {
        error = name + QStringLiteral(" can be given only once.");
        return false;
    }
    if (values.size() == 1 && values.front().trimmed().isEmpty()) {
        error = name + QStringLiteral(" needs a ") + option.valueName() + QLatin1Char('.');
        return false;
    }
    value = values.value(0);
    return true;
}

StartOptions usageError(const QString &error)
{
    StartOptions options;
    options.action = StartOptions::Action::UsageError;
    options.error = error;
    return options;
}

} // namespace

namespace commandline {

StartOptions parse(const QStringList &arguments)
{
    Parser p;
    if (!p.parser.parse(arguments))
        return usageError(p.parser.errorText());
    StartOptions options;
    if (p.parser.isSet(p.help)) {
        options.action = StartOptions::Action::ShowHelp;
        return options;
    }
    if (p.parser.isSet(p.version)) {
        options.action = StartOptions::Action::ShowVersion;
        return options;
    }
    if (!p.parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("Unexpected argument '%1'.").arg(p.parser.positionalArguments().front()));
    QString error;
    if (!singleValue(p.parser, p.port, options.port, error) || !singleValue(p.parser, p.report, options.reportFile, error))
        return usageError(error);
    options.simulate = p.parser.isSet(p.simulate);
    if (options.simulate && !options.port.isEmpty())
        return usageError(QStringLiteral("--simulate and --port cannot be used together."));
    return options;
}

QString helpText()
{
    return Parser().parser.helpText();
}

QString versionText()
{
    return QStringLiteral("velmora " VELMORA_VERSION);
}

int answer(const StartOptions &options)
{
    switch (options.action) {
    case StartOptions::Action::ShowHelp:
        std::fputs(qPrintable(helpText()), stdout);
        return 0;
    case StartOptions::Action::ShowVersion:
        std::fputs(qPrintable(versionText() + QLatin1Char('\n')), stdout);
        return 0;
    case StartOptions::Action::UsageError:
        std::fputs(qPrintable(QStringLiteral("velmora: ") + options.error + QStringLiteral("\n\n") + helpText()),
                   stderr);
        return 2;
    case StartOptions::Action::Run:
        break;
    }
    return 0;
}

} // namespace commandline
