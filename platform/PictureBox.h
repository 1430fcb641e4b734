#pragma once
// A picture box: a widget with a user coordinate system that keeps what was
// drawn on it as a display list and paints it at any size, so drawing
// persists and scales with the window. Controls placed on it (shapes, lines,
// images) are positioned in the same user units and drawn above the drawing.
// Mouse events arrive in user units with the button state.
//
// Painting is cheap where the picture changes little: the list's background
// (a chart's grid and labels) stays painted while it stands, a redraw repaints
// only the area where the rest of the list changed (nothing when nothing did),
// a moving control only where it was and is, and all of it with the next frame.
#include "platform/DisplayList.h"
#include "platform/Shape.h"

#include <QImage>
#include <QWidget>
#include <memory>
#include <vector>

class PictureBox;

// A control placed on a picture: geometry in the picture's user units.
class PictureControl
{
public:
    explicit PictureControl(PictureBox *owner) : m_owner(owner) {}
    virtual ~PictureControl() = default;

    double left() const { return m_left; }
    double top() const { return m_top; }
    double width() const { return m_width; }
    double height() const { return m_height; }
    void setLeft(double v);
    void setTop(double v);
    void setWidth(double v);
    void setHeight(double v);
    void setGeometry(double left, double top, double width, double height);
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);

    virtual void paint(QPainter &painter, const PictureBox &picture) const = 0;
    // What the control covers, in user units.
    virtual QRectF bounds() const { return {m_left, m_top, m_width, m_height}; }

protected:
    // Call after a change, with what the control covered before it.
    void changed(const QRectF &before);

private:
    PictureBox *m_owner;
    double m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    bool m_visible = true;
};

class PictureShape : public PictureControl
{
public:
    PictureShape(PictureBox *owner, ShapeKind kind, const QColor &fill) : PictureControl(owner), m_kind(kind), m_fill(fill) {}
    QColor fillColor() const { return m_fill; }
    void setFillColor(const QColor &color);
    void paint(QPainter &painter, const PictureBox &picture) const override;

private:
    ShapeKind m_kind;
    QColor m_fill;
    QColor m_border = Qt::black;
};

// A line control: its end points are set, not its box.
class PictureLine : public PictureControl
{
public:
    PictureLine(PictureBox *owner, const QColor &color) : PictureControl(owner), m_color(color) {}
    QPointF start() const { return m_start; }
    QPointF end() const { return m_end; }
    void setStart(QPointF p);
    void setEnd(QPointF p);
    void paint(QPainter &painter, const PictureBox &picture) const override;
    QRectF bounds() const override { return QRectF(m_start, m_end).normalized(); }

private:
    QColor m_color;
    QPointF m_start, m_end;
};

class PictureImage : public PictureControl
{
public:
    PictureImage(PictureBox *owner, const QImage &image) : PictureControl(owner), m_image(image) {}
    void paint(QPainter &painter, const PictureBox &picture) const override;

private:
    QImage m_image;
};

class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(const QColor &backColor, QWidget *parent = nullptr);
    ~PictureBox() override;

    // Change the drawing through drawing(), then call redraw().
    DisplayList &drawing() { return m_drawing; }
    const DisplayList &drawing() const { return m_drawing; }
    void redraw();
    // Repaints `user` (a rectangle in user units) with the next frame.
    void updateUserArea(const QRectF &user);

    void setScale(double width, double height);
    double scaleWidth() const { return m_drawing.scaleWidth(); }
    double scaleHeight() const { return m_drawing.scaleHeight(); }

    QColor backColor() const { return m_back; }

    PictureShape *addShape(ShapeKind kind, const QColor &fill);
    PictureLine *addLine(const QColor &color);
    PictureImage *addImage(const QImage &image);

    QPointF toPixels(QPointF user) const;
    QPointF toUser(QPointF pixels) const;
    QRectF toPixels(const QRectF &user) const;

    // Paints the whole picture into `painter` at the picture's current size,
    // from the display list alone (no kept painting).
    void render(QPainter &painter) const;

signals:
    void mouseMove(Qt::MouseButtons buttons, double x, double y);
    void mouseDown(Qt::MouseButton button, double x, double y);

protected:
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void renderItems(QPainter &painter, size_t first, size_t last) const;
    void renderControls(QPainter &painter) const;
    // Pixels a drawn item can touch; empty for texts (their extent is the font's).
    QRect pixelBounds(const DrawItem &item) const;
    // Where `before` and `after` differ, in pixels: the whole picture when a
    // text or the number of items changed.
    QRect changedArea(const std::vector<DrawItem> &before, const std::vector<DrawItem> &after) const;
    void invalidateAll();
    void bringPaintingUpToDate();

    QColor m_back;
    DisplayList m_drawing;
    // The background items as painted into m_background.
    QPixmap m_background;
    std::vector<DrawItem> m_backgroundItems;
    bool m_backgroundValid = false;
    // The whole drawing as last painted: controls moving over it (a rubber
    // band following the mouse, a knob) repaint without drawing it again.
    // m_stale is the part of it that the list has changed since.
    QPixmap m_painted;
    QRect m_stale;
    // The items after the background as of the last redraw().
    std::vector<DrawItem> m_foreground;
    std::vector<std::unique_ptr<PictureControl>> m_controls;
};
