// Finding the controller at start-up: which port wins, silent and late
// ports, no ports at all, and what the window shows afterwards.
#include "MainWindowFixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

QList<int> probedPorts(const ScriptedSerialPort &port)
{
    QList<int> ports;
    for (const ScriptedWrite &w : port.writes())
        if (w.bytes == "?\r")
            ports << w.port;
    return ports;
}

} // namespace

class tst_Discovery : public QObject
{
    Q_OBJECT
private slots:
    void findsTheLowestAnsweringPort_data()
    {
        QTest::addColumn<QList<int>>("available");
        QTest::addColumn<QList<int>>("answering");
        QTest::addColumn<int>("found");
        QTest::addColumn<QList<int>>("probed");
        QTest::newRow("lowest available port") << QList<int>{1, 4} << QList<int>{1, 4} << 1 << QList<int>{1};
        QTest::newRow("two answer, the lower wins") << QList<int>{3, 9} << QList<int>{9, 3} << 3 << QList<int>{3};
        QTest::newRow("silent ports are passed over") << QList<int>{2, 5, 7} << QList<int>{7} << 7 << QList<int>{2, 5, 7};
        QTest::newRow("port 255") << QList<int>{255} << QList<int>{255} << 255 << QList<int>{255};
    }
    void findsTheLowestAnsweringPort()
    {
        QFETCH(QList<int>, available);
        QFETCH(QList<int>, answering);
        MainWindowFixture f;
        f.port.setAvailablePorts(available);
        for (int p : answering)
            f.port.answer("?", "@V4.1DMK00042S123\r", 5, p);
        f.window->Form_Load();

        QTEST(f.window->link.cm.commPort(), "found");
        QVERIFY(f.window->link.DeviceFound);
        QVERIFY(f.port.isOpen());
        QTEST(probedPorts(f.port), "probed");
        QCOMPARE(f.port.openAttempts(), 255 + probedPorts(f.port).size());
        QCOMPARE(f.window->lblUSB->text(), QStringLiteral("USB Port: %1 (ttyTEST%2)").arg(f.window->link.cm.commPort()).arg(f.window->link.cm.commPort() - 1));
        QCOMPARE(f.window->lblConnect->text(), QStringLiteral("Connected"));
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    void showsTheIdentification()
    {
        MainWindowFixture f;
        f.startWithDevice();
        QCOMPARE(f.window->lblModel->text(), QStringLiteral("Model No. DMK0-0042"));
        QCOMPARE(f.window->lblSerial->text(), QStringLiteral("Serial No. S123"));
        QCOMPARE(f.window->lblVersion->text(), QStringLiteral("Version V4.1"));
        QCOMPARE(f.data.ModelNo, QStringLiteral("DMK0-0042"));
        QVERIFY(f.window->cmdRun->isEnabled());
        QVERIFY(f.window->FrameControlPanel->isEnabled());
    }

    void withoutDeviceLocksTheControls_data()
    {
        QTest::addColumn<QList<int>>("available");
        QTest::newRow("no serial ports") << QList<int>{};
        QTest::newRow("only silent ports") << QList<int>{1, 2};
    }
    void withoutDeviceLocksTheControls()
    {
        QFETCH(QList<int>, available);
        MainWindowFixture f;
        f.port.setAvailablePorts(available);
        f.window->Form_Load();
        f.window->show();
        QVERIFY(!f.window->link.DeviceFound);
        QVERIFY(!f.port.isOpen());
        QCOMPARE(f.window->lblUSB->text(), QStringLiteral("USB Port: Not Found"));
        QCOMPARE(f.window->lblConnect->text(), QStringLiteral("Not Connected"));
        QVERIFY(!f.window->cmdRun->isEnabled());
        QVERIFY(!f.window->FrameControlPanel->isEnabled());
        for (QPushButton *b : {f.window->cmdCalibrate, f.window->cmdRemoteControl, f.window->cmdParameters,
                               f.window->cmdSetup, f.window->cmdMonitor, f.window->cmdReport})
            QVERIFY(!b->isEnabled());
        QVERIFY(f.dialogs.messages.isEmpty());
        // The value boxes show "---" from the first refresh on.
        QTRY_COMPARE(f.window->txtSP->text(), QStringLiteral("---"));
    }

    void lateReplyIsLostAndDoesNotPrefixTheNextPort()
    {
        // Port 3 answers after its 50 ms wait and port 4 within it; port 3
        // also sends a fragment in time that never completes.
        MainWindowFixture f;
        f.port.setAvailablePorts({3, 4});
        f.port.answer("?", "@V9.9", 5, 3);
        f.port.answer("?", "XXXXYYYYZZZZ\r", 120, 3);
        f.port.answer("?", "@V4.1DMK00042S123\r", 5, 4);
        f.window->Form_Load();
        QCOMPARE(f.window->link.cm.commPort(), 4);
        QCOMPARE(f.data.VersionNo, QStringLiteral("V4.1"));
        QCOMPARE(f.data.ModelNo, QStringLiteral("DMK0-0042"));
        MainWindowFixture::run(200);
        QCOMPARE(f.data.ModelNo, QStringLiteral("DMK0-0042"));
    }

    void replyLaterThanTheWaitIsNotFound()
    {
        MainWindowFixture f;
        f.port.setAvailablePorts({2});
        f.port.answer("?", "@V4.1DMK00042S123\r", 120, 2);
        f.window->Form_Load();
        QVERIFY(!f.window->link.DeviceFound);
        QCOMPARE(f.window->lblUSB->text(), QStringLiteral("USB Port: Not Found"));
        MainWindowFixture::run(150);
        QVERIFY(!f.window->link.DeviceFound); // the port was closed: the reply is lost
    }

    void valueBoxesStartWithDesignTextsThenDashes()
    {
        MainWindowFixture f;
        QCOMPARE(f.window->txtSP->text(), QStringLiteral("100.0"));
        f.startWithDevice();
        QTRY_COMPARE(f.window->txtSP->text(), QStringLiteral("---"));
        QCOMPARE(f.window->txtPV->text(), QStringLiteral("---"));
        QCOMPARE(f.window->txtER->text(), QStringLiteral("---"));
        QCOMPARE(f.window->txtLV->text(), QStringLiteral("---"));
    }
};

QTEST_MAIN(tst_Discovery)
#include "tst_discovery.moc"
