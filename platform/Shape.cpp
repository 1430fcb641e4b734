#include "platform/Shape.h"

#include "platform/FrameClock.h"

#include <QPainter>
#include <QTimer>

void paintShape(QPainter &painter, ShapeKind kind, const QRectF &rect, const QColor &fill, const QColor &border)
{
    // A shape with no area draws nothing: an outline of it would show as a
    // line (an empty oil tank would get a dark stroke across its corners).
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, kind != ShapeKind::Rectangle);
    painter.setPen(border.isValid() ? QPen(border, 1) : QPen(Qt::NoPen));
    painter.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
    const QRectF r = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    switch (kind) {
    case ShapeKind::Rectangle:
        painter.drawRect(r);
        break;
    case ShapeKind::RoundedRectangle: {
        const qreal radius = std::min(r.width(), r.height()) / 6.0;
        painter.drawRoundedRect(r, radius, radius);
        break;
    }
    case ShapeKind::Circle: {
        const qreal d = std::min(r.width(), r.height());
        painter.drawEllipse(QRectF(r.center().x() - d / 2, r.center().y() - d / 2, d, d));
        break;
    }
    }
    painter.restore();
}

Shape::Shape(ShapeKind kind, const QColor &fill, QWidget *parent)
    : QWidget(parent), m_kind(kind), m_fill(fill)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void Shape::setFillColor(const QColor &color)
{
    if (color == m_fill)
        return;
    m_fill = color;
    // A lamp flashing for every received line repaints at most once a frame.
    frame::update(this);
}

void Shape::invalidateBackdrop()
{
    // Until it is captured again the window paints what lies beneath.
    m_backdrop = QPixmap();
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    if (!m_capturePending) {
        m_capturePending = true;
        QTimer::singleShot(0, this, &Shape::captureBackdrop);
    }
}

void Shape::captureBackdrop()
{
    m_capturePending = false;
    if (!isVisible() || size().isEmpty())
        return;
    QWidget *top = window();
    const qreal ratio = devicePixelRatioF();
    m_backdrop = QPixmap(size() * ratio);
    m_backdrop.setDevicePixelRatio(ratio);
    m_backdrop.fill(Qt::transparent);
    m_capturing = true;
    top->render(&m_backdrop, QPoint(), QRegion(QRect(mapTo(top, QPoint(0, 0)), size())),
                QWidget::DrawWindowBackground | QWidget::DrawChildren);
    m_capturing = false;
    setAttribute(Qt::WA_OpaquePaintEvent, true);
}

void Shape::paintEvent(QPaintEvent *)
{
    if (m_capturing)
        return;
    QPainter painter(this);
    if (!m_backdrop.isNull())
        painter.drawPixmap(0, 0, m_backdrop);
    paintShape(painter, m_kind, rect(), m_fill, m_border);
}

void Shape::moveEvent(QMoveEvent *event)
{
    invalidateBackdrop();
    QWidget::moveEvent(event);
}

void Shape::resizeEvent(QResizeEvent *event)
{
    invalidateBackdrop();
    QWidget::resizeEvent(event);
}

void Shape::showEvent(QShowEvent *event)
{
    invalidateBackdrop();
    QWidget::showEvent(event);
}

// What lies beneath looks different when the frame is disabled, restyled or
// its window (in)active.
void Shape::changeEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::EnabledChange:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
    case QEvent::ParentChange:
    case QEvent::ActivationChange:
        invalidateBackdrop();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}
