// The reply dispatcher of the main window: what each reply kind changes,
// in whatever pieces the lines arrive.
#include "MainWindowFixture.h"
#include "platform/Shape.h"
#include "platform/Timer.h"

#include <QLabel>
#include <QtTest>

class tst_Dispatcher : public QObject
{
    Q_OBJECT

    // Delivers the pieces as separate receive events and lets them be handled.
    static void receive(MainWindowFixture &f, const QList<QByteArray> &pieces)
    {
        for (const QByteArray &piece : pieces) {
            f.port.deliver(piece);
            QTest::qWait(1);
        }
        QTest::qWait(5);
    }

private slots:
    void handlesALineOnceWhenItsCarriageReturnArrives()
    {
        MainWindowFixture f;
        f.startWithDevice();
        receive(f, {"C  45", "5,  40"});
        QCOMPARE(f.window->Live.sp.text, QStringLiteral("---"));
        QCOMPARE(f.window->shpRx->fillColor(), QColor(192, 192, 192));
        receive(f, {"0,   55,10\r"});
        QCOMPARE(f.window->Live.sp.text, QStringLiteral("45.5"));
        QCOMPARE(f.window->Live.pv.text, QStringLiteral("40.0"));
        QVERIFY(f.window->link.tmrRx->isEnabled());
    }

    void handlesEveryLineOfOnePiece()
    {
        // A live and a level record in one receive event: both take effect.
        MainWindowFixture f;
        f.startWithDevice();
        receive(f, {"C  455,  400,   55,10\rA  725,1\rOK\r"});
        QCOMPARE(f.window->Live.sp.text, QStringLiteral("45.5"));
        QCOMPARE(f.window->Live.lv.text, QStringLiteral("72.5"));
        QVERIFY(f.window->Live.relayOn);
        QVERIFY(f.window->link.ReplyOk);
    }

    void acknowledgementsSetTheirFlagsEvenWhenNobodyWaits()
    {
        MainWindowFixture f;
        f.startWithDevice();
        receive(f, {"OK\r"});
        QVERIFY(f.window->link.ReplyOk);
        QVERIFY(!f.window->link.ReplyFail);
        receive(f, {"FAIL\r"});
        QVERIFY(f.window->link.ReplyFail);
    }

    void identificationUpdatesTheDetails()
    {
        MainWindowFixture f;
        f.startWithDevice();
        receive(f, {"@V5.0ABCD1234H001\r"});
        QCOMPARE(f.window->lblModel->text(), QStringLiteral("Model No. ABCD-1234"));
        QCOMPARE(f.data.SerialNo, QStringLiteral("H001"));
    }

    void parameterReplySetsTheBlockAndTheFlag_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("received");
        QTest::addColumn<int>("spZero");
        QByteArray hex(200, '0');
        hex.replace(0, 4, "2C01");
        QTest::newRow("202 characters") << QByteArray("P" + hex + "\r") << true << 300;
        QTest::newRow("too short: kept as it was") << QByteArray("P" + hex.left(198) + "\r") << false << 7;
        QByteArray high = hex;
        high.replace(0, 4, "FFFF");
        QTest::newRow("word beyond 32767: kept as it was") << QByteArray("P" + high + "\r") << false << 7;
        QByteArray noisy = hex;
        noisy[150] = '?';
        QTest::newRow("noise in the block: kept as it was") << QByteArray("P" + noisy + "\r") << false << 7;
    }
    void parameterReplySetsTheBlockAndTheFlag()
    {
        QFETCH(QByteArray, reply);
        MainWindowFixture f;
        f.startWithDevice();
        f.data.ParameterSet.SPZero = 7;
        receive(f, {reply.left(100), reply.mid(100)});
        QTEST(f.window->ParamsReceived, "received");
        QTEST(int(f.data.ParameterSet.SPZero), "spZero");
    }

    void survivesGarbage()
    {
        MainWindowFixture f;
        f.startWithDevice();
        QByteArray noise;
        for (int i = 0; i < 20000; ++i)
            noise += char(i * 37 % 256);
        receive(f, {noise, QByteArray(5000, 'C'), QByteArray("\0\0\r\n\n", 5), "C  455,  400,   55,10\r"});
        QCOMPARE(f.window->Live.sp.text, QStringLiteral("45.5"));
        QVERIFY(f.window->link.RxBuffer.isEmpty());
    }
};

QTEST_MAIN(tst_Dispatcher)
#include "tst_dispatcher.moc"
