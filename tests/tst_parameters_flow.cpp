// The Parameters button end to end on the real main window: the "?P" read,
// the modal parameter window driven from the test, the "*P1" / "*P2" upload
// and the messages after the controller's answer.
#include "MainWindowFixture.h"
#include "params/ParameterFile.h"
#include "params/frmParameters.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

ParameterSet sampleSet()
{
    ParameterSet p;
    p.SPZero = 300; p.SPSpan = 3800; p.PVZero = 310; p.PVSpan = 3790; p.LVZero = 5; p.LVSpan = 4000;
    p.CoarseControlUp = 15; p.FineControlUp = 5; p.OilLevelAlarm = 250; p.AlarmHysteresis = 20;
    p.pswd = {0, 4, 2, 9};
    p.CoarseControlDn = 16; p.FineControlDn = 6; p.PulseDelay = 25;
    p.SPFail = 1; p.PVFail = 2;
    p.CoutZero = 100; p.CoutSpan = 32767; p.Cout25 = 2; p.Cout50 = 3; p.Cout75 = 4; p.PRZero = 7; p.PRSpan = 8;
    p.LevelSwOpt = 1; p.PressureSwOpt = 0;
    p.PressureValueLow = 0; p.PressureValueHigh = 160; p.PressureLow = 20; p.PressurePumpOn = 40; p.PressurePumpOff = 80;
    return p;
}

// The first 58 bytes of sampleSet(), as the controller sends them and as an
// unchanged Modify writes them back.
const QByteArray SamplePayload =
    "2C01D80E3601CE0E0500A00F0F000500FA0014000004020910000600190001026400FF7F0200030004000700080001000000A000140028005000";

QByteArray blockReply(const QByteArray &payload)
{
    return 'P' + payload + QByteArray(2 * (params::BlockBytes - params::UploadBytes), 'E') + '\r';
}

const ShownMessage Success{QStringLiteral("Settings modified successfully"), QStringLiteral("Settings"),
                           MessageIcon::Information};
const ShownMessage Failure{QStringLiteral("Settings modification failed"), QStringLiteral("Settings"),
                           MessageIcon::Exclamation};

} // namespace

class tst_ParametersFlow : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainWindowFixture> f;
    QTimer watch;          // looks for the modal parameter window
    bool opened = false;   // it was seen open
    std::function<void(frmParameters &)> onOpen;

    // Runs `action` on the parameter window as soon as it is shown modally.
    void whenOpen(std::function<void(frmParameters &)> action) { onOpen = std::move(action); }

    // The controller answers every upload line with `replies`, `delayMs` apart.
    void answerUploads(const QList<QByteArray> &replies, int firstDelayMs = 20, int delayMs = 40)
    {
        f->port.onCommand = [this, replies, firstDelayMs, delayMs](int, const QByteArray &command) {
            if (!command.startsWith("*P"))
                return;
            int delay = firstDelayMs;
            for (const QByteArray &reply : replies) {
                f->port.deliver(reply + '\r', delay);
                delay += delayMs;
            }
        };
    }

