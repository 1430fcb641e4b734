#include "app/Startup.h"

#include "platform/PortMap.h"
#include "platform/QtSerialPortControl.h"
#include "recording/RecordFile.h"
#include "sim/SimulatedSerialPort.h"

#include <QFileInfo>

namespace startup {

QString problem(const StartOptions &options)
{
    if (!options.port.isEmpty() && !QFileInfo::exists(options.port))
        return options.port + QStringLiteral(": no such device");
    if (!options.reportFile.isEmpty()) {
        const QFileInfo file(options.reportFile);
        const QString name = options.reportFile + QStringLiteral(": ");
        if (!file.exists())
            return name + QStringLiteral("no such file");
        if (file.isDir())
            return name + QStringLiteral("is a folder, not a record file");
        if (!file.isReadable())
            return name + QStringLiteral("permission denied");
        if (!recordfile::read(options.reportFile))
            return name + QStringLiteral("not a record file (a sample count, then one \"SP,PV\" line per sample)");
    }
    return {};
}

std::unique_ptr<SerialPortControl> serialPort(const StartOptions &options)
{
    if (options.simulate)
        return std::make_unique<SimulatedSerialPort>();
    if (!options.port.isEmpty())
        return std::make_unique<QtSerialPortControl>(PortMap::forDevice(options.port));
    if (!options.reportFile.isEmpty())
        return std::make_unique<QtSerialPortControl>(PortMap());
    return std::make_unique<QtSerialPortControl>(PortMap::fromSystem());
}

} // namespace startup
