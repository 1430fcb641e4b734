#pragma once
// What velmora checks and builds before its main window opens.
#include "app/CommandLine.h"

#include <memory>

class SerialPortControl;

namespace startup {

// Why the program cannot start with these options (a --port device that does
// not exist, a --report file that cannot be read as a record file), as one
// line; empty when nothing is wrong.
QString problem(const StartOptions &options);

// The serial-port control discovery works on: the simulated actuator, the one
// device given with --port, no ports at all when only a report is wanted, or
// the system's serial devices.
std::unique_ptr<SerialPortControl> serialPort(const StartOptions &options);

} // namespace startup
