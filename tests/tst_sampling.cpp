// The steady sample clock of the trend and the recording, and the age of the
// live values: 10 samples per second of real time whatever the replies'
// cadence, none while the values are stale, and stale values shown greyed.
#include "MainWindowFixture.h"

#include "display/SampleClock.h"
#include "platform/PictureBox.h"
#include "platform/Shape.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

QByteArray liveRecord(int sp, int pv)
{
    return QString::asprintf("C%5d,%5d,%5d,10\r", sp, pv, sp - pv).toLatin1();
}

} // namespace

class tst_Sampling : public QObject
{
    Q_OBJECT

    static void receive(MainWindowFixture &f, const QByteArray &line)
    {
        f.port.deliver(line);
        MainWindowFixture::run(10);
    }

private slots:
    // Replies every `replyMs`, ticks every `tickMs` (late ticks catch up):
    // ten seconds always give 100 samples.
    void tenSamplesPerSecondWhateverTheCadence_data()
    {
        QTest::addColumn<int>("replyMs");
        QTest::addColumn<int>("tickMs");
        QTest::newRow("monitoring") << 100 << 100;
        QTest::newRow("scanning") << 200 << 100;
        QTest::newRow("scanning, late ticks") << 200 << 130;
        QTest::newRow("slow replies, sparse ticks") << 700 << 450;
    }
    void tenSamplesPerSecondWhateverTheCadence()
    {
        QFETCH(int, replyMs);
        QFETCH(int, tickMs);
        SampleClock clock;
        int samples = 0;
        for (int t = 0; t <= 10'000; t += 10) {
            if (t % replyMs == 0)
                clock.liveRecord(t);
            if (t % tickMs == 0)
                samples += clock.due(t);
        }
        samples += clock.due(10'000);
        QCOMPARE(samples, 100);
    }

    // Stale values are not sampled, and a gap is not filled afterwards.
    void noSamplesWhileStale()
    {
        SampleClock clock;
        clock.liveRecord(0);
        QCOMPARE(clock.due(50), 0);
        QCOMPARE(clock.due(100), 1);
        QCOMPARE(clock.due(1000), 9); // held up to a second
        QVERIFY(clock.live().fresh(1000));
        QCOMPARE(clock.due(1100), 0);
        QVERIFY(clock.live().stale(1100));
        QCOMPARE(clock.due(5000), 0);
        clock.liveRecord(5030); // starts again from this record
        QCOMPARE(clock.due(5100), 0);
        QCOMPARE(clock.due(5130), 1);
        QCOMPARE(clock.due(5430), 3);
    }

    void expiredValuesAreStaleAtOnce()
    {
        SampleClock clock;
        clock.liveRecord(0);
        QCOMPARE(clock.due(200), 2);
        clock.expire(250);
        QVERIFY(clock.live().stale(250));
        QCOMPARE(clock.due(1000), 0);
        clock.liveRecord(2000);
        QVERIFY(clock.live().fresh(2000));
        QCOMPARE(clock.due(2100), 1);
        Freshness never;
        never.expire(5000);
        QVERIFY(!never.any() && !never.stale(5000));
    }

    void freshnessBeforeAnyRecord()
    {
        const Freshness never;
        QVERIFY(!never.any());
        QVERIFY(!never.fresh(0));
        QVERIFY(!never.stale(100'000)); // nothing received is not "old"
        SampleClock clock;
        QCOMPARE(clock.due(100'000), 0);
    }

    // The window shifts the trend and records on the tick, from the latest
    // values; one reply is held until the next arrives.
    void windowSamplesTheLatestValuesOnItsTick()
    {
        MainWindowFixture f;
        f.startWithDevice();
        frmMain &w = *f.window;
        w.cmdRecord->click();
        w.Trend.entries[100] = {9, 9};
        receive(f, liveRecord(455, 445));
        QCOMPARE(w.Trend[100].sp, int16_t(9)); // nothing until the tick
        QCOMPARE(f.data.RecordCount, 0);
        f.sample();
        QCOMPARE(w.Trend[99].sp, int16_t(9));
        QCOMPARE(w.Trend[100].sp, int16_t(46)); // halves to even
        QCOMPARE(w.Trend[100].pv, int16_t(44));
        f.sample(); // no new reply: the same values again
        QCOMPARE(w.Trend[99].sp, int16_t(46));
        QCOMPARE(f.data.RecordCount, 2);
        QCOMPARE(f.data.RecordBuffer[1], (RecordSample{45.5f, 44.5f}));
        QCOMPARE(w.lblHistory->text(), QStringLiteral("00002"));

        // A tick 350 ms late catches up with three more samples.
        receive(f, liveRecord(123, 400));
        f.clock.advance(250);
        f.sample();
        QCOMPARE(f.data.RecordCount, 5);
        QCOMPARE(f.data.RecordBuffer[4], (RecordSample{12.3f, 40.0f}));
        QCOMPARE(w.Trend[98].sp, int16_t(12));
        QCOMPARE(w.Trend[97].sp, int16_t(46));
    }

    void pausedTickShiftsTheTrendButRecordsNothing_data()
    {
        QTest::addColumn<bool>("recording");
        QTest::addColumn<bool>("paused");
        QTest::addColumn<int>("count");
        QTest::newRow("idle") << false << false << 0;
        QTest::newRow("recording") << true << false << 3;
        QTest::newRow("recording, paused") << true << true << 0;
    }
    void pausedTickShiftsTheTrendButRecordsNothing()
    {
        QFETCH(bool, recording);
        QFETCH(bool, paused);
        MainWindowFixture f;
        f.startWithDevice();
        f.window->Recording = recording;
        f.window->Paused = paused;
        receive(f, liveRecord(123, 400));
        for (int i = 0; i < 3; ++i)
            f.sample();
        QTEST(f.data.RecordCount, "count");
        QCOMPARE(f.window->Trend[98].sp, int16_t(12)); // the trend moves whatever the mode
        // The chart ends with the newest PV segment: at 40 % once redrawn.
        const DrawItem &newestPv = f.window->pic->drawing().items().back();
        QCOMPARE(newestPv.to.y() == 11000 - 100 * 40, !paused);
    }

    // After a second without a live record, nothing is sampled and the boxes
    // fed by it grey out; the level box follows its own record.
    void staleValuesAreGreyedNotShownAsCurrent()
    {
        MainWindowFixture f;
        f.startWithDevice();
        frmMain &w = *f.window;
        const QColor spBack = w.txtSP->palette().color(QPalette::Base);
        w.tmrDisp_Timer();
        QCOMPARE(w.txtSP->palette().color(QPalette::Base), spBack); // "---" is no old value

        receive(f, liveRecord(500, 400));
        receive(f, "A  725,1\r");
        w.cmdRecord->click();
        f.clock.advance(1000);
        w.tmrDisp_Timer();
        QCOMPARE(w.txtSP->palette().color(QPalette::Base), spBack);
        w.tmrSample_Timer();
        QCOMPARE(f.data.RecordCount, 10);

        f.clock.advance(1);
        w.tmrDisp_Timer();
        for (QLineEdit *box : {w.txtSP, w.txtPV, w.txtER, w.txtLV}) {
            QCOMPARE(box->palette().color(QPalette::Base), QColor(224, 224, 224));
            QCOMPARE(box->palette().color(QPalette::Text), QColor(128, 128, 128));
            QVERIFY(!box->accessibleDescription().isEmpty());
        }
        QCOMPARE(w.txtSP->text(), QStringLiteral("50.0")); // still there, but greyed
        for (Shape *lamp : {w.shpUp, w.shpDn, w.shpRelay})
            QCOMPARE(lamp->fillColor(), QColor(128, 128, 128));
        f.sample();
        QCOMPARE(f.data.RecordCount, 10);

        // Fresh live values again; the level stays old until an "A" record.
        receive(f, liveRecord(600, 400));
        w.tmrDisp_Timer();
        QCOMPARE(w.txtSP->palette().color(QPalette::Base), spBack);
        QCOMPARE(w.txtSP->palette().color(QPalette::Text), QColor(Qt::black));
        QVERIFY(w.txtSP->accessibleDescription().isEmpty());
        QCOMPARE(w.txtLV->palette().color(QPalette::Base), QColor(224, 224, 224));
        QCOMPARE(w.shpUp->fillColor(), QColor(255, 0, 0));
        QCOMPARE(w.shpRelay->fillColor(), QColor(128, 128, 128));
        receive(f, "A  725,1\r");
        w.tmrDisp_Timer();
        QCOMPARE(w.txtLV->palette().color(QPalette::Base), QColor(192, 192, 0));
        QCOMPARE(w.shpRelay->fillColor(), QColor(0, 255, 0));
        f.sample();
        QCOMPARE(f.data.RecordCount, 11);
    }
};

QTEST_MAIN(tst_Sampling)
#include "tst_sampling.moc"
