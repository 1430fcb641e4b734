// Scanning and monitoring: the polls they send and the controls they lock.
#include "MainWindowFixture.h"
#include "platform/Shape.h"
#include "platform/Timer.h"

#include <QGroupBox>
#include <QPushButton>
#include <QtTest>

class tst_Scanning : public QObject
{
    Q_OBJECT

    static QList<QByteArray> ticks(MainWindowFixture &f, int n)
    {
        f.port.clearWrites();
        for (int i = 0; i < n; ++i)
            f.window->tmrScan_Timer();
        return f.port.commands();
    }

private slots:
    void scanningAlternatesLiveAndLevelPolls()
    {
        MainWindowFixture f;
        f.startWithDevice();
        f.window->cmdRun->click();
        QCOMPARE(ticks(f, 5), (QList<QByteArray>{"?C", "?A", "?C", "?A", "?C"}));
        // Stopped after an odd number of polls, the next scan starts with "?C" again.
        f.window->cmdRun->click();
        f.window->cmdRun->click();
        QCOMPARE(ticks(f, 2), (QList<QByteArray>{"?C", "?A"}));
    }

    void monitoringPollsOnlyTheLiveRecord()
    {
        MainWindowFixture f;
        f.startWithDevice();
        f.window->cmdMonitor->click();
        QCOMPARE(ticks(f, 4), (QList<QByteArray>{"?C", "?C", "?C", "?C"}));
    }

    void eachPollFlashesTheTransmitLamp()
    {
        MainWindowFixture f;
        f.startWithDevice();
        f.window->tmrScan_Timer();
        QCOMPARE(f.window->shpTx->fillColor(), QColor(255, 255, 0));
        QVERIFY(f.window->link.tmrTx->isEnabled());
        QTRY_COMPARE(f.window->shpTx->fillColor(), QColor(192, 192, 192));
        QVERIFY(!f.window->link.tmrTx->isEnabled());
    }

    void pollsRunOnTheTimerAndRepliesFlowIn()
    {
        MainWindowFixture f;
        f.startWithDevice();
        f.port.answer("?C", "C  455,  400,   55,10\r");
        f.port.answer("?A", "A  725,1\r");
        f.window->cmdRun->click();
        QVERIFY(f.window->tmrScan->isEnabled());
        QTRY_VERIFY(f.port.commands().size() >= 4);
        QCOMPARE(f.port.commands().mid(0, 4), (QList<QByteArray>{"?C", "?A", "?C", "?A"}));
        QTRY_COMPARE(f.window->Live.lv.text, QStringLiteral("72.5"));
        QCOMPARE(f.window->Live.sp.text, QStringLiteral("45.5"));
        f.window->cmdRun->click();
        QVERIFY(!f.window->tmrScan->isEnabled());
        const qsizetype sent = f.port.commands().size();
        QTest::qWait(250);
        QCOMPARE(f.port.commands().size(), sent);
    }

    void controlStates_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("runCaption");
        QTest::addColumn<QString>("monitorCaption");
        QTest::addColumn<bool>("runEnabled");
        QTest::addColumn<bool>("monitorEnabled");
        QTest::addColumn<bool>("panelEnabled");
        QTest::addColumn<bool>("serviceButtonsEnabled");
        QTest::addColumn<bool>("reportEnabled");
        QTest::addColumn<bool>("polling");
        QTest::newRow("idle") << "idle" << "Scan" << "Monitor" << true << true << true << true << true << false;
        QTest::newRow("scanning") << "scan" << "Stop" << "Monitor" << true << false << false << false << false << true;
        QTest::newRow("monitoring") << "monitor" << "Scan" << "Exit Monitor" << false << true << true << false << true << true;
        QTest::newRow("scan then stop") << "scan-stop" << "Scan" << "Monitor" << true << true << true << true << true << false;
        QTest::newRow("monitor then exit") << "monitor-exit" << "Scan" << "Monitor" << true << true << true << true << true << false;
    }
    void controlStates()
    {
        QFETCH(QString, mode);
        MainWindowFixture f;
        f.startWithDevice();
        frmMain &w = *f.window;
        if (mode.startsWith(QLatin1String("scan")))
            w.cmdRun->click();
        if (mode.startsWith(QLatin1String("monitor")))
            w.cmdMonitor->click();
        if (mode == QLatin1String("scan-stop"))
            w.cmdRun->click();
        if (mode == QLatin1String("monitor-exit"))
            w.cmdMonitor->click();

        QTEST(w.cmdRun->text(), "runCaption");
        QTEST(w.cmdMonitor->text(), "monitorCaption");
        QTEST(w.cmdRun->isEnabled(), "runEnabled");
        QTEST(w.cmdMonitor->isEnabled(), "monitorEnabled");
        QTEST(w.FrameControlPanel->isEnabled(), "panelEnabled");
        QFETCH(bool, serviceButtonsEnabled);
        for (QPushButton *b : {w.cmdCalibrate, w.cmdParameters, w.cmdRemoteControl, w.cmdSetup})
            QCOMPARE(b->isEnabled(), serviceButtonsEnabled);
        QTEST(w.cmdReport->isEnabled(), "reportEnabled");
        QVERIFY(w.cmdRecord->isEnabled() && w.cmdPause->isEnabled());
        QTEST(w.tmrScan->isEnabled(), "polling");
    }
};

QTEST_MAIN(tst_Scanning)
#include "tst_scanning.moc"
