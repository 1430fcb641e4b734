#include "platform/Shape.h"

#include <QPainter>

void paintShape(QPainter &painter, ShapeKind kind, const QRectF &rect, const QColor &fill, const QColor &border)
{
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
    update();
}

void Shape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintShape(painter, m_kind, rect(), m_fill, m_border);
}
