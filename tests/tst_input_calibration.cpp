// Calibration mode and the zero / span buttons of the five inputs.
#include "TestHelpers.h"
#include "MainWindowFixture.h"
#include "platform/Timer.h"

#include <QGroupBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

// The calibration commands among everything written (the mode also polls).
static QList<QByteArray> calibrationCommands(const QList<QByteArray> &written)
{
    QList<QByteArray> commands;
    for (const QByteArray &command : written)
        if (command.startsWith('#'))
            commands << command;
    return commands;
}

namespace {

const ShownMessage Success{QStringLiteral("Calibration successful"), QStringLiteral("Settings"), MessageIcon::Information};
const ShownMessage Failure{QStringLiteral("Calibration failed"), QStringLiteral("Settings"), MessageIcon::Exclamation};

// The controls that calibration mode switches, as they stand.
struct ModeState
{
    QString caption;
    bool calibFrame, connectFrame, parameters, monitor, remoteControl, setup, report;

    static ModeState of(const frmMain &w)
    {
        return {w.cmdCalibrate->text(),       w.FrameCalib->isEnabled(),   w.FrameConnect->isEnabled(),
                w.cmdParameters->isEnabled(), w.cmdMonitor->isEnabled(),   w.cmdRemoteControl->isEnabled(),
                w.cmdSetup->isEnabled(),      w.cmdReport->isEnabled()};
    }
    friend bool operator==(const ModeState &, const ModeState &) = default;
};

} // namespace

class tst_InputCalibration : public QObject
{
    Q_OBJECT
private slots:
    void modeSwitchesTheStateTableAndBack()
    {
        MainWindowFixture f;
        f.startWithDevice();
        const ModeState normal = ModeState::of(*f.window);
        QCOMPARE(normal, (ModeState{QStringLiteral("Calibrate"), false, true, true, true, true, true, true}));

        click(f.window->cmdCalibrate);
        QCOMPARE(ModeState::of(*f.window),
                 (ModeState{QStringLiteral("Exit Calibrate"), true, false, false, false, false, false, true}));
        QVERIFY(f.window->cmdCalibrate->isEnabled());

        click(f.window->cmdCalibrate);
        QCOMPARE(ModeState::of(*f.window), normal);
        // Switching the mode talks to nobody.
        QCOMPARE(f.port.written(), QByteArray());
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    void buttonsAreLockedOutsideTheMode()
    {
        MainWindowFixture f;
        f.startWithDevice();
        click(f.window->cmdCalib[0]);
        click(f.window->cmdCalibOut[0]);
        QTest::qWait(250);
        QCOMPARE(f.port.written(), QByteArray());
    }

    void eachButtonSendsItsCommand_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("line");
        const char *letters = "ABCDEFGHIJ";
        for (int i = 0; i < 10; ++i)
            QTest::addRow("cmdCalib(%d)", i) << i << (QByteArray("#") + letters[i] + '\r');
    }
    void eachButtonSendsItsCommand()
    {
        QFETCH(int, index);
        QFETCH(QByteArray, line);
        MainWindowFixture f;
        f.startWithDevice();
        f.port.answer(line.chopped(1), "OK\r");
        click(f.window->cmdCalibrate);
        click(f.window->cmdCalib[index]);
        QCOMPARE(f.port.written(), line);
        QCOMPARE(f.dialogs.messages, QList<ShownMessage>{Success});
    }

    void answerIsReportedAfterTheWait_data()
    {
        QTest::addColumn<QList<QByteArray>>("replies");
        QTest::addColumn<QList<ShownMessage>>("messages");
        QTest::newRow("OK") << QList<QByteArray>{"OK\r"} << QList<ShownMessage>{Success};
        QTest::newRow("FAIL") << QList<QByteArray>{"FAIL\r"} << QList<ShownMessage>{Failure};
        QTest::newRow("FAIL, then OK: success first") << QList<QByteArray>{"FAIL\r", "OK\r"}
                                                      << QList<ShownMessage>{Success, Failure};
        QTest::newRow("no answer") << QList<QByteArray>{} << QList<ShownMessage>{};
    }
    void answerIsReportedAfterTheWait()
    {
        QFETCH(QList<QByteArray>, replies);
        MainWindowFixture f;
        f.startWithDevice();
        for (int i = 0; i < replies.size(); ++i)
            f.port.answer("#F", replies[i], 5 + 30 * i);
        bool shownAfterTheWait = true;
        f.dialogs.onMessage = [&](const ShownMessage &) {
            shownAfterTheWait = shownAfterTheWait && f.window->link.WaitElapsed && f.window->link.tmrWait->interval() == 50;
        };
        click(f.window->cmdCalibrate);
        click(f.window->cmdCalib[5]);
        QCOMPARE(f.port.written(), QByteArray("#F\r"));
        QTEST(f.dialogs.messages, "messages");
        QVERIFY(shownAfterTheWait);
        QCOMPARE(f.window->link.tmrWait->interval(), 50);
        // The mode stays on for another try.
        QCOMPARE(f.window->cmdCalibrate->text(), QStringLiteral("Exit Calibrate"));
    }

    void aPressDuringAWaitDoesNothing()
    {
        MainWindowFixture f;
        f.startWithDevice();
        f.port.answer("#A", "OK\r");
        f.port.answer("#B", "FAIL\r");
        click(f.window->cmdCalibrate);
        QList<QByteArray> atTheMessage;
        f.dialogs.onMessage = [&](const ShownMessage &) { atTheMessage = f.port.commands(); };
        QTimer::singleShot(80, [&] { click(f.window->cmdCalib[1]); });
        click(f.window->cmdCalib[0]);
        QTest::qWait(300);
        QCOMPARE(atTheMessage, QList<QByteArray>{"#A"}); // no poll during the wait either
        QCOMPARE(calibrationCommands(f.port.commands()), QList<QByteArray>{"#A"});
        QCOMPARE(f.dialogs.messages, QList<ShownMessage>{Success});
    }

    // In calibration mode the live record is polled every 100 ms, so the
    // engineer sees what the inputs read; leaving the mode stops it.
    void calibrationModePollsTheLiveRecord()
    {
        MainWindowFixture f;
        f.startWithDevice();
        f.port.answer("?C", "C  123,  456,    0,00\r");
        click(f.window->cmdCalibrate);
        QVERIFY(f.window->tmrScan->isEnabled());
        QCOMPARE(f.window->tmrScan->interval(), 100);
        QTRY_VERIFY(f.port.commands().size() >= 3);
        for (const QByteArray &command : f.port.commands())
            QCOMPARE(command, QByteArray("?C"));
        QTRY_COMPARE(f.window->Live.pv.text, QStringLiteral("45.6"));

        click(f.window->cmdCalibrate);
        QVERIFY(!f.window->tmrScan->isEnabled());
        f.port.clearWrites();
        QTest::qWait(250);
        QVERIFY(f.port.writes().isEmpty());
    }
};

QTEST_MAIN(tst_InputCalibration)
#include "tst_input_calibration.moc"
