#pragma once
#include "platform/PortMap.h"
#include "platform/SerialPortControl.h"

class QSerialPort;

// The serial-port control over QSerialPort: 9600 baud, 8N1, no flow control,
// DTR and RTS asserted while the port is open.
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

private:
    PortMap m_map;
    QSerialPort *m_port;
};
