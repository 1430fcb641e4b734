#include "service/SerialNumber.h"

#include "link/Commands.h"

#include <algorithm>

namespace service {

namespace {
constexpr auto ServiceCode = u"8261";
constexpr int SerialLength = 4;
} // namespace

bool isServiceCode(const QString &text)
{
    return text == QStringView(ServiceCode);
}

bool isValidSerialNumber(const QString &text)
{
    return text.size() == SerialLength
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x20 && c.unicode() <= 0x7E; });
}

QString serialNumberCommand(const QString &serial)
{
    return QLatin1String(command::SerialNumber) + serial;
}

} // namespace service
