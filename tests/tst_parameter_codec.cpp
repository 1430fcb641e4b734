// The parameter block codec: hexadecimal helpers, every field at its offset
// in both directions, and the replies the decoder must refuse.
#include "params/ParameterFields.h"
#include "params/ParameterSet.h"

#include <QtTest>

namespace {

using Bytes = std::array<uint8_t, params::BlockBytes>;

QByteArray replyOf(const Bytes &bytes)
{
    QByteArray reply = "P";
    for (uint8_t b : bytes)
        reply += QByteArray::number(b, 16).rightJustified(2, '0').toUpper();
    return reply + '\r';
}

struct WordAt
{
    const char *name;
    int offset;
    int16_t ParameterSet::*field;
};

struct ByteAt
{
    const char *name;
    int offset;
    uint8_t ParameterSet::*field;
};

const WordAt Words[] = {
    {"SPZero", 0, &ParameterSet::SPZero},
    {"SPSpan", 2, &ParameterSet::SPSpan},
    {"PVZero", 4, &ParameterSet::PVZero},
    {"PVSpan", 6, &ParameterSet::PVSpan},
    {"LVZero", 8, &ParameterSet::LVZero},
    {"LVSpan", 10, &ParameterSet::LVSpan},
    {"CoarseControlUp", 12, &ParameterSet::CoarseControlUp},
    {"FineControlUp", 14, &ParameterSet::FineControlUp},
    {"OilLevelAlarm", 16, &ParameterSet::OilLevelAlarm},
    {"AlarmHysteresis", 18, &ParameterSet::AlarmHysteresis},
    {"CoarseControlDn", 24, &ParameterSet::CoarseControlDn},
    {"FineControlDn", 26, &ParameterSet::FineControlDn},
    {"PulseDelay", 28, &ParameterSet::PulseDelay},
    {"CoutZero", 32, &ParameterSet::CoutZero},
    {"CoutSpan", 34, &ParameterSet::CoutSpan},
    {"Cout25", 36, &ParameterSet::Cout25},
    {"Cout50", 38, &ParameterSet::Cout50},
    {"Cout75", 40, &ParameterSet::Cout75},
    {"PRZero", 42, &ParameterSet::PRZero},
    {"PRSpan", 44, &ParameterSet::PRSpan},
    {"PressureValueLow", 48, &ParameterSet::PressureValueLow},
    {"PressureValueHigh", 50, &ParameterSet::PressureValueHigh},
    {"PressureLow", 52, &ParameterSet::PressureLow},
    {"PressurePumpOn", 54, &ParameterSet::PressurePumpOn},
    {"PressurePumpOff", 56, &ParameterSet::PressurePumpOff},
};

const ByteAt ByteFields[] = {
    {"SPFail", 30, &ParameterSet::SPFail},
    {"PVFail", 31, &ParameterSet::PVFail},
    {"LevelSwOpt", 46, &ParameterSet::LevelSwOpt},
    {"PressureSwOpt", 47, &ParameterSet::PressureSwOpt},
};

// The payload of an upload (after "*P1") with only the given bytes set.
QString payloadWith(std::initializer_list<std::pair<int, uint8_t>> bytes)
{
    QString payload(2 * params::UploadBytes, QLatin1Char('0'));
    for (const auto &[offset, value] : bytes)
        payload.replace(2 * offset, 2, QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper());
    return payload;
}

} // namespace

