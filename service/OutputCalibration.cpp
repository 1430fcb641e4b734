#include "service/OutputCalibration.h"

#include "link/Commands.h"
#include "params/ParameterSet.h"

#include <QtGlobal>
#include <algorithm>

namespace service {

namespace {
constexpr OutputSignal Output{"Calibrate Output", 50, 1, 4095, command::OutputTrial, command::OutputPoint};
constexpr OutputSignal Feedback{"Calibrate Feedback",  3300, 1000, 20000, command::FeedbackTrial,
                                command::FeedbackPoint};
} // namespace

const OutputSignal &outputSignal(bool feedbackMode)
{
    return feedbackMode ? Feedback : Output;
}

int16_t steppedOutput(const OutputSignal &signal, int value, int delta)
{
    return int16_t(std::clamp(value + delta, int(signal.lowest), int(signal.highest)));
}

QString outputDigits(int value)
{
    // The same digits as a parameter word: low byte, then high byte.
    return params::HexWord(value);
}

QString outputSetCommand(const OutputSignal &signal, int value)
{
    return QLatin1String(signal.trialCommand) + outputDigits(value);
}

QString outputStoreCommand(const OutputSignal &signal, int point, int value)
{
    Q_ASSERT(point >= 0 && point < OutputPoints);
    return QLatin1String(signal.pointCommand) + QChar(u'0' + point) + outputDigits(value);
}

} // namespace service
