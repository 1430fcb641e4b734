// The controller's port failing underneath (cable pulled, controller reset):
// everything stops as its own button would leave it, nothing in memory is
// lost, and the tool finds the controller again by itself. Also a serial
// device that refuses the user.
#include "TestHelpers.h"
#include "MainWindowFixture.h"
#include "SampleParameters.h"
#include "params/frmParameters.h"
#include "platform/Timer.h"
#include "recording/RecordFile.h"
#include "service/frmCalOut.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

QByteArray liveRecord(int sp, int pv)
{
    return QString::asprintf("C%5d,%5d,%5d,10\r", sp, pv, sp - pv).toLatin1();
}

void unplug(MainWindowFixture &f)
{
    f.port.unplug();
    QTRY_COMPARE(f.window->link.state(), SerialLink::State::Lost);
}

void expectLost(const frmMain &w)
{
    QCOMPARE(w.lblConnect->text(), QStringLiteral("Not Connected"));
    QCOMPARE(w.lblUSB->text(), QStringLiteral("USB Port: Lost (ttyTEST1)"));
    QVERIFY(!w.cmdRun->isEnabled());
    QVERIFY(!w.FrameControlPanel->isEnabled());
    QVERIFY(!w.tmrScan->isEnabled());
    QVERIFY(!w.tmrRScan->isEnabled());
    QVERIFY(!w.link.tmrWait->isEnabled());
}

} // namespace

class tst_LinkLoss : public QObject
{
    Q_OBJECT
private slots:
    void unplugWhileScanningAndRecordingKeepsEverySample()
    {
        MainWindowFixture f;
        f.startWithDevice();
        QTemporaryDir dir;
        click(f.window->cmdRun);
        click(f.window->cmdRecord);
        for (int i = 1; i <= 3; ++i) {
            f.port.deliver(liveRecord(100 * i, 90 * i));
            MainWindowFixture::run(15);
            f.sample();
        }
        QCOMPARE(f.data.RecordCount, 3);
        unplug(f);
        expectLost(*f.window);
        QCOMPARE(f.window->cmdRun->text(), QStringLiteral("Scan"));
        QVERIFY(!f.port.isOpen());
        f.port.clearWrites();
        MainWindowFixture::run(300); // no poll goes out to the lost port
        QVERIFY(f.port.writes().isEmpty());
        f.sample(); // the last values are old now: no more samples
        QCOMPARE(f.data.RecordCount, 3);

        // The recording goes on until it is stopped, and saves every sample.
        QCOMPARE(f.window->cmdRecord->text(), QStringLiteral("STOP RC"));
        QVERIFY(f.window->cmdRecord->isEnabled());
        const QString path = dir.filePath(QStringLiteral("run.txt"));
        f.dialogs.saveAnswers.enqueue(path);
        click(f.window->cmdRecord);
        const auto saved = recordfile::read(path);
        QVERIFY(saved);
        QCOMPARE(saved->size(), size_t(3));
        QCOMPARE(saved->back().sp, 30.0f);
        QCOMPARE(saved->back().pv, 27.0f);
    }

