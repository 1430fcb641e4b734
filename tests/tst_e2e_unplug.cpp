// End to end: the main window over the QSerialPort implementation, with the
// simulator program (velmora-sim) on a pseudo-terminal reached through a
// fixed link name. Stopping the simulator pulls the cable; starting it again
// plugs the controller back in, under a new terminal behind the same name.
#include "TestHelpers.h"
#include "ScriptedDialogs.h"
#include "app/frmMain.h"
#include "app/modMain.h"
#include "platform/QtSerialPortControl.h"
#include "recording/RecordFile.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// velmora-sim as a program, serving behind `linkPath`.
class Simulator
{
public:
    explicit Simulator(QString linkPath) : m_link(std::move(linkPath)) {}
    ~Simulator() { stop(); }

    bool start()
    {
        m_process.start(QStringLiteral(VELMORA_SIM), {QStringLiteral("--link"), m_link});
        // It prints the terminal's path once the link is in place.
        return m_process.waitForReadyRead(10000) && QFileInfo(m_link).isSymLink();
    }
    // SIGTERM: the simulator closes its terminal and removes the link.
    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        m_process.waitForFinished(10000);
    }

private:
    QString m_link;
    QProcess m_process;
};

} // namespace

class tst_E2eUnplug : public QObject
{
    Q_OBJECT
private slots:
    void unplugWhileRecordingThenPlugBackIn()
    {
        QTemporaryDir dir;
        const QString linkPath = dir.filePath(QStringLiteral("ttyVELMORA"));
        Simulator sim(linkPath);
        QVERIFY(sim.start());

        modMain data;
        QtSerialPortControl port(PortMap({linkPath}));
        ScriptedDialogs dialogs;
        frmMain window(data, port, dialogs);
        window.Form_Load();
        window.show();
        QCOMPARE(window.lblConnect->text(), QStringLiteral("Connected"));

        // Scanning and recording.
        click(window.cmdRun);
        click(window.cmdRecord);
        QTRY_VERIFY_WITH_TIMEOUT(data.RecordCount >= 3, 5000);

        // The cable is pulled.
        int receiveEvents = 0;
        QObject::connect(&port, &SerialPortControl::onComm, [&] { ++receiveEvents; });
        sim.stop();
        QTRY_COMPARE_WITH_TIMEOUT(window.lblConnect->text(), QStringLiteral("Not Connected"), 3000);
        QCOMPARE(window.lblUSB->text(), QStringLiteral("USB Port: Lost (ttyVELMORA)"));
        QCOMPARE(window.cmdRun->text(), QStringLiteral("Scan"));
        QVERIFY(!port.isOpen());
        const int recorded = data.RecordCount;
        const int eventsAtLoss = receiveEvents;
        // Nothing keeps going: the failure was handled once, the port closed,
        // no further receive event, no sample.
        QTest::qWait(1000);
        QCOMPARE(port.failuresHandled(), 1);
        QCOMPARE(receiveEvents, eventsAtLoss);
        QCOMPARE(data.RecordCount, recorded);

        // Plugged back in: connected again, no poll until Scan is pressed.
        int liveRecords = 0;
        QObject::connect(&window.link, &SerialLink::liveRecord, [&] { ++liveRecords; });
        QVERIFY(sim.start());
        QTRY_COMPARE_WITH_TIMEOUT(window.lblConnect->text(), QStringLiteral("Connected"), 3000);
        QCOMPARE(window.lblUSB->text(), QStringLiteral("USB Port: 1 (ttyVELMORA)"));
        QCOMPARE(window.lblModel->text(), QStringLiteral("Model No. DMK0-0042"));
        QCOMPARE(window.lblSerial->text(), QStringLiteral("Serial No. S123"));
        QVERIFY(window.cmdRun->isEnabled());
        QVERIFY(window.FrameControlPanel->isEnabled());
        QTest::qWait(500);
        QCOMPARE(liveRecords, 0);
        QCOMPARE(data.RecordCount, recorded);

        // STOP RC saves every sample recorded before the cable was pulled.
        const QString file = dir.filePath(QStringLiteral("run.txt"));
        dialogs.saveAnswers.enqueue(file);
        click(window.cmdRecord);
        const auto saved = recordfile::read(file);
        QVERIFY(saved);
        QCOMPARE(int(saved->size()), recorded);

        // Scan polls the controller again.
        click(window.cmdRun);
        QTRY_VERIFY_WITH_TIMEOUT(liveRecords >= 2, 3000);
        click(window.cmdRun);
    }
};

QTEST_MAIN(tst_E2eUnplug)
#include "tst_e2e_unplug.moc"
