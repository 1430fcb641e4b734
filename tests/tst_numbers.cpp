#include "platform/Numbers.h"

#include <QtTest>
#include <cmath>

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

    // The decimal number at the start of a text, however many zeros lead it.
    void readsTheLeadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        const QString zeros(450, u'0');
        QTest::newRow("plain") << QStringLiteral(" 12.5kg") << 12.5;
        QTest::newRow("no number") << QStringLiteral("abc") << 0.0;
        QTest::newRow("only zeros") << zeros << 0.0;
        QTest::newRow("450 zeros, then 15") << zeros + QStringLiteral("15") << 15.0;
        QTest::newRow("450 zeros, then 1.25") << zeros + QStringLiteral("1.25") << 1.25;
        QTest::newRow("minus, 450 zeros, then 7") << QStringLiteral("-") + zeros + QStringLiteral("7") << -7.0;
        QTest::newRow("450 zeros, point, 5") << zeros + QStringLiteral(".5") << 0.5;
        QTest::newRow("minus zeros") << QStringLiteral("-000") << 0.0;
        QTest::newRow("fraction after 300 zeros") << QStringLiteral("0.") + QString(300, u'0') + QStringLiteral("5") << 5e-301;
        QTest::newRow("a number too large") << QStringLiteral("1") + zeros << HUGE_VAL;
    }
    void readsTheLeadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(num::val(QStringView(text)), expected);
        QCOMPARE(num::val(QByteArrayView(text.toLatin1())), expected);
    }
};

QTEST_APPLESS_MAIN(tst_Numbers)
#include "tst_numbers.moc"
