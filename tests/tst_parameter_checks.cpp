// The checks of the parameter window: every field's scale, rounding and
// limits, and the password messages.
#include "params/ParameterChecks.h"

#include <QtTest>

class tst_ParameterChecks : public QObject
{
    Q_OBJECT
private slots:
    void typedValues_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("inRange");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");

        QTest::newRow("1.25 halves to even") << 0 << "1.25" << true << 12 << "1.2";
        QTest::newRow("1.35 halves to even") << 0 << "1.35" << true << 14 << "1.4";
        QTest::newRow("0.04 rounds to 0") << 0 << "0.04" << false << 0 << "0.0";
        QTest::newRow("20 passes") << 0 << "20" << true << 200 << "20.0";
        QTest::newRow("20.05 halves down") << 0 << "20.05" << true << 200 << "20.0";
        QTest::newRow("20.06 rounds up, too high") << 1 << "20.06" << false << 201 << "20.1";
        QTest::newRow("leading blanks and a tail") << 4 << "  55.5%" << true << 555 << "55.5";
        QTest::newRow("negative tenths") << 5 << "-1" << false << -10 << "-1.0";
        QTest::newRow("minus zero shows 0") << 7 << "-0.4" << true << 0 << "0";
        QTest::newRow("pulse delay 175.4") << 6 << "175.4" << true << 175 << "175";
        QTest::newRow("pulse delay 175.5 to even") << 6 << "175.5" << false << 176 << "176";
        QTest::newRow("pulse delay 4") << 6 << "4" << false << 4 << "4";
        QTest::newRow("pump off too high") << 11 << "201" << false << 201 << "201";

        // An empty box or letters read as 0: only Pressure @4mA accepts it.
        for (int i = 0; i < 12; ++i) {
            const bool zeroAllowed = ParameterFields[i].min <= 0;
            const QString shown = ParameterFields[i].tenths ? QStringLiteral("0.0") : QStringLiteral("0");
            QTest::addRow("index %d empty", i) << i << "" << zeroAllowed << 0 << shown;
            QTest::addRow("index %d letters", i) << i << "abc" << zeroAllowed << 0 << shown;
        }

        // The limits of every field, typed as the box shows them.
        for (int i = 0; i < 12; ++i) {
            const ParameterField &f = ParameterFields[i];
            auto typed = [&](int stored) {
                return f.tenths ? QString::number(stored / 10.0, 'f', 1) : QString::number(stored);
            };
            auto shown = [&](int stored) { return f.tenths ? typed(stored) : QString::number(stored); };
            for (const auto &[stored, inRange] : {std::pair{f.min - 1, false}, std::pair{int(f.min), true},
                                                  std::pair{int(f.max), true}, std::pair{f.max + 1, false}}) {
                QTest::addRow("index %d stored %d", i, stored) << i << typed(stored) << inRange << stored << shown(stored);
            }
        }
    }
    void typedValues()
    {
        QFETCH(int, index);
        QFETCH(QString, typed);
        QFETCH(bool, inRange);
        QFETCH(int, stored);
        QFETCH(QString, shown);
        const params::TypedValue value = params::ReadTypedValue(ParameterFields[index], typed);
        QVERIFY(value.fits16);
        QCOMPARE(int(value.stored), stored);
        QCOMPARE(value.inRange, inRange);
        QCOMPARE(value.normalized, shown);
    }

    // Numbers beyond 16 bits are out of range like any other, never wrapped;
    // the box keeps what was typed.
    void beyondSixteenBits_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("typed");
        QTest::newRow("5000 in tenths") << 0 << "5000";
        QTest::newRow("3276.8 in tenths") << 4 << "3276.8";
        QTest::newRow("32768") << 6 << "32768";
        QTest::newRow("65537 would wrap to 1") << 9 << "65537";
        QTest::newRow("-32769") << 7 << "-32769";
        QTest::newRow("forty digits") << 11 << QString(40, QLatin1Char('9'));
        QTest::newRow("four hundred digits") << 0 << QString(400, QLatin1Char('9'));
    }
    void beyondSixteenBits()
    {
        QFETCH(int, index);
        QFETCH(QString, typed);
        const params::TypedValue value = params::ReadTypedValue(ParameterFields[index], typed);
        QVERIFY(!value.fits16);
        QVERIFY(!value.inRange);
        QCOMPARE(value.normalized, typed);
    }

    void largestThatFits()
    {
        const params::TypedValue value = params::ReadTypedValue(ParameterFields[0], QStringLiteral("3276.7"));
        QVERIFY(value.fits16);
        QCOMPARE(value.stored, int16_t(32767));
        QVERIFY(!value.inRange);
    }

    void password_data()
    {
        using namespace params;
        QTest::addColumn<QString>("password");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("four digits") << "0429" << QStringList();
        QTest::newRow("three digits") << "123" << QStringList{PasswordLengthMessage};
        QTest::newRow("five digits") << "12345" << QStringList{PasswordLengthMessage};
        QTest::newRow("empty") << "" << QStringList{PasswordLengthMessage};
        QTest::newRow("three letters: length only") << "abc" << QStringList{PasswordLengthMessage};
        QTest::newRow("one letter") << "12a4" << QStringList{PasswordDigitMessage};
        QTest::newRow("four letters") << "abcd" << QStringList(4, PasswordDigitMessage);
        QTest::newRow("a blank") << " 123" << QStringList{PasswordDigitMessage};
        QTest::newRow("a sign") << "-123" << QStringList{PasswordDigitMessage};
        QTest::newRow("full-width digits")
            << QString::fromUtf8("\xEF\xBC\x91\xEF\xBC\x92\xEF\xBC\x93\xEF\xBC\x94") << QStringList(4, PasswordDigitMessage);
    }
    void password()
    {
        QFETCH(QString, password);
        QFETCH(QStringList, messages);
        QCOMPARE(params::PasswordProblems(password), messages);
    }
};

QTEST_APPLESS_MAIN(tst_ParameterChecks)
#include "tst_parameter_checks.moc"
