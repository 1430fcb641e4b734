// The parameter file's core: the written text, quoting, reading the first
// item, writing through a temporary file, and the checks before Upload.
#include "TestHelpers.h"
#include "SampleParameters.h"
#include "params/ParameterFile.h"
#include "platform/ObjectLiteral.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const params::Identity SampleIdentity{QStringLiteral("DMK--0042"), QStringLiteral("S123"), QStringLiteral("V4.1")};

params::FileValueTexts goodValues()
{
    params::FileValueTexts v;
    const char *words[] = {"SPZero", "SPSpan", "PVZero", "PVSpan", "LVZero", "LVSpan", "CoarseControlUp",
                           "CoarseControlDn", "FineControlUp", "FineControlDn", "OilLevelAlarm",
                           "AlarmHysteresis", "PulseDelay"};
    int value = 100;
    for (const char *key : words)
        v.insert(QLatin1String(key), QString::number(value++));
    v.insert(QStringLiteral("SPFail"), QStringLiteral("2"));
    v.insert(QStringLiteral("PVFail"), QStringLiteral("0"));
    v.insert(QStringLiteral("pswd"), QStringLiteral("9081"));
    v.insert(QStringLiteral("ModelNo"), QStringLiteral("DMK--0042"));
    return v;
}

std::optional<QString> readItem(const QByteArray &bytes, qsizetype maxChars)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return params::ReadFirstItem(buffer, maxChars);
}

} // namespace

class tst_ParameterFile : public QObject
{
    Q_OBJECT
private slots:
    // The whole text: 33 pairs in their order, stored units, one blank after
    // each colon and comma.
    void writesEveryPairInOrder()
    {
        const QString expected = QStringLiteral(
            "{'ModelNo': 'DMK--0042', 'SerialNo': 'S123', 'VersionNo': 'V4.1', 'SPZero': '300', "
            "'SPSpan': '3800', 'PVZero': '310', 'PVSpan': '3790', 'LVZero': '5', 'LVSpan': '4000', "
            "'CoarseControlUp': '15', 'CoarseControlDn': '16', 'FineControlUp': '5', 'FineControlDn': '6', "
            "'OilLevelAlarm': '250', 'AlarmHysteresis': '20', 'PulseDelay': '25', 'SPFail': '1', "
            "'PVFail': '2', 'pswd': '0429', 'CoutZero': '100', 'CoutSpan': '32767', 'Cout25': '2', "
            "'Cout50': '3', 'Cout75': '4', 'PRZero': '7', 'PRSpan': '8', 'LevelSwOpt': '1', "
            "'PressureSwOpt': '0', 'PressureValueLow': '0', 'PressureValueHigh': '160', "
            "'PressureLow': '20', 'PressurePumpOn': '40', 'PressurePumpOff': '80'}");
        QCOMPARE(params::BuildFileText(sampleParameterSet(), SampleIdentity), expected);
        QCOMPARE(params::FilePairs(sampleParameterSet(), SampleIdentity).size(), 33);
    }

    void zeroSetStartAndEnd()
    {
        const QString text = params::BuildFileText(ParameterSet(), {});
        QVERIFY(text.startsWith(QStringLiteral("{'ModelNo': '', 'SerialNo': ''")));
        QVERIFY(text.endsWith(QStringLiteral("'PressurePumpOff': '0'}")));
        QVERIFY(text.contains(QStringLiteral("'pswd': '0000'")));
        QCOMPARE(params::FileContents(text), '"' + text.toLatin1() + "\"\r\n");
    }

