#pragma once
#include "platform/PortMap.h"
#include "platform/SerialPortControl.h"

class QSerialPort;

// The serial-port control over QSerialPort: 9600 baud, 8N1, no flow control,
// DTR and RTS asserted while the port is open. A device that fails under the
// open port (unplugged, reset, a terminal hung up) closes the port at once
// and raises portLost, so that nothing keeps reading a dead device.
class QtSerialPortControl : public SerialPortControl
{
    Q_OBJECT
public:
    explicit QtSerialPortControl(PortMap map, QObject *parent = nullptr);
    ~QtSerialPortControl() override;

    bool open() override;
    void close() override;
    bool isOpen() const override;
    void output(const QByteArray &data) override;
    QByteArray input() override;
    QString portLabel(int port) const override;
    QString deviceName(int port) const override;
    bool lastOpenDenied() const override { return m_openDenied; }
    void refreshPorts() override;

    // Failures of the open port handled so far (each closes the port once).
    int failuresHandled() const { return m_failuresHandled; }

private:
    void onError(int error);

    PortMap m_map;
    QSerialPort *m_port;
    bool m_openDenied = false;
    int m_failuresHandled = 0;
};
