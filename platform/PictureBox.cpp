#include "platform/PictureBox.h"

#include "platform/FrameClock.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

namespace {
// An aliased one-pixel line or a shape's border stays within this many
// pixels of its end points or box.
constexpr int PixelMargin = 2;
} // namespace

void PictureControl::changed(const QRectF &before)
{
    if (!m_owner || !m_visible)
        return;
    m_owner->updateUserArea(before);
    m_owner->updateUserArea(bounds());
}

void PictureControl::setLeft(double v)
{
    if (v == m_left)
        return;
    const QRectF before = bounds();
    m_left = v;
    changed(before);
}

void PictureControl::setTop(double v)
{
    if (v == m_top)
        return;
    const QRectF before = bounds();
    m_top = v;
    changed(before);
}

void PictureControl::setWidth(double v)
{
    if (v == m_width)
        return;
    const QRectF before = bounds();
    m_width = v;
    changed(before);
}

void PictureControl::setHeight(double v)
{
    if (v == m_height)
        return;
    const QRectF before = bounds();
    m_height = v;
    changed(before);
}

void PictureControl::setGeometry(double left, double top, double width, double height)
{
    if (left == m_left && top == m_top && width == m_width && height == m_height)
        return;
    const QRectF before = bounds();
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    changed(before);
}

void PictureControl::setVisible(bool visible)
{
    if (visible == m_visible)
        return;
    m_visible = visible;
    if (m_owner)
        m_owner->updateUserArea(bounds());
}

void PictureShape::setFillColor(const QColor &color)
{
    if (color == m_fill)
        return;
    m_fill = color;
    changed(bounds());
}

void PictureShape::paint(QPainter &painter, const PictureBox &picture) const
{
    paintShape(painter, m_kind, picture.toPixels(QRectF(left(), top(), width(), height())), m_fill, m_border);
}

void PictureLine::setStart(QPointF p)
{
    if (p == m_start)
        return;
    const QRectF before = bounds();
    m_start = p;
    changed(before);
}

void PictureLine::setEnd(QPointF p)
{
    if (p == m_end)
        return;
    const QRectF before = bounds();
    m_end = p;
    changed(before);
}

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
    const std::vector<DrawItem> &items = m_drawing.items();
    const auto split = items.begin() + std::ptrdiff_t(std::min(m_drawing.backgroundSize(), items.size()));
    const bool backgroundStands = m_backgroundValid
        && std::equal(items.begin(), split, m_backgroundItems.begin(), m_backgroundItems.end());
    std::vector<DrawItem> foreground(split, items.end());
    if (backgroundStands) {
        const QRect area = changedArea(m_foreground, foreground);
        m_stale |= area;
        frame::update(this, area);
    } else {
        invalidateAll();
    }
    m_foreground = std::move(foreground);
}

void PictureBox::updateUserArea(const QRectF &user)
{
    frame::update(this, toPixels(user).normalized().toAlignedRect().adjusted(-PixelMargin, -PixelMargin,
                                                                              PixelMargin, PixelMargin));
}

void PictureBox::invalidateAll()
{
    m_backgroundValid = false;
    m_stale = rect();
    frame::update(this);
}

void PictureBox::setScale(double width, double height)
{
    m_drawing.setScale(width, height);
    invalidateAll();
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

QRect PictureBox::pixelBounds(const DrawItem &item) const
{
    if (item.kind == DrawItem::Kind::Text)
        return {};
    return QRectF(toPixels(item.from), toPixels(item.to))
        .normalized()
        .toAlignedRect()
        .adjusted(-PixelMargin, -PixelMargin, PixelMargin, PixelMargin);
}

QRect PictureBox::changedArea(const std::vector<DrawItem> &before, const std::vector<DrawItem> &after) const
{
    if (before.size() != after.size())
        return rect();
    QRect area;
    for (size_t i = 0; i < after.size(); ++i) {
        if (before[i] == after[i])
            continue;
        if (before[i].kind == DrawItem::Kind::Text || after[i].kind == DrawItem::Kind::Text)
            return rect();
        area |= pixelBounds(before[i]) | pixelBounds(after[i]);
    }
    return area;
}

void PictureBox::render(QPainter &painter) const
{
    painter.fillRect(rect(), m_back);
    renderItems(painter, 0, m_drawing.items().size());
    renderControls(painter);
}

void PictureBox::renderItems(QPainter &painter, size_t first, size_t last) const
{
    const std::vector<DrawItem> &items = m_drawing.items();
    const double sx = width() / scaleWidth();
    const double sy = height() / scaleHeight();
    const QFontMetrics metrics(font());
    QColor pen;
    for (size_t i = first; i < last; ++i) {
        const DrawItem &item = items[i];
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

// The background is painted once while it stands; the rest of the drawing
// is painted over a copy of it, only where it went stale.
void PictureBox::bringPaintingUpToDate()
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (m_painted.size() != pixels) {
        m_painted = QPixmap(pixels);
        m_painted.setDevicePixelRatio(ratio);
        m_backgroundValid = false;
    }
    const std::vector<DrawItem> &items = m_drawing.items();
    const size_t split = std::min(m_drawing.backgroundSize(), items.size());
    if (!m_backgroundValid) {
        m_background = QPixmap(pixels);
        m_background.setDevicePixelRatio(ratio);
        QPainter painter(&m_background);
        painter.setFont(font());
        painter.fillRect(rect(), m_back);
        renderItems(painter, 0, split);
        m_backgroundItems.assign(items.begin(), items.begin() + std::ptrdiff_t(split));
        m_backgroundValid = true;
        m_stale = rect();
    }
    if (m_stale.isEmpty())
        return;
    QPainter painter(&m_painted);
    painter.setFont(font());
    painter.setClipRect(m_stale);
    painter.drawPixmap(0, 0, m_background);
    renderItems(painter, split, items.size());
    m_stale = QRect();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    bringPaintingUpToDate();
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_painted);
    renderControls(painter);
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    m_backgroundValid = false;
    QWidget::resizeEvent(event);
}

void PictureBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        invalidateAll();
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
