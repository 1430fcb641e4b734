// The main trend chart as a display list: frame, labels, curves, clamping.
#include "display/TrendChart.h"

#include <QtTest>

namespace {

std::vector<DrawItem> itemsOf(const DisplayList &list, DrawItem::Kind kind)
{
    std::vector<DrawItem> out;
    for (const DrawItem &item : list.items())
        if (item.kind == kind)
            out.push_back(item);
    return out;
}

const DrawItem *textAt(const DisplayList &list, const QString &text)
{
    for (const DrawItem &item : list.items())
        if (item.kind == DrawItem::Kind::Text && item.text == text)
            return &item;
    return nullptr;
}

TrendBuffer ramp()
{
    // Entry i holds SP i % and PV 100 - i %.
    TrendBuffer trend;
    for (int i = 0; i <= TrendBuffer::TrendLength; ++i)
        trend.entries[i] = {int16_t(i), int16_t(100 - i)};
    return trend;
}

} // namespace

class tst_TrendChart : public QObject
{
    Q_OBJECT
private slots:
    void drawsFrameThenLabelsThenCurves()
    {
        DisplayList list;
        chart::drawTrendChart(list, TrendBuffer());
        const auto &items = list.items();
        QCOMPARE(items.size(), size_t(22 + 24 + 200));
        for (size_t i = 0; i < items.size(); ++i) {
            const auto expected = (i >= 22 && i < 46) ? DrawItem::Kind::Text : DrawItem::Kind::Line;
            QCOMPARE(items[i].kind, expected);
        }
    }

    void gridIsTenByTenOverThePlotArea()
    {
        DisplayList list;
        chart::drawChartGrid(list, chart::trendTimeLabels());
        const auto lines = itemsOf(list, DrawItem::Kind::Line);
        QCOMPARE(lines.size(), size_t(22));
        for (int i = 0; i <= 10; ++i) {
            const DrawItem &across = lines[2 * i];
            const DrawItem &down = lines[2 * i + 1];
            QCOMPARE(across.from, QPointF(1000, 1000 + 1000 * i));
            QCOMPARE(across.to, QPointF(11000, 1000 + 1000 * i));
            QCOMPARE(down.from, QPointF(1000 + 1000 * i, 1000));
            QCOMPARE(down.to, QPointF(1000 + 1000 * i, 11000));
            QCOMPARE(across.color, (Rgb{64, 64, 64}));
            QCOMPARE(down.color, (Rgb{64, 64, 64}));
        }
    }

    void labelsSitBesideTheirGridLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<int>("r");
        QTest::addColumn<int>("g");
        QTest::addColumn<int>("b");
        // Percent labels start 250 units above their grid line: 0 at the
        // bottom line, 100 at the top one. Numbers carry a leading blank.
        QTest::newRow("0 %") << " 0" << QPointF(500, 10750) << 0 << 255 << 255;
        QTest::newRow("50 %") << " 50" << QPointF(500, 5750) << 0 << 255 << 255;
        QTest::newRow("100 %") << " 100" << QPointF(500, 750) << 0 << 255 << 255;
        QTest::newRow("time 1") << " 1" << QPointF(1800, 11000) << 0 << 255 << 255;
        QTest::newRow("% axis") << "%" << QPointF(250, 5500) << 0 << 255 << 0;
        QTest::newRow("time axis") << "Time" << QPointF(6250, 11350) << 0 << 255 << 0;
    }
    void labelsSitBesideTheirGridLines()
    {
        QFETCH(QString, text);
        QFETCH(QPointF, at);
        QFETCH(int, r);
        QFETCH(int, g);
        QFETCH(int, b);
        DisplayList list;
        chart::drawTrendChart(list, TrendBuffer());
        const DrawItem *item = textAt(list, text);
        QVERIFY2(item, qPrintable(text));
        QCOMPARE(item->from, at);
        QCOMPARE(item->color, (Rgb{uint8_t(r), uint8_t(g), uint8_t(b)}));
    }

    void labelsReadUpwardsAndRightwards()
    {
        DisplayList list;
        chart::drawTrendChart(list, TrendBuffer());
        const auto texts = itemsOf(list, DrawItem::Kind::Text);
        QCOMPARE(texts.size(), size_t(24));
        QStringList percent, time;
        for (int i = 0; i < 11; ++i) {
            percent << texts[i].text;
            time << texts[11 + i].text;
            QCOMPARE(texts[i].from, QPointF(500, 10750 - 1000 * i));
            QCOMPARE(texts[11 + i].from, QPointF(1000 * i + 800, 11000));
        }
        QCOMPARE(percent.join(','), QStringLiteral(" 0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100"));
        QCOMPARE(time.join(','), QStringLiteral(" 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10"));
    }

    void frameTakesAnyTimeScale()
    {
        // The report window prints seconds at its own scale (here 10 per cell).
        chart::TimeLabels seconds{};
        for (int i = 0; i <= 10; ++i)
            seconds[i] = 10.0 * i;
        DisplayList list;
        chart::drawChartGrid(list, seconds);
        QCOMPARE(list.items().size(), size_t(22 + 24));
        const auto texts = itemsOf(list, DrawItem::Kind::Text);
        QStringList time;
        for (int i = 0; i < 11; ++i) {
            time << texts[11 + i].text;
            QCOMPARE(texts[11 + i].from, QPointF(1000 * i + 800, 11000));
        }
        QCOMPARE(time.join(','), QStringLiteral(" 0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100"));
    }

    void curvesRunOldestLeftNewestRight()
    {
        DisplayList list;
        chart::drawTrendChart(list, ramp());
        const auto lines = itemsOf(list, DrawItem::Kind::Line);
        QCOMPARE(lines.size(), size_t(22 + 200));
        for (int i = 0; i < 100; ++i) {
            const DrawItem &sp = lines[22 + 2 * i];
            const DrawItem &pv = lines[22 + 2 * i + 1];
            QCOMPARE(sp.color, (Rgb{255, 255, 0}));
            QCOMPARE(pv.color, (Rgb{0, 255, 0}));
            QCOMPARE(sp.from, QPointF(1000 + 100 * i, 11000 - 100 * i));
            QCOMPARE(sp.to, QPointF(1000 + 100 * (i + 1), 11000 - 100 * (i + 1)));
            QCOMPARE(pv.from, QPointF(1000 + 100 * i, 1000 + 100 * i));
            QCOMPARE(pv.to, QPointF(1000 + 100 * (i + 1), 1000 + 100 * (i + 1)));
        }
    }

    void emptyTrendLiesOnTheBottomLinePvOverSp()
    {
        DisplayList list;
        chart::drawTrendChart(list, TrendBuffer());
        const auto lines = itemsOf(list, DrawItem::Kind::Line);
        for (size_t i = 22; i < lines.size(); ++i) {
            QCOMPARE(lines[i].from.y(), 11000.0);
            QCOMPARE(lines[i].to.y(), 11000.0);
        }
        // Drawn later, the green PV segment covers the yellow SP one.
        QCOMPARE(lines.back().color, (Rgb{0, 255, 0}));
    }

    void curveHeights_data()
    {
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("y");
        QTest::newRow("0 % on the bottom line") << 0 << 11000;
        QTest::newRow("100 % on the top line") << 100 << 1000;
        QTest::newRow("110 % in the top margin") << 110 << 0;
        QTest::newRow("-10 % in the bottom margin") << -10 << 12000;
        QTest::newRow("327 %") << 327 << -21700;
        QTest::newRow("437 %: still placed exactly") << 437 << -32700;
        QTest::newRow("438 %: clamped") << 438 << -32768;
        QTest::newRow("largest reading: clamped") << 32767 << -32768;
        QTest::newRow("-217 %") << -217 << 32700;
        QTest::newRow("-218 %: clamped") << -218 << 32767;
        QTest::newRow("smallest reading: clamped") << -32768 << 32767;
    }
    void curveHeights()
    {
        QFETCH(int, percent);
        QFETCH(int, y);
        QCOMPARE(int(chart::curveY(int16_t(percent))), y);
    }

    void extremeReadingsKeepTheRestOfTheChart()
    {
        TrendBuffer trend;
        trend.entries[99] = {32767, -32768};
        trend.entries[100] = {50, 50};
        DisplayList list;
        chart::drawTrendChart(list, trend);
        const auto lines = itemsOf(list, DrawItem::Kind::Line);
        QCOMPARE(lines.size(), size_t(222));
        const DrawItem &lastSp = lines[22 + 2 * 99];
        const DrawItem &lastPv = lines[22 + 2 * 99 + 1];
        QCOMPARE(lastSp.from, QPointF(10900, -32768));
        QCOMPARE(lastSp.to, QPointF(11000, 6000));
        QCOMPARE(lastPv.from, QPointF(10900, 32767));
        QCOMPARE(lastPv.to, QPointF(11000, 6000));
        QCOMPARE(lines[22].from, QPointF(1000, 11000));
    }

    void redrawingReplacesTheOldDrawing()
    {
        DisplayList list;
        list.setScale(12000, 12000);
        chart::drawTrendChart(list, ramp());
        chart::drawTrendChart(list, TrendBuffer());
        QCOMPARE(list.items().size(), size_t(246));
        QCOMPARE(list.items().back().to.y(), 11000.0);
        QCOMPARE(list.scaleWidth(), 12000.0);
    }
};

QTEST_APPLESS_MAIN(tst_TrendChart)
#include "tst_trend_chart.moc"
