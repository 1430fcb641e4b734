#include "platform/QtSerialPortControl.h"

#include <QSerialPort>

#include <cerrno>
#include <unistd.h>

QtSerialPortControl::QtSerialPortControl(PortMap map, QObject *parent)
    : SerialPortControl(parent), m_map(std::move(map)), m_port(new QSerialPort(this))
{
    connect(m_port, &QSerialPort::readyRead, this, [this] {
        if (m_port->bytesAvailable() > 0)
            raiseReceiveEvent();
    });
    connect(m_port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) { onError(error); });
}

QtSerialPortControl::~QtSerialPortControl() = default;

void QtSerialPortControl::onError(int error)
{
    // Errors of a failed open are the caller's business (open() returns false).
    const bool deviceFailed = error == QSerialPort::ResourceError || error == QSerialPort::ReadError
        || error == QSerialPort::WriteError;
    if (!deviceFailed || !m_port->isOpen())
        return;
    // A vanished device reports its error on every turn of the event loop
    // until the port is closed.
    ++m_failuresHandled;
    m_port->close();
    m_port->clearError();
    raisePortLost();
}

bool QtSerialPortControl::open()
{
    m_openDenied = false;
    if (m_port->isOpen())
        return false; // already open: the control reports an error
    const QString path = m_map.devicePath(commPort());
    if (path.isEmpty())
        return false;
    m_port->setPortName(path);
    if (!m_port->open(QIODevice::ReadWrite)) {
        // Told apart from "in use": the device node itself refuses this user.
        m_openDenied = ::access(path.toLocal8Bit().constData(), R_OK | W_OK) != 0 && errno == EACCES;
        m_port->clearError();
        return false;
    }
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
    m_port->clearError();
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

QString QtSerialPortControl::deviceName(int port) const
{
    const QString name = m_map.deviceName(port);
    return name.isEmpty() ? QString::number(port) : name;
}

void QtSerialPortControl::refreshPorts()
{
    if (!m_port->isOpen())
        m_map = m_map.refreshed();
}
