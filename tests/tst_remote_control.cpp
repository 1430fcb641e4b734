// Remote control: switching the controller to remote and back, the setpoint
// poll, and the arrow buttons beside the dial.
#include "TestHelpers.h"
#include "MainWindowFixture.h"
#include "platform/Shape.h"
#include "platform/Timer.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

const QString Title = QStringLiteral("Remote Control");
const ShownMessage On{QStringLiteral("Remote Control Mode ON"), Title, MessageIcon::Information};
const ShownMessage OnFailed{QStringLiteral("Remote Control failed"), Title, MessageIcon::Exclamation};
const ShownMessage Off{QStringLiteral("Remote Control Mode OFF"), Title, MessageIcon::Information};
const ShownMessage OffFailed{QStringLiteral("Main Control failed"), Title, MessageIcon::Exclamation};

// Whether the controls that remote control locks are locked.
bool othersLocked(const frmMain &w)
{
    return !w.cmdCalibrate->isEnabled() && !w.cmdParameters->isEnabled() && !w.cmdMonitor->isEnabled()
           && !w.cmdSetup->isEnabled() && !w.FrameConnect->isEnabled();
}
bool othersUnlocked(const frmMain &w)
{
    return w.cmdCalibrate->isEnabled() && w.cmdParameters->isEnabled() && w.cmdMonitor->isEnabled()
           && w.cmdSetup->isEnabled() && w.FrameConnect->isEnabled();
}

qsizetype setpointCommands(const MainWindowFixture &f)
{
    qsizetype n = 0;
    for (const QByteArray &c : f.port.commands())
        n += c.startsWith("%RS");
    return n;
}

} // namespace

class tst_RemoteControl : public QObject
{
    Q_OBJECT
private slots:
    void entering_data()
    {
        QTest::addColumn<QByteArray>("c0Reply");
        QTest::addColumn<QByteArray>("r1Reply");
        QTest::addColumn<QList<ShownMessage>>("messages");
        QTest::addColumn<bool>("polling");
        QTest::newRow("OK") << QByteArray("OK\r") << QByteArray("OK\r") << QList<ShownMessage>{On} << true;
        QTest::newRow("FAIL") << QByteArray("OK\r") << QByteArray("FAIL\r") << QList<ShownMessage>{OnFailed} << false;
        QTest::newRow("no answer") << QByteArray("OK\r") << QByteArray() << QList<ShownMessage>{} << false;
        // The answer to "%C0" is not examined.
        QTest::newRow("%C0 FAIL, %R1 OK") << QByteArray("FAIL\r") << QByteArray("OK\r") << QList<ShownMessage>{On} << true;
        QTest::newRow("%C0 OK, %R1 silent") << QByteArray("OK\r") << QByteArray() << QList<ShownMessage>{} << false;
    }
    void entering()
    {
        QFETCH(QByteArray, c0Reply);
        QFETCH(QByteArray, r1Reply);
        QFETCH(bool, polling);
        MainWindowFixture f;
        f.startWithDevice();
        f.port.answer("%C0", c0Reply);
        if (!r1Reply.isEmpty())
            f.port.answer("%R1", r1Reply);
        bool lockedBeforeSending = false;
        f.port.onCommand = [&](int, const QByteArray &command) {
            if (command == "%C0")
                lockedBeforeSending = f.window->cmdRemoteControl->text() == QStringLiteral("Exit Control")
                                      && othersLocked(*f.window);
        };
        QList<QByteArray> sentWhenReported;
        bool pollingWhenReported = true;
        f.dialogs.onMessage = [&](const ShownMessage &) {
            sentWhenReported = f.port.commands();
            pollingWhenReported = f.window->tmrRScan->isEnabled();
        };

        click(f.window->cmdRemoteControl);
        QVERIFY(lockedBeforeSending);
        QCOMPARE(f.port.commands().mid(0, 2), (QList<QByteArray>{"%C0", "%R1"}));
        QTEST(f.dialogs.messages, "messages");
        if (!f.dialogs.messages.isEmpty()) {
            // Reported after the second wait, before any setpoint goes out.
            QCOMPARE(sentWhenReported, (QList<QByteArray>{"%C0", "%R1"}));
            QVERIFY(!pollingWhenReported);
        }
        QCOMPARE(f.window->tmrRScan->isEnabled(), polling);
        QTest::qWait(350);
        QCOMPARE(setpointCommands(f) > 0, polling);
        QCOMPARE(f.window->cmdRemoteControl->text(), QStringLiteral("Exit Control"));
        QVERIFY(f.window->cmdRemoteControl->isEnabled());
        QVERIFY(othersLocked(*f.window));
        QVERIFY(f.window->cmdReport->isEnabled());
    }

