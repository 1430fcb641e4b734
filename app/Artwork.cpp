#include "app/Artwork.h"

#include <QPainter>
#include <QPainterPath>

QImage makerLogo(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 100.0, size / 100.0);
    p.setPen(QPen(QColor(0, 0, 128), 8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(6, 6, 88, 88));
    // A valve body: two triangles meeting at the stem.
    QPainterPath valve;
    valve.moveTo(22, 34);
    valve.lineTo(50, 50);
    valve.lineTo(22, 66);
    valve.closeSubpath();
    valve.moveTo(78, 34);
    valve.lineTo(50, 50);
    valve.lineTo(78, 66);
    valve.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 160, 160));
    p.drawPath(valve);
    p.setPen(QPen(QColor(0, 0, 128), 6));
    p.drawLine(QPointF(50, 50), QPointF(50, 22));
    p.drawLine(QPointF(38, 22), QPointF(62, 22));
    return image;
}

QImage setpointPointerIcon()
{
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF diamond[] = {{16, 1}, {31, 16}, {16, 31}, {1, 16}};
    p.setPen(QPen(QColor(96, 96, 0), 1));
    p.setBrush(QColor(255, 255, 0));
    p.drawPolygon(diamond, 4);
    // The arrow: a shaft and a head pointing right, at the diamond's middle.
    p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(7, 16), QPointF(19, 16));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    const QPointF head[] = {{26, 16}, {18, 10}, {18, 22}};
    p.drawPolygon(head, 3);
    return image;
}
