#pragma once
// The twelve settings the parameter window edits, in box order (txtPara 0..11),
// with their scale and their allowed stored range. The simulator checks
// uploads against the same table.
#include "params/ParameterSet.h"

#include <array>

struct ParameterField
{
    const char *label;               // caption of the box's label, colon included
    int16_t ParameterSet::*field;    // the field the box shows
    bool tenths;                     // shown divided by 10 ("0.0"), else plain ("0")
    int16_t min;                     // allowed stored range, inclusive
    int16_t max;
};

inline constexpr std::array<ParameterField, 12> ParameterFields{{
    {"Coarse Control Up:", &ParameterSet::CoarseControlUp, true, 1, 200},
    {"Coarse Control Down:", &ParameterSet::CoarseControlDn, true, 1, 200},
    {"Fine Control Up:", &ParameterSet::FineControlUp, true, 1, 100},
    {"Fine Control Down:", &ParameterSet::FineControlDn, true, 1, 100},
    {"Oil Level Alarm:", &ParameterSet::OilLevelAlarm, true, 1, 1000},
    {"Alarm Hysteresis:", &ParameterSet::AlarmHysteresis, true, 1, 900},
    {"Pulse Delay:", &ParameterSet::PulseDelay, false, 5, 175},
    {"Pressure @4mA:", &ParameterSet::PressureValueLow, false, 0, 50},
    {"Pressure @20mA:", &ParameterSet::PressureValueHigh, false, 10, 200},
    {"Pressure Low :", &ParameterSet::PressureLow, false, 1, 50},
    {"Pressure Pump ON:", &ParameterSet::PressurePumpOn, false, 1, 100},
    {"Pressure Pump OFF:", &ParameterSet::PressurePumpOff, false, 1, 200},
}};

// Fail actions: 0 "Stay Put", 1 "Up Valve ON", 2 "Down Valve ON".
constexpr int FailCodeCount = 3;
