#pragma once
// Point calibration of the two 4-20 mA outputs: the raw value the output is
// driven with, its limits, the step sizes and the command lines that set the
// output to a trial value and store it as one of the five points.
#include "link/Commands.h"

#include <QString>
#include <cstdint>

namespace service {

// The signal the window works on, chosen by the button that opened it.
struct OutputSignal
{
    const char *caption; // window caption
    int16_t start;       // raw value on every opening
    int16_t lowest;
    int16_t highest;
    const char *trialCommand; // drives the signal with a trial value
    const char *pointCommand; // followed by the point, stores the value there
};

const OutputSignal &outputSignal(bool feedbackMode);

// The option buttons of "Set Ouput".
enum class OutputStep : int16_t { Coarse = 100, Fine = 10, Minute = 1 };

// `value` moved by `delta`, kept within the signal's limits. A press at a
// limit leaves the value there.
int16_t steppedOutput(const OutputSignal &signal, int value, int delta);

// The raw value as it travels: four upper-case hexadecimal digits, low byte
// first (50 gives "3200", 3300 gives "E40C").
QString outputDigits(int value);

// "%QS" / "%US" and the digits: drive the output with a trial value.
QString outputSetCommand(const OutputSignal &signal, int value);

constexpr int OutputPoints = command::OutputPoints; // 4, 8, 12, 16 and 20 mA
// "%Q0".."%Q4" / "%U0".."%U4" and the digits: store the value as point `point`.
QString outputStoreCommand(const OutputSignal &signal, int point, int value);

} // namespace service
