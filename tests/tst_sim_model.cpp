// The simulated controller's model, driven on its own clock.
#include "link/Protocol.h"
#include "params/ParameterFields.h"
#include "sim/ActuatorModel.h"

#include <QtTest>
#include <functional>

Q_DECLARE_METATYPE(SimInput)
Q_DECLARE_METATYPE(SimFault)

namespace {

const QByteArray Ok = "OK\r";
const QByteArray Fail = "FAIL\r";

LiveValues live(ActuatorModel &model)
{
    LiveValues values;
    protocol::applyLiveRecord(model.answer("?C"), values);
    return values;
}

LiveValues level(ActuatorModel &model)
{
    LiveValues values;
    protocol::applyLevelRecord(model.answer("?A"), values);
    return values;
}

// Takes the setpoint over by remote control.
void driveTo(ActuatorModel &model, int tenths)
{
    QCOMPARE(model.answer("%R1"), Ok);
    QCOMPARE(model.answer("%RS" + QByteArray::number(tenths).rightJustified(4, '0')), Ok);
}

// Milliseconds until `reached` holds, polled every tick; -1 beyond `limitMs`.
int64_t timeUntil(ActuatorModel &model, const std::function<bool()> &reached, int64_t limitMs)
{
    const int64_t start = model.now();
    while (!reached()) {
        if (model.now() - start > limitMs)
            return -1;
        model.advance(ActuatorModel::TickMs);
    }
    return model.now() - start;
}

// A parameter set unlike the defaults, every value in range.
ParameterSet uploadBase()
{
    ParameterSet p = ActuatorModel::defaultParameters();
    p.SPZero = 812;
    p.CoarseControlUp = 120;
    p.FineControlDn = 7;
    p.OilLevelAlarm = 300;
    p.pswd = {9, 0, 5, 1};
    p.PulseDelay = 175;
    p.SPFail = 2;
    p.PVFail = 1;
    p.LevelSwOpt = 1;
    p.PressureSwOpt = 1;
    p.PressurePumpOff = 200;
    return p;
}

QByteArray upload(const std::function<void(ParameterSet &)> &change, bool fromFile = false)
{
    ParameterSet p = uploadBase();
    change(p);
    return params::BuildParameterUpload(p, fromFile).toLatin1();
}

} // namespace

