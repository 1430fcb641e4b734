#include "platform/Numbers.h"

#include <QtTest>

class tst_Numbers : public QObject
{
    Q_OBJECT
private slots:
    void roundsHalfToEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("49.5") << 49.5 << 50;
        QTest::newRow("50.5") << 50.5 << 50;
        QTest::newRow("51.5") << 51.5 << 52;
        QTest::newRow("-2.5") << -2.5 << -2;
        QTest::newRow("12.49") << 12.49 << 12;
        QTest::newRow("above 16 bits") << 40000.0 << 32767;
        QTest::newRow("below 16 bits") << -40000.0 << -32768;
    }
    void roundsHalfToEven()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(int(num::toInt16(value)), expected);
    }
};

QTEST_APPLESS_MAIN(tst_Numbers)
#include "tst_numbers.moc"
