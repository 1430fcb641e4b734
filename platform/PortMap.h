#pragma once
// Port numbers 1..255 stand for the serial devices the operating system lists:
// USB CDC devices (ttyACM*) first, then USB-serial adapters (ttyUSB*), then the
// rest (ttyS* and others), each group in natural numeric order.
#include <QString>
#include <QStringList>

class PortMap
{
public:
    // The serial devices the system lists now.
    static PortMap fromSystem();
    // A given list of device paths (e.g. "/dev/ttyACM0", "/dev/pts/3").
    explicit PortMap(const QStringList &devicePaths = {});
    // Port 1 only: the one device path the user named, used as given (a
    // /dev/serial/by-id/ link stays a link).
    static PortMap forDevice(const QString &devicePath);

    // The same kind of map made anew: the system's devices listed again, or
    // the given paths kept as they were.
    PortMap refreshed() const;

    int count() const { return int(m_paths.size()); }
    // The device path for port number 1..count(); empty when there is none.
    QString devicePath(int port) const;
    // The device's short name, empty when there is none: its path below /dev
    // ("ttyACM0", "pts/3"), the link's own name under /dev/serial/
    // ("usb-FTDI_FT232R_A10K-if00-port0"), else the file name.
    QString deviceName(int port) const;

private:
    QStringList m_paths;
    bool m_fromSystem = false;
};
