#include "service/RemoteSetpoint.h"

#include <algorithm>

namespace service {

int16_t steppedSetpoint(int value, int delta)
{
    return int16_t(std::clamp(value + delta, 0, int(RemoteSetpointMax)));
}

QString setpointCommand(const QString &setpointText)
{
    return QStringLiteral("%RS") + setpointText;
}

} // namespace service
