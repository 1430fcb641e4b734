// The command line: how arguments are read, and what the built programs
// answer, with their exit status, on a terminal without a display.
#include "BuiltPrograms.h"
#include "Version.h"
#include "app/CommandLine.h"
#include "recording/RecordFile.h"

#include <QTemporaryDir>
#include <QtTest>

using Action = StartOptions::Action;

class tst_CommandLine : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString goodRecord;
    QString badRecord;

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        goodRecord = dir.filePath(QStringLiteral("run.rec"));
        QVERIFY(recordfile::write(goodRecord, std::vector<RecordSample>(3, RecordSample{1.0f, 2.0f})));
        badRecord = dir.filePath(QStringLiteral("notes.txt"));
        QFile bad(badRecord);
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("these are not samples\n");
    }

    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Action>("action");
        QTest::addColumn<bool>("simulate");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("error");

        const QString none;
        QTest::newRow("no options") << QStringList{} << Action::Run << false << none << none << none;
        QTest::newRow("--simulate") << QStringList{"--simulate"} << Action::Run << true << none << none << none;
        QTest::newRow("--port DEVICE") << QStringList{"--port", "/dev/pts/3"} << Action::Run << false << "/dev/pts/3"
                                       << none << none;
        QTest::newRow("--port=DEVICE") << QStringList{"--port=/dev/serial/by-id/usb-X-if00"} << Action::Run << false
                                       << "/dev/serial/by-id/usb-X-if00" << none << none;
        QTest::newRow("--report FILE") << QStringList{"--report", "a b.rec"} << Action::Run << false << none
                                       << "a b.rec" << none;
        QTest::newRow("--report with --simulate")
            << QStringList{"--simulate", "--report", "x.rec"} << Action::Run << true << none << "x.rec" << none;
        QTest::newRow("--help") << QStringList{"--help"} << Action::ShowHelp << false << none << none << none;
        QTest::newRow("-h wins over the rest") << QStringList{"--port", "/dev/x", "-h"} << Action::ShowHelp << false
                                               << none << none << none;
        QTest::newRow("--version") << QStringList{"--version"} << Action::ShowVersion << false << none << none << none;
        QTest::newRow("-v") << QStringList{"-v"} << Action::ShowVersion << false << none << none << none;
        QTest::newRow("unknown option") << QStringList{"--bogus"} << Action::UsageError << false << none << none
                                        << "Unknown option 'bogus'.";
        QTest::newRow("unknown option beside --help") << QStringList{"--help", "--bogus"} << Action::UsageError
                                                      << false << none << none << "Unknown option 'bogus'.";
        QTest::newRow("--port without a device") << QStringList{"--port"} << Action::UsageError << false << none
                                                 << none << "Missing value after '--port'.";
        QTest::newRow("--port with an empty device") << QStringList{"--port", ""} << Action::UsageError << false
                                                     << none << none << "--port needs a device.";
        QTest::newRow("--port twice") << QStringList{"--port", "/dev/a", "--port", "/dev/b"} << Action::UsageError
                                      << false << none << none << "--port can be given only once.";
        QTest::newRow("--report without a file") << QStringList{"--report"} << Action::UsageError << false << none
                                                 << none << "Missing value after '--report'.";
        QTest::newRow("--simulate and --port") << QStringList{"--simulate", "--port", "/dev/ttyUSB0"}
                                               << Action::UsageError << false << none << none
                                               << "--simulate and --port cannot be used together.";
        QTest::newRow("an argument that is no option") << QStringList{"/dev/ttyUSB0"} << Action::UsageError << false
                                                       << none << none << "Unexpected argument '/dev/ttyUSB0'.";
    }
    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(Action, action);
        QFETCH(bool, simulate);
        QFETCH(QString, port);
        QFETCH(QString, report);
        QFETCH(QString, error);
        const StartOptions options = commandline::parse(QStringList{"velmora"} + arguments);
        QCOMPARE(options.action, action);
        QCOMPARE(options.error, error);
        if (action == Action::Run) {
            QCOMPARE(options.simulate, simulate);
            QCOMPARE(options.port, port);
            QCOMPARE(options.reportFile, report);
        }
    }

    // The built program, run with no display at all.
    void program_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("out");   // texts standard output holds
        QTest::addColumn<QStringList>("err");   // texts standard error holds

        const QString version = QStringLiteral(VELMORA_VERSION);
        const QStringList options{"--simulate", "--port <device>", "--report <file>", "--help", "--version"};
        const QStringList usage = QStringList{"Usage:"} + options;
        const QStringList nothing;
        QTest::newRow("--help") << "velmora" << QStringList{"--help"} << 0 << usage << nothing;
        QTest::newRow("-h") << "velmora" << QStringList{"-h"} << 0 << usage << nothing;
        QTest::newRow("--version") << "velmora" << QStringList{"--version"} << 0
                                   << QStringList{"velmora " + version + "\n"} << nothing;
        QTest::newRow("--bogus") << "velmora" << QStringList{"--bogus"} << 2 << nothing
                                 << QStringList{"velmora: Unknown option 'bogus'."} + usage;
        QTest::newRow("--port without a device") << "velmora" << QStringList{"--port"} << 2 << nothing
                                                 << QStringList{"Missing value after '--port'."} + usage;
        QTest::newRow("--simulate --port") << "velmora" << QStringList{"--simulate", "--port", "/dev/null"} << 2
                                           << nothing << QStringList{"cannot be used together"} + usage;
        QTest::newRow("--port to a missing device") << "velmora" << QStringList{"--port", "/dev/ttyNOSUCH7"} << 1
                                                    << nothing
                                                    << QStringList{"velmora: /dev/ttyNOSUCH7: no such device\n"};
        QTest::newRow("--report of a missing file") << "velmora" << QStringList{"--report", "/nonexistent/a.rec"} << 1
                                                    << nothing
                                                    << QStringList{"velmora: /nonexistent/a.rec: no such file\n"};
        QTest::newRow("--report of a file that is no record")
            << "velmora" << QStringList{"--report", badRecord} << 1 << nothing
            << QStringList{"velmora: " + badRecord + ": not a record file"};
        QTest::newRow("--report of a folder") << "velmora" << QStringList{"--report", dir.path()} << 1 << nothing
                                              << QStringList{"is a folder"};
        // Everything is in order, but there is no display to open the window on.
        QTest::newRow("no display") << "velmora" << QStringList{} << 1 << nothing
                                    << QStringList{"velmora: cannot open a window: no display (DISPLAY is not set)"};
        QTest::newRow("a good report, no display") << "velmora" << QStringList{"--report", goodRecord} << 1 << nothing
                                                   << QStringList{"cannot open a window"};
        QTest::newRow("velmora-sim --version") << "velmora-sim" << QStringList{"--version"} << 0
                                               << QStringList{"velmora-sim " + version + "\n"} << nothing;
        QTest::newRow("velmora-sim --help") << "velmora-sim" << QStringList{"--help"} << 0
                                            << QStringList{"--latency", "--pieces", "--version"} << nothing;
    }
    void program()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QStringList, out);
        QFETCH(QStringList, err);
        const ProgramRun run = built::run(built::program(program), arguments);
        QVERIFY2(!run.crashed, qPrintable(run.err));
        QCOMPARE(run.exitCode, status);
        for (const QString &text : out)
            QVERIFY2(run.out.contains(text), qPrintable(run.out));
        for (const QString &text : err)
            QVERIFY2(run.err.contains(text), qPrintable(run.err));
        if (out.isEmpty())
            QCOMPARE(run.out, QString());
        if (err.isEmpty())
            QCOMPARE(run.err, QString());
        // A program that cannot start says so in one line.
        if (status == 1)
            QCOMPARE(run.err.count(QLatin1Char('\n')), 1);
    }
};

QTEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_command_line.moc"
