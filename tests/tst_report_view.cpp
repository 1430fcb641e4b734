// The report window on files longer than its chart: the scroll bar, the time
// labels and readouts in the moved chart, the measurement across a scroll;
// and the step table: its cells, what a screen reader reads, and a chosen
// step brought into view.
#include "ScriptedDialogs.h"
#include "app/modMain.h"
#include "platform/PictureBox.h"
#include "recording/ReportChart.h"
#include "recording/StepTableModel.h"
#include "recording/frmHistory.h"

#include <QAccessible>
#include <QAccessibleTableCellInterface>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QtTest>

namespace {

// Every sample different: SP counts tenths up to 100 and starts over, PV
// counts down.
std::vector<RecordSample> distinctSamples(int n)
{
    std::vector<RecordSample> samples;
    for (int i = 0; i < n; ++i)
        samples.push_back({float(i % 1001) / 10.0f, float(1000 - i % 997) / 10.0f});
    return samples;
}

// SP holds each level for its number of samples; PV moves to it at 5 %/s up
// and 4 %/s down, from the first level.
std::vector<RecordSample> stepSamples(const std::vector<std::pair<float, int>> &levels)
{
    std::vector<RecordSample> samples;
    float pv = levels.front().first;
    for (const auto &[sp, count] : levels)
        for (int i = 0; i < count; ++i) {
            samples.push_back({sp, pv});
            pv = sp > pv ? std::min(sp, pv + 0.5f) : std::max(sp, pv - 0.4f);
        }
    return samples;
}

std::vector<DrawItem> curves(const PictureBox &pic)
{
    std::vector<DrawItem> out;
    for (const DrawItem &item : pic.drawing().items())
        if (item.kind == DrawItem::Kind::Line && item.color != Rgb{64, 64, 64})
            out.push_back(item);
    return out;
}

QStringList timeLabels(const PictureBox &pic)
{
    QStringList out;
    for (const DrawItem &item : pic.drawing().items())
        if (item.kind == DrawItem::Kind::Text && item.from.y() == 11000)
            out << item.text;
    return out;
}

bool sameDrawing(const DisplayList &a, const DisplayList &b)
{
    if (a.items().size() != b.items().size())
        return false;
    for (size_t i = 0; i < a.items().size(); ++i) {
        const DrawItem &x = a.items()[i];
        const DrawItem &y = b.items()[i];
        if (x.kind != y.kind || x.from != y.from || x.to != y.to || x.color != y.color || x.text != y.text)
            return false;
    }
    return true;
}

} // namespace

class tst_ReportView : public QObject
{
    Q_OBJECT

    std::unique_ptr<modMain> data;
    ScriptedDialogs dialogs;
    std::unique_ptr<frmHistory> window;

    frmHistory &open(const std::vector<RecordSample> &samples)
    {
        std::copy(samples.begin(), samples.end(), data->ReportBuffer.begin());
        data->ReportCount = int32_t(samples.size());
        if (!window)
            window = std::make_unique<frmHistory>(*data, dialogs);
        window->Form_Load();
        window->show();
        return *window;
    }
    std::span<const RecordSample> reportSamples() const
    {
        return {data->ReportBuffer.data(), size_t(data->ReportCount)};
    }

private slots:
    void init() { data = std::make_unique<modMain>(); }
    void cleanup()
    {
        window.reset();
        data.reset();
    }

    // Up to the chart's 10,000 samples nothing moves: no scroll bar, and the
    // chart is the one drawn from the start.
    void showsNoScrollBarForAFileThatFits_data()
    {
        QTest::addColumn<int>("n");
        QTest::newRow("empty") << 0;
        QTest::newRow("50") << 50;
        QTest::newRow("10000") << 10000;
    }
    void showsNoScrollBarForAFileThatFits()
    {
        QFETCH(int, n);
        frmHistory &w = open(distinctSamples(n));
        QVERIFY(w.hsbChart->isHidden());
        QCOMPARE(w.hsbChart->maximum(), 0);
        QCOMPARE(w.firstSample(), 0);
        DisplayList expected;
        report::drawReportChart(expected, reportSamples(), report::reportScale(n));
        QVERIFY(sameDrawing(w.pic->drawing(), expected));
    }

