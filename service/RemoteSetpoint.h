#pragma once
// The remote setpoint that remote control sends: tenths of a percent, 0..1000.
#include <QString>
#include <cstdint>

namespace service {

constexpr int16_t RemoteSetpointMax = 1000;

// `value` moved by `delta`, kept within 0..1000.
int16_t steppedSetpoint(int value, int delta);

// "%RS" and the four-digit setpoint text ("%RS0505" for 50.5 %).
QString setpointCommand(const QString &setpointText);

} // namespace service