    // Each mode ends as its own button would leave it, without a word sent.
    void modesEndWithoutSending_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("monitoring") << QStringLiteral("monitor");
        QTest::newRow("calibration") << QStringLiteral("calibrate");
        QTest::newRow("remote control") << QStringLiteral("remote");
        QTest::newRow("serial-number setup") << QStringLiteral("setup");
    }
    void modesEndWithoutSending()
    {
        QFETCH(QString, mode);
        MainWindowFixture f;
        f.startWithDevice();
        frmMain &w = *f.window;
        f.port.answer("%C0", "OK\r");
        f.port.answer("%R1", "OK\r");
        if (mode == QLatin1String("monitor"))
            click(w.cmdMonitor);
        else if (mode == QLatin1String("calibrate"))
            click(w.cmdCalibrate);
        else if (mode == QLatin1String("remote"))
            click(w.cmdRemoteControl);
        else {
            f.dialogs.inputAnswers.enqueue(QStringLiteral("8261"));
            click(w.cmdSetup);
            QVERIFY(!w.FrameSetup->isHidden());
        }
        MainWindowFixture::run(150);
        unplug(f);
        f.port.clearWrites();
        expectLost(w);
        QCOMPARE(w.cmdMonitor->text(), QStringLiteral("Monitor"));
        QCOMPARE(w.cmdCalibrate->text(), QStringLiteral("Calibrate"));
        QCOMPARE(w.cmdRemoteControl->text(), QStringLiteral("Remote Control"));
        QVERIFY(!w.FrameCalib->isEnabled());
        QVERIFY(w.FrameSetup->isHidden());
        QVERIFY(w.FrameConnect->isEnabled());
        MainWindowFixture::run(200);
        QVERIFY(f.port.writes().isEmpty());
    }

    // A wait in progress ends unanswered at once, and nothing is reported.
    void aWaitInProgressEndsUnanswered()
    {
        MainWindowFixture f;
        f.startWithDevice();
        f.port.answer("#A", "OK\r", 400);
        QTimer::singleShot(50, [&] { f.port.unplug(); });
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!f.window->SendAndWait(QStringLiteral("#A"), 2000));
        QVERIFY(clock.elapsed() < 1900);
        QVERIFY(!f.window->link.ReplyOk && !f.window->link.ReplyFail);
        QVERIFY(!f.window->isWaiting());
        QCOMPARE(f.window->link.tmrWait->interval(), 50);
        // Nothing more can be sent until the controller is back.
        QVERIFY(!f.window->SendAndWait(QStringLiteral("#B"), 50));
        QVERIFY(!f.window->link.write(QStringLiteral("%Q+")));
        QCOMPARE(f.port.commands(), QList<QByteArray>{"#A"});
    }

    // The output calibration window closes by itself; "%Q+" is not sent to a
    // controller that is gone.
    void outputCalibrationWindowClosesWithoutQPlus()
    {
        MainWindowFixture f;
        f.startWithDevice();
        click(f.window->cmdCalibrate);
        bool opened = false;
        QTimer::singleShot(0, [&] {
            opened = qobject_cast<frmCalOut *>(QApplication::activeModalWidget()) != nullptr;
            f.port.unplug();
        });
        // Should it stay open after all, close it so that the test can end.
        QTimer::singleShot(1000, [] {
            if (QWidget *w = QApplication::activeModalWidget())
                w->close();
        });
        QElapsedTimer clock;
        clock.start();
        click(f.window->cmdCalibOut[0]);
        QVERIFY(opened);
        QVERIFY(clock.elapsed() < 900);
        QCOMPARE(f.port.commands(), QList<QByteArray>{"%Q-"});
        expectLost(*f.window);
    }

    // The parameter window stays usable without the controller; its edits
    // are not written into a controller found again meanwhile.
    void parameterWindowOutlivesTheConnection()
    {
        MainWindowFixture f;
        f.startWithDevice();
        const QByteArray block = params::BuildParameterUpload(sampleParameterSet(), false).mid(3).toLatin1();
        f.port.answer("?P", 'P' + block + QByteArray(84, '0') + '\r');
        f.port.answer("*P1" + block, "OK\r");
        bool usableWhileLost = false;
        bool reconnected = false;
        QTimer watch;
        watch.setInterval(10);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            auto *form = qobject_cast<frmParameters *>(QApplication::activeModalWidget());
            if (!form)
                return;
            watch.stop();
            f.port.unplug();
            QTRY_COMPARE(f.window->link.state(), SerialLink::State::Lost);
            usableWhileLost = form->isVisible() && form->cmdModify->isEnabled();
            QTRY_COMPARE_WITH_TIMEOUT(f.window->link.state(), SerialLink::State::Connected, 3000);
            reconnected = true;
            form->cmdModify->click();
            if (form->isVisible())
                form->close();
        });
        watch.start();
        click(f.window->cmdParameters);
        QVERIFY(usableWhileLost);
        QVERIFY(reconnected);
        QCOMPARE(f.port.commands(), (QList<QByteArray>{"?P", "?"}));
        QVERIFY(f.dialogs.messages.isEmpty());
        QCOMPARE(f.data.ParameterSet, sampleParameterSet());
    }

    // The same controller comes back: connected again, its identity shown,
    // the controls usable, and no poll until Scan is pressed.
    void reconnectsToTheControllerWhenItComesBack()
    {
        MainWindowFixture f;
        f.startWithDevice();
        click(f.window->cmdRun);
        unplug(f);
        f.port.clearWrites();
        QTRY_COMPARE_WITH_TIMEOUT(f.window->lblConnect->text(), QStringLiteral("Connected"), 3000);
        const frmMain &w = *f.window;
        QCOMPARE(w.link.state(), SerialLink::State::Connected);
        QCOMPARE(w.lblUSB->text(), QStringLiteral("USB Port: 2 (ttyTEST1)"));
        QCOMPARE(w.lblModel->text(), QStringLiteral("Model No. DMK0-0042"));
        QCOMPARE(w.lblSerial->text(), QStringLiteral("Serial No. S123"));
        QVERIFY(w.cmdRun->isEnabled());
        QVERIFY(w.FrameControlPanel->isEnabled());
        QCOMPARE(w.cmdRun->text(), QStringLiteral("Scan"));
        MainWindowFixture::run(300);
        QCOMPARE(f.port.commands(), QList<QByteArray>{"?"});
        click(f.window->cmdRun);
        MainWindowFixture::run(250);
        QCOMPARE(f.port.commands().mid(1, 2), (QList<QByteArray>{"?C", "?A"}));
    }

    // Another controller in its place is a new connection under its own identity.
    void anotherControllerIsANewConnection()
    {
        MainWindowFixture f;
        f.startWithDevice();
        unplug(f);
        f.port.clearAnswers();
        f.port.setAvailablePorts({3});
        f.port.answer("?", "@V5.0DMK00077S999\r");
        QTRY_COMPARE_WITH_TIMEOUT(f.window->lblConnect->text(), QStringLiteral("Connected"), 3000);
        QCOMPARE(f.window->lblUSB->text(), QStringLiteral("USB Port: 3 (ttyTEST2)"));
        QCOMPARE(f.window->lblModel->text(), QStringLiteral("Model No. DMK0-0077"));
        QCOMPARE(f.window->lblSerial->text(), QStringLiteral("Serial No. S999"));
        QCOMPARE(f.window->lblVersion->text(), QStringLiteral("Version V5.0"));
        QCOMPARE(f.data.SerialNo, QStringLiteral("S999"));
    }

    // While the controller is away the window keeps working: the search runs
    // on timers, never inside a wait.
    void searchingNeverBlocksTheWindow()
    {
        MainWindowFixture f;
        f.startWithDevice();
        unplug(f);
        f.port.clearAnswers(); // every port silent now
        f.port.setAvailablePorts({2, 5, 7});
        int probes = 0;
        bool waitedInside = false;
        f.port.onCommand = [&](int, const QByteArray &command) {
            probes += command == "?";
            waitedInside = waitedInside || f.window->isWaiting();
        };
        QTRY_VERIFY_WITH_TIMEOUT(probes >= 6, 4000); // two rounds over three ports
        QVERIFY(!waitedInside);
        QCOMPARE(f.window->link.state(), SerialLink::State::Lost);
        QCOMPARE(f.window->lblConnect->text(), QStringLiteral("Not Connected"));
    }

    // A serial device that exists but refuses the user is reported as such.
    void noPermissionIsNotNotFound()
    {
        MainWindowFixture f;
        f.port.setAvailablePorts({});
        f.port.setDeniedPorts({1});
        f.window->Form_Load();
        const frmMain &w = *f.window;
        QCOMPARE(w.link.state(), SerialLink::State::NoPermission);
        QCOMPARE(w.lblUSB->text(), QStringLiteral("USB Port: No Permission (ttyTEST0)"));
        QVERIFY(w.lblUSB->toolTip().contains(QLatin1String("sudo adduser $USER dialout")));
        QCOMPARE(w.lblConnect->text(), QStringLiteral("Not Connected"));
        QVERIFY(!w.cmdRun->isEnabled());
        QVERIFY(!w.FrameControlPanel->isEnabled());
    }

    // A refused device beside the controller's port does not matter.
    void noPermissionElsewhereStillConnects()
    {
        MainWindowFixture f;
        f.port.setDeniedPorts({1});
        f.startWithDevice();
        QCOMPARE(f.window->lblConnect->text(), QStringLiteral("Connected"));
        QVERIFY(f.window->lblUSB->toolTip().isEmpty());
    }
};

QTEST_MAIN(tst_LinkLoss)
#include "tst_link_loss.moc"