    void scrollsThroughALongerFile_data()
    {
        QTest::addColumn<int>("n");
        QTest::newRow("10001") << 10001;
        QTest::newRow("20000") << 20000;
        QTest::newRow("full buffer") << 75001;
    }
    void scrollsThroughALongerFile()
    {
        QFETCH(int, n);
        frmHistory &w = open(distinctSamples(n));
        QVERIFY(w.hsbChart->isVisible());
        QCOMPARE(w.hsbChart->minimum(), 0);
        QCOMPARE(w.hsbChart->maximum(), n - 10000);
        QCOMPARE(w.hsbChart->pageStep(), 10000);
        QCOMPARE(w.hsbChart->value(), 0);

        // At its start the chart is exactly the one of the first 10,000 samples.
        DisplayList expected;
        report::drawReportChart(expected, reportSamples(), report::reportScale(n));
        QVERIFY(sameDrawing(w.pic->drawing(), expected));

        // From the keyboard: the chart's width a page, or to either end.
        QVERIFY(w.hsbChart->focusPolicy() & Qt::TabFocus);
        QTest::keyClick(w.hsbChart, Qt::Key_PageDown);
        QCOMPARE(w.firstSample(), std::min(10000, n - 10000));
        QTest::keyClick(w.hsbChart, Qt::Key_PageUp);
        QCOMPARE(w.firstSample(), 0);
        QTest::keyClick(w.hsbChart, Qt::Key_End);
        QCOMPARE(w.firstSample(), n - 10000);
        QTest::keyClick(w.hsbChart, Qt::Key_Home);
        QCOMPARE(w.firstSample(), 0);

        w.hsbChart->setValue(w.hsbChart->maximum());
        QCOMPARE(w.firstSample(), n - 10000);
        QVERIFY(!sameDrawing(w.pic->drawing(), expected));
        w.hsbChart->setValue(0);
        QVERIFY(sameDrawing(w.pic->drawing(), expected));
    }

    void reachesTheLastSampleOfAFullFile()
    {
        const std::vector<RecordSample> samples = distinctSamples(75001);
        frmHistory &w = open(samples);
        w.hsbChart->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(w.firstSample(), 65001);
        QCOMPARE(timeLabels(*w.pic).first(), QStringLiteral(" 6500.1"));
        QCOMPARE(timeLabels(*w.pic).last(), QStringLiteral(" 7500.1"));
        const std::vector<DrawItem> drawn = curves(*w.pic);
        QCOMPARE(drawn.back().to, QPointF(10999, 11000 - 100 * double(samples[75000].pv)));

        const RecordSample &last = samples[75000];
        emit w.pic->mouseMove(Qt::NoButton, 10999, 6000);
        QCOMPARE(w.lblPos->text(), QStringLiteral("7500.0, 50.0"));
        QCOMPARE(w.lblVal->text(), report::valueText(last));
        QCOMPARE(w.lblVal->text(), QStringLiteral("SP=92.6, PV=77.5")); // 75000 % 1001 = 926, 75000 % 997 = 225
        emit w.pic->mouseDown(Qt::RightButton, 10999, 6000);
        QCOMPARE(w.lblSample->text(), report::sampleText(last));
        QCOMPARE(w.lblPoints->text(), QStringLiteral("75001"));
    }

    void readsRealTimesInTheMovedChart()
    {
        const std::vector<RecordSample> samples = distinctSamples(20000);
        frmHistory &w = open(samples);
        w.hsbChart->setValue(1234);
        QCOMPARE(timeLabels(*w.pic).first(), QStringLiteral(" 123.4"));
        emit w.pic->mouseMove(Qt::NoButton, 1500, 6000); // sample 1234 + 500
        QCOMPARE(w.lblPos->text(), QStringLiteral("173.4, 50.0"));
        QCOMPARE(w.lblVal->text(), report::valueText(samples[1734]));
        emit w.pic->mouseDown(Qt::LeftButton, 1500, 6000);
        QCOMPARE(w.lblSample->text(), report::sampleText(samples[1734]));
    }

