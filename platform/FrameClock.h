#pragma once
// Repaints on the screen's schedule: controls that change ask for a region
// to be repainted and get it with the next frame, all together, however
// often they changed in between. A lamp that flashes for every received line
// costs at most one repaint a frame, and so does the chart.
#include <QRect>

class QWidget;

namespace frame {

inline constexpr int IntervalMs = 16; // about 60 frames a second

// Repaints `area` of `widget` (in its own pixels) with the next frame.
void update(QWidget *widget, const QRect &area);
// Repaints the whole of `widget` with the next frame.
void update(QWidget *widget);
// Whether `widget` waits for the next frame, and what of it.
bool isPending(const QWidget *widget);
QRect pendingArea(const QWidget *widget);

} // namespace frame
