#include "service/InputCalibration.h"

#include "link/Commands.h"

#include <QtGlobal>

namespace service {

QString calibrationCommand(int index)
{
    Q_ASSERT(index >= 0 && index < CalibrationPoints);
    return QString(QLatin1Char(command::InputCalibration)) + QLatin1Char(char(command::FirstInputPoint + index));
}

} // namespace service
