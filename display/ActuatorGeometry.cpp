#include "display/ActuatorGeometry.h"

#include "platform/Numbers.h"

namespace {

// (100 - percent) x span / 100: the product is whole (kept in 64 bits, so no
// reading and no span can overflow it), the division fractional.
double fromTop(float percent, int32_t span)
{
    const int64_t product = (100 - int64_t(num::toInt16(percent))) * span;
    return double(product) / 100.0;
}

} // namespace

ActuatorGeometry ActuatorGeometry::fromDesign(const ActuatorDesign &design)
{
    ActuatorGeometry g;
    g.pointerSpan = num::toInt32(design.cylinderHeight);
    g.pointerOffset = num::toInt32(design.cylinderTop - design.pointerHeight / 2);
    g.pistonSpan = num::toInt32(design.cylinderHeight - design.pistonHeight);
    g.pistonOffset = num::toInt32(design.cylinderTop);
    g.tankHeight = num::toInt32(design.tankHeight);
    return g;
}

double ActuatorGeometry::pointerTop(float setpointPercent) const
{
    return fromTop(setpointPercent, pointerSpan) + pointerOffset;
}

double ActuatorGeometry::pistonTop(float processPercent) const
{
    return fromTop(processPercent, pistonSpan) + pistonOffset;
}

double ActuatorGeometry::levelHeight(float levelPercent) const
{
    return double(int64_t(num::toInt16(levelPercent)) * tankHeight) / 100.0;
}
