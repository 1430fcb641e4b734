#pragma once
// Where the setpoint pointer, the piston and the oil level go, taken once from
// the design geometry of the actuator picture (window units of 1/1440 inch).
#include <cstdint>

struct ActuatorGeometry
{
    int32_t pointerSpan = 0;   // height of the cylinder
    int32_t pointerOffset = 0; // cylinder top minus half the pointer height
    int32_t pistonSpan = 0;    // cylinder height minus piston height
    int32_t pistonOffset = 0;  // cylinder top
    int32_t tankHeight = 0;    // height of the oil tank
};
