// Recording on the main window: REC / STOP RC with the save, PAUSE / RESUME,
// the sample counter and the blinking marker, against a scripted port and
// scripted dialogs.
#include "TestHelpers.h"
#include "MainWindowFixture.h"

#include "platform/Timer.h"
#include "recording/RecordFile.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A live record with SP and PV in tenths of a percent.
QByteArray liveRecord(int sp, int pv)
{
    return QString::asprintf("C%5d,%5d,%5d,10\r", sp, pv, sp - pv).toLatin1();
}

} // namespace

class tst_Recording : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainWindowFixture> f;
    std::unique_ptr<QTemporaryDir> dir;

    frmMain &w() { return *f->window; }
    // One live record, then one tick of the sample clock.
    void receive(int sp, int pv)
    {
        f->port.deliver(liveRecord(sp, pv));
        MainWindowFixture::run(15);
        f->sample();
    }
    // Records two samples; returns a path in the test folder for saving.
    QString recordTo(const char *name)
    {
        w().cmdRecord->click();
        receive(100, 101);
        receive(200, 202);
        return dir->filePath(QLatin1String(name));
    }

private slots:
    void init()
    {
        f = std::make_unique<MainWindowFixture>();
        f->startWithDevice();
        dir = std::make_unique<QTemporaryDir>();
    }
    void cleanup()
    {
        f.reset();
        dir.reset();
    }

    void recordsAndSavesOnStop()
    {
        QVERIFY(w().lblHistory->isHidden());
        w().cmdRecord->click();
        QCOMPARE(w().cmdRecord->text(), QStringLiteral("STOP RC"));
        QVERIFY(w().Recording);
        QVERIFY(!w().lblHistory->isHidden());

        receive(123, 450);
        QCOMPARE(w().lblHistory->text(), QStringLiteral("00001"));
        receive(124, 451);
        receive(125, 0);
        QCOMPARE(w().lblHistory->text(), QStringLiteral("00003"));
        QCOMPARE(f->data.RecordBuffer[1], (RecordSample{12.4f, 45.1f}));

        const QString path = dir->filePath(QStringLiteral("valve run")); // used exactly as chosen
        f->dialogs.saveAnswers.enqueue(path);
        w().cmdRecord->click();
        QCOMPARE(w().cmdRecord->text(), QStringLiteral("REC"));
        QVERIFY(!w().Recording);
        QVERIFY(w().lblHistory->isHidden());
        QCOMPARE(f->dialogs.saveDialogsShown, 1);
        QCOMPARE(fileContents(path), QByteArray("3\r\n12.3,45\r\n12.4,45.1\r\n12.5,0\r\n"));
        QVERIFY(f->dialogs.messages.isEmpty());

        receive(200, 200); // no longer recording
        QCOMPARE(f->data.RecordCount, 3);
    }

    void stopAtOnceSavesAnEmptyRecording()
    {
        const QString path = dir->filePath(QStringLiteral("empty.txt"));
        f->dialogs.saveAnswers.enqueue(path);
        w().cmdRecord->click();
        w().cmdRecord->click();
        QCOMPARE(fileContents(path), QByteArray("0\r\n"));
    }

    void pauseHoldsTheRecording()
    {
        w().cmdRecord->click();
        receive(100, 100);
        w().cmdPause->click();
        QCOMPARE(w().cmdPause->text(), QStringLiteral("RESUME"));
        QVERIFY(w().Paused);
        QVERIFY(!w().lblPause->isHidden());

        receive(555, 444);
        QCOMPARE(f->data.RecordCount, 1);
        QCOMPARE(w().lblHistory->text(), QStringLiteral("00001"));
        QCOMPARE(w().Live.sp.raw, int16_t(555)); // the live values still follow

        w().cmdPause->click();
        QCOMPARE(w().cmdPause->text(), QStringLiteral("PAUSE"));
        QVERIFY(!w().Paused);
        QVERIFY(w().lblPause->isHidden());
        receive(300, 200);
        QCOMPARE(w().lblHistory->text(), QStringLiteral("00002"));
        QCOMPARE(f->data.RecordBuffer[1], (RecordSample{30.0f, 20.0f}));
    }

    void pauseWorksWithoutRecording()
    {
        w().cmdPause->click();
        QVERIFY(w().Paused);
        receive(100, 100);
        w().cmdPause->click();
        QVERIFY(!w().Paused);
        QCOMPARE(f->data.RecordCount, 0);
    }

    // A cancelled save keeps the recording; before the next REC replaces it,
    // it is offered again. The new one shows the last count until its first sample.
    void cancelledSaveIsOfferedAgainBeforeANewRecording()
    {
        w().cmdRecord->click();
        receive(100, 100);
        receive(110, 100);
        w().cmdRecord->click(); // no answer queued: the dialog is cancelled
        QCOMPARE(f->dialogs.saveDialogsShown, 1);
        QVERIFY(f->dialogs.messages.isEmpty());
        QCOMPARE(f->data.RecordCount, 2);

        w().cmdRecord->click(); // asked, and cancelled: nothing starts
        QCOMPARE(f->dialogs.saveQuestions.size(), 1);
        QCOMPARE(f->dialogs.saveQuestions[0].title, QStringLiteral("Recording"));
        QCOMPARE(w().cmdRecord->text(), QStringLiteral("REC"));
        QCOMPARE(f->data.RecordCount, 2);

        const QString path = dir->filePath(QStringLiteral("kept.txt"));
        f->dialogs.saveChoices.enqueue(SaveChoice::Save);
        f->dialogs.saveAnswers.enqueue(path);
        w().cmdRecord->click(); // saved, then the new recording starts
        QCOMPARE(fileContents(path), QByteArray("2\r\n10,10\r\n11,10\r\n"));
        QCOMPARE(w().cmdRecord->text(), QStringLiteral("STOP RC"));
        QCOMPARE(f->data.RecordCount, 0);
        QVERIFY(!w().lblHistory->isHidden());
        QCOMPARE(w().lblHistory->text(), QStringLiteral("00002"));
        receive(777, 700);
        QCOMPARE(w().lblHistory->text(), QStringLiteral("00001"));
        QCOMPARE(f->data.RecordBuffer[0], (RecordSample{77.7f, 70.0f}));
    }

    void discardedRecordingMakesWayWithoutSaving()
    {
        recordTo("unused");
        w().cmdRecord->click(); // cancelled
        f->dialogs.saveChoices.enqueue(SaveChoice::Discard);
        w().cmdRecord->click();
        QCOMPARE(f->dialogs.saveDialogsShown, 1);
        QCOMPARE(w().cmdRecord->text(), QStringLiteral("STOP RC"));
        // A saved recording is not asked about again.
        f->dialogs.saveAnswers.enqueue(dir->filePath(QStringLiteral("second.txt")));
        receive(300, 300);
        w().cmdRecord->click();
        w().cmdRecord->click();
        QCOMPARE(f->dialogs.saveQuestions.size(), 1);
        QCOMPARE(w().cmdRecord->text(), QStringLiteral("STOP RC"));
    }

    // A save that fails says why and offers the dialog again, as long as the
    // operator keeps choosing names; the samples stay until one works.
    void failedSaveIsReportedAndAskedAgain_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("missing folder") << QStringLiteral("missing folder/run.txt");
        QTest::newRow("under a file") << QStringLiteral("plain/run.txt");
        QTest::newRow("a directory") << QString();
        QTest::newRow("in /proc") << QStringLiteral("/proc/velmora-run.txt");
    }
    void failedSaveIsReportedAndAskedAgain()
    {
        QFETCH(QString, target);
        QFile plain(dir->filePath(QStringLiteral("plain")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        const QString bad = target.isEmpty() ? dir->path() : target.startsWith(u'/') ? target : dir->filePath(target);
        const QString good = recordTo("good.txt");
        f->dialogs.saveAnswers.enqueue(bad);
        f->dialogs.saveAnswers.enqueue(bad);
        f->dialogs.saveAnswers.enqueue(good);
        w().cmdRecord->click();
        QCOMPARE(f->dialogs.saveDialogsShown, 3);
        QCOMPARE(f->dialogs.messages.size(), 2);
        const ShownMessage shown = f->dialogs.messages.first();
        QCOMPARE(shown.title, QStringLiteral("Recording"));
        QCOMPARE(shown.icon, MessageIcon::Exclamation);
        QVERIFY2(shown.text.contains(QLatin1Char('"') + bad + QLatin1Char('"')), qPrintable(shown.text));
        QVERIFY2(shown.text.split(u'\n').value(1).size() > 3, qPrintable(shown.text)); // the system's reason
        QCOMPARE(fileContents(good), QByteArray("2\r\n10,10.1\r\n20,20.2\r\n"));
        QCOMPARE(w().cmdRecord->text(), QStringLiteral("REC"));
    }

    // Failing, then cancelling: the recording can still be saved later.
    void failedThenCancelledSaveKeepsTheSamples()
    {
        recordTo("unused");
        f->dialogs.saveAnswers.enqueue(dir->filePath(QStringLiteral("missing/run.txt")));
        w().cmdRecord->click();
        QCOMPARE(f->dialogs.messages.size(), 1);
        QCOMPARE(f->dialogs.saveDialogsShown, 2);

        const QString path = dir->filePath(QStringLiteral("later.txt"));
        f->dialogs.saveChoices.enqueue(SaveChoice::Save);
        f->dialogs.saveAnswers.enqueue(path);
        QVERIFY(w().close());
        QCOMPARE(fileContents(path), QByteArray("2\r\n10,10.1\r\n20,20.2\r\n"));
    }

    // Closing the main window asks about a recording not yet saved.
    void closingAsksAboutAnUnsavedRecording_data()
    {
        QTest::addColumn<bool>("stillRecording");
        QTest::addColumn<int>("choice");
        QTest::addColumn<bool>("saveName");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saved");
        for (const bool recording : {true, false}) {
            const char *mode = recording ? "recording, " : "stopped, ";
            QTest::addRow("%scancel", mode) << recording << int(SaveChoice::Cancel) << false << false << false;
            QTest::addRow("%sdiscard", mode) << recording << int(SaveChoice::Discard) << false << true << false;
            QTest::addRow("%ssave", mode) << recording << int(SaveChoice::Save) << true << true << true;
            QTest::addRow("%ssave, dialog cancelled", mode) << recording << int(SaveChoice::Save) << false << false << false;
        }
    }
    void closingAsksAboutAnUnsavedRecording()
    {
        QFETCH(bool, stillRecording);
        QFETCH(int, choice);
        QFETCH(bool, saveName);
        QFETCH(bool, closes);
        QFETCH(bool, saved);
        const QString path = recordTo("closing.txt");
        if (!stillRecording)
            w().cmdRecord->click(); // save dialog cancelled
        f->dialogs.saveChoices.enqueue(SaveChoice(choice));
        if (saveName)
            f->dialogs.saveAnswers.enqueue(path);
        QCOMPARE(w().close(), closes);
        QCOMPARE(f->dialogs.saveQuestions.size(), 1);
        QVERIFY(f->dialogs.saveQuestions[0].text.contains(QStringLiteral("not been saved")));
        QCOMPARE(QFile::exists(path), saved);
        QCOMPARE(w().isVisible(), !closes);
        QCOMPARE(f->data.RecordCount, 2);
        if (choice == int(SaveChoice::Cancel))
            QCOMPARE(w().Recording, stillRecording); // as if nothing had been pressed
    }

    void closingWithNothingUnsavedAsksNothing()
    {
        QVERIFY(w().close());

        f = std::make_unique<MainWindowFixture>();
        f->startWithDevice();
        w().cmdRecord->click(); // recording, but no sample yet
        QVERIFY(w().close());

        f = std::make_unique<MainWindowFixture>();
        f->startWithDevice();
        f->dialogs.saveAnswers.enqueue(recordTo("saved.txt"));
        w().cmdRecord->click();
        QVERIFY(w().close());
        QVERIFY(f->dialogs.saveQuestions.isEmpty());
    }

    // At 75,001 samples the recording stops growing, the counter stops with
    // it, and "FULL" stands lit instead of the blinking "REC".
    void fullRecordingSaysSo()
    {
        w().cmdRecord->click();
        f->data.RecordCount = RecordCapacity - 2; // as if 74,999 samples had come
        receive(100, 101);
        QCOMPARE(w().lblHistory->text(), QStringLiteral("75000"));
        QCOMPARE(w().lblRec->text(), QStringLiteral("REC"));
        receive(200, 202);
        QCOMPARE(w().lblHistory->text(), QStringLiteral("75001"));
        QCOMPARE(w().lblRec->text(), QStringLiteral("FULL"));
        QVERIFY(!w().lblRec->isHidden());
        receive(300, 303);
        receive(400, 404);
        QCOMPARE(w().lblHistory->text(), QStringLiteral("75001"));
        QCOMPARE(f->data.RecordCount, RecordCapacity);
        QCOMPARE(f->data.RecordBuffer.back(), (RecordSample{20.0f, 20.2f}));
        for (int i = 0; i < 3; ++i) { // no longer blinks
            w().tmrRecLabel_Timer();
            QVERIFY(!w().lblRec->isHidden());
            QCOMPARE(w().lblRec->text(), QStringLiteral("FULL"));
        }
        QCOMPARE(w().lblRec->palette().color(QPalette::WindowText), QColor(255, 64, 64));

        const QString path = dir->filePath(QStringLiteral("full.txt"));
        f->dialogs.saveAnswers.enqueue(path);
        w().cmdRecord->click();
        w().tmrRecLabel_Timer();
        QVERIFY(w().lblRec->isHidden());
        const std::optional<std::vector<RecordSample>> back = recordfile::read(path);
        QVERIFY(back);
        QCOMPARE(back->size(), size_t(RecordCapacity));
        QCOMPARE(back->back(), (RecordSample{20.0f, 20.2f}));

        // The next recording blinks "REC" again.
        w().cmdRecord->click();
        QCOMPARE(w().lblRec->text(), QStringLiteral("REC"));
        QCOMPARE(w().lblRec->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    }

    void recMarkerBlinksWhileRecording()
    {
        w().tmrRecLabel_Timer();
        QVERIFY(w().lblRec->isHidden());

        w().cmdRecord->click();
        w().tmrRecLabel_Timer();
        QVERIFY(!w().lblRec->isHidden());
        w().tmrRecLabel_Timer();
        QVERIFY(w().lblRec->isHidden());
        w().cmdPause->click(); // blinks on while paused
        w().tmrRecLabel_Timer();
        QVERIFY(!w().lblRec->isHidden());

        w().cmdRecord->click();
        w().tmrRecLabel_Timer();
        QVERIFY(w().lblRec->isHidden());
    }

    void recMarkerFollowsItsTimer()
    {
        QCOMPARE(w().tmrRecLabel->interval(), 500);
        QVERIFY(w().tmrRecLabel->isEnabled());
        w().cmdRecord->click();
        QTRY_VERIFY_WITH_TIMEOUT(!w().lblRec->isHidden(), 1500);
        QTRY_VERIFY_WITH_TIMEOUT(w().lblRec->isHidden(), 1500);
    }
};

QTEST_MAIN(tst_Recording)
#include "tst_recording.moc"
