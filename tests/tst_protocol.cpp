// Reading replies: fields, sentinels, separators, flags, identification.
#include "link/Protocol.h"
#include "link/ReceiveBuffer.h"

#include <QtTest>

using namespace protocol;

class tst_Protocol : public QObject
{
    Q_OBJECT
private slots:
    void readsFields_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << QByteArray("  455") << 455;
        QTest::newRow("negative") << QByteArray(" -300") << -300;
        QTest::newRow("leading zeros") << QByteArray("00100") << 100;
        QTest::newRow("half rounds to even up") << QByteArray(" 45.5") << 46;
        QTest::newRow("half rounds to even down") << QByteArray(" 44.5") << 44;
        QTest::newRow("stops at a foreign character") << QByteArray("  1 2") << 1;
        QTest::newRow("no number reads 0") << QByteArray("abcde") << 0;
        QTest::newRow("NUL bytes") << QByteArray("\0\0\0\0\0", 5) << 0;
        QTest::newRow("above 16 bits clamps") << QByteArray("99999") << 32767;
        QTest::newRow("below 16 bits clamps") << QByteArray("-9999") << -9999;
        QTest::newRow("short field") << QByteArray("12") << 12;
    }
    void readsFields()
    {
        QFETCH(QByteArray, field);
        QFETCH(int, expected);
        QCOMPARE(int(readField("C" + field, 2)), expected);
    }

    void clampsReadingsBeyond16Bits()
    {
        // Five characters can hold 99999; the reading saturates instead of wrapping.
        LiveValues values;
        applyLiveRecord("C99999,-9999,99999,00\r", values);
        QCOMPARE(values.sp.raw, int16_t(32767));
        QCOMPARE(values.sp.text, QStringLiteral("3276.7"));
        QCOMPARE(values.er.raw, int16_t(32767));
    }

    void decodesLiveRecords_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("spText");
        QTest::addColumn<float>("spValue");
        QTest::addColumn<QString>("pvText");
        QTest::addColumn<QString>("erText");
        QTest::addColumn<bool>("up");
        QTest::addColumn<bool>("down");
        // Start values: SP "12.0", PV "34.0", error "5.0".
        QTest::newRow("well formed") << QByteArray("C  455,  400,   55,10\r") << "45.5" << 45.5f << "40.0" << "5.5" << true << false;
        QTest::newRow("first separator missing") << QByteArray("C  455;  400,   55,01\r") << "12.0" << 12.0f << "40.0" << "5.5" << false << true;
        QTest::newRow("negative error") << QByteArray("C  100,  200, -100,00\r") << "10.0" << 10.0f << "20.0" << "-10.0" << false << false;
        QTest::newRow("over range word") << QByteArray("C -200,  400,   55,00\r") << "OVR" << 0.0f << "40.0" << "5.5" << false << false;
        QTest::newRow("open word") << QByteArray("C -300,  400,   55,00\r") << "OPEN" << 0.0f << "40.0" << "5.5" << false << false;
        QTest::newRow("under range word") << QByteArray("C -100,  400,   55,00\r") << "UNR" << 0.0f << "40.0" << "5.5" << false << false;
        QTest::newRow("other negative keeps the text") << QByteArray("C   -5,  400,   55,00\r") << "12.0" << 0.0f << "40.0" << "5.5" << false << false;
        QTest::newRow("short line: flags off") << QByteArray("C  455,\r") << "45.5" << 45.5f << "34.0" << "5.0" << false << false;
        QTest::newRow("flags other than 1 are off") << QByteArray("C  455,  400,   55,2x\r") << "45.5" << 45.5f << "40.0" << "5.5" << false << false;
    }
    void decodesLiveRecords()
    {
        QFETCH(QByteArray, line);
        LiveValues values;
        applyLiveRecord("C  120,  340,   50,11\r", values);
        applyLiveRecord(line, values);
        QTEST(values.sp.text, "spText");
        QTEST(values.sp.value, "spValue");
        QTEST(values.pv.text, "pvText");
        QTEST(values.er.text, "erText");
        QTEST(values.upValveOn, "up");
        QTEST(values.downValveOn, "down");
    }

    void decodesLevelRecords_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("value");
        QTest::addColumn<bool>("relay");
        QTest::newRow("plain") << QByteArray("A  725,1\r") << "72.5" << 72.5f << true;
        QTest::newRow("open input") << QByteArray("A -300,0\r") << "OPEN" << 0.0f << false;
        QTest::newRow("minus 5 keeps the text") << QByteArray("A   -5,1\r") << "50.0" << 0.0f << true;
        QTest::newRow("separator missing: level kept, flag still read") << QByteArray("A  725 1\r") << "50.0" << 50.0f << true;
    }
    void decodesLevelRecords()
    {
        QFETCH(QByteArray, line);
        LiveValues values;
        applyLevelRecord("A  500,0\r", values);
        applyLevelRecord(line, values);
        QTEST(values.lv.text, "text");
        QTEST(values.lv.value, "value");
        QTEST(values.relayOn, "relay");
    }

    void decodesIdentification_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("serial");
        QTest::newRow("complete") << QByteArray("@V4.1DMK-0042S123\r") << "V4.1" << "DMK--0042" << "S123";
        QTest::newRow("halves") << QByteArray("@V410ABCD1234H001\r") << "V410" << "ABCD-1234" << "H001";
        QTest::newRow("short line") << QByteArray("@V41\r") << "V41\r" << "-" << "";
    }
    void decodesIdentification()
    {
        QFETCH(QByteArray, line);
        const Identity id = decodeIdentity(line);
        QTEST(id.version, "version");
        QTEST(id.model, "model");
        QTEST(id.serial, "serial");
    }

    void recognisesAcknowledgements()
    {
        QVERIFY(isOk("OK\r"));
        QVERIFY(isOk("OKAY\r"));
        QVERIFY(!isOk("O\r"));
        QVERIFY(isFail("FAIL 3\r"));
        QVERIFY(!isFail("FAI\r"));
    }

    void buildsRepliesTheReaderUnderstands()
    {
        LiveValues values;
        applyLiveRecord(liveReply(455, -200, 655, true, false), values);
        QCOMPARE(values.sp.text, QStringLiteral("45.5"));
        QCOMPARE(values.pv.text, QStringLiteral("OVR"));
        QCOMPARE(values.er.text, QStringLiteral("65.5"));
        QVERIFY(values.upValveOn && !values.downValveOn);
        QCOMPARE(liveReply(455, 400, 55, true, false).size(), 22);
        QCOMPARE(levelReply(725, true).size(), 9);
        QCOMPARE(identityReply("V4.1", "DMK00042", "S123").size(), 18);
    }
};

QTEST_APPLESS_MAIN(tst_Protocol)
#include "tst_protocol.moc"
