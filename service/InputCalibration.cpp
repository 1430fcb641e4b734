#include "service/InputCalibration.h"

#include <QtGlobal>

namespace service {

QString calibrationCommand(int index)
{
    Q_ASSERT(index >= 0 && index < CalibrationPoints);
    return QStringLiteral("#") + QChar(u'A' + index);
}

} // namespace service