    void leaving_data()
    {
        QTest::addColumn<QByteArray>("c1Reply");
        QTest::addColumn<QList<ShownMessage>>("messages");
        QTest::newRow("OK") << QByteArray("OK\r") << QList<ShownMessage>{Off};
        QTest::newRow("FAIL") << QByteArray("FAIL\r") << QList<ShownMessage>{OffFailed};
        QTest::newRow("no answer") << QByteArray() << QList<ShownMessage>{};
    }
    void leaving()
    {
        QFETCH(QByteArray, c1Reply);
        MainWindowFixture f;
        f.startWithDevice();
        f.port.answer("%C0", "OK\r");
        f.port.answer("%R1", "OK\r");
        if (!c1Reply.isEmpty())
            f.port.answer("%C1", c1Reply);
        click(f.window->cmdRemoteControl);
        QTRY_VERIFY(setpointCommands(f) >= 2);
        f.dialogs.messages.clear();

        bool pollingWhenLeaving = true;
        f.port.onCommand = [&](int, const QByteArray &command) {
            if (command == "%C1")
                pollingWhenLeaving = f.window->tmrRScan->isEnabled();
        };
        QString captionWhenReported;
        f.dialogs.onMessage = [&](const ShownMessage &) { captionWhenReported = f.window->cmdRemoteControl->text(); };
        click(f.window->cmdRemoteControl);
        const qsizetype setpointsAtExit = setpointCommands(f);
        QVERIFY(!pollingWhenLeaving);
        QCOMPARE(f.port.commands().last(), QByteArray("%C1"));
        QTEST(f.dialogs.messages, "messages");
        if (!f.dialogs.messages.isEmpty())
            QCOMPARE(captionWhenReported, QStringLiteral("Exit Control"));
        QCOMPARE(f.window->cmdRemoteControl->text(), QStringLiteral("Remote Control"));
        QVERIFY(othersUnlocked(*f.window));

        // Whatever the answer, no setpoint follows.
        QTest::qWait(350);
        QCOMPARE(setpointCommands(f), setpointsAtExit);
        QCOMPARE(f.port.commands().last(), QByteArray("%C1"));
    }

    void exitDuringTheEnteringWaitsDoesNothing()
    {
        MainWindowFixture f;
        f.startWithDevice();
        f.port.answer("%C0", "OK\r");
        f.port.answer("%R1", "OK\r");
        f.port.answer("%C1", "OK\r");
        // "Exit Control" pressed during the wait for "%C0"'s answer.
        QString captionAfterPress;
        QTimer::singleShot(100, [&] {
            click(f.window->cmdRemoteControl);
            captionAfterPress = f.window->cmdRemoteControl->text();
        });
        click(f.window->cmdRemoteControl);
        QCOMPARE(captionAfterPress, QStringLiteral("Exit Control"));
        QVERIFY(othersLocked(*f.window));
        QCOMPARE(f.port.commands(), (QList<QByteArray>{"%C0", "%R1"}));
        QCOMPARE(f.dialogs.messages, QList<ShownMessage>{On});
        QCOMPARE(f.window->cmdRemoteControl->text(), QStringLiteral("Exit Control"));

        // A press after the waits leaves remote control for good.
        QTRY_VERIFY(setpointCommands(f) >= 1);
        click(f.window->cmdRemoteControl);
        const qsizetype setpointsAtExit = setpointCommands(f);
        QTest::qWait(300);
        QCOMPARE(setpointCommands(f), setpointsAtExit);
        QCOMPARE(f.dialogs.messages, (QList<ShownMessage>{On, Off}));
    }

