#include "service/RemoteSetpoint.h"

#include "link/Commands.h"

#include <algorithm>

namespace service {

int16_t steppedSetpoint(int value, int delta)
{
    return int16_t(std::clamp(value + delta, 0, int(RemoteSetpointMax)));
}

QString setpointCommand(const QString &setpointText)
{
    return QLatin1String(command::RemoteSetpoint) + setpointText;
}

} // namespace service
