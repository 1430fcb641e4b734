// The command lines of the service functions and the value rules behind them.
#include "service/InputCalibration.h"
#include "service/OutputCalibration.h"
#include "service/RemoteSetpoint.h"
#include "service/SerialNumber.h"

#include <QtTest>

using namespace service;

class tst_ServiceCommands : public QObject
{
    Q_OBJECT
private slots:
    void calibrationCommandPerButton_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("command");
        const char *commands[] = {"#A", "#B", "#C", "#D", "#E", "#F", "#G", "#H", "#I", "#J"};
        for (int i = 0; i < CalibrationPoints; ++i)
            QTest::addRow("cmdCalib(%d)", i) << i << QString::fromLatin1(commands[i]);
    }
    void calibrationCommandPerButton()
    {
        QFETCH(int, index);
        QFETCH(QString, command);
        QCOMPARE(calibrationCommand(index), command);
    }

    void outputDigitsAreLowByteFirst_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("digits");
        QTest::newRow("50") << 50 << "3200";
        QTest::newRow("60") << 60 << "3C00";
        QTest::newRow("1") << 1 << "0100";
        QTest::newRow("1000") << 1000 << "E803";
        QTest::newRow("3300") << 3300 << "E40C";
        QTest::newRow("4095") << 4095 << "FF0F";
        QTest::newRow("20000") << 20000 << "204E";
    }
    void outputDigitsAreLowByteFirst()
    {
        QFETCH(int, value);
        QFETCH(QString, digits);
        QCOMPARE(outputDigits(value), digits);
    }

    void outputSignalsDifferInRangeAndCommands()
    {
        const OutputSignal &output = outputSignal(false);
        QCOMPARE(QString::fromLatin1(output.caption), QStringLiteral("Calibrate Output"));
        QCOMPARE(output.start, int16_t(50));
        QCOMPARE(outputSetCommand(output, 50), QStringLiteral("%QS3200"));
        QCOMPARE(outputStoreCommand(output, 0, 50), QStringLiteral("%Q03200"));
        QCOMPARE(outputStoreCommand(output, 4, 4095), QStringLiteral("%Q4FF0F"));

        const OutputSignal &feedback = outputSignal(true);
        QCOMPARE(QString::fromLatin1(feedback.caption), QStringLiteral("Calibrate Feedback"));
        QCOMPARE(feedback.start, int16_t(3300));
        QCOMPARE(outputSetCommand(feedback, 20000), QStringLiteral("%US204E"));
        QCOMPARE(outputStoreCommand(feedback, 4, 3300), QStringLiteral("%U4E40C"));
        QCOMPARE(outputStoreCommand(feedback, 2, 1000), QStringLiteral("%U2E803"));
    }

    void outputStepsStayInRange_data()
    {
        QTest::addColumn<bool>("feedback");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("delta");
        QTest::addColumn<int>("expected");
        QTest::newRow("fine up") << false << 50 << 10 << 60;
        QTest::newRow("coarse down below the floor") << false << 50 << -100 << 1;
        QTest::newRow("minute down at the floor") << false << 1 << -1 << 1;
        QTest::newRow("coarse up past the top") << false << 4050 << 100 << 4095;
        QTest::newRow("up at the top") << false << 4095 << 1 << 4095;
        QTest::newRow("feedback up at the top") << true << 20000 << 100 << 20000;
        QTest::newRow("feedback coarse down to the floor") << true << 1050 << -100 << 1000;
        QTest::newRow("feedback minute down") << true << 3300 << -1 << 3299;
    }
    void outputStepsStayInRange()
    {
        QFETCH(bool, feedback);
        QFETCH(int, value);
        QFETCH(int, delta);
        QFETCH(int, expected);
        QCOMPARE(int(steppedOutput(outputSignal(feedback), value, delta)), expected);
    }

    void remoteSetpointStaysInRange_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("delta");
        QTest::addColumn<int>("expected");
        QTest::newRow("up") << 500 << 1 << 501;
        QTest::newRow("up at 1000") << 1000 << 1 << 1000;
        QTest::newRow("down") << 500 << -1 << 499;
        QTest::newRow("down at 0") << 0 << -1 << 0;
    }
    void remoteSetpointStaysInRange()
    {
        QFETCH(int, value);
        QFETCH(int, delta);
        QFETCH(int, expected);
        QCOMPARE(int(steppedSetpoint(value, delta)), expected);
    }

    void serviceCodeIsComparedWhole_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("the code") << "8261" << true;
        QTest::newRow("leading blank") << " 8261" << false;
        QTest::newRow("trailing blank") << "8261 " << false;
        QTest::newRow("cancel") << QString() << false;
        QTest::newRow("default") << "0" << false;
        QTest::newRow("longer") << "82610" << false;
        QTest::newRow("shorter") << "826" << false;
    }
    void serviceCodeIsComparedWhole()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QCOMPARE(isServiceCode(typed), accepted);
    }

    void serialNumberIsFourPrintableCharacters_data()
    {
        QTest::addColumn<QString>("serial");
        QTest::addColumn<bool>("valid");
        QTest::newRow("design text") << "H001" << true;
        QTest::newRow("three") << "H01" << false;
        QTest::newRow("five") << "H0001" << false;
        QTest::newRow("four blanks") << "    " << true;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("non-ASCII letter") << QStringLiteral("H0\u00E91") << false;
        QTest::newRow("control character") << QStringLiteral("H0\t1") << false;
        QTest::newRow("carriage return") << QStringLiteral("H0\r1") << false;
    }
    void serialNumberIsFourPrintableCharacters()
    {
        QFETCH(QString, serial);
        QFETCH(bool, valid);
        QCOMPARE(isValidSerialNumber(serial), valid);
    }

    void serialNumberCommandCarriesTheText()
    {
        QCOMPARE(serialNumberCommand(QStringLiteral("H001")), QStringLiteral("*SNH001"));
        QCOMPARE(setpointCommand(QStringLiteral("0505")), QStringLiteral("%RS0505"));
    }
};

QTEST_APPLESS_MAIN(tst_ServiceCommands)
#include "tst_service_commands.moc"