    void pollSendsTheSetpointAndFlashesTheLamp()
    {
        MainWindowFixture f;
        f.startWithDevice();
        f.window->tmrRScan_Timer();
        // The setpoint, then the live record that shows where the valve goes.
        QCOMPARE(f.port.written(), QByteArray("%RS0000\r?C\r"));
        QCOMPARE(f.window->shpTx->fillColor(), QColor(255, 255, 0));
        QVERIFY(f.window->link.tmrTx->isEnabled());
        QTRY_COMPARE(f.window->shpTx->fillColor(), QColor(192, 192, 192));
        // The setpoint is not awaited: the flags and the command line stay as they were.
        f.window->link.ReplyOk = true;
        f.window->tmrRScan_Timer();
        QVERIFY(f.window->link.ReplyOk);
        QVERIFY(f.window->link.TxCommand.isEmpty());
    }

    void arrowsStepTheSetpoint_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("up");
        QTest::addColumn<int>("presses");
        QTest::addColumn<int>("expected");
        QTest::newRow("five up from 500") << 500 << true << 5 << 505;
        QTest::newRow("up at 1000") << 1000 << true << 1 << 1000;
        QTest::newRow("up to 1000") << 998 << true << 4 << 1000;
        QTest::newRow("down at 0") << 0 << false << 1 << 0;
        QTest::newRow("down from 3") << 3 << false << 5 << 0;
        QTest::newRow("down") << 500 << false << 2 << 498;
    }
    void arrowsStepTheSetpoint()
    {
        QFETCH(int, start);
        QFETCH(bool, up);
        QFETCH(int, presses);
        MainWindowFixture f;
        f.startWithDevice();
        f.window->RemoteSetpoint = int16_t(start);
        for (int i = 0; i < presses; ++i)
            click(up ? f.window->cmdUp : f.window->cmdDown);
        QTEST(int(f.window->RemoteSetpoint), "expected");
        // The arrows only change the value; outside remote control nothing is sent.
        QTest::qWait(150);
        QCOMPARE(f.port.written(), QByteArray());
    }

    // Through UpdateDial, which turns the setpoint into its text.
    void pollSendsWhatTheArrowsSet_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("ups");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("command");
        QTest::newRow("0") << 0 << 0 << "0.0" << QByteArray("%RS0000");
        QTest::newRow("five up from 500") << 500 << 5 << "50.5" << QByteArray("%RS0505");
        QTest::newRow("1000") << 999 << 3 << "100.0" << QByteArray("%RS1000");
    }
    void pollSendsWhatTheArrowsSet()
    {
        QFETCH(int, start);
        QFETCH(int, ups);
        QFETCH(QByteArray, command);
        MainWindowFixture f;
        f.startWithDevice();
        f.port.answer("%R1", "OK\r");
        f.window->RemoteSetpoint = int16_t(start);
        f.window->UpdateDial();
        for (int i = 0; i < ups; ++i)
            click(f.window->cmdUp);
        QTEST(f.window->txtRSP->text(), "shown");
        click(f.window->cmdRemoteControl);
        QTRY_VERIFY(setpointCommands(f) >= 2);
        const QList<QByteArray> commands = f.port.commands();
        QCOMPARE(commands.last(), QByteArray("?C"));
        QCOMPARE(commands[commands.size() - 2], command);
        QVERIFY(f.port.written().endsWith(command + "\r?C\r"));
    }

    void secondEntrySendsTheValueLeftFromTheFirst()
    {
        MainWindowFixture f;
        f.startWithDevice();
        f.port.answer("%R1", "OK\r");
        f.window->RemoteSetpoint = 374;
        click(f.window->cmdUp);
        click(f.window->cmdRemoteControl);
        QTRY_VERIFY(setpointCommands(f) >= 1);
        click(f.window->cmdRemoteControl);
        f.port.clearWrites();
        click(f.window->cmdRemoteControl);
        QTRY_VERIFY(setpointCommands(f) >= 1);
        const QList<QByteArray> commands = f.port.commands();
        QCOMPARE(commands.mid(commands.indexOf("%RS0375"), 2), (QList<QByteArray>{"%RS0375", "?C"}));
        QCOMPARE(commands.count("%RS0375"), setpointCommands(f));
    }
};

QTEST_MAIN(tst_RemoteControl)
#include "tst_remote_control.moc"
