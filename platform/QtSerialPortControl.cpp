#include "platform/QtSerialPortControl.h"

#include <QSerialPort>

QtSerialPortControl::QtSerialPortControl(PortMap map, QObject *parent)
    : SerialPortControl(parent), m_map(std::move(map)), m_port(new QSerialPort(this))
{
    connect(m_port, &QSerialPort::readyRead, this, [this] {
        if (m_port->bytesAvailable() > 0)
            raiseReceiveEvent();
    });
}

QtSerialPortControl::~QtSerialPortControl() = default;

bool QtSerialPortControl::open()
{
    if (m_port->isOpen())
        return false; // already open: the control reports an error
    const QString path = m_map.devicePath(commPort());
    if (path.isEmpty())
        return false;
    m_port->setPortName(path);
    if (!m_port->open(QIODevice::ReadWrite))
        return false;
    const bool configured = m_port->setBaudRate(QSerialPort::Baud9600)
        && m_port->setDataBits(QSerialPort::Data8) && m_port->setParity(QSerialPort::NoParity)
        && m_port->setStopBits(QSerialPort::OneStop) && m_port->setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        m_port->close();
        return false;
    }
    // Some adapters and terminals refuse the modem lines; the line works without them.
    m_port->setDataTerminalReady(true);
    m_port->setRequestToSend(true);
    m_port->clear();
    return true;
}

void QtSerialPortControl::close()
{
    if (m_port->isOpen())
        m_port->close();
}

bool QtSerialPortControl::isOpen() const
{
    return m_port->isOpen();
}

void QtSerialPortControl::output(const QByteArray &data)
{
    if (m_port->isOpen())
        m_port->write(data);
}

QByteArray QtSerialPortControl::input()
{
    return m_port->isOpen() ? m_port->readAll() : QByteArray();
}

QString QtSerialPortControl::portLabel(int port) const
{
    const QString name = m_map.deviceName(port);
    return name.isEmpty() ? QString::number(port) : QStringLiteral("%1 (%2)").arg(port).arg(name);
}
