// What the screen shows is what the display list says, however little is
// repainted: the kept background, the stale-area repaint and the frame
// coalescing of pictures and lamps.
#include "MainWindowFixture.h"
#include "display/TrendChart.h"
#include "platform/FrameClock.h"
#include "platform/PictureBox.h"
#include "platform/Shape.h"

#include <QPainter>
#include <QtTest>
#include <cmath>

namespace {

// A trend in use: SP in steps, PV following with ripple; `age` shifts it on.
TrendBuffer busyTrend(int age = 0)
{
    TrendBuffer trend;
    for (int i = 0; i <= TrendBuffer::TrendLength; ++i) {
        const int n = i + age;
        trend.entries[i] = {int16_t((n / 30) % 2 ? 80 : 20), int16_t(50 + 30 * std::sin(n / 7.0))};
    }
    return trend;
}

TrendBuffer flatTrend(int16_t sp, int16_t pv)
{
    TrendBuffer trend;
    for (TrendEntry &e : trend.entries)
        e = {sp, pv};
    return trend;
}

// The picture painted from its display list alone, nothing kept.
QImage freshPaint(const PictureBox &pic)
{
    QImage image(pic.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setFont(pic.font());
    pic.render(painter);
    return image;
}

QImage onScreen(PictureBox &pic)
{
    return pic.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void plot(PictureBox &pic, const TrendBuffer &trend)
{
    chart::drawTrendChart(pic.drawing(), trend);
    pic.redraw();
}

void waitForFrame(const QWidget *widget)
{
    QTRY_VERIFY(!frame::isPending(widget));
    QTest::qWait(2 * frame::IntervalMs);
}

class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

class tst_PicturePainting : public QObject
{
    Q_OBJECT
private slots:
    void keptPaintingEqualsAFreshPaint_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<TrendBuffer>("first");
        QTest::addColumn<TrendBuffer>("second");
        QTest::newRow("empty, then in use") << QSize(544, 320) << TrendBuffer() << busyTrend();
        QTest::newRow("one shift on") << QSize(544, 320) << busyTrend() << busyTrend(1);
        QTest::newRow("odd size, ten shifts on") << QSize(333, 217) << busyTrend(5) << busyTrend(15);
        QTest::newRow("a step at the newest point") << QSize(700, 430) << flatTrend(20, 20) << [] {
            TrendBuffer t = flatTrend(20, 20);
            t.entries[TrendBuffer::TrendLength] = {90, 21};
            return t;
        }();
        QTest::newRow("far off the chart") << QSize(544, 320) << busyTrend() << flatTrend(32767, -32768);
    }
    void keptPaintingEqualsAFreshPaint()
    {
        QFETCH(QSize, size);
        QFETCH(TrendBuffer, first);
        QFETCH(TrendBuffer, second);
        PictureBox pic(Qt::black);
        pic.resize(size);
        pic.setScale(chart::ScaleWidth, chart::ScaleHeight);
        pic.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pic));
        plot(pic, first);
        waitForFrame(&pic);
        QCOMPARE(onScreen(pic), freshPaint(pic));
        // Only the stale part of the kept painting is painted again.
        plot(pic, second);
        waitForFrame(&pic);
        QCOMPARE(onScreen(pic), freshPaint(pic));
    }

    void theListStaysWholeForReaders()
    {
        PictureBox pic(Qt::black);
        pic.resize(544, 320);
        pic.setScale(chart::ScaleWidth, chart::ScaleHeight);
        plot(pic, busyTrend());
        QCOMPARE(pic.drawing().items().size(), size_t(22 + 24 + 200));
        QCOMPARE(pic.drawing().backgroundSize(), size_t(22 + 24));
    }

    void anUnchangedDrawingRepaintsNothing()
    {
        QWidget window;
        window.resize(544, 320);
        auto *pic = new PictureBox(Qt::black, &window);
        pic->resize(544, 320);
        pic->setScale(chart::ScaleWidth, chart::ScaleHeight);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        plot(*pic, flatTrend(40, 60));
        waitForFrame(pic);
        // A steady reading shifts into the same picture: nothing to paint.
        plot(*pic, flatTrend(40, 60));
        QVERIFY(!frame::isPending(pic));
    }

