#include "app/AppIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

QIcon appIcon()
{
    // The picture is compiled into the library; a static library needs this
    // to keep it.
    Q_INIT_RESOURCE(velmora);
    QSvgRenderer svg(QStringLiteral(":/velmora/velmora.svg"));
    QIcon icon;
    if (!svg.isValid())
        return icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        svg.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
