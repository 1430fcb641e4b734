// Shapes paint nothing when they have no area: an empty level bar must not
// leave a line across the tank.
#include "platform/Shape.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

class tst_Shape : public QObject
{
    Q_OBJECT

    static int paintedPixels(ShapeKind kind, const QRectF &rect)
    {
        QImage image(60, 60, QImage::Format_ARGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            paintShape(painter, kind, rect, QColor(192, 192, 0), Qt::black);
        }
        int painted = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                painted += image.pixel(x, y) != qRgb(255, 255, 255);
        return painted;
    }

private slots:
    void shapesWithoutAreaPaintNothing_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QRectF>("rect");
        QTest::addColumn<bool>("painted");
        for (const auto &[kind, name] : {std::pair{ShapeKind::RoundedRectangle, "rounded"},
                                          std::pair{ShapeKind::Rectangle, "rectangle"},
                                          std::pair{ShapeKind::Circle, "circle"}}) {
            QTest::addRow("%s, height 0", name) << int(kind) << QRectF(10, 50, 40, 0) << false;
            QTest::addRow("%s, width 0", name) << int(kind) << QRectF(10, 10, 0, 40) << false;
            QTest::addRow("%s, negative height", name) << int(kind) << QRectF(10, 50, 40, -3) << false;
            QTest::addRow("%s, 40 x 20", name) << int(kind) << QRectF(10, 10, 40, 20) << true;
        }
    }
    void shapesWithoutAreaPaintNothing()
    {
        QFETCH(int, kind);
        QFETCH(QRectF, rect);
        QFETCH(bool, painted);
        QCOMPARE(paintedPixels(ShapeKind(kind), rect) > 0, painted);
    }
};

QTEST_MAIN(tst_Shape)
#include "tst_shape.moc"
