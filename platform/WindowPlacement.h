#pragma once
// Where top-level windows open: inside the screen's available area (without
// panels and docks), so that no part of them starts off-screen.
#include <QMargins>
#include <QRect>

class QWidget;

namespace placement {

// Room for the window manager's frame around a window that is not shown yet.
inline constexpr QMargins FrameReserve{4, 32, 4, 4};

// The window's size and position for a window of `size` centred on `centre`,
// made no larger than `available` allows (with room for the frame) and moved
// so that it lies inside it, frame included.
QRect fitted(QSize size, QPoint centre, const QRect &available);

// Fits the window to its screen's available area, centred on it.
void centreOnScreen(QWidget &window);
// Fits the window to the available area of `owner`'s screen, centred on `owner`.
void centreOn(QWidget &window, const QWidget &owner);

} // namespace placement
