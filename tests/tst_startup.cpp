// What velmora starts on: the checks of --port and --report, the serial-port
// control each choice gives, and the two ways to start without scanning all
// ports: a device given by path (here a velmora-sim started by hand, also
// through a link) and a record file with no device at all.
#include "BuiltPrograms.h"
#include "ScriptedDialogs.h"
#include "app/Startup.h"
#include "app/frmMain.h"
#include "app/modMain.h"
#include "platform/PortMap.h"
#include "platform/SerialPortControl.h"
#include "recording/RecordFile.h"
#include "recording/frmHistory.h"
#include "sim/SimulatedSerialPort.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

StartOptions withPort(const QString &port)
{
    StartOptions options;
    options.port = port;
    return options;
}

StartOptions withReport(const QString &file)
{
    StartOptions options;
    options.reportFile = file;
    return options;
}

} // namespace

class tst_Startup : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    QString file(const QString &name, const QByteArray &text)
    {
        const QString path = dir.filePath(name);
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private slots:
    void problem_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("problem");
        const QString none;
        const QString good = file(QStringLiteral("good.rec"), "2\r\n1,2\r\n3,4\r\n");
        const QString truncated = file(QStringLiteral("short.rec"), "3\r\n1,2\r\n");
        QTest::newRow("nothing given") << none << none << none;
        QTest::newRow("a device that exists") << "/dev/null" << none << none;
        QTest::newRow("a device that does not") << "/dev/ttyUSB99x" << none << "/dev/ttyUSB99x: no such device";
        QTest::newRow("a record file") << none << good << none;
        QTest::newRow("a missing file") << none << dir.filePath("gone.rec") << dir.filePath("gone.rec") + ": no such file";
        QTest::newRow("a folder") << none << dir.path() << dir.path() + ": is a folder, not a record file";
        QTest::newRow("a file the reader refuses")
            << none << truncated
            << truncated + ": not a record file (a sample count, then one \"SP,PV\" line per sample)";
        QTest::newRow("a missing device comes first") << "/dev/ttyUSB99x" << truncated
                                                      << "/dev/ttyUSB99x: no such device";
    }
    void problem()
    {
        QFETCH(QString, port);
        QFETCH(QString, report);
        QFETCH(QString, problem);
        StartOptions options;
        options.port = port;
        options.reportFile = report;
        QCOMPARE(startup::problem(options), problem);
    }

    void deviceNames_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("label");
        QTest::newRow("USB CDC") << "/dev/ttyACM0" << "1 (ttyACM0)";
        QTest::newRow("pseudo-terminal") << "/dev/pts/3" << "1 (pts/3)";
        QTest::newRow("by-id link") << "/dev/serial/by-id/usb-FTDI_FT232R_A10K-if00-port0"
                                    << "1 (usb-FTDI_FT232R_A10K-if00-port0)";
        QTest::newRow("by-path link") << "/dev/serial/by-path/pci-0000:00:14.0-usb-0:2:1.0-port0"
                                      << "1 (pci-0000:00:14.0-usb-0:2:1.0-port0)";
        QTest::newRow("a link elsewhere") << "/home/eng/actuator" << "1 (actuator)";
    }
    void deviceNames()
    {
        QFETCH(QString, path);
        QFETCH(QString, label);
        const std::unique_ptr<SerialPortControl> port = startup::serialPort(withPort(path));
        QCOMPARE(port->portLabel(1), label);
        // Discovery has exactly one port to try.
        QCOMPARE(PortMap::forDevice(path).count(), 1);
        QCOMPARE(PortMap::forDevice(path).devicePath(1), path);
    }

    void simulateUsesTheSimulatedActuator()
    {
        StartOptions options;
        options.simulate = true;
        QVERIFY(qobject_cast<SimulatedSerialPort *>(startup::serialPort(options).get()));
    }

    void portFindsAControllerStartedByHand_data()
    {
        QTest::addColumn<bool>("throughLink");
        QTest::newRow("the pseudo-terminal") << false;
        QTest::newRow("a link to it") << true;
    }
    void portFindsAControllerStartedByHand()
    {
        QFETCH(bool, throughLink);
        QProcess sim;
        sim.start(built::program(QStringLiteral("velmora-sim")), QStringList{});
        QVERIFY(sim.waitForStarted());
        QVERIFY(sim.waitForReadyRead(10000));
        const QString terminal = QString::fromLocal8Bit(sim.readLine()).trimmed();
        QVERIFY2(terminal.startsWith(QLatin1String("/dev/pts/")), qPrintable(terminal));
        QString device = terminal;
        if (throughLink) {
            device = dir.filePath(QStringLiteral("actuator"));
            QFile::remove(device);
            QVERIFY(QFile::link(terminal, device));
        }

        const StartOptions options = withPort(device);
        QCOMPARE(startup::problem(options), QString());
        const std::unique_ptr<SerialPortControl> port = startup::serialPort(options);
        modMain data;
        ScriptedDialogs dialogs;
        {
            frmMain window(data, *port, dialogs);
            window.Form_Load();
            const QString name = throughLink ? QStringLiteral("actuator") : terminal.mid(5);
            QCOMPARE(window.lblUSB->text(), QStringLiteral("USB Port: 1 (%1)").arg(name));
            QCOMPARE(window.lblConnect->text(), QStringLiteral("Connected"));
            QCOMPARE(window.lblModel->text(), QStringLiteral("Model No. DMK0-0042"));
            QCOMPARE(window.lblSerial->text(), QStringLiteral("Serial No. S123"));
            QCOMPARE(window.lblVersion->text(), QStringLiteral("Version V4.1"));
            QVERIFY(window.cmdRun->isEnabled());
        }
        sim.terminate();
        QVERIFY(sim.waitForFinished(5000));
    }

    void reportNeedsNoDevice()
    {
        std::vector<RecordSample> samples;
        for (int i = 0; i < 1234; ++i)
            samples.push_back({float(i % 100), float(i % 100) - 5.0f});
        const QString path = dir.filePath(QStringLiteral("valve 7 run.rec"));
        QVERIFY(recordfile::write(path, samples));

        const StartOptions options = withReport(path);
        QCOMPARE(startup::problem(options), QString());
        const std::unique_ptr<SerialPortControl> port = startup::serialPort(options);
        modMain data;
        ScriptedDialogs dialogs;
        frmMain window(data, *port, dialogs);
        window.Form_Load();
        // There is no port to try.
        port->setCommPort(1);
        QVERIFY(!port->open());
        window.show();
        QCOMPARE(window.lblUSB->text(), QStringLiteral("USB Port: Not Found"));
        QVERIFY(!window.cmdRun->isEnabled());
        QVERIFY(!window.FrameControlPanel->isEnabled());

        QVERIFY(window.OpenReport(path));
        auto *report = window.findChild<frmHistory *>();
        QVERIFY(report);
        QVERIFY(report->isVisible());
        QCOMPARE(report->lblPoints->text(), QStringLiteral("1234"));
        QCOMPARE(report->windowTitle(), QStringLiteral("Report - valve 7 run.rec"));
        QCOMPARE(data.ReportCount, 1234);
    }
};

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
