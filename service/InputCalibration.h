#pragma once
// Zero and span calibration of the five inputs. Each of the ten buttons asks
// the controller to calibrate one point itself; no value travels with it.
#include "link/Commands.h"

#include <QString>

namespace service {

constexpr int CalibrationPoints = command::InputPoints; // SP, PV, Level, Pressure, Temperature; zero and span each

// "#A" for button 0 (SP zero) up to "#J" for button 9 (Temperature span):
// even buttons are zero points, odd ones span points.
QString calibrationCommand(int index);

} // namespace service
