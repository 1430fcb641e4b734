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
    void receive(int sp, int pv)
    {
        f->port.deliver(liveRecord(sp, pv));
        MainWindowFixture::run(15);
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

    // A cancelled save keeps the recording in memory; the next REC starts a
    // new one, showing the last count until its first sample arrives.
    void cancelledSaveAndASecondRecording()
    {
        w().cmdRecord->click();
        receive(100, 100);
        receive(110, 100);
        w().cmdRecord->click(); // no answer queued: the dialog is cancelled
        QCOMPARE(f->dialogs.saveDialogsShown, 1);
        QVERIFY(f->dialogs.messages.isEmpty());
        QCOMPARE(f->data.RecordCount, 2);

        w().cmdRecord->click();
        QCOMPARE(f->data.RecordCount, 0);
        QVERIFY(!w().lblHistory->isHidden());
        QCOMPARE(w().lblHistory->text(), QStringLiteral("00002"));
        receive(777, 700);
        QCOMPARE(w().lblHistory->text(), QStringLiteral("00001"));
        QCOMPARE(f->data.RecordBuffer[0], (RecordSample{77.7f, 70.0f}));
    }

    void failedSaveShowsNothing()
    {
        w().cmdRecord->click();
        receive(100, 100);
        const QString path = dir->filePath(QStringLiteral("missing folder/run.txt"));
        f->dialogs.saveAnswers.enqueue(path);
        w().cmdRecord->click();
        QVERIFY(!QFile::exists(path));
        QVERIFY(f->dialogs.messages.isEmpty());
        QCOMPARE(w().cmdRecord->text(), QStringLiteral("REC"));
    }

    void counterStopsWhenTheBufferIsFull()
    {
        w().cmdRecord->click();
        f->data.RecordCount = RecordCapacity - 2; // as if 74,999 samples had come
        receive(100, 101);
        QCOMPARE(w().lblHistory->text(), QStringLiteral("75000"));
        receive(200, 202);
        QCOMPARE(w().lblHistory->text(), QStringLiteral("75001"));
        receive(300, 303);
        receive(400, 404);
        QCOMPARE(w().lblHistory->text(), QStringLiteral("75001"));
        QCOMPARE(f->data.RecordCount, RecordCapacity);
        QCOMPARE(f->data.RecordBuffer.back(), (RecordSample{20.0f, 20.2f}));

        const QString path = dir->filePath(QStringLiteral("full.txt"));
        f->dialogs.saveAnswers.enqueue(path);
        w().cmdRecord->click();
        const std::optional<std::vector<RecordSample>> back = recordfile::read(path);
        QVERIFY(back);
        QCOMPARE(back->size(), size_t(RecordCapacity));
        QCOMPARE(back->back(), (RecordSample{20.0f, 20.2f}));
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
