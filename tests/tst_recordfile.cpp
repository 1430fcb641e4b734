// The record file: number format, writer, reader, refusals and safe saving.
#include "TestHelpers.h"
#include "recording/RecordFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <clocale>
#include <cstdio>
#include <csignal>
#include <sys/resource.h>

using Samples = std::vector<RecordSample>;

namespace {

std::optional<Samples> readText(const QByteArray &text)
{
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    return recordfile::read(buffer);
}

// Makes writes beyond `bytes` fail (EFBIG) for as long as it lives.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int) = nullptr;
};

const Samples ThreeSamples{{12.3f, 45.0f}, {12.4f, 45.1f}, {12.5f, 0.0f}};
const QByteArray ThreeSamplesText = "3\r\n12.3,45\r\n12.4,45.1\r\n12.5,0\r\n";

} // namespace

Q_DECLARE_METATYPE(Samples)

class tst_RecordFile : public QObject
{
    Q_OBJECT
private slots:
    void formatsNumbers_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << 0.0f << "0";
        QTest::newRow("negative zero") << -0.0f << "0";
        QTest::newRow("whole") << 45.0f << "45";
        QTest::newRow("hundred") << 100.0f << "100";
        QTest::newRow("tenths") << 12.3f << "12.3";
        QTest::newRow("above 100") << 100.1f << "100.1";
        QTest::newRow("negative below 1") << -0.5f << "-0.5";
        QTest::newRow("below 1") << 0.7f << "0.7";
        QTest::newRow("largest reading") << 3276.7f << "3276.7";
        QTest::newRow("smallest reading") << -3276.8f << "-3276.8";
        QTest::newRow("7 digits kept") << 1234.567f << "1234.567";
        QTest::newRow("rounded to 7 digits") << 123.456789f << "123.4568";
        QTest::newRow("rounding carries") << 9.9999999f << "10";
        QTest::newRow("large, no exponent") << 12345678.0f << "12345680";
        QTest::newRow("small, no exponent") << 0.00001f << "0.00001";
    }
    void formatsNumbers()
    {
        QFETCH(float, value);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(recordfile::formatNumber(value)), expected);
    }

    // Any float, tenths or not, comes out rounded to 7 significant digits,
    // an exact half to the even neighbour.
    void roundsAnyValueToSevenDigits()
    {
        QRandomGenerator random(4711);
        for (int i = 0; i < 200000; ++i) {
            const double magnitude = std::pow(10.0, -3.0 + 9.0 * random.generateDouble());
            float value = float(random.bounded(2) ? magnitude : -magnitude);
            if (i % 2) { // a number of tenths, or the float just beside one
                value = float(std::round(value * 10.0) / 10.0);
                if (i % 4 == 1)
                    value = std::nextafter(value, 2.0f * value);
            }
            if (value == 0.0f)
                continue;
            char expected[32]; // exact, ties to even, in the C locale this test runs in
            std::snprintf(expected, sizeof expected, "%.7g", double(value));
            QCOMPARE(recordfile::formatNumber(value).c_str(), expected);
        }
    }

    void writesTheThreeSampleExample()
    {
        QCOMPARE(recordfile::encode(ThreeSamples), ThreeSamplesText);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("run"));
        QVERIFY(recordfile::write(path, ThreeSamples));
        QCOMPARE(fileContents(path), ThreeSamplesText);
        QCOMPARE(recordfile::read(path), std::optional<Samples>(ThreeSamples));
    }

    void writesAnEmptyRecordingAsItsCount()
    {
        QCOMPARE(recordfile::encode({}), QByteArray("0\r\n"));
        QCOMPARE(readText("0\r\n"), std::optional<Samples>(Samples{}));
    }

    // Every reading the controller can send comes back exactly.
    void roundTripsEveryReading()
    {
        Samples samples;
        for (int raw = -32768; raw <= 32767; raw += 2)
            samples.push_back({float(raw / 10.0), float((raw + 1) / 10.0)});
        const std::optional<Samples> back = readText(recordfile::encode(samples));
        QVERIFY(back);
        QVERIFY(*back == samples);
    }

    void ignoresADecimalCommaLocale()
    {
        const QLocale savedQt;
        const std::string savedC = std::setlocale(LC_ALL, nullptr);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        bool cLocaleSet = false;
        for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"})
            if (std::setlocale(LC_ALL, name)) {
                cLocaleSet = true;
                break;
            }

        const QString qtPoint = QLocale().decimalPoint();
        const char cPoint = *std::localeconv()->decimal_point;
        const QByteArray text = recordfile::encode(ThreeSamples);
        const std::optional<Samples> back = readText("2\r\n.7,-0.5\r\n100.1,12.3\r\n");

        std::setlocale(LC_ALL, savedC.c_str());
        QLocale::setDefault(savedQt);
        QCOMPARE(qtPoint, QStringLiteral(","));
        if (cLocaleSet)
            QCOMPARE(cPoint, ',');
        QCOMPARE(text, ThreeSamplesText);
        QCOMPARE(back, std::optional<Samples>(Samples{{0.7f, -0.5f}, {100.1f, 12.3f}}));
        if (!cLocaleSet)
            qInfo("no German C locale installed; checked under the German Qt locale only");
    }

    void readsLeniently_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<Samples>("expected");
        const Samples fractions{{0.7f, 0.7f}};
        QTest::newRow("with a leading 0") << QByteArray("1\r\n0.7,0.7\r\n") << fractions;
        QTest::newRow("without a leading 0") << QByteArray("1\r\n.7,.7\r\n") << fractions;
        QTest::newRow("negative without 0") << QByteArray("1\r\n-.5,-0.5\r\n") << Samples{{-0.5f, -0.5f}};
        QTest::newRow("blanks around numbers") << QByteArray(" 1 \r\n 12.3 ,\t45 \r\n") << Samples{{12.3f, 45.0f}};
        QTest::newRow("sample split over lines") << QByteArray("2\r\n12.3\r\n45\r\n12.4,\r\n45.1\r\n")
                                                 << Samples{{12.3f, 45.0f}, {12.4f, 45.1f}};
        QTest::newRow("all on one line") << QByteArray("2,1,2,3,4") << Samples{{1, 2}, {3, 4}};
        QTest::newRow("line feeds only") << QByteArray("1\n1,2\n") << Samples{{1, 2}};
        QTest::newRow("no final line end") << QByteArray("1\r\n1,2") << Samples{{1, 2}};
        QTest::newRow("blank lines") << QByteArray("1\r\n\r\n1,2\r\n\r\n") << Samples{{1, 2}};
        QTest::newRow("plus sign, exponent") << QByteArray("1\r\n+1.5,1e2\r\n") << Samples{{1.5f, 100.0f}};
        QTest::newRow("count written with a point") << QByteArray("1.0\r\n1,2\r\n") << Samples{{1, 2}};
        QTest::newRow("blanks beyond a chunk") << QByteArray("1\r\n") + QByteArray(200000, ' ') + "1,\r\n" + QByteArray(70000, '\n') + "2"
                                               << Samples{{1, 2}};
        QTest::newRow("more than announced") << QByteArray("1\r\n1,2\r\n3,4\r\nnot read") << Samples{{1, 2}};
    }
    void readsLeniently()
    {
        QFETCH(QByteArray, text);
        QFETCH(Samples, expected);
        QCOMPARE(readText(text), std::optional<Samples>(expected));
    }

    void refuses_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("only blanks") << QByteArray(" \r\n");
        QTest::newRow("ends before the samples") << QByteArray("2\r\n1,2\r\n");
        QTest::newRow("ends inside a sample") << QByteArray("1\r\n1\r\n");
        QTest::newRow("negative count") << QByteArray("-1\r\n");
        QTest::newRow("count above 75001") << QByteArray("75002\r\n");
        QTest::newRow("fractional count") << QByteArray("1.5\r\n1,2\r\n");
        QTest::newRow("count not a number") << QByteArray("three\r\n1,2\r\n");
        QTest::newRow("word for a value") << QByteArray("1\r\nabc,2\r\n");
        QTest::newRow("trailing junk") << QByteArray("1\r\n12.3x,2\r\n");
        QTest::newRow("decimal comma") << QByteArray("1\r\n12,3;45\r\n");
        QTest::newRow("blank inside") << QByteArray("1\r\n12 .3,2\r\n");
        QTest::newRow("empty field") << QByteArray("1\r\n,5,6\r\n");
        QTest::newRow("two commas") << QByteArray("1\r\n5,,6\r\n");
        QTest::newRow("lone sign") << QByteArray("1\r\n-,2\r\n");
        QTest::newRow("lone point") << QByteArray("1\r\n.,2\r\n");
        QTest::newRow("not a number") << QByteArray("1\r\nnan,2\r\n");
        QTest::newRow("infinity") << QByteArray("1\r\n-inf,2\r\n");
        QTest::newRow("beyond a float") << QByteArray("1\r\n1e40,2\r\n");
        QTest::newRow("hexadecimal") << QByteArray("1\r\n0x10,2\r\n");
        QTest::newRow("very long field") << QByteArray("1\r\n") + QByteArray(100000, '1') + ",2\r\n";
        QTest::newRow("binary") << QByteArray("1\r\n\x00\x01\x02,2\r\n", 10);
        QTest::newRow("doubly signed") << QByteArray("1\r\n+-5,2\r\n");
        QTest::newRow("doubly signed, minus first") << QByteArray("1\r\n-+5,2\r\n");
        QTest::newRow("count beyond 32 bits") << QByteArray("300000000\r\n");
        QTest::newRow("65-character field at the end") << QByteArray("1\r\n1,0.") + QByteArray(62, '0') + "1";
        QTest::newRow("count of 10 digits") << QByteArray("4294967297\r\n1,2\r\n");
    }

    // Numbers the quick path for the writer's form once read wrongly: more
    // digits than 32 bits hold, and whole numbers whose tenths a float no
    // longer holds exactly. Each must read as the float nearest to it.
    void readsLongNumbersExactly_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<float>("expected");
        QTest::newRow("7-digit whole number") << QByteArray("3634539") << 3634539.0f;
        QTest::newRow("negative 7-digit whole number") << QByteArray("-3634539") << -3634539.0f;
        QTest::newRow("largest 7-digit number") << QByteArray("9999999") << 9999999.0f;
        QTest::newRow("tenths at 2^24") << QByteArray("1677721.6") << 1677721.6f;
        QTest::newRow("tenths beyond 2^24") << QByteArray("1677721.7") << 1677721.7f;
        QTest::newRow("9 digits") << QByteArray("123456789") << 123456789.0f;
        QTest::newRow("10 digits") << QByteArray("2147483648") << 2147483648.0f;
        QTest::newRow("leading zeros beyond 7 digits") << QByteArray("000000012.3") << 12.3f;
        QTest::newRow("plus sign") << QByteArray("+5") << 5.0f;
    }
    void readsLongNumbersExactly()
    {
        QFETCH(QByteArray, field);
        QFETCH(float, expected);
        QCOMPARE(readText("1\r\n" + field + ",0\r\n"), std::optional<Samples>(Samples{{expected, 0.0f}}));
    }

    // A file full of odd 7-digit whole numbers (every 60th one from
    // 1,000,001) reads back number for number.
    void readsSevenDigitWholeNumbersExactly()
    {
        Samples samples;
        QByteArray text = QByteArray::number(RecordCapacity) + "\r\n";
        for (int i = 0; i < RecordCapacity; ++i) {
            const int sp = 1000001 + 120 * i;
            const int pv = sp + 60;
            samples.push_back({float(sp), float(pv)});
            text += QByteArray::number(sp) + ',' + QByteArray::number(pv) + "\r\n";
        }
        const std::optional<Samples> back = readText(text);
        QVERIFY(back);
        for (size_t i = 0; i < samples.size(); ++i)
            if (!((*back)[i] == samples[i]))
                QFAIL(qPrintable(QStringLiteral("sample %1 read as %2,%3").arg(i).arg((*back)[i].sp, 0, 'f', 2).arg((*back)[i].pv, 0, 'f', 2)));
    }
    void refuses()
    {
        QFETCH(QByteArray, text);
        QCOMPARE(readText(text), std::nullopt);
    }

    void readsUpToTheBufferSize()
    {
        const Samples full(size_t(RecordCapacity), RecordSample{99.9f, 0.1f});
        const QByteArray text = recordfile::encode(full);
        QCOMPARE(readText(text), std::optional<Samples>(full));
        QByteArray tooMany = text;
        tooMany.replace(0, 5, "75002");
        tooMany.append("1,2\r\n");
        QCOMPARE(readText(tooMany), std::nullopt);
    }

    void refusesWhatCannotBeOpened()
    {
        QTemporaryDir dir;
        QCOMPARE(recordfile::read(dir.filePath(QStringLiteral("missing"))), std::nullopt);
        QCOMPARE(recordfile::read(dir.path()), std::nullopt);
        QCOMPARE(recordfile::read(QStringLiteral("/dev/zero")), std::nullopt);
    }

    void replacesAnExistingFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("run.txt"));
        writeFile(path, QByteArray("an older and longer recording\r\n").repeated(100));
        QVERIFY(recordfile::write(path, ThreeSamples));
        QCOMPARE(fileContents(path), ThreeSamplesText);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("run.txt")});
    }

    void failedSaveKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("run.txt"));
        const QByteArray old = "1\r\n1,2\r\n";
        writeFile(path, old);
        const Samples many(5000, RecordSample{12.3f, 45.6f});
        {
            const FileSizeLimit limit(1000); // the disk "fills up" after 1000 bytes
            QVERIFY(!recordfile::write(path, many));
        }
        QCOMPARE(fileContents(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("run.txt")});
    }

    void saveFailsWhereNoFileCanBe()
    {
        QTemporaryDir dir;
        QVERIFY(!recordfile::write(dir.filePath(QStringLiteral("no/such/folder/run.txt")), ThreeSamples));
        QVERIFY(QDir().mkdir(dir.filePath(QStringLiteral("folder"))));
        QVERIFY(!recordfile::write(dir.filePath(QStringLiteral("folder")), ThreeSamples));
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("folder"))).isDir());
    }
};

QTEST_APPLESS_MAIN(tst_RecordFile)
#include "tst_recordfile.moc"