class tst_ParameterCodec : public QObject
{
    Q_OBJECT
private slots:
    void hexHelpers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("byte 0") << params::HexByte(0) << "00";
        QTest::newRow("byte 10") << params::HexByte(10) << "0A";
        QTest::newRow("byte 255") << params::HexByte(255) << "FF";
        QTest::newRow("word 300") << params::HexWord(300) << "2C01";
        QTest::newRow("word 32767") << params::HexWord(32767) << "FF7F";
        QTest::newRow("word 0") << params::HexWord(0) << "0000";
    }
    void hexHelpers()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }

    void firstWordDecodes()
    {
        Bytes bytes{};
        bytes[0] = 0x2C;
        bytes[1] = 0x01;
        ParameterSet set;
        QVERIFY(params::DecodeParameterBlock(replyOf(bytes), set));
        QCOMPARE(set.SPZero, int16_t(300));
    }

    void lowerCaseDecodesAsUpperCase()
    {
        Bytes bytes{};
        for (int i = 0; i < params::BlockBytes; ++i)
            bytes[i] = uint8_t((i * 37 + 11) & 0x7F); // high bytes stay below 0x80
        const QByteArray upper = replyOf(bytes);
        ParameterSet fromUpper, fromLower;
        QVERIFY(params::DecodeParameterBlock(upper, fromUpper));
        QVERIFY(params::DecodeParameterBlock(upper.toLower().replace('p', 'P'), fromLower));
        QCOMPARE(fromLower, fromUpper);
        QVERIFY(fromUpper != ParameterSet());
    }

    void zeroSetEncodes()
    {
        QCOMPARE(params::BuildParameterUpload(ParameterSet(), false), "*P1" + QString(116, QLatin1Char('0')));
        QCOMPARE(params::BuildParameterUpload(ParameterSet(), true), "*P2" + QString(116, QLatin1Char('0')));
    }

    // Every word, low byte first at its offset, in both directions.
    void wordsAtTheirOffsets_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(Words)); ++i)
            QTest::newRow(Words[i].name) << i;
    }
    void wordsAtTheirOffsets()
    {
        QFETCH(int, index);
        const WordAt &w = Words[index];

        ParameterSet set;
        set.*w.field = 0x1234;
        const QString upload = params::BuildParameterUpload(set, false);
        QCOMPARE(upload.size(), params::UploadLength);
        QCOMPARE(upload.mid(3), payloadWith({{w.offset, 0x34}, {w.offset + 1, 0x12}}));

        Bytes bytes{};
        bytes[w.offset] = 0x34;
        bytes[w.offset + 1] = 0x12;
        ParameterSet decoded;
        QVERIFY(params::DecodeParameterBlock(replyOf(bytes), decoded));
        QCOMPARE(decoded, set);
    }

    void bytesAtTheirOffsets_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(ByteFields)); ++i)
            QTest::newRow(ByteFields[i].name) << i;
    }
    void bytesAtTheirOffsets()
    {
        QFETCH(int, index);
        const ByteAt &b = ByteFields[index];

        ParameterSet set;
        set.*b.field = 0xC5; // a byte field carries all eight bits
        QCOMPARE(params::BuildParameterUpload(set, false).mid(3), payloadWith({{b.offset, 0xC5}}));

        Bytes bytes{};
        bytes[b.offset] = 0xC5;
        ParameterSet decoded;
        QVERIFY(params::DecodeParameterBlock(replyOf(bytes), decoded));
        QCOMPARE(decoded, set);
    }

    void passwordDigitsAtOffsets20To23()
    {
        ParameterSet set;
        set.pswd = {1, 9, 0, 7};
        QCOMPARE(params::BuildParameterUpload(set, false).mid(3),
                 payloadWith({{20, 1}, {21, 9}, {22, 0}, {23, 7}}));
        QCOMPARE(params::BuildParameterUpload(set, false).mid(3 + 40, 8), "01090007");

        Bytes bytes{};
        bytes[20] = 1;
        bytes[21] = 9;
        bytes[23] = 7;
        ParameterSet decoded;
        QVERIFY(params::DecodeParameterBlock(replyOf(bytes), decoded));
        QCOMPARE(decoded, set);
    }

    // The reserved bytes 58..99 neither change the set nor reach the upload.
    void reservedBytesAreIgnored()
    {
        Bytes bytes{};
        for (int i = 0; i < params::UploadBytes; ++i)
            bytes[i] = uint8_t(i + 1);
        Bytes withReserved = bytes;
        for (int i = params::UploadBytes; i < params::BlockBytes; ++i)
            withReserved[i] = 0xEE;

        ParameterSet plain, reserved;
        QVERIFY(params::DecodeParameterBlock(replyOf(bytes), plain));
        QVERIFY(params::DecodeParameterBlock(replyOf(withReserved), reserved));
        QCOMPARE(reserved, plain);

        // Decoding and encoding again gives back exactly the first 58 bytes.
        const QString upload = params::BuildParameterUpload(reserved, false);
        QCOMPARE(upload.size(), params::UploadLength);
        QCOMPARE(upload.mid(3), QString::fromLatin1(replyOf(withReserved).mid(1, 2 * params::UploadBytes)));
    }

    // Either letter case is a digit; a pair holding anything else is noise.
    void pairsOfEitherCase()
    {
        QByteArray reply = replyOf(Bytes{});
        reply.replace(1 + 2 * 30, 2, "fF"); // SPFail, a byte field
        ParameterSet set;
        QVERIFY(params::DecodeParameterBlock(reply, set));
        QCOMPARE(int(set.SPFail), 255);
    }

    // A reply that cannot be taken as it stands leaves the set as it was.
    void refusedReplies_data()
    {
        QTest::addColumn<QByteArray>("reply");
        const QByteArray good = replyOf(Bytes{});
        QTest::newRow("one digit short") << QByteArray(good).remove(5, 1);
        QTest::newRow("one digit more") << QByteArray(good).insert(5, '0');
        QTest::newRow("no carriage return") << good.chopped(1);
        QTest::newRow("just P") << QByteArray("P\r");
        QTest::newRow("empty") << QByteArray();
        Bytes high{};
        high[1] = 0x80; // SPZero 32768
        QTest::newRow("SPZero high byte 80") << replyOf(high);
        high = {};
        high[57] = 0xFF; // PressurePumpOff high byte
        QTest::newRow("last word high byte FF") << replyOf(high);
        // Noise on the line: the length is right, a character is not a digit.
        // Such a block would decode SPSpan 3800 as 3584 and write it back.
        const auto noisy = [&](qsizetype at, char c) { return QByteArray(good).replace(at, 1, QByteArray(1, c)); };
        QTest::newRow("G in SPFail, first digit") << noisy(1 + 2 * 30, 'G');
        QTest::newRow("G in SPFail, second digit") << noisy(2 + 2 * 30, 'G');
        QTest::newRow("blank in SPSpan") << noisy(4, ' ');
        QTest::newRow("minus in the first digit") << noisy(1, '-');
        QTest::newRow("carriage return inside") << noisy(100, '\r');
        QTest::newRow("NUL in the reserved bytes") << noisy(150, '\0');
        QTest::newRow("byte 0xFF in the last digit") << noisy(200, '\xff');
        QTest::newRow("no CR at the end, 202 characters") << noisy(201, '0');
        QTest::newRow("line feed for the CR") << noisy(201, '\n');
    }
    void refusedReplies()
    {
        QFETCH(QByteArray, reply);
        ParameterSet set;
        set.CoarseControlUp = 15;
        set.pswd = {1, 2, 3, 4};
        const ParameterSet before = set;
        QVERIFY(!params::DecodeParameterBlock(reply, set));
        QCOMPARE(set, before);
    }

    // A byte field may carry 0x80 and more; only words are limited.
    void highByteFieldsAreAccepted()
    {
        Bytes bytes{};
        bytes[30] = 0xFF;
        bytes[0] = 0xFF;
        bytes[1] = 0x7F;
        ParameterSet set;
        QVERIFY(params::DecodeParameterBlock(replyOf(bytes), set));
        QCOMPARE(int(set.SPFail), 255);
        QCOMPARE(set.SPZero, int16_t(32767));
    }

    // The walk of the field table lays every written byte down once, in
    // order, with no gap and no overlap, and leaves no block field out.
    void tableWalkCoversTheWrittenBytesOnce()
    {
        std::array<int, params::UploadBytes> uses{};
        int next = 0;
        for (const params::FileField *f : params::BlockOrder) {
            QVERIFY(f);
            QCOMPARE(f->offset, next);
            QVERIFY(params::widthOf(*f) > 0);
            for (int i = 0; i < params::widthOf(*f); ++i)
                ++uses[size_t(f->offset + i)];
            next += params::widthOf(*f);
        }
        QCOMPARE(next, params::UploadBytes);
        for (int offset = 0; offset < params::UploadBytes; ++offset)
            QVERIFY2(uses[size_t(offset)] == 1, qPrintable(QString::number(offset)));

        qsizetype blockFields = 0;
        for (const params::FileField &f : params::FileFields)
            blockFields += params::widthOf(f) > 0 ? 1 : 0;
        QCOMPARE(blockFields, qsizetype(params::BlockOrder.size()));
    }

    // Every key once; every box of the window once, in index order.
    void tableKeysAndBoxesAreUnique()
    {
        QSet<QString> keys;
        QList<int> boxes;
        for (const params::FileField &f : params::FileFields) {
            keys.insert(QLatin1String(f.key));
            if (f.box.index >= 0)
                boxes << f.box.index;
        }
        QCOMPARE(keys.size(), qsizetype(params::FileFields.size()));
        std::sort(boxes.begin(), boxes.end());
        QList<int> expected;
        for (int i = 0; i < params::BoxCount; ++i)
            expected << i;
        QCOMPARE(boxes, expected);
    }
};

QTEST_APPLESS_MAIN(tst_ParameterCodec)
#include "tst_parameter_codec.moc"