    // The two points may lie in different parts of the file: the time between
    // them is still the time between the samples clicked.
    void measuresAcrossAScroll()
    {
        frmHistory &w = open(distinctSamples(20000));
        emit w.pic->mouseDown(Qt::LeftButton, 2000, 3000); // 100.0 s
        QCOMPARE(w.Line1->start(), QPointF(2000, 3000));
        emit w.pic->mouseMove(Qt::NoButton, 2500, 3000);

        w.hsbChart->setValue(5000);
        QCOMPARE(w.Line1->start(), QPointF(-3000, 3000)); // it stays on its sample, left of the chart
        emit w.pic->mouseMove(Qt::NoButton, 3000, 9000);
        QCOMPARE(w.Line1->end(), QPointF(3000, 9000));
        emit w.pic->mouseDown(Qt::LeftButton, 3000, 9000); // 500.0 + 200.0 s
        w.cmdTravelUp->click();
        QCOMPARE(w.lblTravel[0]->text(), QStringLiteral("Travel Time (0% to 100%) : 600.0s"));

        w.hsbChart->setValue(4000);
        QCOMPARE(w.Line1->start(), QPointF(-2000, 3000));
        QCOMPARE(w.Line1->end(), QPointF(4000, 9000));
        w.cmdTravelDown->click();
        QCOMPARE(w.lblTravel[1]->text(), QStringLiteral("Travel Time (100% to 0%) : 600.0s"));
    }

    void aNewFileStartsAtItsStart()
    {
        frmHistory &w = open(distinctSamples(30000));
        w.hsbChart->setValue(20000);
        open(distinctSamples(15000));
        QCOMPARE(w.hsbChart->value(), 0);
        QCOMPARE(w.hsbChart->maximum(), 5000);
        QCOMPARE(w.firstSample(), 0);
        QCOMPARE(timeLabels(*w.pic).first(), QStringLiteral(" 0"));
    }

    void listsTheSteps()
    {
        // 0 -> 100 -> 0 -> 100, then a step to 50 cut short after 3 s.
        frmHistory &w = open(stepSamples({{0, 300}, {100, 400}, {0, 400}, {100, 400}, {50, 30}}));
        const StepTableModel &table = w.stepTable();
        QCOMPARE(w.grdSteps->model(), &table);
        QCOMPARE(table.rowCount(), 4);
        QCOMPARE(table.columnCount(), 11);
        QStringList headers;
        for (int c = 0; c < table.columnCount(); ++c)
            headers << table.headerData(c, Qt::Horizontal).toString();
        QCOMPARE(headers, QStringList({"Step", "Start (s)", "From (%)", "To (%)", "Dead time (s)", "T63 (s)",
                                       "T86 (s)", "Settling (s)", "Overshoot (%)", "Final error (%)",
                                       "Full stroke"}));

        const auto row = [&](int r) {
            QStringList cells;
            for (int c = 0; c < table.columnCount(); ++c)
                cells << table.data(table.index(r, c)).toString();
            return cells;
        };
        // 5 %/s up from the step's first sample on: 1.0 passed after 0.3 s,
        // 63.2 % at 12.64 s, 86.5 % at 17.3 s, within 2 % of 100 from 19.6 s,
        // 10 % to 90 % in 16 s. 4 %/s down.
        QCOMPARE(row(0), QStringList({"1", "30.0", "0.0", "100.0", "0.3", "12.6", "17.3", "19.6", "0.0", "0.0",
                                      "travel up, 20.0 s"}));
        QCOMPARE(row(1), QStringList({"2", "70.0", "100.0", "0.0", "0.3", "15.8", "21.6", "24.5", "0.0", "0.0",
                                      "travel down, 25.0 s"}));
        QCOMPARE(row(2).mid(0, 4), QStringList({"3", "110.0", "0.0", "100.0"}));
        // Cut short at PV 88.4: PVf 90.2 (88.4 .. 92.0), 63.2 % of -9.8 at
        // 1.55 s; it never covers 86.5 % of the step and is no full stroke.
        QCOMPARE(row(3), QStringList({"4", "150.0", "100.0", "50.0", "0.2", "1.5", "not reached", "not reached",
                                      "not reached", "40.2", ""}));
    }

