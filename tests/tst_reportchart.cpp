// The report chart's cores: scale table, chart display list, readouts and
// the travel-time measurement.
#include "recording/ReportChart.h"
#include "recording/TravelMeasurement.h"

#include <QtTest>

using report::ReportScale;

namespace {

std::vector<RecordSample> ramp(int n)
{
    std::vector<RecordSample> samples;
    for (int i = 0; i < n; ++i)
        samples.push_back({float(i % 1001) / 10.0f, float(1000 - i % 1001) / 10.0f});
    return samples;
}

QStringList texts(const DisplayList &list)
{
    QStringList out;
    for (const DrawItem &item : list.items())
        if (item.kind == DrawItem::Kind::Text)
            out << item.text;
    return out;
}

std::vector<DrawItem> linesIn(const DisplayList &list, Rgb colour)
{
    std::vector<DrawItem> out;
    for (const DrawItem &item : list.items())
        if (item.kind == DrawItem::Kind::Line && item.color == colour)
            out.push_back(item);
    return out;
}

constexpr Rgb Grid{64, 64, 64};
constexpr Rgb Sp{255, 255, 0};
constexpr Rgb Pv{0, 255, 0};

} // namespace

class tst_ReportChart : public QObject
{
    Q_OBJECT
private slots:
    void scalesToTheSampleCount_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("M");
        QTest::newRow("empty") << 0 << 100 << 0;
        QTest::newRow("50") << 50 << 100 << 50;
        QTest::newRow("100") << 100 << 100 << 100;
        QTest::newRow("101") << 101 << 10 << 101;
        QTest::newRow("1000") << 1000 << 10 << 1000;
        QTest::newRow("1001") << 1001 << 2 << 1001;
        QTest::newRow("5000") << 5000 << 2 << 5000;
        QTest::newRow("5001") << 5001 << 1 << 5001;
        QTest::newRow("10000") << 10000 << 1 << 10000;
        QTest::newRow("20000") << 20000 << 1 << 10000;
        QTest::newRow("full buffer") << 75001 << 1 << 10000;
    }
    void scalesToTheSampleCount()
    {
        QFETCH(int, n);
        QFETCH(int, k);
        QFETCH(int, M);
        const ReportScale scale = report::reportScale(n);
        QCOMPARE(scale, (ReportScale{k, M}));
        QVERIFY(scale.M * scale.k <= 10000);
    }

    void drawsTheChart_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("lastTimeLabel");
        QTest::addColumn<int>("segments");
        QTest::addColumn<double>("lastX");
        QTest::newRow("empty") << 0 << " 10" << 0 << 0.0;
        QTest::newRow("50 samples") << 50 << " 10" << 49 << 5900.0;
        QTest::newRow("101 samples") << 101 << " 100" << 100 << 2000.0;
        QTest::newRow("20000 samples") << 20000 << " 1000" << 9999 << 10999.0;
    }
    void drawsTheChart()
    {
        QFETCH(int, n);
        QFETCH(QString, lastTimeLabel);
        QFETCH(int, segments);
        QFETCH(double, lastX);
        const std::vector<RecordSample> samples = ramp(n);
        DisplayList list;
        report::drawReportChart(list, samples, report::reportScale(n));

        QCOMPARE(linesIn(list, Grid).size(), size_t(22));
        const QStringList labels = texts(list);
        QCOMPARE(labels.size(), 24);
        QCOMPARE(labels.mid(0, 11), QStringList({" 0", " 10", " 20", " 30", " 40", " 50", " 60", " 70", " 80", " 90", " 100"}));
        QCOMPARE(labels.at(11), QStringLiteral(" 0"));
        QCOMPARE(labels.at(21), lastTimeLabel);
        QCOMPARE(labels.mid(22), QStringList({"%", "Time"}));

        const std::vector<DrawItem> sp = linesIn(list, Sp);
        const std::vector<DrawItem> pv = linesIn(list, Pv);
        QCOMPARE(int(sp.size()), segments);
        QCOMPARE(int(pv.size()), segments);
        if (segments == 0)
            return;
        QCOMPARE(sp.front().from, QPointF(1000, 11000 - 100 * double(samples[0].sp)));
        QCOMPARE(sp.back().to.x(), lastX);
        QCOMPARE(pv.back().to, QPointF(lastX, 11000 - 100 * double(samples[size_t(segments)].pv)));
    }

    // Each segment draws SP, then PV over it; texts sit where the main chart has them.
    void drawsInTheMainChartsOrderAndPlaces()
    {
        const std::vector<RecordSample> samples{{12.3f, 45.0f}, {12.4f, 45.1f}};
        DisplayList list;
        report::drawReportChart(list, samples, report::reportScale(2));
        const std::vector<DrawItem> &items = list.items();
        QCOMPARE(items.size(), size_t(22 + 24 + 2));
        QCOMPARE(items[0].from, QPointF(1000, 1000));
        QCOMPARE(items[0].to, QPointF(11000, 1000));
        QCOMPARE(items[1].from, QPointF(1000, 1000));
        QCOMPARE(items[1].to, QPointF(1000, 11000));
        QCOMPARE(items[22].from, QPointF(500, 10750));      // percent label 0
        QCOMPARE(items[33].from, QPointF(800, 11000));      // time label 0
        QCOMPARE(items[34].from, QPointF(1800, 11000));
        QCOMPARE(items[44].from, QPointF(250, 5500));       // "%"
        QCOMPARE(items[45].from, QPointF(6250, 11350));     // "Time"
        QCOMPARE(items[46].color, Sp);
        QCOMPARE(items[46].to, QPointF(1100, 11000 - 100 * double(12.4f)));
        QCOMPARE(items[47].color, Pv);
        QCOMPARE(items[47].from, QPointF(1000, 11000 - 100 * double(45.0f)));
    }

    // A file longer than the chart is drawn from any sample on: the labels
    // keep the time from the file's start.
    void drawsFromAnySample_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("first");
        QTest::addColumn<QStringList>("timeLabels");
        QTest::addColumn<int>("segments");
        QTest::newRow("from the start") << 20000 << 0 << QStringList({" 0", " 100", " 1000"}) << 9999;
        QTest::newRow("one second in") << 20000 << 10 << QStringList({" 1", " 101", " 1001"}) << 9999;
        QTest::newRow("to the end") << 20000 << 10000 << QStringList({" 1000", " 1100", " 2000"}) << 9999;
        QTest::newRow("full buffer, to the end")
            << 75001 << 65001 << QStringList({" 6500.1", " 6600.1", " 7500.1"}) << 9999;
        QTest::newRow("beyond the end") << 20000 << 15000 << QStringList({" 1500", " 1600", " 2500"}) << 4999;
    }
    void drawsFromAnySample()
    {
        QFETCH(int, n);
        QFETCH(int, first);
        QFETCH(QStringList, timeLabels);
        QFETCH(int, segments);
        const std::vector<RecordSample> samples = ramp(n);
        DisplayList list;
        report::drawReportChart(list, samples, report::reportScale(n), first);
        const QStringList labels = texts(list);
        QCOMPARE((QStringList{labels.at(11), labels.at(12), labels.at(21)}), timeLabels);
        const std::vector<DrawItem> sp = linesIn(list, Sp);
        const std::vector<DrawItem> pv = linesIn(list, Pv);
        QCOMPARE(int(sp.size()), segments);
        QCOMPARE(sp.front().from, QPointF(1000, 11000 - 100 * double(samples[size_t(first)].sp)));
        QCOMPARE(pv.back().to, QPointF(1000 + segments, 11000 - 100 * double(samples[size_t(first + segments)].pv)));
    }

    void movesNoFurtherThanTheLastSample_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("last");
        QTest::newRow("empty") << 0 << 0;
        QTest::newRow("50") << 50 << 0;
        QTest::newRow("10000") << 10000 << 0;
        QTest::newRow("10001") << 10001 << 1;
        QTest::newRow("full buffer") << 75001 << 65001;
    }
    void movesNoFurtherThanTheLastSample()
    {
        QFETCH(int, n);
        QFETCH(int, last);
        QCOMPARE(report::lastFirstSample(n, report::reportScale(n)), last);
    }

    void readsFromAnySample()
    {
        const std::vector<RecordSample> samples = ramp(75001);
        // Rounded within the chart as on one that starts at 0: 0.5 goes to 0.
        QCOMPARE(report::readoutIndex(1000.5, 1, 1), 1);
        QCOMPARE(report::readoutIndex(1001.5, 1, 1), 3);
        QCOMPARE(report::readoutIndex(10999, 1, 65001), 75000);
        QCOMPARE(report::sampleUnder(10999, 1, samples, 65001), std::optional<RecordSample>(samples[75000]));
        QCOMPARE(report::sampleUnder(10999.6, 1, samples, 65001), std::nullopt);
        QCOMPARE(report::positionText(10999, 1001, 1, 65001), QStringLiteral("7500.0, 100.0"));
        QCOMPARE(report::positionText(1000, 11000, 1, 0), QStringLiteral("0.0, 0.0"));
    }

    void keepsWildValuesPaintable()
    {
        const std::vector<RecordSample> samples{{3.0e38f, -3.0e38f}, {0, 0}};
        DisplayList list;
        report::drawReportChart(list, samples, report::reportScale(2));
        for (const DrawItem &item : list.items())
            QVERIFY(std::abs(item.from.y()) <= 1.0e6 && std::abs(item.to.y()) <= 1.0e6);
    }

    void findsTheSampleUnderTheMouse_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("index");
        QTest::newRow("k 100, half to 0") << 1050.0 << 100 << 0;
        QTest::newRow("k 100, half to 2") << 1150.0 << 100 << 2;
        QTest::newRow("k 100, below half") << 1149.0 << 100 << 1;
        QTest::newRow("k 100, 2.5 to 2") << 1250.0 << 100 << 2;
        QTest::newRow("k 10, 1.5 to 2") << 1015.0 << 10 << 2;
        QTest::newRow("k 10, 2.5 to 2") << 1025.0 << 10 << 2;
        QTest::newRow("k 1, right edge") << 10999.6 << 1 << 10000;
    }
    void findsTheSampleUnderTheMouse()
    {
        QFETCH(double, x);
        QFETCH(int, k);
        QFETCH(int, index);
        QCOMPARE(report::readoutIndex(x, k), index);
    }

    void showsNoValuesRightOfTheLastSample()
    {
        const std::vector<RecordSample> samples = ramp(50);
        QCOMPARE(report::sampleUnder(5900, 100, samples), std::optional<RecordSample>(samples[49]));
        QCOMPARE(report::sampleUnder(5950, 100, samples), std::nullopt); // 49.5 rounds to 50
        QCOMPARE(report::sampleUnder(10900, 100, samples), std::nullopt);
        QCOMPARE(report::sampleUnder(5000, 100, {}), std::nullopt);
    }

    void readsOnlyInsideThePlotArea_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<bool>("inside");
        QTest::newRow("middle") << 6000.0 << 6000.0 << true;
        QTest::newRow("left edge") << 1000.0 << 6000.0 << false;
        QTest::newRow("right edge") << 11000.0 << 6000.0 << false;
        QTest::newRow("top edge") << 6000.0 << 1000.0 << false;
        QTest::newRow("bottom edge") << 6000.0 << 11000.0 << false;
        QTest::newRow("just inside") << 1000.5 << 10999.5 << true;
        QTest::newRow("label margin") << 500.0 << 6000.0 << false;
    }
    void readsOnlyInsideThePlotArea()
    {
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(bool, inside);
        QCOMPARE(report::inPlotArea(x, y), inside);
    }

    void formatsTheReadouts()
    {
        QCOMPARE(report::positionText(5000, 5000, 10), QStringLiteral("40.0, 60.0"));
        QCOMPARE(report::positionText(6000, 6450, 100), QStringLiteral("5.0, 45.5"));
        QCOMPARE(report::positionText(10999, 1001, 1), QStringLiteral("999.9, 100.0"));
        QCOMPARE(report::valueText({12.3f, 100.0f}), QStringLiteral("SP=12.3, PV=100.0"));
        QCOMPARE(report::sampleText({12.3f, 45.0f}),
                 QStringLiteral("Input Signal: 12.3\nFeedback Signal: 45.0\nError: -32.7"));
    }

    void measuresTravelTime()
    {
        TravelMeasurement m;
        QCOMPARE(m.travelTime(10), std::nullopt);
        m.leftClick({5000, 3000});
        QVERIFY(m.firstPointSet());
        QCOMPARE(m.travelTime(10), std::nullopt);
        m.leftClick({2000, 9000});
        QVERIFY(!m.firstPointSet());
        QVERIFY(m.complete());
        QCOMPARE(m.travelTime(10), std::optional<float>(30.0f));
        QCOMPARE(m.travelTime(1), std::optional<float>(300.0f));

        m.leftClick({7000, 7000}); // a new measurement begins
        QVERIFY(m.firstPointSet());
        QCOMPARE(m.travelTime(10), std::nullopt);
        m.reset();
        QVERIFY(!m.firstPointSet());
        m.leftClick({1000, 0});
        m.leftClick({1000, 12000});
        QCOMPARE(m.travelTime(100), std::optional<float>(0.0f)); // heights do not enter
        m.reset();
        QCOMPARE(m.travelTime(100), std::nullopt);
    }
};

QTEST_APPLESS_MAIN(tst_ReportChart)
#include "tst_reportchart.moc"
