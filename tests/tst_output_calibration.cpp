// The output calibration window, driven modally from the main window's
// "Calibrate Output" / "Calibrate Feedback" buttons.
#include "TestHelpers.h"
#include "MainWindowFixture.h"
#include "service/frmCalOut.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace {

const ShownMessage Success{QStringLiteral("Calibration successful"), QStringLiteral("Settings"), MessageIcon::Information};
const ShownMessage Failure{QStringLiteral("Calibration failed"), QStringLiteral("Settings"), MessageIcon::Exclamation};

enum class Closing { ExitButton, CloseBox, EscapeKey, LeftOpen };

// Opens the window by cmdCalibOut(button) in calibration mode and runs
// `steps` in it while it is modal; the window is then closed as `closing`
// says (and in any case, so that a failed check cannot leave it open).
bool runInWindow(MainWindowFixture &f, int button, const std::function<void(frmCalOut &)> &steps,
                 Closing closing = Closing::ExitButton)
{
    if (f.window->cmdCalibrate->text() == QStringLiteral("Calibrate"))
        click(f.window->cmdCalibrate);
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto *w = qobject_cast<frmCalOut *>(QApplication::activeModalWidget());
        if (!w)
            return;
        ran = true;
        steps(*w);
        if (!w->isVisible())
            return;
        switch (closing) {
        case Closing::ExitButton:
            click(w->cmdExit);
            break;
        case Closing::EscapeKey:
            QTest::keyClick(w, Qt::Key_Escape);
            break;
        case Closing::CloseBox:
        case Closing::LeftOpen:
            break;
        }
        if (w->isVisible())
            w->close(); // the title bar's close box
    });
    click(f.window->cmdCalibOut[button]);
    return ran;
}

QList<QByteArray> stepCommands(const QList<QByteArray> &commands)
{
    QList<QByteArray> steps;
    for (const QByteArray &c : commands)
        if (c.startsWith("%QS") || c.startsWith("%US"))
            steps.append(c);
    return steps;
}

} // namespace