private slots:
    void initTestCase()
    {
        watch.setInterval(10);
        connect(&watch, &QTimer::timeout, this, [this] {
            auto *form = qobject_cast<frmParameters *>(QApplication::activeModalWidget());
            if (!form || opened)
                return;
            opened = true;
            if (onOpen)
                onOpen(*form);
        });
    }
    void init()
    {
        f = std::make_unique<MainWindowFixture>();
        f->startWithDevice();
        opened = false;
        onOpen = [](frmParameters &form) { form.cmdCancel->click(); };
        watch.start();
    }
    void cleanup()
    {
        watch.stop();
        f.reset();
    }

    // No block within the wait, or one the decoder refuses: no window, no message.
    void noBlockOpensNothing_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("no answer") << QByteArray();
        QTest::newRow("one digit short") << blockReply(SamplePayload).remove(5, 1);
        QTest::newRow("word beyond 32767") << blockReply("0080" + SamplePayload.mid(4));
        QTest::newRow("too late") << QByteArray("late");
    }
    void noBlockOpensNothing()
    {
        QFETCH(QByteArray, reply);
        if (reply == "late")
            f->port.answer("?P", blockReply(SamplePayload), 450);
        else if (!reply.isEmpty())
            f->port.answer("?P", reply);
        f->window->ParamsReceived = true; // left over from an earlier read
        f->window->cmdParameters->click();

        QVERIFY(!opened);
        QCOMPARE(f->port.commands(), QList<QByteArray>{"?P"});
        QVERIFY(f->dialogs.messages.isEmpty());
        f->run(300);
        QVERIFY(!opened);
    }

    void blockFillsTheWindowAndCancelSendsNothing()
    {
        f->port.answer("?P", blockReply(SamplePayload), 20, 0, 3);
        QStringList shown;
        QString password;
        whenOpen([&](frmParameters &form) {
            for (const QLineEdit *box : form.txtPara)
                shown << box->text();
            password = form.txtPassWord->text();
            form.cmdCancel->click();
        });
        f->window->cmdParameters->click();

        QVERIFY(opened);
        QCOMPARE(shown, (QStringList{"1.5", "1.6", "0.5", "0.6", "25.0", "2.0", "25", "0", "160", "20", "40", "80"}));
        QCOMPARE(password, QStringLiteral("0429"));
        QCOMPARE(f->data.ParameterSet, sampleSet());
        f->run(100);
        QCOMPARE(f->port.commands(), QList<QByteArray>{"?P"});
        QVERIFY(f->dialogs.messages.isEmpty());
    }

    // Modify sends "*P1" and the block, then reports the answer of the wait.
    void modifySendsAndReports_data()
    {
        QTest::addColumn<QList<QByteArray>>("replies");
        QTest::addColumn<int>("firstDelay");
        QTest::addColumn<QList<ShownMessage>>("messages");
        QTest::newRow("OK") << QList<QByteArray>{"OK"} << 20 << QList<ShownMessage>{Success};
        QTest::newRow("OK with more text") << QList<QByteArray>{"OK P1"} << 20 << QList<ShownMessage>{Success};
        QTest::newRow("FAIL") << QList<QByteArray>{"FAIL"} << 20 << QList<ShownMessage>{Failure};
        QTest::newRow("OK then FAIL") << QList<QByteArray>{"OK", "FAIL"} << 20 << QList<ShownMessage>{Success, Failure};
        QTest::newRow("FAIL then OK: success first") << QList<QByteArray>{"FAIL", "OK"} << 20
                                                     << QList<ShownMessage>{Success, Failure};
        QTest::newRow("no answer") << QList<QByteArray>{} << 20 << QList<ShownMessage>{};
        QTest::newRow("answer after the wait") << QList<QByteArray>{"OK"} << 700 << QList<ShownMessage>{};
    }
    void modifySendsAndReports()
    {
        QFETCH(QList<QByteArray>, replies);
        QFETCH(int, firstDelay);
        QFETCH(QList<ShownMessage>, messages);
        f->port.answer("?P", blockReply(SamplePayload));
        answerUploads(replies, firstDelay);
        whenOpen([](frmParameters &form) { form.cmdModify->click(); });
        f->window->cmdParameters->click();

        QVERIFY(opened);
        QCOMPARE(f->port.written(), "?P\r*P1" + SamplePayload + '\r');
        QCOMPARE(f->dialogs.messages, messages);
        QVERIFY(!f->window->isWaiting());
        f->run(firstDelay > 500 ? 400 : 50);
        QCOMPARE(f->dialogs.messages, messages); // a late answer shows nothing
    }

    void modifySendsTheEdits()
    {
        f->port.answer("?P", blockReply(SamplePayload));
        answerUploads({"OK"});
        whenOpen([](frmParameters &form) {
            form.txtPara[0]->setText(QStringLiteral("1.25")); // 12: 0C00 at offset 12
            form.txtPara[11]->setText(QStringLiteral("200"));  // C800 at offset 56
            form.cmdModify->click();
        });
        f->window->cmdParameters->click();

        QByteArray expected = SamplePayload;
        expected.replace(2 * 12, 4, "0C00");
        expected.replace(2 * 56, 4, "C800");
        QCOMPARE(f->port.written(), "?P\r*P1" + expected + '\r');
        QCOMPARE(f->dialogs.messages, QList<ShownMessage>{Success});
    }

    // A refused Modify keeps the window open; Cancel then sends nothing.
    void refusedModifyThenCancelSendsNothing()
    {
        f->port.answer("?P", blockReply(SamplePayload));
        answerUploads({"OK"});
        whenOpen([](frmParameters &form) {
            form.txtPassWord->setText(QStringLiteral("123"));
            form.cmdModify->click();
            QVERIFY(form.isVisible());
            form.cmdCancel->click();
        });
        f->window->cmdParameters->click();

        QVERIFY(opened);
        QCOMPARE(f->dialogs.messages,
                 (QList<ShownMessage>{{QStringLiteral("Password has to be of 4 numericals"),
                                       QStringLiteral("Invalid Password"), MessageIcon::Exclamation}}));
        f->run(100);
        QCOMPARE(f->port.commands(), QList<QByteArray>{"?P"});
    }

    void uploadSendsTheLoadedFile()
    {
        QTemporaryDir dir;
        ParameterSet fromFile = sampleSet();
        fromFile.CoarseControlUp = 21;
        fromFile.PulseDelay = 1500;     // beyond Modify's limits; Upload sends what the file holds
        fromFile.pswd = {1, 1, 1, 1};
        fromFile.CoutZero = 555;        // not taken from a file
        const QString file = dir.filePath(QStringLiteral("unit 7.par"));
        QVERIFY(!f->data.ModelNo.isEmpty());
        QVERIFY(params::WriteParameterFile(file, params::BuildFileText(fromFile, {f->data.ModelNo, {}, {}})));

        f->port.answer("?P", blockReply(SamplePayload));
        answerUploads({"OK"});
        f->dialogs.openAnswers.enqueue(file);
        bool uploadEnabled = false;
        whenOpen([&](frmParameters &form) {
            form.cmdLoad->click();
            uploadEnabled = form.cmdUpdate->isEnabled();
            form.txtPara[0]->setText(QStringLiteral("3.3"));
            form.cmdUpdate->click();
        });
        f->window->cmdParameters->click();

        QVERIFY(uploadEnabled);
        QByteArray expected = SamplePayload;
        expected.replace(2 * 12, 4, "1500");  // CoarseControlUp 21, as the file holds it
        expected.replace(2 * 20, 8, "01010101");
        expected.replace(2 * 28, 4, "DC05"); // PulseDelay 1500
        QCOMPARE(f->port.written(), "?P\r*P2" + expected + '\r');
        QCOMPARE(f->dialogs.messages, QList<ShownMessage>{Success});
        QCOMPARE(f->data.ParameterSet.CoutZero, int16_t(100));
    }

    // While another wait runs, the button does nothing.
    void doesNothingWhileAWaitRuns()
    {
        QTimer::singleShot(50, f->window.get(), [this] { f->window->cmdParameters->click(); });
        QVERIFY(f->window->SendAndWait(QStringLiteral("?Z"), 300));
        f->run(400);
        QCOMPARE(f->port.commands(), QList<QByteArray>{"?Z"});
        QVERIFY(!opened);
    }
};

QTEST_MAIN(tst_ParametersFlow)
#include "tst_parameters_flow.moc"
