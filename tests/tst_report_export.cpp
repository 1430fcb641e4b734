// "Export..." of the report window: the samples and the step table as CSV
// with "." in a comma locale, the chart as PNG, saves that replace a file
// whole, and a failed save that says why.
#include "TestHelpers.h"
#include "ScriptedDialogs.h"
#include "app/modMain.h"
#include "platform/PictureBox.h"
#include "recording/ReportExport.h"
#include "recording/StepTableModel.h"
#include "recording/frmHistory.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// 0 -> 100 at 5 %/s, then a step to 50 that is cut short.
std::vector<RecordSample> stepRecording()
{
    std::vector<RecordSample> samples;
    float pv = 0;
    for (const auto &[sp, count] : std::vector<std::pair<float, int>>{{0, 300}, {100, 400}, {50, 30}})
        for (int i = 0; i < count; ++i) {
            samples.push_back({sp, pv});
            pv = sp > pv ? std::min(sp, pv + 0.5f) : std::max(sp, pv - 0.4f);
        }
    return samples;
}

} // namespace

class tst_ReportExport : public QObject
{
    Q_OBJECT

    std::unique_ptr<modMain> data;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<frmHistory> window;
    std::unique_ptr<QTemporaryDir> dir;

    frmHistory &open(const std::vector<RecordSample> &samples)
    {
        std::copy(samples.begin(), samples.end(), data->ReportBuffer.begin());
        data->ReportCount = int32_t(samples.size());
        window = std::make_unique<frmHistory>(*data, *dialogs);
        window->Form_Load();
        window->show();
        return *window;
    }
    QString exportTo(QAction *action, const QString &name)
    {
        const QString path = dir->filePath(name);
        dialogs->saveAnswers.enqueue(path);
        action->trigger();
        return path;
    }

private slots:
    // Every number below is written under a locale whose decimal sign is a comma.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }
    void init()
    {
        data = std::make_unique<modMain>();
        dialogs = std::make_unique<ScriptedDialogs>();
        dir = std::make_unique<QTemporaryDir>();
    }
    void cleanup()
    {
        window.reset();
        dialogs.reset();
        data.reset();
        dir.reset();
    }

    void offersThreeKindsOfExport()
    {
        frmHistory &w = open(stepRecording());
        QCOMPARE(w.cmdExport->text(), QStringLiteral("Export..."));
        QVERIFY(w.cmdExport->menu());
        const QList<QAction *> actions = w.cmdExport->menu()->actions();
        QCOMPARE(actions, (QList<QAction *>{w.mnuExportSamples, w.mnuExportSteps, w.mnuExportChart}));
        QCOMPARE(w.mnuExportSamples->text(), QStringLiteral("Samples as CSV..."));
        QCOMPARE(w.mnuExportSteps->text(), QStringLiteral("Step table as CSV..."));
        QCOMPARE(w.mnuExportChart->text(), QStringLiteral("Chart as PNG..."));
    }

    void writesTheSamples()
    {
        QCOMPARE(reportexport::samplesCsv({}), QByteArray("time_s,sp_pct,pv_pct\r\n"));
        const std::vector<RecordSample> samples{{12.3f, 45.0f}, {12.4f, 45.1f}, {12.5f, 0.0f}, {-0.5f, 100.1f}};
        QCOMPARE(reportexport::samplesCsv(samples), QByteArray("time_s,sp_pct,pv_pct\r\n"
                                                               "0.0,12.3,45\r\n"
                                                               "0.1,12.4,45.1\r\n"
                                                               "0.2,12.5,0\r\n"
                                                               "0.3,-0.5,100.1\r\n"));
        std::vector<RecordSample> many(75001);
        const QList<QByteArray> lines = reportexport::samplesCsv(many).split('\n');
        QCOMPARE(lines.at(lines.size() - 2), QByteArray("7500.0,0,0\r"));
        QCOMPARE(lines.at(11), QByteArray("1.0,0,0\r"));
    }

    void writesTheStepTable()
    {
        steps::StepResponse reached;
        reached.start = 300;
        reached.from = 0;
        reached.to = 100;
        reached.deadTime = 0.3;
        reached.t63 = 12.64;
        reached.t86 = 17.3;
        reached.settling = 19.6;
        reached.overshoot = 1.25;
        reached.finalError = -0.004;
        steps::StepResponse cutShort;
        cutShort.start = 1234;
        cutShort.from = 99.996;
        cutShort.to = 50.5;
        cutShort.deadTime = 0.2;
        cutShort.t63 = 1.5484;
        cutShort.finalError = -38.75;
        QCOMPARE(reportexport::stepsCsv({reached, cutShort}),
                 QByteArray("step,start_s,from_pct,to_pct,dead_time_s,t63_s,t86_s,settling_s,overshoot_pct,"
                            "final_error_pct\r\n"
                            "1,30.0,0.00,100.00,0.30,12.64,17.30,19.60,1.25,0.00\r\n"
                            "2,123.4,100.00,50.50,0.20,1.55,,,,-38.75\r\n"));
    }

    void exportsTheSamples()
    {
        const std::vector<RecordSample> samples = stepRecording();
        frmHistory &w = open(samples);
        const QString path = exportTo(w.mnuExportSamples, QStringLiteral("samples.csv"));
        QCOMPARE(dialogs->saveDialogsShown, 1);
        QVERIFY(dialogs->messages.isEmpty());
        const QByteArray csv = fileContents(path);
        QCOMPARE(csv, reportexport::samplesCsv(samples));
        QVERIFY(csv.contains("\r\n30.1,100,0.5\r\n"));
        QCOMPARE(csv.count('\n'), 1 + 730);
    }

