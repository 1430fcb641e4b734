#include "display/DialMath.h"

#include "platform/Numbers.h"

#include <algorithm>
#include <cmath>

namespace dial {

namespace {

constexpr double SpokeLength = 400.0;
constexpr double NumberRadius = 425.0;
constexpr double KnobRadius = 300.0;
constexpr Rgb FaceColor{0, 0, 0};

// 1 for a small move, 10 for a move of 5 units or more from `from`.
int step(double x, int16_t from)
{
    return std::fabs(x - from) < 5.0 ? 1 : 10;
}

int16_t raised(int16_t setpoint, int by) { return int16_t(std::min(setpoint + by, int(Maximum))); }
int16_t lowered(int16_t setpoint, int by) { return int16_t(std::max(setpoint - by, int(Minimum))); }

} // namespace

double radians(double degrees)
{
    return degrees * Pi / 180.0;
}

void drawDialFace(DisplayList &face)
{
    for (int i = 0; i <= 10; ++i) {
        const double a = radians(405 - 27 * i);
        face.line(Centre, Centre, Centre + SpokeLength * std::cos(a), Centre + SpokeLength * std::sin(a), FaceColor);
    }
    face.text(QPointF(450 + NumberRadius * std::cos(radians(135)), Centre + NumberRadius * std::sin(radians(135))),
              num::printed(0), FaceColor);
    face.text(QPointF(Centre + NumberRadius * std::cos(radians(405)), Centre + NumberRadius * std::sin(radians(405))),
              num::printed(100), FaceColor);
}

QPointF knobTopLeft(int16_t setpoint, double knobWidth, double knobHeight)
{
    const double t = radians(-45 - 0.27 * setpoint);
    return {KnobRadius * std::sin(t) + Centre - knobWidth / 2, KnobRadius * std::cos(t) + Centre - knobHeight / 2};
}

std::optional<DragState> drag(DragState state, Qt::MouseButtons buttons, double x, double y, const QRectF &disc)
{
    const bool insideDisc = x > disc.left() && disc.left() + disc.width() > x && y > disc.top()
                            && disc.top() + disc.height() > y;
    if (!insideDisc || buttons != Qt::LeftButton)
        return std::nullopt;

    if (y < Centre) {
        // Upper half: rightwards is clockwise.
        if (x > state.lastX) {
            state.setpoint = raised(state.setpoint, step(x, state.lastX));
            state.lastX = num::toInt16(x);
        }
        if (x < state.lastX) {
            state.setpoint = lowered(state.setpoint, step(x, state.lastX));
            state.lastX = num::toInt16(x);
        }
    } else {
        // Lower half: leftwards is clockwise.
        if (x < state.lastX) {
            state.setpoint = raised(state.setpoint, step(x, state.lastX));
            state.lastX = num::toInt16(x);
        }
        if (x > state.lastX) {
            state.setpoint = lowered(state.setpoint, step(x, state.lastX));
            state.lastX = num::toInt16(x);
        }
    }
    return state;
}

} // namespace dial