class tst_SimModel : public QObject
{
    Q_OBJECT
private slots:
    void answersCommands_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("identify") << QByteArray("?") << QByteArray("@V4.1DMK00042S123\r");
        QTest::newRow("live record at power-up") << QByteArray("?C") << QByteArray("C    0,  500, -500,01\r");
        QTest::newRow("level record at power-up") << QByteArray("?A") << QByteArray("A  600,0\r");
        for (char c = 'A'; c <= 'J'; ++c)
            QTest::addRow("calibrate #%c", c) << QByteArray("#") + c << Ok;
        QTest::newRow("calibrate #K is unknown") << QByteArray("#K") << QByteArray();
        QTest::newRow("main control off") << QByteArray("%C0") << Ok;
        QTest::newRow("remote control on") << QByteArray("%R1") << Ok;
        QTest::newRow("main control on") << QByteArray("%C1") << Ok;
        QTest::newRow("output held") << QByteArray("%Q-") << Ok;
        QTest::newRow("output released") << QByteArray("%Q+") << Ok;
        QTest::newRow("output trial") << QByteArray("%QS3200") << Ok;
        QTest::newRow("feedback trial") << QByteArray("%US204E") << Ok;
        QTest::newRow("store output 4 mA") << QByteArray("%Q03200") << Ok;
        QTest::newRow("store feedback 20 mA") << QByteArray("%U4E40C") << Ok;
        QTest::newRow("trial without digits") << QByteArray("%QS") << Fail;
        QTest::newRow("trial, 2 digits") << QByteArray("%QS32") << Fail;
        QTest::newRow("trial, not hexadecimal") << QByteArray("%QSXY00") << Fail;
        QTest::newRow("store above 32767") << QByteArray("%Q0FFFF") << Fail;
        QTest::newRow("store point 5 is unknown") << QByteArray("%Q53200") << QByteArray();
        QTest::newRow("setpoint outside remote control") << QByteArray("%RS0500") << Fail;
        QTest::newRow("serial number") << QByteArray("*SNH001") << Ok;
        QTest::newRow("serial number of blanks") << QByteArray("*SN    ") << Ok;
        QTest::newRow("serial number, 3 characters") << QByteArray("*SNH01") << Fail;
        QTest::newRow("serial number, 5 characters") << QByteArray("*SNH0001") << Fail;
        QTest::newRow("upload without block") << QByteArray("*P1") << Fail;
        QTest::newRow("upload *P3 is unknown") << QByteArray("*P3") << QByteArray();
        QTest::newRow("empty line") << QByteArray() << QByteArray();
        QTest::newRow("lower case") << QByteArray("?c") << QByteArray();
        QTest::newRow("trailing characters") << QByteArray("?CX") << QByteArray();
        QTest::newRow("garbage") << QByteArray("\x01\xff hello") << QByteArray();
    }
    void answersCommands()
    {
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, reply);
        ActuatorModel model;
        QCOMPARE(model.answer(command), reply);
    }

    void identityIsConfigurable()
    {
        ActuatorModel model;
        model.setIdentity({"V5.0", "ABC1", "0999", "Z001"});
        QCOMPARE(protocol::decodeIdentity(model.answer("?")).model, QStringLiteral("ABC1-0999"));
        QCOMPARE(model.answer("?"), QByteArray("@V5.0ABC10999Z001\r"));
    }

    void serialNumberCommandChangesIdentification()
    {
        ActuatorModel model;
        QCOMPARE(model.answer("*SNAB12"), Ok);
        QCOMPARE(protocol::decodeIdentity(model.answer("?")).serial, QStringLiteral("AB12"));
        QCOMPARE(model.answer("*SNAB1"), Fail);
        QCOMPARE(protocol::decodeIdentity(model.answer("?")).serial, QStringLiteral("AB12"));
    }

    void parameterReplyCarriesDefaults()
    {
        ActuatorModel model;
        const QByteArray reply = model.answer("?P");
        QCOMPARE(reply.size(), params::ReplyLength);
        QVERIFY(reply.startsWith('P'));
        QVERIFY(reply.endsWith('\r'));
        ParameterSet decoded;
        QVERIFY(params::DecodeParameterBlock(reply, decoded));
        QCOMPARE(decoded, ActuatorModel::defaultParameters());
        for (const ParameterField &f : ParameterFields) {
            QVERIFY2(decoded.*f.field >= f.min && decoded.*f.field <= f.max, f.label);
        }
        // Reserved bytes: fixed, the same in every reply.
        QCOMPARE(reply.mid(1 + 2 * params::UploadBytes, 84), QByteArray(84, 'F'));
        QCOMPARE(model.answer("?P"), reply);
        // What it sends, it takes back.
        QCOMPARE(model.answer("*P1" + reply.mid(1, 116)), Ok);
    }

    void storesParameterUpload_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<bool>("taken");
        const auto same = [](ParameterSet &) {};
        QTest::newRow("*P1") << upload(same) << true;
        QTest::newRow("*P2") << upload(same, true) << true;
        QTest::newRow("lower-case digits") << QByteArray("*P1") + upload(same).mid(3).toLower() << true;
        QTest::newRow("pressure @4mA 0") << upload([](ParameterSet &p) { p.PressureValueLow = 0; }) << true;
        QTest::newRow("every window field at its lower limit") << upload([](ParameterSet &p) {
            for (const ParameterField &f : ParameterFields)
                p.*f.field = f.min;
        }) << true;
        QTest::newRow("every window field at its upper limit") << upload([](ParameterSet &p) {
            for (const ParameterField &f : ParameterFields)
                p.*f.field = f.max;
        }) << true;
        QTest::newRow("calibration words 0 and 32767") << upload([](ParameterSet &p) {
            p.SPZero = 0;
            p.PRSpan = 32767;
        }) << true;

        QTest::newRow("115 digits") << upload(same).chopped(1) << false;
        QTest::newRow("117 digits") << upload(same) + '0' << false;
        QByteArray notHex = upload(same);
        notHex[50] = 'G';
        QTest::newRow("not hexadecimal") << notHex << false;
        QByteArray negativeWord = upload(same);
        negativeWord.replace(5, 2, "80"); // high byte of SPZero
        QTest::newRow("word above 32767") << negativeWord << false;
        for (const ParameterField &f : ParameterFields) {
            if (f.min > 0) // a word cannot go below 0 on the wire
                QTest::addRow("%s below range", f.label) << upload([&](ParameterSet &p) { p.*f.field = f.min - 1; }) << false;
            QTest::addRow("%s above range", f.label) << upload([&](ParameterSet &p) { p.*f.field = f.max + 1; }) << false;
        }
        QTest::newRow("SP fail code 3") << upload([](ParameterSet &p) { p.SPFail = 3; }) << false;
        QTest::newRow("PV fail code 3") << upload([](ParameterSet &p) { p.PVFail = 3; }) << false;
        QTest::newRow("password digit 10") << upload([](ParameterSet &p) { p.pswd[3] = 10; }) << false;
        QTest::newRow("level switch option 2") << upload([](ParameterSet &p) { p.LevelSwOpt = 2; }) << false;
        QTest::newRow("pressure switch option 2") << upload([](ParameterSet &p) { p.PressureSwOpt = 2; }) << false;
    }
    void storesParameterUpload()
    {
        QFETCH(QByteArray, command);
        QFETCH(bool, taken);
        ActuatorModel model;
        QCOMPARE(model.answer(command), taken ? Ok : Fail);
        ParameterSet expected = ActuatorModel::defaultParameters();
        if (taken)
            QVERIFY(params::DecodeParameterBlock('P' + command.mid(3) + QByteArray(84, '0') + '\r', expected));
        QCOMPARE(model.parameters(), expected);
        ParameterSet read;
        QVERIFY(params::DecodeParameterBlock(model.answer("?P"), read));
        QCOMPARE(read, expected);
    }

    void outputCalibrationStoresPoints()
    {
        ActuatorModel model;
        QCOMPARE(model.answer("%Q-"), Ok);
        QVERIFY(model.outputCalibration());
        QCOMPARE(model.answer("%QS" + params::HexWord(1000).toLatin1()), Ok);
        QCOMPARE(model.outputTrial(), 1000);
        QCOMPARE(model.answer("%Q1" + params::HexWord(1700).toLatin1()), Ok);
        QCOMPARE(model.answer("%U3" + params::HexWord(15000).toLatin1()), Ok);
        QCOMPARE(model.answer("%Q+"), Ok);
        QVERIFY(!model.outputCalibration());
        ParameterSet read;
        QVERIFY(params::DecodeParameterBlock(model.answer("?P"), read));
        QCOMPARE(read.Cout25, int16_t(1700));
        QCOMPARE(model.feedbackPoints()[3], 15000);
    }

    void followsSetpointWithTravelTimes_data()
    {
        QTest::addColumn<int>("upTravelMs");
        QTest::addColumn<int>("downTravelMs");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("mark");        // PV passing this reading...
        QTest::addColumn<int>("expectedMs");  // ...after this long at full speed
        QTest::newRow("up, 20 s stroke") << 20000 << 25000 << 0 << 1000 << 900 << 18000;
        QTest::newRow("down, 25 s stroke") << 20000 << 25000 << 1000 << 0 << 100 << 22500;
        QTest::newRow("up, 40 s stroke") << 40000 << 25000 << 0 << 1000 << 500 << 20000;
        QTest::newRow("down, 10 s stroke") << 20000 << 10000 << 800 << 200 << 300 << 5000;
    }
    void followsSetpointWithTravelTimes()
    {
        QFETCH(int, upTravelMs);
        QFETCH(int, downTravelMs);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, mark);
        QFETCH(int, expectedMs);
        ActuatorConfig config;
        config.upTravelMs = upTravelMs;
        config.downTravelMs = downTravelMs;
        config.startPosition = from;
        ActuatorModel model(config);
        driveTo(model, to);
        const bool up = to > from;
        const int64_t took = timeUntil(model, [&] {
            const int pv = live(model).pv.raw;
            return up ? pv >= mark : pv <= mark;
        }, 60000);
        QVERIFY2(qAbs(took - expectedMs) <= 2 * ActuatorModel::TickMs, qPrintable(QString::number(took)));

        // It settles inside the fine band with both valves off, and stays.
        model.advance(40000);
        const LiveValues settled = live(model);
        const ParameterSet &p = model.parameters();
        QVERIFY(qAbs(settled.er.raw) <= (up ? p.FineControlUp : p.FineControlDn));
        QVERIFY(!settled.upValveOn && !settled.downValveOn);
        model.advance(5000);
        QCOMPARE(live(model).pv.raw, settled.pv.raw);
    }

    void valvesByBand_data()
    {
        QTest::addColumn<int>("sp");
        QTest::addColumn<int>("pv");
        QTest::addColumn<bool>("up");       // which valve works
        QTest::addColumn<QString>("pattern"); // over the first 500 ms, one mark per 10 ms: '1' on, '0' off
        // Coarse band 10.0 %, fine band 2.0 %, pulse 100 ms on, then 300 ms off.
        const QString continuous = QString(50, QLatin1Char('1'));
        const QString pulsed = QString(10, QLatin1Char('1')) + QString(30, QLatin1Char('0')) + QString(10, QLatin1Char('1'));
        const QString off = QString(50, QLatin1Char('0'));
        QTest::newRow("beyond the coarse band, below SP") << 800 << 500 << true << continuous;
        QTest::newRow("beyond the coarse band, above SP") << 200 << 500 << false << continuous;
        QTest::newRow("in the coarse band, below SP") << 560 << 500 << true << pulsed;
        QTest::newRow("in the coarse band, above SP") << 440 << 500 << false << pulsed;
        QTest::newRow("in the fine band, below SP") << 515 << 500 << true << off;
        QTest::newRow("in the fine band, above SP") << 485 << 500 << false << off;
        QTest::newRow("on SP") << 500 << 500 << true << off;
    }
    void valvesByBand()
    {
        QFETCH(int, sp);
        QFETCH(int, pv);
        QFETCH(bool, up);
        QFETCH(QString, pattern);
        ActuatorModel model;
        ParameterSet p = model.parameters();
        p.CoarseControlUp = p.CoarseControlDn = 100;
        p.FineControlUp = p.FineControlDn = 20;
        p.PulseDelay = 30;
        model.setParameters(p);
        model.setPosition(pv);
        driveTo(model, sp);

        QString seen;
        for (int i = 0; i < pattern.size(); ++i) {
            model.advance(ActuatorModel::TickMs);
            const LiveValues v = live(model);
            QCOMPARE(v.sp.raw, int16_t(sp));
            QCOMPARE(v.er.raw, int16_t(v.sp.raw - v.pv.raw));
            QVERIFY(!(up ? v.downValveOn : v.upValveOn)); // never the other valve
            seen += (up ? v.upValveOn : v.downValveOn) ? QLatin1Char('1') : QLatin1Char('0');
        }
        QCOMPARE(seen, pattern);
        if (!pattern.contains(QLatin1Char('1')))
            QCOMPARE(live(model).pv.raw, int16_t(pv));
    }

    void relayHasHysteresis()
    {
        ActuatorConfig config;
        config.cylinderVolume = 0; // the level stays where it is put
        ActuatorModel model(config);
        QCOMPARE(model.parameters().OilLevelAlarm, int16_t(500));
        QCOMPARE(model.parameters().AlarmHysteresis, int16_t(50));
        const struct
        {
            int level;
            bool relay;
        } steps[] = {{600, false}, {500, false}, {499, true}, {520, true}, {550, true},
                     {551, false}, {530, false}, {499, true}, {0, true}, {1000, false}};
        for (const auto &step : steps) {
            model.setTankLevel(step.level);
            model.advance(ActuatorModel::TickMs);
            const LiveValues v = level(model);
            QCOMPARE(v.lv.raw, int16_t(step.level));
            QVERIFY2(v.relayOn == step.relay, qPrintable(QStringLiteral("level %1").arg(step.level)));
        }
    }

    void levelFollowsPiston()
    {
        ActuatorModel model; // tank 75.0 % with the piston down, the cylinder takes 30.0 %
        model.setPosition(0);
        QCOMPARE(level(model).lv.raw, int16_t(750));
        QVERIFY(!level(model).relayOn);
        model.setPosition(1000);
        QCOMPARE(level(model).lv.raw, int16_t(450));
        QVERIFY(level(model).relayOn);
        model.setPosition(700); // level 54.0 %: inside the hysteresis, still on
        QVERIFY(level(model).relayOn);
        model.setPosition(600); // 57.0 %
        QVERIFY(!level(model).relayOn);
    }

    void remoteSetpointOnlyInRemoteControl()
    {
        ActuatorModel model;
        model.advance(30000); // the signal pattern stands at 100 %
        QCOMPARE(model.answer("%RS0500"), Fail);
        QCOMPARE(model.spReading(), int16_t(1000));

        QCOMPARE(model.answer("%R1"), Ok);
        QVERIFY(model.remoteControl());
        QCOMPARE(model.spReading(), int16_t(1000)); // takes over without a jump
        QCOMPARE(model.answer("%RS0505"), Ok);
        QCOMPARE(live(model).sp.raw, int16_t(505));
        for (const char *bad : {"%RS1001", "%RS050", "%RS05a5", "%RS-050", "%RS 505", "%RS05050"}) {
            QCOMPARE(model.answer(bad), Fail);
            QCOMPARE(model.spReading(), int16_t(505));
        }
        QCOMPARE(model.answer("%RS1000"), Ok);
        QCOMPARE(model.answer("%RS0000"), Ok);
        QCOMPARE(model.spReading(), int16_t(0));

        QCOMPARE(model.answer("%C1"), Ok);
        QVERIFY(!model.remoteControl());
        QCOMPARE(model.spReading(), int16_t(1000)); // the signal again
        QCOMPARE(model.answer("%RS0700"), Fail);
        QCOMPARE(model.spReading(), int16_t(1000));
    }

    void setpointFollowsSignalPattern_data()
    {
        QTest::addColumn<int>("atMs");
        QTest::addColumn<int>("sp");
        QTest::newRow("start") << 0 << 0;
        QTest::newRow("end of first step") << 29990 << 0;
        QTest::newRow("second step") << 30000 << 1000;
        QTest::newRow("third step") << 60000 << 0;
        QTest::newRow("fourth step") << 90000 << 500;
        QTest::newRow("fifth step") << 120000 << 1000;
        QTest::newRow("sixth step") << 150000 << 500;
        QTest::newRow("repeats") << 180000 << 0;
        QTest::newRow("an hour on") << 3600000 + 30000 << 1000;
    }
    void setpointFollowsSignalPattern()
    {
        QFETCH(int, atMs);
        QFETCH(int, sp);
        ActuatorModel model;
        model.advanceTo(atMs);
        QCOMPARE(live(model).sp.raw, int16_t(sp));
    }

    void faultHookPutsSentinels_data()
    {
        QTest::addColumn<SimInput>("input");
        QTest::addColumn<SimFault>("fault");
        QTest::addColumn<QString>("text");
        QTest::newRow("SP open") << SimInput::SP << SimFault::Open << "OPEN";
        QTest::newRow("SP over range") << SimInput::SP << SimFault::OverRange << "OVR";
        QTest::newRow("SP under range") << SimInput::SP << SimFault::UnderRange << "UNR";
        QTest::newRow("PV open") << SimInput::PV << SimFault::Open << "OPEN";
        QTest::newRow("PV under range") << SimInput::PV << SimFault::UnderRange << "UNR";
        QTest::newRow("level open") << SimInput::Level << SimFault::Open << "OPEN";
        QTest::newRow("level over range") << SimInput::Level << SimFault::OverRange << "OVR";
    }
    void faultHookPutsSentinels()
    {
        QFETCH(SimInput, input);
        QFETCH(SimFault, fault);
        QFETCH(QString, text);
        ActuatorModel model;
        model.setPosition(300); // level 66.0 %, relay off
        model.setFault(input, fault);
        model.advance(ActuatorModel::TickMs);
        LiveValues v = live(model);
        protocol::applyLevelRecord(model.answer("?A"), v);
        const Reading &faulted = input == SimInput::SP ? v.sp : input == SimInput::PV ? v.pv : v.lv;
        QCOMPARE(faulted.raw, int16_t(fault));
        QCOMPARE(faulted.text, text);
        if (input == SimInput::Level) {
            QVERIFY(v.relayOn); // a level input that cannot be read raises the alarm
        } else {
            QCOMPARE(v.er.raw, int16_t(0));
            QVERIFY(!v.upValveOn && !v.downValveOn); // default fail action: stay put
        }

        model.clearFault(input);
        model.advance(ActuatorModel::TickMs);
        v = live(model);
        protocol::applyLevelRecord(model.answer("?A"), v);
        QVERIFY(v.sp.raw >= 0 && v.pv.raw >= 0 && v.lv.raw >= 0);
        QVERIFY(!v.relayOn);
    }

    void failActions_data()
    {
        QTest::addColumn<SimInput>("input");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("up");
        QTest::addColumn<bool>("down");
        QTest::newRow("SP fail: stay put") << SimInput::SP << 0 << false << false;
        QTest::newRow("SP fail: up valve on") << SimInput::SP << 1 << true << false;
        QTest::newRow("SP fail: down valve on") << SimInput::SP << 2 << false << true;
        QTest::newRow("PV fail: up valve on") << SimInput::PV << 1 << true << false;
        QTest::newRow("PV fail: down valve on") << SimInput::PV << 2 << false << true;
    }
    void failActions()
    {
        QFETCH(SimInput, input);
        QFETCH(int, code);
        QFETCH(bool, up);
        QFETCH(bool, down);
        ActuatorModel model;
        ParameterSet p = model.parameters();
        (input == SimInput::SP ? p.SPFail : p.PVFail) = uint8_t(code);
        model.setParameters(p);
        driveTo(model, 500);
        model.setPosition(500);
        model.setFault(input, SimFault::Open);
        model.advance(1000);
        const LiveValues v = live(model);
        QCOMPARE(v.upValveOn, up);
        QCOMPARE(v.downValveOn, down);
        const double moved = model.position() - 500;
        QVERIFY(up ? moved > 0 : down ? moved < 0 : moved == 0);
    }

    void splitsReplies_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("pieces");
        QTest::addColumn<QList<int>>("lengths");
        const QByteArray id = "@V4.1DMK00042S123\r";
        QTest::newRow("whole") << id << 1 << QList<int>{18};
        QTest::newRow("three") << id << 3 << QList<int>{6, 6, 6};
        QTest::newRow("four") << id << 4 << QList<int>{5, 5, 4, 4};
        QTest::newRow("every character") << QByteArray("OK\r") << 3 << QList<int>{1, 1, 1};
        QTest::newRow("more pieces than characters") << QByteArray("OK\r") << 5 << QList<int>{1, 1, 1};
        QTest::newRow("zero pieces means one") << QByteArray("OK\r") << 0 << QList<int>{3};
        QTest::newRow("nothing to split") << QByteArray() << 3 << QList<int>{};
    }
    void splitsReplies()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, pieces);
        QFETCH(QList<int>, lengths);
        const QList<QByteArray> parts = sim::splitReply(reply, pieces);
        QList<int> seen;
        for (const QByteArray &part : parts)
            seen << int(part.size());
        QCOMPARE(seen, lengths);
        QCOMPARE(parts.join(), reply);
    }

    void clockNeverRunsBackwards()
    {
        ActuatorModel model;
        model.advanceTo(5000);
        const double position = model.position();
        model.advanceTo(1000);
        QCOMPARE(model.now(), int64_t(5000));
        QCOMPARE(model.position(), position);
        // Part ticks add up: two 5 ms steps make one control tick.
        model.advance(5);
        QCOMPARE(model.position(), position);
        model.advance(5);
        QVERIFY(model.position() < position);
    }
};

QTEST_APPLESS_MAIN(tst_SimModel)
#include "tst_sim_model.moc"