class tst_OutputCalibration : public QObject
{
    Q_OBJECT
private slots:
    void opensInTheChosenMode_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("feedbackMode");
        QTest::newRow("Calibrate Output") << 0 << "Calibrate Output" << "50" << false;
        QTest::newRow("Calibrate Feedback") << 1 << "Calibrate Feedback" << "3300" << true;
    }
    void opensInTheChosenMode()
    {
        QFETCH(int, button);
        QFETCH(QString, caption);
        QFETCH(QString, value);
        QFETCH(bool, feedbackMode);
        MainWindowFixture f;
        f.startWithDevice();
        QList<QByteArray> sentBeforeOpening{"not opened"};
        QVERIFY(runInWindow(f, button, [&](frmCalOut &w) {
            sentBeforeOpening = f.port.commands();
            QCOMPARE(w.windowTitle(), caption);
            QCOMPARE(w.txtValue->text(), value);
            QVERIFY(w.optCoarse->isChecked());
            QVERIFY(w.isModal());
            QCOMPARE(w.Frame1->title(), QStringLiteral("Set Ouput"));
            QCOMPARE(w.cmdSetOut[0]->text(), QStringLiteral("0% = 4mA"));
            QCOMPARE(w.cmdSetOut[4]->text(), QStringLiteral("100% = 20mA"));
        }));
        QCOMPARE(sentBeforeOpening, QList<QByteArray>{"%Q-"});
        QCOMPARE(f.port.commands(), (QList<QByteArray>{"%Q-", "%Q+"}));
        QCOMPARE(f.data.FeedbackMode, feedbackMode);
        // The main window stays in calibration mode.
        QCOMPARE(f.window->cmdCalibrate->text(), QStringLiteral("Exit Calibrate"));
        QVERIFY(f.window->FrameCalib->isEnabled());
    }

    void everyOpeningStartsAfresh()
    {
        MainWindowFixture f;
        f.startWithDevice();
        QVERIFY(runInWindow(f, 0, [](frmCalOut &w) {
            w.optFine->setChecked(true);
            click(w.cmdUp);
        }));
        QString valueOnReopening;
        bool coarseOnReopening = false;
        QVERIFY(runInWindow(f, 0, [&](frmCalOut &w) {
            valueOnReopening = w.txtValue->text();
            coarseOnReopening = w.optCoarse->isChecked();
        }));
        QCOMPARE(valueOnReopening, QStringLiteral("50"));
        QVERIFY(coarseOnReopening);
    }

    void stepsSetTheOutputAtOnce_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("presses");
        QTest::addColumn<int>("value");
        QTest::addColumn<QByteArray>("lastCommand");
        QTest::newRow("Fine up from 50") << 0 << "Fine" << +1 << 1 << 60 << QByteArray("%QS3C00");
        QTest::newRow("Coarse down from 50 stops at 1") << 0 << "Coarse" << -1 << 1 << 1 << QByteArray("%QS0100");
        QTest::newRow("Minute up") << 0 << "Minute" << +1 << 1 << 51 << QByteArray("%QS3300");
        QTest::newRow("Coarse up stops at 4095") << 0 << "Coarse" << +1 << 41 << 4095 << QByteArray("%QSFF0F");
        QTest::newRow("Feedback up stays at 20000") << 1 << "Coarse" << +1 << 168 << 20000 << QByteArray("%US204E");
        QTest::newRow("Feedback down stops at 1000") << 1 << "Coarse" << -1 << 24 << 1000 << QByteArray("%USE803");
        QTest::newRow("Feedback Fine down") << 1 << "Fine" << -1 << 1 << 3290 << QByteArray("%USDA0C");
    }
    void stepsSetTheOutputAtOnce()
    {
        QFETCH(int, button);
        QFETCH(QString, option);
        QFETCH(int, direction);
        QFETCH(int, presses);
        QFETCH(int, value);
        QFETCH(QByteArray, lastCommand);
        MainWindowFixture f;
        f.startWithDevice();
        QString shown;
        int16_t outputValue = 0;
        QVERIFY(runInWindow(f, button, [&](frmCalOut &w) {
            for (QRadioButton *o : {w.optCoarse, w.optFine, w.optMinute})
                if (o->text() == option)
                    QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(6, o->height() / 2)); // on its indicator
            for (int i = 0; i < presses; ++i)
                click(direction > 0 ? w.cmdUp : w.cmdDown);
            shown = w.txtValue->text();
            outputValue = w.OutputValue;
        }));
        QCOMPARE(outputValue, int16_t(value));
        QCOMPARE(shown, QString::number(value));
        const QList<QByteArray> commands = f.port.commands();
        const QList<QByteArray> steps = stepCommands(commands);
        // Every press sends the full value, at a limit too; no step waits.
        QCOMPARE(steps.size(), presses);
        QCOMPARE(steps.last(), lastCommand);
        QCOMPARE(commands.first(), QByteArray("%Q-"));
        QCOMPARE(commands.last(), QByteArray("%Q+"));
        QCOMPARE(commands.size(), presses + 2);
        QVERIFY(f.dialogs.messages.isEmpty());
        QVERIFY(f.port.written().contains(lastCommand + '\r'));
    }

    void typedValueIsNeverRead()
    {
        MainWindowFixture f;
        f.startWithDevice();
        QVERIFY(runInWindow(f, 0, [](frmCalOut &w) {
            QTest::keyClicks(w.txtValue, QStringLiteral("999"));
            w.optFine->setChecked(true);
            click(w.cmdUp);
        }));
        QCOMPARE(stepCommands(f.port.commands()), QList<QByteArray>{"%QS3C00"});
    }

    void storeButtonsSendAndReport_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("point");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QList<ShownMessage>>("messages");
        QTest::newRow("0% = 4mA, OK") << 0 << 0 << QByteArray("OK\r") << QByteArray("%Q03200\r")
                                      << QList<ShownMessage>{Success};
        QTest::newRow("Output 50% = 12mA, FAIL") << 0 << 2 << QByteArray("FAIL\r") << QByteArray("%Q23200\r")
                                                 << QList<ShownMessage>{Failure};
        QTest::newRow("Feedback 100% = 20mA, OK") << 1 << 4 << QByteArray("OK\r") << QByteArray("%U4E40C\r")
                                                  << QList<ShownMessage>{Success};
        QTest::newRow("Feedback 25% = 8mA, no answer") << 1 << 1 << QByteArray() << QByteArray("%U1E40C\r")
                                                       << QList<ShownMessage>{};
    }
    void storeButtonsSendAndReport()
    {
        QFETCH(int, button);
        QFETCH(int, point);
        QFETCH(QByteArray, reply);
        QFETCH(QByteArray, line);
        MainWindowFixture f;
        f.startWithDevice();
        if (!reply.isEmpty())
            f.port.answer(line.chopped(1), reply);
        QByteArray sentByStore;
        QString valueAfter;
        QVERIFY(runInWindow(f, button, [&](frmCalOut &w) {
            f.port.clearWrites();
            click(w.cmdSetOut[point]);
            sentByStore = f.port.written();
            valueAfter = w.txtValue->text();
        }));
        QCOMPARE(sentByStore, line);
        QCOMPARE(sentByStore.size(), 8);
        QTEST(f.dialogs.messages, "messages");
        QCOMPARE(valueAfter, button == 0 ? QStringLiteral("50") : QStringLiteral("3300"));
        QCOMPARE(f.window->link.TxCommand, QString::fromLatin1(line));
    }

    void closingGivesTheOutputBackOnce_data()
    {
        QTest::addColumn<int>("closing");
        QTest::newRow("Exit") << int(Closing::ExitButton);
        QTest::newRow("close box") << int(Closing::CloseBox);
        QTest::newRow("Escape") << int(Closing::EscapeKey);
    }
    void closingGivesTheOutputBackOnce()
    {
        QFETCH(int, closing);
        MainWindowFixture f;
        f.startWithDevice();
        QVERIFY(runInWindow(f, 1, [](frmCalOut &w) { click(w.cmdDown); }, Closing(closing)));
        QCOMPARE(f.port.commands(), (QList<QByteArray>{"%Q-", "%US800C", "%Q+"}));
        QTest::qWait(250);
        QCOMPARE(f.port.commands().count("%Q+"), 1);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void closingDuringAStoreStillReportsItsAnswer()
    {
        MainWindowFixture f;
        f.startWithDevice();
        f.port.answer("%Q03200", "OK\r");
        QVERIFY(runInWindow(f, 0, [](frmCalOut &w) {
            QTimer::singleShot(60, &w, [&w] { w.close(); });
            click(w.cmdSetOut[0]);
        }, Closing::LeftOpen));
        // The output is given back only after the store command's wait.
        QCOMPARE(f.port.commands(), (QList<QByteArray>{"%Q-", "%Q03200", "%Q+"}));
        QCOMPARE(f.dialogs.messages, QList<ShownMessage>{Success});
    }

    void nothingElseIsSentWhileAStoreWaits()
    {
        MainWindowFixture f;
        f.startWithDevice();
        f.port.answer("%Q03200", "FAIL\r");
        // A set command's "OK" would otherwise be taken for the store's answer.
        f.port.answer("%QS3300", "OK\r");
        int16_t valueAfter = 0;
        QVERIFY(runInWindow(f, 0, [&](frmCalOut &w) {
            w.optMinute->setChecked(true);
            QTimer::singleShot(60, &w, [&w] {
                click(w.cmdUp);
                click(w.cmdSetOut[1]);
            });
            click(w.cmdSetOut[0]);
            valueAfter = w.OutputValue;
        }));
        QCOMPARE(f.port.commands(), (QList<QByteArray>{"%Q-", "%Q03200", "%Q+"}));
        QCOMPARE(f.dialogs.messages, QList<ShownMessage>{Failure});
        QCOMPARE(valueAfter, int16_t(50));
    }

    void notOpenedWhileACalibrationWaits()
    {
        MainWindowFixture f;
        f.startWithDevice();
        click(f.window->cmdCalibrate);
        QTimer::singleShot(60, [&] { click(f.window->cmdCalibOut[0]); });
        // Should it open after all, close it so that the test can end.
        QTimer::singleShot(120, [] {
            if (QWidget *w = QApplication::activeModalWidget())
                w->close();
        });
        click(f.window->cmdCalib[0]);
        QTest::qWait(100);
        QCOMPARE(f.port.commands(), QList<QByteArray>{"#A"});
    }
};

QTEST_MAIN(tst_OutputCalibration)
#include "tst_output_calibration.moc"
