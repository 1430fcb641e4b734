#include "platform/WindowPlacement.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace placement {

QRect fitted(QSize size, QPoint centre, const QRect &available)
{
    const QRect inner = available.marginsRemoved(FrameReserve);
    size = size.boundedTo(inner.size()).expandedTo(QSize(1, 1));
    QRect rect(QPoint(), size);
    rect.moveCenter(centre);
    rect.moveLeft(std::clamp(rect.left(), inner.left(), inner.right() - rect.width() + 1));
    rect.moveTop(std::clamp(rect.top(), inner.top(), inner.bottom() - rect.height() + 1));
    return rect;
}

namespace {

void place(QWidget &window, QPoint centre, const QScreen *screen)
{
    if (!screen)
        return;
    // The client area; the frame the window manager adds fits around it.
    window.setGeometry(fitted(window.size(), centre, screen->availableGeometry()));
}

} // namespace

void centreOnScreen(QWidget &window)
{
    const QScreen *screen = window.screen();
    if (screen)
        place(window, screen->availableGeometry().center(), screen);
}

void centreOn(QWidget &window, const QWidget &owner)
{
    place(window, owner.geometry().center(), owner.screen());
}

} // namespace placement