    void exportsTheStepTable()
    {
        frmHistory &w = open(stepRecording());
        const QString path = exportTo(w.mnuExportSteps, QStringLiteral("steps.csv"));
        QVERIFY(dialogs->messages.isEmpty());
        const QList<QByteArray> lines = fileContents(path).split('\n');
        QCOMPARE(lines.size(), 4); // header, two steps, nothing after the last line end
        QCOMPARE(lines[0], QByteArray("step,start_s,from_pct,to_pct,dead_time_s,t63_s,t86_s,settling_s,"
                                      "overshoot_pct,final_error_pct\r"));
        QCOMPARE(lines[1], QByteArray("1,30.0,0.00,100.00,0.30,12.64,17.30,19.60,0.00,0.00\r"));
        // The cut-short step reaches neither T86 nor settling: empty cells.
        QCOMPARE(lines[2], QByteArray("2,70.0,100.00,50.00,0.20,1.55,,,,40.20\r"));
        QCOMPARE(lines[3], QByteArray());
    }

    void exportsTheChart()
    {
        frmHistory &w = open(stepRecording());
        w.resize(900, 820);
        const QString path = exportTo(w.mnuExportChart, QStringLiteral("chart.png"));
        QVERIFY(dialogs->messages.isEmpty());
        QCOMPARE(fileContents(path).left(8), QByteArray("\x89PNG\r\n\x1a\n"));
        QImage image;
        QVERIFY(image.load(path, "PNG"));
        QCOMPARE(image.size(), w.pic->size() * w.pic->devicePixelRatio());
        int yellow = 0, green = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                yellow += image.pixel(x, y) == qRgb(255, 255, 0);
                green += image.pixel(x, y) == qRgb(0, 255, 0);
            }
        QVERIFY(yellow > 0);
        QVERIFY(green > 0);
    }

    // The file name is used as chosen: no extension is added.
    void usesTheNameAsChosen()
    {
        frmHistory &w = open(stepRecording());
        const QString path = exportTo(w.mnuExportChart, QStringLiteral("chart"));
        QVERIFY(QFile::exists(path));
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{"chart"});
    }

    void cancelWritesNothing()
    {
        frmHistory &w = open(stepRecording());
        for (QAction *action : {w.mnuExportSamples, w.mnuExportSteps, w.mnuExportChart})
            action->trigger();
        QCOMPARE(dialogs->saveDialogsShown, 3);
        QVERIFY(dialogs->messages.isEmpty());
        QVERIFY(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }

    // An existing file is replaced whole, with no temporary file left beside it.
    void replacesAnExistingFile()
    {
        frmHistory &w = open(stepRecording());
        const QString path = dir->filePath(QStringLiteral("steps.csv"));
        writeFile(path, QByteArray(100000, 'x'));
        exportTo(w.mnuExportSteps, QStringLiteral("steps.csv"));
        QVERIFY(fileContents(path).startsWith("step,start_s,"));
        QVERIFY(!fileContents(path).contains('x'));
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"steps.csv"});
    }

    void failureSaysWhy_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("samples");
        QTest::newRow("samples, in a folder that does not exist") << "missing/samples.csv" << true;
        QTest::newRow("steps, under a file") << "plain.txt/steps.csv" << false;
        QTest::newRow("samples, onto a folder") << "folder" << true;
    }
    void failureSaysWhy()
    {
        QFETCH(QString, name);
        QFETCH(bool, samples);
        writeFile(dir->filePath(QStringLiteral("plain.txt")), "kept");
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("folder")));
        frmHistory &w = open(stepRecording());
        const QString path = exportTo(samples ? w.mnuExportSamples : w.mnuExportSteps, name);

        QCOMPARE(dialogs->messages.size(), 1);
        const ShownMessage &message = dialogs->messages.first();
        QCOMPARE(message.title, QStringLiteral("Export"));
        QCOMPARE(message.icon, MessageIcon::Exclamation);
        const QString start = QStringLiteral("Could not save %1:\n").arg(QDir::toNativeSeparators(path));
        QVERIFY2(message.text.startsWith(start), qPrintable(message.text));
        QVERIFY2(message.text.size() > start.size(), qPrintable(message.text)); // the reason follows
        QCOMPARE(fileContents(dir->filePath(QStringLiteral("plain.txt"))), QByteArray("kept"));
        QVERIFY(QFileInfo(dir->filePath(QStringLiteral("folder"))).isDir());
        QCOMPARE(QDir(dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 (QStringList{"folder", "plain.txt"}));
    }

    void dialogsShowOverTheReportWhileItAsks()
    {
        frmHistory &w = open(stepRecording());
        QWidget owner;
        dialogs->setOwner(&owner);
        QWidget *ownerWhileAsking = nullptr;
        dialogs->onMessage = [&](const ShownMessage &) { ownerWhileAsking = dialogs->owner(); };
        exportTo(w.mnuExportSteps, QStringLiteral("missing/steps.csv"));
        QCOMPARE(ownerWhileAsking, &w);
        QCOMPARE(dialogs->owner(), &owner);
    }
};

QTEST_MAIN(tst_ReportExport)
#include "tst_report_export.moc"
