// Replays every kept input of the fuzz targets - the seed corpus and the
// inputs that once found a fault - through the same entry functions, so that
// what was fixed stays fixed in the ordinary build too.
#include "FuzzTargets.h"

#include <QDirIterator>
#include <QtTest>

namespace {

using Entry = int (*)(const uint8_t *, size_t);

const std::pair<const char *, Entry> Targets[] = {
    {"port", fuzz::port},
    {"record_file", fuzz::recordFile},
    {"parameter_file", fuzz::parameterFile},
    {"parameter_block", fuzz::parameterBlock},
};

} // namespace

class tst_FuzzRegressions : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { fuzz::throwOnFailure = true; }

    void replays_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("path");
        for (const auto &[target, entry] : Targets) {
            for (const char *kind : {"corpus", "regressions"}) {
                const QString dir = QStringLiteral(VELMORA_FUZZ_INPUTS "/%1/%2").arg(QLatin1String(kind), QLatin1String(target));
                QStringList files = QDir(dir).entryList(QDir::Files);
                QVERIFY2(kind != QLatin1String("corpus") || !files.isEmpty(), qPrintable(dir + " holds no seeds"));
                for (const QString &file : files)
                    QTest::addRow("%s/%s/%s", kind, target, qPrintable(file)) << QString::fromLatin1(target) << dir + '/' + file;
            }
        }
    }
    void replays()
    {
        QFETCH(QString, target);
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray input = file.readAll();
        const Entry entry = std::find_if(std::begin(Targets), std::end(Targets),
                                         [&](const auto &t) { return target == QLatin1String(t.first); })->second;
        try {
            QCOMPARE(entry(reinterpret_cast<const uint8_t *>(input.constData()), size_t(input.size())), 0);
        } catch (const fuzz::PropertyFailed &failure) {
            QFAIL(failure.what());
        }
    }
};

QTEST_APPLESS_MAIN(tst_FuzzRegressions)
#include "tst_fuzz_regressions.moc"
