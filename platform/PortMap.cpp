#include "platform/PortMap.h"

#include "platform/SerialPortControl.h"

#include <QCollator>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <algorithm>

static int groupOf(const QString &name)
{
    if (name.startsWith(QLatin1String("ttyACM")))
        return 0;
    if (name.startsWith(QLatin1String("ttyUSB")))
        return 1;
    return 2;
}

PortMap::PortMap(const QStringList &devicePaths)
{
    QCollator natural;
    natural.setNumericMode(true);
    m_paths = devicePaths;
    m_paths.removeDuplicates();
    std::stable_sort(m_paths.begin(), m_paths.end(), [&](const QString &a, const QString &b) {
        const QString na = QFileInfo(a).fileName();
        const QString nb = QFileInfo(b).fileName();
        if (groupOf(na) != groupOf(nb))
            return groupOf(na) < groupOf(nb);
        return natural.compare(na, nb) < 0;
    });
    if (m_paths.size() > SerialPortControl::MaxPort)
        m_paths.resize(SerialPortControl::MaxPort);
}

PortMap PortMap::fromSystem()
{
    QStringList paths;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        paths << info.systemLocation();
    PortMap map(paths);
    map.m_fromSystem = true;
    return map;
}

PortMap PortMap::refreshed() const
{
    return m_fromSystem ? fromSystem() : *this;
}

QString PortMap::devicePath(int port) const
{
    if (port < 1 || port > count())
        return {};
    return m_paths.at(port - 1);
}

PortMap PortMap::forDevice(const QString &devicePath)
{
    return PortMap(QStringList{devicePath});
}

QString PortMap::deviceName(int port) const
{
    const QString path = devicePath(port);
    if (path.startsWith(QLatin1String("/dev/serial/")))
        return QFileInfo(path).fileName();
    if (path.startsWith(QLatin1String("/dev/")))
        return path.mid(5);
    return QFileInfo(path).fileName();
}
