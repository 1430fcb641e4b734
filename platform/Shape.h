#pragma once
// Shapes: rectangles, rounded rectangles and circles with a fill colour, as
// standalone widgets (lamps) or placed inside a picture box in its user units.
#include <QColor>
#include <QPixmap>
#include <QWidget>

enum class ShapeKind { Rectangle, RoundedRectangle, Circle };

void paintShape(QPainter &painter, ShapeKind kind, const QRectF &rect, const QColor &fill, const QColor &border);

class Shape : public QWidget
{
    Q_OBJECT
public:
    explicit Shape(ShapeKind kind, const QColor &fill, QWidget *parent = nullptr);

    QColor fillColor() const { return m_fill; }
    void setFillColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // What lies beneath the shape, as the window paints it. A lamp that
    // flashes for every received line then repaints itself alone, not the
    // frame around it.
    void captureBackdrop();
    void invalidateBackdrop();

    ShapeKind m_kind;
    QColor m_fill;
    QColor m_border = Qt::black;
    QPixmap m_backdrop;
    bool m_capturing = false;
    bool m_capturePending = false;
};