    void aNewReadingRepaintsOnlyWhereTheCurvesMoved()
    {
        QWidget window;
        window.resize(600, 600);
        auto *pic = new PictureBox(Qt::black, &window);
        pic->resize(600, 600);
        pic->setScale(chart::ScaleWidth, chart::ScaleHeight);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        plot(*pic, flatTrend(50, 50));
        waitForFrame(pic);
        TrendBuffer stepped = flatTrend(50, 50);
        stepped.entries[TrendBuffer::TrendLength] = {100, 50};
        plot(*pic, stepped);
        QVERIFY(frame::isPending(pic));
        // The last SP segment runs from (10900, 6000) to (11000, 1000): 545..550
        // across and 50..300 down at 600 x 600, give or take the line's margin.
        const QRect area = frame::pendingArea(pic);
        QVERIFY2(QRect(540, 45, 15, 260).contains(area), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                    .arg(area.x()).arg(area.y())
                                                                    .arg(area.width()).arg(area.height())));
        QVERIFY(area.contains(QRect(545, 50, 5, 250)));
    }

    void aMovingControlRepaintsWhereItWasAndIs()
    {
        QWidget window;
        window.resize(400, 400);
        auto *pic = new PictureBox(Qt::gray, &window);
        pic->resize(400, 400);
        pic->setScale(1000, 1000);
        PictureShape *knob = pic->addShape(ShapeKind::Circle, Qt::white);
        knob->setGeometry(100, 100, 50, 50);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        waitForFrame(pic);
        knob->setTop(100); // where it is already
        QVERIFY(!frame::isPending(pic));
        knob->setLeft(500);
        const QRect area = frame::pendingArea(pic);
        QVERIFY(area.contains(QRect(40, 40, 20, 20)));  // where it was
        QVERIFY(area.contains(QRect(200, 40, 20, 20))); // where it is
        QVERIFY(area.bottom() < 70);
        waitForFrame(pic);
        QImage expected(pic->size(), QImage::Format_RGB32);
        {
            QPainter painter(&expected);
            pic->render(painter);
        }
        QCOMPARE(onScreen(*pic), expected);
    }

    void aFlashingLampRepaintsOnceAFrame()
    {
        QWidget window;
        window.resize(100, 100);
        auto *lamp = new Shape(ShapeKind::Circle, QColor(192, 192, 192), &window);
        lamp->setGeometry(10, 10, 20, 20);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(4 * frame::IntervalMs);
        PaintCounter counter;
        lamp->installEventFilter(&counter);
        // A burst of received lines: green and back, many times within a frame.
        for (int i = 0; i < 100; ++i)
            lamp->setFillColor(i % 2 ? QColor(192, 192, 192) : QColor(0, 255, 0));
        QCOMPARE(counter.paints, 0);
        waitForFrame(lamp);
        QCOMPARE(counter.paints, 1);
        QCOMPARE(lamp->fillColor(), QColor(192, 192, 192));
    }

    void theLiveChartShowsWhatItsListSays()
    {
        MainWindowFixture f;
        f.startWithDevice();
        frmMain &w = *f.window;
        for (int n = 0; n < 40; ++n) {
            const int sp = n < 20 ? 200 : 800;
            const int pv = 500 + int(300 * std::sin(n / 5.0));
            const QByteArray line = QStringLiteral("C%1,%2,%3,10\r")
                                        .arg(sp, 5).arg(pv, 5).arg(sp - pv, 5).toLatin1();
            f.port.deliver(line);
            QTest::qWait(n % 8 ? 1 : 2 * frame::IntervalMs); // some records share a frame
        }
        waitForFrame(w.pic);
        QCOMPARE(onScreen(*w.pic), freshPaint(*w.pic));
    }
};

QTEST_MAIN(tst_PicturePainting)
#include "tst_picture_painting.moc"
