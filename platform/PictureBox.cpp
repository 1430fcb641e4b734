#include "platform/PictureBox.h"

#include <QMouseEvent>
#include <QPixmap>
#include <QPainter>

void PictureControl::changed()
{
    if (m_owner)
        m_owner->update();
}

void PictureControl::setLeft(double v) { m_left = v; changed(); }
void PictureControl::setTop(double v) { m_top = v; changed(); }
void PictureControl::setWidth(double v) { m_width = v; changed(); }
void PictureControl::setHeight(double v) { m_height = v; changed(); }

void PictureControl::setGeometry(double left, double top, double width, double height)
{
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    changed();
}

void PictureControl::setVisible(bool visible)
{
    if (visible == m_visible)
        return;
    m_visible = visible;
    changed();
}

void PictureShape::setFillColor(const QColor &color)
{
    if (color == m_fill)
        return;
    m_fill = color;
    changed();
}

void PictureShape::paint(QPainter &painter, const PictureBox &picture) const
{
    paintShape(painter, m_kind, picture.toPixels(QRectF(left(), top(), width(), height())), m_fill, m_border);
}

void PictureLine::setStart(QPointF p) { m_start = p; changed(); }
void PictureLine::setEnd(QPointF p) { m_end = p; changed(); }

void PictureLine::paint(QPainter &painter, const PictureBox &picture) const
{
    painter.setPen(QPen(m_color, 1));
    painter.drawLine(picture.toPixels(m_start), picture.toPixels(m_end));
}

void PictureImage::paint(QPainter &painter, const PictureBox &picture) const
{
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(picture.toPixels(QRectF(left(), top(), width(), height())), m_image);
    painter.restore();
}

PictureBox::PictureBox(const QColor &backColor, QWidget *parent)
    : QWidget(parent), m_back(backColor)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

PictureBox::~PictureBox() = default;

void PictureBox::redraw()
{
    m_cacheValid = false;
    update();
}

void PictureBox::setScale(double width, double height)
{
    m_drawing.setScale(width, height);
    redraw();
}

PictureShape *PictureBox::addShape(ShapeKind kind, const QColor &fill)
{
    m_controls.push_back(std::make_unique<PictureShape>(this, kind, fill));
    return static_cast<PictureShape *>(m_controls.back().get());
}

PictureLine *PictureBox::addLine(const QColor &color)
{
    m_controls.push_back(std::make_unique<PictureLine>(this, color));
    return static_cast<PictureLine *>(m_controls.back().get());
}

PictureImage *PictureBox::addImage(const QImage &image)
{
    m_controls.push_back(std::make_unique<PictureImage>(this, image));
    return static_cast<PictureImage *>(m_controls.back().get());
}

QPointF PictureBox::toPixels(QPointF user) const
{
    return {user.x() * width() / scaleWidth(), user.y() * height() / scaleHeight()};
}

QRectF PictureBox::toPixels(const QRectF &user) const
{
    return {toPixels(user.topLeft()), toPixels(user.bottomRight())};
}

QPointF PictureBox::toUser(QPointF pixels) const
{
    const double w = std::max(1, width());
    const double h = std::max(1, height());
    return {pixels.x() * scaleWidth() / w, pixels.y() * scaleHeight() / h};
}

void PictureBox::render(QPainter &painter) const
{
    renderDrawing(painter);
    renderControls(painter);
}

void PictureBox::renderDrawing(QPainter &painter) const
{
    painter.fillRect(rect(), m_back);
    const double sx = width() / scaleWidth();
    const double sy = height() / scaleHeight();
    const QFontMetrics metrics(font());
    QColor pen;
    for (const DrawItem &item : m_drawing.items()) {
        const QColor color(item.color.r, item.color.g, item.color.b);
        if (color != pen) {
            painter.setPen(color);
            pen = color;
        }
        const QPointF a(item.from.x() * sx, item.from.y() * sy);
        if (item.kind == DrawItem::Kind::Line)
            painter.drawLine(a, QPointF(item.to.x() * sx, item.to.y() * sy));
        else
            painter.drawText(QPointF(a.x(), a.y() + metrics.ascent()), item.text);
    }
}

void PictureBox::renderControls(QPainter &painter) const
{
    for (const auto &control : m_controls)
        if (control->isVisible())
            control->paint(painter, *this);
}

void PictureBox::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    if (!m_cacheValid || m_cache.size() != size() * ratio) {
        m_cache = QPixmap(size() * ratio);
        m_cache.setDevicePixelRatio(ratio);
        QPainter cachePainter(&m_cache);
        cachePainter.setFont(font());
        renderDrawing(cachePainter);
        m_cacheValid = true;
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_cache);
    renderControls(painter);
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    m_cacheValid = false;
    QWidget::resizeEvent(event);
}

void PictureBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        m_cacheValid = false;
    QWidget::changeEvent(event);
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF p = toUser(event->position());
    emit mouseMove(event->buttons(), p.x(), p.y());
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    const QPointF p = toUser(event->position());
    emit mouseDown(event->button(), p.x(), p.y());
}
