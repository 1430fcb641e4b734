#pragma once
// Where the setpoint pointer, the piston and the oil level go. The measures
// are taken once from the design geometry of the actuator picture (window
// units of 1/1440 inch); the positions follow the live percentages.
#include <cstdint>

// The design geometry the measures are taken from.
struct ActuatorDesign
{
    double cylinderTop = 0;
    double cylinderHeight = 0;
    double pistonHeight = 0;
    double pointerHeight = 0;
    double tankHeight = 0;
};

struct ActuatorGeometry
{
    int32_t pointerSpan = 0;   // height of the cylinder
    int32_t pointerOffset = 0; // cylinder top minus half the pointer height
    int32_t pistonSpan = 0;    // cylinder height minus piston height
    int32_t pistonOffset = 0;  // cylinder top
    int32_t tankHeight = 0;    // height of the oil tank

    // Each measure rounded to a whole number, halves to even.
    static ActuatorGeometry fromDesign(const ActuatorDesign &design);

    // Each percentage is first rounded to a whole number, halves to even
    // (49.5 and 50.5 both place at 50). Nothing is clipped: above 100 % the
    // pointer and piston rise above the cylinder and the bar above the tank.

    // Top of the pointer: its middle is level with the cylinder top at 100 %
    // and with the cylinder bottom at 0 %.
    double pointerTop(float setpointPercent) const;
    // Top of the piston: touching the cylinder top at 100 %, resting on its
    // bottom at 0 %.
    double pistonTop(float processPercent) const;
    // Height of the level bar, which grows upwards from the floor of the tank.
    double levelHeight(float levelPercent) const;
};
