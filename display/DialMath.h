#pragma once
// The remote-setpoint dial: its face, where the knob sits for a setpoint, and
// how a mouse drag over the disc steps the setpoint. All in dial units: the
// dial picture is 1000 x 1000, x right, y down, centre (500, 500).
#include "platform/DisplayList.h"

#include <QPointF>
#include <QRectF>
#include <Qt>
#include <cstdint>
#include <optional>

namespace dial {

// The dial was laid out with 3.141 for pi; keeping it keeps the spokes, the
// printed numbers and the knob exactly where the face was designed to have them.
inline constexpr double Pi = 3.141;
inline constexpr double Centre = 500.0;
inline constexpr double ScaleSize = 1000.0;
inline constexpr int16_t Minimum = 0;
inline constexpr int16_t Maximum = 1000; // tenths of a percent

double radians(double degrees);

// Eleven black spokes of length 400 every 27 degrees from the lower left (0 %)
// over the top to the lower right (100 %), and the numbers 0 and 100 beside
// their ends. Appends to `face`.
void drawDialFace(DisplayList &face);

// Top-left corner of a knob of the given size for `setpoint` (0..1000): its
// centre runs clockwise on a circle of radius 300 from the lower left to the
// lower right.
QPointF knobTopLeft(int16_t setpoint, double knobWidth, double knobHeight);

struct DragState
{
    int16_t setpoint = 0; // RemoteSetpoint, 0..1000
    int16_t lastX = 0;    // DialLastX
    friend bool operator==(const DragState &, const DragState &) = default;
};

// One mouse move over the dial. Counts only with exactly the left button
// held and (x, y) strictly inside `disc`, the bounding box of the dial disc;
// otherwise returns nothing and the dial stays as it is. A clockwise move
// (rightwards over the upper half, leftwards over the lower half) raises the
// setpoint by 1, or by 10 when it covers 5 units or more since the last x,
// an anticlockwise move lowers it likewise; the setpoint stays in 0..1000.
// The backwards test runs against the x just stored, rounded, so a clockwise
// move whose x rounds onwards steps back by 1 at once.
std::optional<DragState> drag(DragState state, Qt::MouseButtons buttons, double x, double y, const QRectF &disc);

} // namespace dial
