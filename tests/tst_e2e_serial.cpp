// End to end: the main window over the QSerialPort implementation, talking to
// the simulated controller on a pseudo-terminal.
#include "ScriptedDialogs.h"
#include "app/frmMain.h"
#include "app/modMain.h"
#include "platform/QtSerialPortControl.h"
#include "sim/PtyServer.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

class tst_E2eSerial : public QObject
{
    Q_OBJECT
private slots:
    void discoversIdentifiesAndScans()
    {
        PtyServer server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        server.model().setReplyTiming({10, 2, 3}); // replies come in two pieces
        const QString device = server.devicePath();

        modMain data;
        QtSerialPortControl port(PortMap({device}));
        ScriptedDialogs dialogs;
        frmMain window(data, port, dialogs);
        window.Form_Load();
        window.show();

        // Discovery and identification.
        QVERIFY(port.isOpen());
        QCOMPARE(port.commPort(), 1);
        QCOMPARE(window.lblUSB->text(),
                 QStringLiteral("USB Port: 1 (%1)").arg(device.mid(int(strlen("/dev/")))));
        QCOMPARE(window.lblConnect->text(), QStringLiteral("Connected"));
        QCOMPARE(window.lblModel->text(), QStringLiteral("Model No. DMK0-0042"));
        QCOMPARE(window.lblSerial->text(), QStringLiteral("Serial No. S123"));
        QCOMPARE(window.lblVersion->text(), QStringLiteral("Version V4.1"));
        QCOMPARE(data.ModelNo, QStringLiteral("DMK0-0042"));
        QVERIFY(window.cmdRun->isEnabled());
        QVERIFY(window.FrameControlPanel->isEnabled());
        QCOMPARE(window.Live.sp.text, QStringLiteral("---"));

        // A few scan cycles: "?C" and "?A" in turn, their replies decoded.
        QTest::mouseClick(window.cmdRun, Qt::LeftButton);
        QCOMPARE(window.cmdRun->text(), QStringLiteral("Stop"));
        QTest::qWait(1000);
        QTest::mouseClick(window.cmdRun, Qt::LeftButton);
        QCOMPARE(window.cmdRun->text(), QStringLiteral("Scan"));
        QTest::qWait(100); // the last reply under way is still handled

        // The signal stands at 0 % while the piston comes down from 50 %.
        QCOMPARE(window.Live.sp.text, QStringLiteral("0.0"));
        QVERIFY(window.Live.pv.raw > 0 && window.Live.pv.raw < 500);
        QCOMPARE(window.Live.pv.text, QString::number(window.Live.pv.raw / 10.0, 'f', 1));
        QCOMPARE(window.Live.er.raw, int16_t(window.Live.sp.raw - window.Live.pv.raw));
        QVERIFY(window.Live.downValveOn);
        QVERIFY(!window.Live.upValveOn);
        QVERIFY(window.Live.lv.raw > 600 && window.Live.lv.raw <= 750);
        QVERIFY(window.Live.lv.text != QLatin1String("---"));
        QVERIFY(!window.Live.relayOn);
        // Several "C" lines went into the trend, PV falling from one to the next.
        const TrendBuffer &trend = window.Trend;
        const int newest = TrendBuffer::TrendLength;
        QVERIFY(trend[newest - 2].pv > 0);
        QVERIFY(trend[newest - 2].pv >= trend[newest].pv);
        QCOMPARE(trend[newest].sp, int16_t(0));
        QVERIFY(window.link.RxBuffer.isEmpty());
    }
};

QTEST_MAIN(tst_E2eSerial)
#include "tst_e2e_serial.moc"
