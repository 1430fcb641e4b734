// Every answer is credited to its own command: a late "OK" of a setpoint or
// an output step never counts for the command written after it, and nothing
// is written between a command and its answer.
#include "TestHelpers.h"
#include "MainWindowFixture.h"
#include "service/frmCalOut.h"

#include <QApplication>
#include <QElapsedTimer>
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

const ShownMessage RemoteOn{QStringLiteral("Remote Control Mode ON"), QStringLiteral("Remote Control"),
                            MessageIcon::Information};
const ShownMessage CalibrationFailed{QStringLiteral("Calibration failed"), QStringLiteral("Settings"),
                                     MessageIcon::Exclamation};
const ShownMessage CalibrationDone{QStringLiteral("Calibration successful"), QStringLiteral("Settings"),
                                   MessageIcon::Information};

} // namespace

class tst_ReplyCrediting : public QObject
{
    Q_OBJECT
private slots:
    // The controller acknowledges each setpoint 80 ms late and never answers
    // "%C1": leaving remote control right after a setpoint went out must not
    // report "Remote Control Mode OFF".
    void lateSetpointAckIsNotTheAnswerToLeaving()
    {
        MainWindowFixture f;
        f.startWithDevice();
        f.port.answer("%C0", "OK\r");
        f.port.answer("%R1", "OK\r");
        f.port.answer("%RS0000", "OK\r", 80);
        int setpoints = 0;
        f.port.onCommand = [&](int, const QByteArray &command) {
            if (command.startsWith("%RS") && ++setpoints == 3)
                QTimer::singleShot(0, [&] { click(f.window->cmdRemoteControl); });
        };
        click(f.window->cmdRemoteControl);
        QCOMPARE(f.dialogs.messages, QList<ShownMessage>{RemoteOn});
        QTRY_COMPARE(f.window->cmdRemoteControl->text(), QStringLiteral("Remote Control"));
        MainWindowFixture::run(300); // late answers still come in
        QCOMPARE(f.dialogs.messages, QList<ShownMessage>{RemoteOn});
        QCOMPARE(f.port.commands().last(), QByteArray("%C1"));
        QVERIFY(!f.window->link.ReplyOk);
    }

    // A store pressed just after a step whose "OK" comes 80 ms late: the
    // store is refused, and only that is reported.
    void lateStepAckIsNotTheAnswerToAStore()
    {
        MainWindowFixture f;
        f.startWithDevice();
        f.port.answer("%Q-", "OK\r");
        f.port.answer("%QS9600", "OK\r", 80);
        f.port.answer("%Q09600", "FAIL\r");
        click(f.window->cmdCalibrate);
        QTimer::singleShot(0, [&] {
            auto *w = qobject_cast<frmCalOut *>(QApplication::activeModalWidget());
            if (!w)
                return;
            click(w->cmdUp); // 50 -> 150
            click(w->cmdSetOut[0]);
            w->close();
        });
        click(f.window->cmdCalibOut[0]);
        QCOMPARE(f.port.commands(), (QList<QByteArray>{"%Q-", "%QS9600", "%Q09600", "%Q+"}));
        QCOMPARE(f.dialogs.messages, QList<ShownMessage>{CalibrationFailed});
    }

    // The store's own "OK" still counts after a step that was answered in time.
    void storeAfterAnAnsweredStepReportsItsOwnAnswer()
    {
        MainWindowFixture f;
        f.startWithDevice();
        f.port.answer("%Q-", "OK\r");
        f.port.answer("%QS9600", "FAIL\r", 20);
        f.port.answer("%Q09600", "OK\r");
        click(f.window->cmdCalibrate);
        QTimer::singleShot(0, [&] {
            auto *w = qobject_cast<frmCalOut *>(QApplication::activeModalWidget());
            if (!w)
                return;
            click(w->cmdUp);
            click(w->cmdSetOut[0]);
            w->close();
        });
        click(f.window->cmdCalibOut[0]);
        QCOMPARE(f.dialogs.messages, QList<ShownMessage>{CalibrationDone});
    }

    // "Exit Calibrate" and "Scan" pressed while a calibration waits for its
    // answer do nothing: no poll goes out in the middle of the wait.
    void modeButtonsWaitForTheAnswer()
    {
        MainWindowFixture f;
        f.startWithDevice();
        f.port.answer("#A", "OK\r", 150);
        click(f.window->cmdCalibrate);
        QTimer::singleShot(30, [&] { click(f.window->cmdCalibrate); });
        QTimer::singleShot(60, [&] { click(f.window->cmdRun); });
        QTimer::singleShot(90, [&] { click(f.window->cmdMonitor); });
        QList<QByteArray> atTheMessage;
        f.dialogs.onMessage = [&](const ShownMessage &) { atTheMessage = f.port.commands(); };
        click(f.window->cmdCalib[0]);
        QCOMPARE(f.dialogs.messages, QList<ShownMessage>{CalibrationDone});
        QCOMPARE(atTheMessage, QList<QByteArray>{"#A"});
        MainWindowFixture::run(250);
        // Afterwards calibration mode polls the live record again.
        QCOMPARE(calibrationCommands(f.port.commands()), QList<QByteArray>{"#A"});
        QVERIFY(!f.port.commands().contains("?A"));
        QCOMPARE(f.window->cmdCalibrate->text(), QStringLiteral("Exit Calibrate"));
        QCOMPARE(f.window->cmdRun->text(), QStringLiteral("Scan"));
        QVERIFY(!f.window->FrameConnect->isEnabled());
    }

    // Nothing is written by the link while a command waits: not a poll, not
    // an unawaited command.
    void theLinkWritesNothingDuringAWait()
    {
        MainWindowFixture f;
        f.startWithDevice();
        bool pollWritten = true;
        bool writeWritten = true;
        QTimer::singleShot(50, [&] {
            pollWritten = f.window->link.poll(QStringLiteral("?C"));
            writeWritten = f.window->link.write(QStringLiteral("%QS9600"));
        });
        QVERIFY(f.window->SendAndWait(QStringLiteral("#B"), 200));
        QVERIFY(!pollWritten);
        QVERIFY(!writeWritten);
        QCOMPARE(f.port.commands(), QList<QByteArray>{"#B"});
    }

    // A wait lets the answer still owed to an earlier step in first, so the
    // command goes out after it; a step never answered holds it only for a
    // bounded time.
    void aWaitLetsOwedAnswersInFirst_data()
    {
        QTest::addColumn<bool>("stepAnswered");
        QTest::newRow("step answered late") << true;
        QTest::newRow("step never answered") << false;
    }
    void aWaitLetsOwedAnswersInFirst()
    {
        QFETCH(bool, stepAnswered);
        MainWindowFixture f;
        f.startWithDevice();
        if (stepAnswered)
            f.port.answer("%QS9600", "OK\r", 80);
        f.port.answer("#A", "OK\r");
        bool owedWhenWritten = true;
        f.port.onCommand = [&](int, const QByteArray &command) {
            if (command == "#A")
                owedWhenWritten = f.window->link.outstanding().size() > 1;
        };
        QVERIFY(f.window->link.write(QStringLiteral("%QS9600")));
        QVERIFY(f.window->SendAndWait(QStringLiteral("#A"), 200));
        QVERIFY(!owedWhenWritten);
        QVERIFY(f.window->link.ReplyOk);
        QVERIFY(!f.window->link.ReplyFail);
        QCOMPARE(f.port.commands(), (QList<QByteArray>{"%QS9600", "#A"}));
    }
};

QTEST_MAIN(tst_ReplyCrediting)
#include "tst_reply_crediting.moc"
