#pragma once
// A parameter block with every field set to a distinct, in-range value, for
// tests and benchmarks of the codec, the parameter window and the file.
#include "params/ParameterSet.h"

inline ParameterSet sampleParameterSet()
{
    ParameterSet p;
    p.SPZero = 300; p.SPSpan = 3800; p.PVZero = 310; p.PVSpan = 3790; p.LVZero = 5; p.LVSpan = 4000;
    p.CoarseControlUp = 15; p.FineControlUp = 5; p.OilLevelAlarm = 250; p.AlarmHysteresis = 20;
    p.pswd = {0, 4, 2, 9};
    p.CoarseControlDn = 16; p.FineControlDn = 6; p.PulseDelay = 25;
    p.SPFail = 1; p.PVFail = 2;
    p.CoutZero = 100; p.CoutSpan = 32767; p.Cout25 = 2; p.Cout50 = 3; p.Cout75 = 4; p.PRZero = 7; p.PRSpan = 8;
    p.LevelSwOpt = 1; p.PressureSwOpt = 0;
    p.PressureValueLow = 0; p.PressureValueHigh = 160; p.PressureLow = 20; p.PressurePumpOn = 40; p.PressurePumpOff = 80;
    return p;
}