    // Identity texts of any characters read back unchanged, and the file
    // stays plain ASCII with no double quote inside its item.
    void quotedValuesReadBack_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << "DMK--0042";
        QTest::newRow("single quote") << "DM'K";
        QTest::newRow("double quote") << "DM\"K";
        QTest::newRow("backslash") << "DM\\K\\";
        QTest::newRow("escape look-alike") << "\\x22\\'";
        QTest::newRow("comma and brace") << "a, 'b': '1'}";
        QTest::newRow("control characters") << QStringLiteral("a\r\nb\tc") + QChar(0) + QChar(0x7F);
        QTest::newRow("Latin-1") << QString::fromLatin1("\xE9\xFF");
        QTest::newRow("beyond Latin-1") << QString(QChar(0x20AC));
    }
    void quotedValuesReadBack()
    {
        QFETCH(QString, text);
        const QString fileText = params::BuildFileText(ParameterSet(), {text, text, text});
        const QByteArray bytes = params::FileContents(fileText);
        QCOMPARE(bytes.count('"'), 2);
        for (const char c : bytes.chopped(2))
            QVERIFY2(c >= 0x20 && c < 0x7F, bytes.constData());

        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        const std::optional<QString> item = params::ReadFirstItem(buffer, 1 << 16);
        QVERIFY(item);
        QCOMPARE(*item, fileText);
        const std::optional<objlit::Value> object = objlit::evaluate(QLatin1Char('(') + *item + QLatin1Char(')'));
        QVERIFY(object);
        for (const char *key : {"ModelNo", "SerialNo", "VersionNo"})
            QCOMPARE(object->property(QString::fromLatin1(key))->text().value_or(QStringLiteral("<none>")), text);
    }

    void firstItem_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("maxChars");
        QTest::addColumn<std::optional<QString>>("item");
        const int big = 1000;
        QTest::newRow("quoted line") << QByteArray("\"{'a': '1', 'b': '2'}\"\r\n") << big
                                     << std::optional<QString>("{'a': '1', 'b': '2'}");
        QTest::newRow("unquoted ends at comma") << QByteArray("{'a': '1', 'b': '2'}\r\n") << big
                                                << std::optional<QString>("{'a': '1'");
        QTest::newRow("unquoted ends at line end") << QByteArray("{'a': 1}\r\nmore") << big
                                                   << std::optional<QString>("{'a': 1}");
        QTest::newRow("blanks skipped") << QByteArray(" \t \"x\"") << big << std::optional<QString>("x");
        QTest::newRow("quoted spans lines") << QByteArray("\"a\r\nb\",c") << big << std::optional<QString>("a\r\nb");
        QTest::newRow("unterminated quote") << QByteArray("\"abc") << big << std::optional<QString>("abc");
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF\"x\"") << big << std::optional<QString>("x");
        QTest::newRow("line end first") << QByteArray("\r\n\"x\"") << big << std::optional<QString>("");
        QTest::newRow("only blanks") << QByteArray("   ") << big << std::optional<QString>("");
        QTest::newRow("Latin-1 byte") << QByteArray("\"\xE9\"") << big << std::optional<QString>(QString(QChar(0xE9)));
        QTest::newRow("empty file") << QByteArray() << big << std::optional<QString>();
        QTest::newRow("only a byte-order mark") << QByteArray("\xEF\xBB\xBF") << big << std::optional<QString>();
        QTest::newRow("long quoted item cut past the limit")
            << QByteArray("\"" + QByteArray(100, 'x') + "\"") << 10 << std::optional<QString>(QString(11, QLatin1Char('x')));
        QTest::newRow("long unquoted item cut past the limit")
            << QByteArray(100, 'y') << 10 << std::optional<QString>(QString(11, QLatin1Char('y')));
        QTest::newRow("too many blanks") << QByteArray(100, ' ') + "\"x\"" << 10 << std::optional<QString>("");
    }
    void firstItem()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, maxChars);
        QFETCH(std::optional<QString>, item);
        QCOMPARE(readItem(bytes, maxChars), item);
    }

    void unreadableFiles()
    {
        QTemporaryDir dir;
        QVERIFY(!params::ReadParameterFile(dir.filePath(QStringLiteral("missing.txt"))));
        QVERIFY(!params::ReadParameterFile(dir.path()));
    }

    void writesThroughATemporaryFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("pump 7.par"));
        QVERIFY(params::WriteParameterFile(path, QStringLiteral("{'a': '1'}")));
        QCOMPARE(fileContents(path), QByteArray("\"{'a': '1'}\"\r\n"));

        // Replacing keeps nothing of the old content and leaves no stray files.
        QVERIFY(params::WriteParameterFile(path, QStringLiteral("{}")));
        QCOMPARE(fileContents(path), QByteArray("\"{}\"\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("pump 7.par")});
    }

    void failedWriteLeavesWhatWasThere()
    {
        QTemporaryDir dir;
        const QString existing = dir.filePath(QStringLiteral("keep.par"));
        QVERIFY(params::WriteParameterFile(existing, QStringLiteral("{'old': '1'}")));

        QVERIFY(!params::WriteParameterFile(dir.path(), QStringLiteral("{}")));                  // a directory
        QVERIFY(!params::WriteParameterFile(existing + QStringLiteral("/x"), QStringLiteral("{}"))); // under a file
        QVERIFY(!params::WriteParameterFile(dir.filePath(QStringLiteral("no/such/dir.par")), QStringLiteral("{}")));
        QCOMPARE(fileContents(existing), QByteArray("\"{'old': '1'}\"\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{QStringLiteral("keep.par")});
    }

    void uploadTakesFittingValues()
    {
        ParameterSet set = sampleParameterSet();
        params::FileValueTexts values = goodValues();
        values.insert(QStringLiteral("SPZero"), QStringLiteral("32767"));
        values.insert(QStringLiteral("SPSpan"), QStringLiteral(" 12.5")); // rounds to even
        values.insert(QStringLiteral("PVZero"), QStringLiteral("-0.4"));  // rounds to 0
        values.insert(QStringLiteral("PVFail"), QStringLiteral("1.5"));   // rounds to 2
        values.insert(QStringLiteral("LVZero"), QStringLiteral("+104 ")); // sign and blanks
        QCOMPARE(params::ApplyFileValues(values, set), QStringList());

        ParameterSet expected = sampleParameterSet();
        expected.SPZero = 32767; expected.SPSpan = 12; expected.PVZero = 0; expected.PVSpan = 103;
        expected.LVZero = 104; expected.LVSpan = 105; expected.CoarseControlUp = 106;
        expected.CoarseControlDn = 107; expected.FineControlUp = 108; expected.FineControlDn = 109;
        expected.OilLevelAlarm = 110; expected.AlarmHysteresis = 111; expected.PulseDelay = 112;
        expected.SPFail = 2; expected.PVFail = 2; expected.pswd = {9, 0, 8, 1};
        QCOMPARE(set, expected);
    }

    // Plain numbers in every form Upload takes, however long.
    void uploadReadsPlainNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("point after the digits") << "5." << 5;
        QTest::newRow("no digit before the point") << ".5" << 0;
        QTest::newRow("tabs around") << "\t7\t" << 7;
        QTest::newRow("leading zeros") << "0042" << 42;
        QTest::newRow("450 leading zeros") << QString(450, QLatin1Char('0')) + QLatin1Char('5') << 5;
        QTest::newRow("4,000 leading zeros and a fraction") << QString(4000, QLatin1Char('0')) + QStringLiteral("12.5") << 12;
    }
    void uploadReadsPlainNumbers()
    {
        QFETCH(QString, text);
        params::FileValueTexts values = goodValues();
        values.insert(QStringLiteral("SPZero"), text);
        ParameterSet set;
        QCOMPARE(params::ApplyFileValues(values, set), QStringList());
        QTEST(int(set.SPZero), "expected");
    }

    // A value that does not fit its field stops the whole Upload.
    void uploadRefusesMisfits_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("word above 32767") << "CoarseControlUp" << "32768";
        QTest::newRow("word rounding above 32767") << "SPZero" << "32767.5";
        QTest::newRow("negative word") << "LVSpan" << "-1";
        QTest::newRow("exponent form") << "PulseDelay" << "1e+21";
        QTest::newRow("small exponent form") << "PulseDelay" << "1e-7";
        QTest::newRow("number with a tail") << "FineControlUp" << "12abc";
        QTest::newRow("two numbers") << "FineControlDn" << "12 13";
        QTest::newRow("missing word") << "SPSpan" << "";
        QTest::newRow("word without a number") << "PVSpan" << "abc";
        QTest::newRow("fail code 3") << "SPFail" << "3";
        QTest::newRow("fail code 255") << "PVFail" << "255";
        QTest::newRow("negative fail code") << "PVFail" << "-1";
        QTest::newRow("missing fail code") << "SPFail" << "";
        QTest::newRow("short password") << "pswd" << "123";
        QTest::newRow("long password") << "pswd" << "12345";
        QTest::newRow("letter in password") << "pswd" << "12a4";
        QTest::newRow("character below 0 in password") << "pswd" << "12/4";
        QTest::newRow("missing password") << "pswd" << "";
        QTest::newRow("lone point") << "SPZero" << ".";
        QTest::newRow("lone sign") << "SPZero" << "-";
        QTest::newRow("trailing line feed") << "SPZero" << "5\n";
        QTest::newRow("4,000 digits and a letter") << "SPZero" << QString(4000, QLatin1Char('1')) + QLatin1Char('x');
        QTest::newRow("4,000 digits, a point, a letter") << "SPZero" << QString(4000, QLatin1Char('1')) + QStringLiteral(".x");
    }
    void uploadRefusesMisfits()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        params::FileValueTexts values = goodValues();
        values.insert(key, text);
        ParameterSet set = sampleParameterSet();
        QCOMPARE(params::ApplyFileValues(values, set), QStringList{key});
        QCOMPARE(set, sampleParameterSet());
    }

    void uploadNamesEveryMisfitInFileOrder()
    {
        params::FileValueTexts values = goodValues();
        values.insert(QStringLiteral("pswd"), QStringLiteral("x"));
        values.insert(QStringLiteral("SPFail"), QStringLiteral("9"));
        values.insert(QStringLiteral("CoarseControlUp"), QStringLiteral("40000"));
        ParameterSet set;
        QCOMPARE(params::ApplyFileValues(values, set),
                 (QStringList{QStringLiteral("CoarseControlUp"), QStringLiteral("SPFail"), QStringLiteral("pswd")}));
        QCOMPARE(set, ParameterSet());
    }
};

QTEST_APPLESS_MAIN(tst_ParameterFile)
#include "tst_parameter_file.moc"