    // A screen reader finds a table, reads each cell's text and the column
    // it stands in.
    void readsOutCellByCell()
    {
        frmHistory &w = open(stepSamples({{0, 300}, {100, 400}, {0, 400}}));
        QAccessibleInterface *table = QAccessible::queryAccessibleInterface(w.grdSteps);
        QVERIFY(table);
        QCOMPARE(table->role(), QAccessible::Table);
        QCOMPARE(table->text(QAccessible::Name), QStringLiteral("Steps"));
        QAccessibleTableInterface *cells = table->tableInterface();
        QVERIFY(cells);
        QCOMPARE(cells->rowCount(), 2);
        QCOMPARE(cells->columnCount(), 11);
        for (int c = 0; c < cells->columnCount(); ++c) {
            QAccessibleInterface *cell = cells->cellAt(1, c);
            QVERIFY(cell);
            QCOMPARE(cell->role(), QAccessible::Cell);
            QCOMPARE(cell->text(QAccessible::Name), w.stepTable().text(1, StepTableModel::Column(c)));
            const QList<QAccessibleInterface *> headers = cell->tableCellInterface()->columnHeaderCells();
            QCOMPARE(headers.size(), 1);
            const QString header = headers.first()->text(QAccessible::Name);
            // Header cells are made for the asker, who lets them go.
            for (QAccessibleInterface *made : headers)
                QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
            QCOMPARE(header, StepTableModel::caption(StepTableModel::Column(c)));
        }
        QCOMPARE(cells->cellAt(1, StepTableModel::FullStroke)->text(QAccessible::Name),
                 QStringLiteral("travel down, 25.0 s"));
    }

    void bringsAChosenStepIntoView()
    {
        // Steps at 123.4 s, 2523.4 s and 7023.4 s of a full buffer.
        frmHistory &w = open(stepSamples({{0, 1234}, {100, 24000}, {0, 45000}, {100, 4767}}));
        QCOMPARE(w.stepTable().rowCount(), 3);
        QVERIFY(!w.LineStep->isVisible());

        // The step about a tenth into the chart, which starts on a whole ten seconds.
        w.grdSteps->selectRow(1);
        QCOMPARE(w.hsbChart->value(), 24200);
        QCOMPARE(w.firstSample(), 24200);
        QCOMPARE(timeLabels(*w.pic).first(), QStringLiteral(" 2420"));
        QVERIFY(w.LineStep->isVisible());
        QCOMPARE(w.LineStep->start(), QPointF(2034, 1000));
        QCOMPARE(w.LineStep->end(), QPointF(2034, 11000));

        w.grdSteps->selectRow(2);
        QCOMPARE(w.firstSample(), 65001); // as far as the file goes
        QCOMPARE(w.LineStep->start().x(), 1000.0 + 70234 - 65001);

        w.grdSteps->selectRow(0);
        QCOMPARE(w.firstSample(), 200);
        QCOMPARE(w.LineStep->start().x(), 2034.0);

        // Moved away from it, the marker goes with the step.
        w.hsbChart->setValue(30000);
        QVERIFY(!w.LineStep->isVisible());
        w.hsbChart->setValue(500);
        QVERIFY(w.LineStep->isVisible());
        QCOMPARE(w.LineStep->start().x(), 1734.0);
    }

    void marksAChosenStepInAShortFile()
    {
        frmHistory &w = open(stepSamples({{0, 300}, {100, 400}, {0, 400}})); // k = 1
        w.grdSteps->selectRow(1);
        QCOMPARE(w.firstSample(), 0);
        QVERIFY(w.hsbChart->isHidden());
        QVERIFY(w.LineStep->isVisible());
        QCOMPARE(w.LineStep->start().x(), 1000.0 + 700 * w.scale().k);
    }

    void aNewFileShowsItsOwnSteps()
    {
        frmHistory &w = open(stepSamples({{0, 300}, {100, 400}, {0, 400}}));
        w.grdSteps->selectRow(1);
        open(stepSamples({{20, 300}, {60, 400}}));
        QCOMPARE(w.stepTable().rowCount(), 1);
        QCOMPARE(w.stepTable().text(0, StepTableModel::To), QStringLiteral("60.0"));
        QVERIFY(!w.LineStep->isVisible());
        QVERIFY(!w.grdSteps->selectionModel()->hasSelection());

        open({});
        QCOMPARE(w.stepTable().rowCount(), 0);
    }
};

QTEST_MAIN(tst_ReportView)
#include "tst_report_view.moc"
