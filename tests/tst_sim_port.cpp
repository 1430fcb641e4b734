// The in-process serial-port control to the simulated controller, as
// `velmora --simulate` uses it.
#include "ScriptedDialogs.h"
#include "app/frmMain.h"
#include "app/modMain.h"
#include "sim/SimulatedSerialPort.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

const QByteArray Identification = "@V4.1DMK00042S123\r";
const QByteArray LiveAtPowerUp = "C    0,  500, -500,01\r";
const QByteArray LevelAtPowerUp = "A  600,0\r";

// A port whose model stays at power-up, and a record of its receive events.
struct Line
{
    SimulatedSerialPort port{[] { return qint64(0); }};
    int events = 0;
    QByteArray received;

    explicit Line(ReplyTiming timing = {})
    {
        port.model().setReplyTiming(timing);
        QObject::connect(&port, &SerialPortControl::onComm, &port, [this] {
            QCOMPARE(port.commEvent(), int(SerialPortControl::ReceiveEvent));
            ++events;
            received += port.input();
        });
        port.setCommPort(SimulatedSerialPort::DevicePort);
        port.open();
    }
};

} // namespace

class tst_SimPort : public QObject
{
    Q_OBJECT
private slots:
    void onlyPortOneOpens()
    {
        SimulatedSerialPort port;
        QList<int> opened;
        for (int p = 1; p <= SerialPortControl::MaxPort; ++p) {
            port.setCommPort(p);
            if (port.open()) {
                opened << p;
                QVERIFY(port.isOpen());
                QVERIFY(!port.open()); // already open
                port.close();
            }
            QVERIFY(!port.isOpen());
        }
        QCOMPARE(opened, QList<int>{1});
        QCOMPARE(port.portLabel(1), QStringLiteral("1 (simulated)"));
    }

    void writesToAClosedPortGoNowhere()
    {
        Line line;
        line.port.close();
        line.port.output("?\r");
        QTest::qWait(60);
        QCOMPARE(line.events, 0);
    }

    void repliesArriveLaterInPieces_data()
    {
        QTest::addColumn<int>("pieces");
        QTest::newRow("whole") << 1;
        QTest::newRow("three pieces") << 3;
        QTest::newRow("one character each") << 22;
    }
    void repliesArriveLaterInPieces()
    {
        QFETCH(int, pieces);
        Line line({20, pieces, 2});
        line.port.output("?C\r");
        QCOMPARE(line.events, 0); // nothing arrives while the command is written
        QVERIFY(line.port.input().isEmpty());
        QTRY_COMPARE(line.received, LiveAtPowerUp);
        QCOMPARE(line.events, pieces);
    }

    void commandsAreGatheredIntoLines()
    {
        Line line;
        line.port.output("?");
        line.port.output("C");
        QTest::qWait(40);
        QCOMPARE(line.events, 0); // no carriage return yet
        line.port.output("\r?A\r\n?\r");
        QTRY_COMPARE(line.received, LiveAtPowerUp + LevelAtPowerUp + Identification);
    }

    void overlongLinesAreDropped()
    {
        Line line;
        line.port.output(QByteArray(5000, '?') + "\r?\r");
        QTRY_COMPARE(line.received, Identification);
        QTest::qWait(30);
        QCOMPARE(line.received, Identification);
    }

    void piecesOfRepliesKeepTheirOrder()
    {
        Line line({5, 4, 7});
        line.port.output("?\r?C\r");
        line.port.output("?A\r");
        QTRY_COMPARE(line.received, Identification + LiveAtPowerUp + LevelAtPowerUp);
        QCOMPARE(line.events, 12);
    }

    void closingDropsRepliesUnderWay()
    {
        Line line({30, 3, 10});
        line.port.output("?\r");
        line.port.output("?C"); // half a command
        line.port.close();
        QVERIFY(line.port.open());
        line.port.output("\r"); // ends an empty line, which gets no answer
        QTest::qWait(150);
        QCOMPARE(line.events, 0);
        QVERIFY(line.port.input().isEmpty());
    }

    void simulateFindsTheControllerAndScans()
    {
        modMain data;
        SimulatedSerialPort port;
        ScriptedDialogs dialogs;
        frmMain window(data, port, dialogs);
        window.Form_Load();
        window.show();

        QCOMPARE(window.lblUSB->text(), QStringLiteral("USB Port: 1 (simulated)"));
        QCOMPARE(window.lblConnect->text(), QStringLiteral("Connected"));
        QCOMPARE(window.lblModel->text(), QStringLiteral("Model No. DMK0-0042"));
        QCOMPARE(window.lblSerial->text(), QStringLiteral("Serial No. S123"));
        QCOMPARE(window.lblVersion->text(), QStringLiteral("Version V4.1"));
        QVERIFY(window.cmdRun->isEnabled());

        QTest::mouseClick(window.cmdRun, Qt::LeftButton);
        QCOMPARE(window.cmdRun->text(), QStringLiteral("Stop"));
        QTest::qWait(800);
        QTest::mouseClick(window.cmdRun, Qt::LeftButton);
        QCOMPARE(window.cmdRun->text(), QStringLiteral("Scan"));

        // The piston starts at 50 % and the signal at 0 %: PV is on its way down.
        QCOMPARE(window.Live.sp.text, QStringLiteral("0.0"));
        QVERIFY(window.Live.pv.raw > 0 && window.Live.pv.raw < 500);
        QVERIFY(window.Live.downValveOn);
        QCOMPARE(window.Live.er.raw, int16_t(window.Live.sp.raw - window.Live.pv.raw));
        QVERIFY(window.Live.lv.raw > 600); // the level rises as the piston comes down
        QVERIFY(window.Trend[TrendBuffer::TrendLength].pv > 0);
        QVERIFY(window.Trend[TrendBuffer::TrendLength - 1].pv > 0);
    }
};

QTEST_MAIN(tst_SimPort)
#include "tst_sim_port.moc"
