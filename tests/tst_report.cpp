// The report window, opened through "Report" of the main window: refusals,
// the chart and point count, readouts, the measuring cycle and travel times.
#include "MainWindowFixture.h"

#include "platform/PictureBox.h"
#include "recording/RecordFile.h"
#include "recording/frmHistory.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

frmHistory *reportWindow()
{
    frmHistory *found = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *report = qobject_cast<frmHistory *>(widget); report && !report->testAttribute(Qt::WA_WState_Hidden))
            found = report;
    return found;
}

// SP rises by 0.1 % a sample, PV stays 10 % below it.
std::vector<RecordSample> rampSamples(int n)
{
    std::vector<RecordSample> samples;
    for (int i = 0; i < n; ++i)
        samples.push_back({float(i % 1000) / 10.0f, float(i % 1000) / 10.0f - 10.0f});
    return samples;
}

int curveSegments(const PictureBox &pic)
{
    int n = 0;
    for (const DrawItem &item : pic.drawing().items())
        n += item.kind == DrawItem::Kind::Line && item.color == Rgb{255, 255, 0};
    return n;
}

} // namespace

class tst_Report : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainWindowFixture> f;
    std::unique_ptr<QTemporaryDir> dir;

    QString recordFile(const QString &name, const QByteArray &text)
    {
        const QString path = dir->filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    QString recordFile(const QString &name, int samples)
    {
        return recordFile(name, recordfile::encode(rampSamples(samples)));
    }
    void report(const QString &path)
    {
        f->dialogs.openAnswers.enqueue(path);
        f->window->cmdReport->click();
    }
    frmHistory &openReport(int samples)
    {
        report(recordFile(QStringLiteral("run%1.txt").arg(samples), samples));
        frmHistory *window = reportWindow();
        if (!window)
            qFatal("the report window did not open");
        return *window;
    }

private slots:
    void init()
    {
        f = std::make_unique<MainWindowFixture>();
        f->startWithDevice();
        dir = std::make_unique<QTemporaryDir>();
    }
    void cleanup()
    {
        f.reset(); // takes an open report window with it
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!reportWindow());
        dir.reset();
    }

    void cancelOpensNothing()
    {
        f->window->cmdReport->click();
        QCOMPARE(f->dialogs.openDialogsShown, 1);
        QVERIFY(!reportWindow());
        QVERIFY(f->dialogs.messages.isEmpty());
    }

    void opensTheFileRead()
    {
        frmHistory &w = openReport(50);
        QCOMPARE(w.windowTitle(), QStringLiteral("Report - run50.txt"));
        QCOMPARE(f->data.ReportCount, 50);
        QCOMPARE(w.lblPoints->text(), QStringLiteral("50"));
        QCOMPARE(w.scale(), (report::ReportScale{100, 50}));
        QCOMPARE(curveSegments(*w.pic), 49);
        QCOMPARE(w.pic->scaleWidth(), 12000.0);
        QVERIFY(!w.Line1->isVisible());
        QCOMPARE(w.lblSample->text(), QStringLiteral("Sample: "));
        QCOMPARE(w.lblTravel[0]->text(), QStringLiteral("Travel Time (0% to 100%) :"));
        QCOMPARE(w.lblTravel[1]->text(), QStringLiteral("Travel Time (100% to 0%) :"));
        QCOMPARE(w.cmdTravelUp->text(), QStringLiteral("Travel Time Up"));
        QCOMPARE(w.cmdTravelDown->text(), QStringLiteral("Travel Time Down"));
        QVERIFY(w.testAttribute(Qt::WA_DeleteOnClose));
        QVERIFY(!w.isModal());
    }

    void opensAnEmptyRecording()
    {
        report(recordFile(QStringLiteral("empty"), QByteArray("0\r\n")));
        frmHistory *w = reportWindow();
        QVERIFY(w);
        QCOMPARE(w->lblPoints->text(), QStringLiteral("0"));
        QCOMPARE(curveSegments(*w->pic), 0);
        QCOMPARE(w->pic->drawing().items().size(), size_t(22 + 24));
    }

    // A file that cannot be shown is named with the reason; nothing opens.
    void refusedFileIsNamedWithTheReason_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("reason");
        QTest::newRow("ends early") << QByteArray("3\r\n1,2\r\n3,4\r\n") << "It ends after 2 of the 3 samples it announces.";
        QTest::newRow("negative count") << QByteArray("-3\r\n") << "It does not begin with a sample count.";
        QTest::newRow("too many samples") << QByteArray("75002\r\n1,2\r\n")
                                          << "It announces 75002 samples; a record holds at most 75001.";
        QTest::newRow("not a number") << QByteArray("2\r\n1,2\r\n3,four\r\n") << "Sample 2 is not a pair of numbers.";
        QTest::newRow("empty") << QByteArray() << "The file is empty.";
        QTest::newRow("a parameter file") << QByteArray("\"{'ModelNo': 'DMK--0042'}\"\r\n")
                                          << "It does not begin with a sample count.";
    }
    void refusedFileIsNamedWithTheReason()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, reason);
        const QString path = recordFile(QStringLiteral("bad"), text);
        report(path);
        QVERIFY(!reportWindow());
        QCOMPARE(f->data.ReportCount, 0);
        QCOMPARE(f->data.ReportBuffer[0], RecordSample{});
        QCOMPARE(f->dialogs.messages,
                 (QList<ShownMessage>{{QStringLiteral("\"%1\" cannot be shown as a record.\n%2").arg(path, reason),
                                       QStringLiteral("Report"), MessageIcon::Exclamation}}));
    }

    void unreadableFileIsNamedWithTheReason()
    {
        const QString missing = dir->filePath(QStringLiteral("no such file"));
        report(missing);
        report(dir->path());
        QVERIFY(!reportWindow());
        QCOMPARE(f->dialogs.messages.size(), 2);
        QCOMPARE(f->dialogs.messages[0].text,
                 QStringLiteral("\"%1\" cannot be shown as a record.\nNo such file or directory").arg(missing));
        QCOMPARE(f->dialogs.messages[1].text,
                 QStringLiteral("\"%1\" cannot be shown as a record.\nIt is not a file.").arg(dir->path()));
    }

    // A refused file leaves an open window and the report data wholly on the
    // file shown before.
    void refusedFileKeepsTheWindowAsItWas()
    {
        frmHistory &w = openReport(50);
        const std::vector<DrawItem> before = w.pic->drawing().items();
        report(recordFile(QStringLiteral("bad"), QByteArray("60\r\n99,99\r\n98,98\r\n")));
        QCOMPARE(reportWindow(), &w);
        QCOMPARE(f->data.ReportCount, 50);
        QCOMPARE(f->data.ReportBuffer[0], rampSamples(1)[0]);
        QCOMPARE(w.lblPoints->text(), QStringLiteral("50"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Report - run50.txt"));
        QCOMPARE(w.pic->drawing().items().size(), before.size());
        QCOMPARE(f->dialogs.messages.size(), 1);
    }

    // The travel times of the last file never stand beside a new chart.
    void newFileClearsTheTravelTimes()
    {
        frmHistory &w = openReport(50);
        w.pic_MouseDown(Qt::LeftButton, 2000, 5000);
        w.pic_MouseDown(Qt::LeftButton, 5000, 5000);
        w.cmdTravelUp->click();
        w.cmdTravelDown->click();
        QCOMPARE(w.lblTravel[0]->text(), QStringLiteral("Travel Time (0% to 100%) : 3.0s"));
        QCOMPARE(w.lblTravel[1]->text(), QStringLiteral("Travel Time (100% to 0%) : 3.0s"));

        report(recordFile(QStringLiteral("next"), 200));
        QCOMPARE(reportWindow(), &w);
        QCOMPARE(w.lblTravel[0]->text(), QStringLiteral("Travel Time (0% to 100%) :"));
        QCOMPARE(w.lblTravel[1]->text(), QStringLiteral("Travel Time (100% to 0%) :"));
        QCOMPARE(w.lastTravelTime(), 0.0f);
        w.cmdTravelUp->click(); // the old measurement does not carry over
        QCOMPARE(w.lblTravel[0]->text(), QStringLiteral("Travel Time (0% to 100%) :"));
    }

    // A screen reader hears what each readout is and the value it shows.
    void readoutsExposeTheirValues()
    {
        frmHistory &w = openReport(20000);
        w.pic_MouseMove(Qt::NoButton, 1500, 6000);
        w.pic_MouseDown(Qt::LeftButton, 1500, 6000);
        const struct
        {
            QLabel *label;
            const char *name;
        } readouts[] = {{w.lblPoints, "Points"}, {w.lblPos, "Position"}, {w.lblVal, "Values"}, {w.lblSample, "Sample"}};
        for (const auto &readout : readouts) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(readout.label);
            QVERIFY(a);
            QCOMPARE(a->text(QAccessible::Name), QLatin1String(readout.name));
            QCOMPARE(a->text(QAccessible::Description), readout.label->text());
            QVERIFY(!readout.label->text().isEmpty());
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(w.lblPoints)->text(QAccessible::Description),
                 QStringLiteral("20000"));
        QCOMPARE(QAccessible::queryAccessibleInterface(w.lblPos)->text(QAccessible::Description),
                 QStringLiteral("50.0, 50.0"));
    }

    void reportWhileOpenShowsTheNewFile()
    {
        frmHistory &w = openReport(50);
        w.pic_MouseDown(Qt::LeftButton, 3000, 3000);
        QVERIFY(w.Line1->isVisible());

        report(recordFile(QStringLiteral("longer"), 200));
        QCOMPARE(reportWindow(), &w);
        QCOMPARE(w.windowTitle(), QStringLiteral("Report - longer"));
        QCOMPARE(w.lblPoints->text(), QStringLiteral("200"));
        QCOMPARE(w.scale(), (report::ReportScale{10, 200}));
        QCOMPARE(curveSegments(*w.pic), 199);
        QVERIFY(!w.Line1->isVisible()); // the old measurement belongs to the old chart
        QVERIFY(!w.measurement().firstPointSet());
    }

    void closingDiscardsTheWindow()
    {
        QPointer<frmHistory> first = &openReport(50);
        first->pic_MouseDown(Qt::LeftButton, 5000, 5000);
        first->pic_MouseDown(Qt::LeftButton, 6000, 5000);
        first->cmdTravelUp->click();
        QVERIFY(first->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());

        frmHistory &second = openReport(50);
        QCOMPARE(second.lblTravel[0]->text(), QStringLiteral("Travel Time (0% to 100%) :"));
    }

    void closingTheMainWindowEndsTheProgram()
    {
        openReport(50);
        bool lastClosed = false;
        const QMetaObject::Connection watch =
            connect(qApp, &QGuiApplication::lastWindowClosed, this, [&] { lastClosed = true; });
        QTimer::singleShot(0, f->window.get(), &QWidget::close);
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); }); // still running: the fault
        const int result = QCoreApplication::exec();
        disconnect(watch);
        QCOMPARE(result, 0);
        QVERIFY(lastClosed);
    }

    void readsUnderTheMouse()
    {
        frmHistory &w = openReport(50); // k = 100
        emit w.pic->mouseMove(Qt::NoButton, 1200, 6000);
        QCOMPARE(w.lblPos->text(), QStringLiteral("0.2, 50.0"));
        QCOMPARE(w.lblVal->text(), QStringLiteral("SP=0.2, PV=-9.8"));
        emit w.pic->mouseMove(Qt::NoButton, 1150, 6000); // 1.5 goes to sample 2
        QCOMPARE(w.lblVal->text(), QStringLiteral("SP=0.2, PV=-9.8"));
        emit w.pic->mouseMove(Qt::NoButton, 1050, 6000); // 0.5 goes to sample 0
        QCOMPARE(w.lblVal->text(), QStringLiteral("SP=0.0, PV=-10.0"));

        emit w.pic->mouseMove(Qt::NoButton, 8000, 2000); // right of the last sample
        QCOMPARE(w.lblPos->text(), QStringLiteral("7.0, 90.0"));
        QCOMPARE(w.lblVal->text(), QString());

        emit w.pic->mouseMove(Qt::NoButton, 500, 6000); // outside the plot area
        QCOMPARE(w.lblPos->text(), QStringLiteral("7.0, 90.0"));
    }

    void readsTheClickedSample()
    {
        frmHistory &w = openReport(50);
        emit w.pic->mouseDown(Qt::LeftButton, 1200, 6000);
        QCOMPARE(w.lblSample->text(), QStringLiteral("Input Signal: 0.2\nFeedback Signal: -9.8\nError: 10.0"));
        emit w.pic->mouseDown(Qt::LeftButton, 500, 6000); // margin: the point is taken, the readout stays
        QVERIFY(w.measurement().complete());
        QCOMPARE(w.lblSample->text(), QStringLiteral("Input Signal: 0.2\nFeedback Signal: -9.8\nError: 10.0"));
        emit w.pic->mouseDown(Qt::RightButton, 9000, 6000); // right of the last sample
        QCOMPARE(w.lblSample->text(), QStringLiteral("Sample: "));
    }

    void measuresTravelTime()
    {
        frmHistory &w = openReport(101); // k = 10
        QCOMPARE(w.scale().k, 10);
        const QString upBefore = w.lblTravel[0]->text();

        w.cmdTravelUp->click(); // nothing measured yet
        QCOMPARE(w.lblTravel[0]->text(), upBefore);

        emit w.pic->mouseDown(Qt::LeftButton, 5000, 3000);
        QVERIFY(w.Line1->isVisible());
        QCOMPARE(w.Line1->start(), QPointF(5000, 3000));
        w.cmdTravelUp->click(); // only the first point
        QCOMPARE(w.lblTravel[0]->text(), upBefore);

        emit w.pic->mouseMove(Qt::NoButton, 4000, 4000);
        QCOMPARE(w.Line1->end(), QPointF(4000, 4000));
        emit w.pic->mouseDown(Qt::LeftButton, 2000, 9000);
        emit w.pic->mouseMove(Qt::NoButton, 7000, 7000);
        QVERIFY(w.Line1->isVisible());
        QCOMPARE(w.Line1->end(), QPointF(4000, 4000)); // fixed once the measurement is complete

        w.cmdTravelUp->click();
        QCOMPARE(w.lblTravel[0]->text(), QStringLiteral("Travel Time (0% to 100%) : 30.0s"));
        QCOMPARE(w.lastTravelTime(), 30.0f);
        w.cmdTravelDown->click();
        QCOMPARE(w.lblTravel[1]->text(), QStringLiteral("Travel Time (100% to 0%) : 30.0s"));
    }

    void rightClickResetsTheMeasurement()
    {
        frmHistory &w = openReport(101);
        emit w.pic->mouseDown(Qt::LeftButton, 5000, 3000);
        emit w.pic->mouseDown(Qt::RightButton, 1300, 6000);
        QVERIFY(!w.Line1->isVisible());
        QVERIFY(!w.measurement().firstPointSet());
        QCOMPARE(w.lblSample->text(), QStringLiteral("Input Signal: 3.0\nFeedback Signal: -7.0\nError: 10.0"));

        emit w.pic->mouseDown(Qt::LeftButton, 2000, 3000); // a new first point, not a second
        w.cmdTravelDown->click();
        QCOMPARE(w.lblTravel[1]->text(), QStringLiteral("Travel Time (100% to 0%) :"));
        emit w.pic->mouseDown(Qt::LeftButton, 2500, 3000);
        emit w.pic->mouseDown(Qt::MiddleButton, 2500, 3000); // a complete measurement is dropped too
        w.cmdTravelDown->click();
        QCOMPARE(w.lblTravel[1]->text(), QStringLiteral("Travel Time (100% to 0%) :"));
    }

    void paintsTheChart()
    {
        frmHistory &w = openReport(20000);
        const QImage image = w.pic->grab().toImage();
        QVERIFY(!image.isNull());
        int yellow = 0, green = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                yellow += p == qRgb(255, 255, 0);
                green += p == qRgb(0, 255, 0);
            }
        QVERIFY(yellow > 0);
        QVERIFY(green > 0);
        QCOMPARE(w.lblPoints->text(), QStringLiteral("20000"));
    }
};

QTEST_MAIN(tst_Report)
#include "tst_report.moc"
