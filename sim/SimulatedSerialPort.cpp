#include "sim/SimulatedSerialPort.h"

#include <memory>

namespace {

std::function<qint64()> realClock()
{
    auto elapsed = std::make_shared<QElapsedTimer>();
    elapsed->start();
    return [elapsed] { return elapsed->elapsed(); };
}

} // namespace

SimulatedSerialPort::SimulatedSerialPort(QObject *parent) : SimulatedSerialPort(realClock(), parent)
{
}

SimulatedSerialPort::SimulatedSerialPort(std::function<qint64()> clock, QObject *parent)
    : SerialPortControl(parent), m_clock(std::move(clock))
{
    connect(&m_replies, &ReplyScheduler::deliver, this, &SimulatedSerialPort::receive);
}

bool SimulatedSerialPort::open()
{
    if (m_open || commPort() != DevicePort)
        return false;
    m_open = true;
    return true;
}

// What was still on its way is lost with the line.
void SimulatedSerialPort::close()
{
    m_open = false;
    m_replies.clear();
    m_commands.clear();
    m_inbox.clear();
}

void SimulatedSerialPort::output(const QByteArray &data)
{
    if (!m_open)
        return;
    for (const QByteArray &command : m_commands.feed(data)) {
        m_model.advanceTo(m_clock());
        const QByteArray reply = m_model.answer(command);
        if (!reply.isEmpty())
            m_replies.schedule(reply, m_model.replyTiming());
    }
}

QByteArray SimulatedSerialPort::input()
{
    QByteArray data;
    data.swap(m_inbox);
    return data;
}

QString SimulatedSerialPort::portLabel(int port) const
{
    return port == DevicePort ? QStringLiteral("%1 (simulated)").arg(port) : QString::number(port);
}

void SimulatedSerialPort::receive(const QByteArray &piece)
{
    if (!m_open)
        return;
    m_inbox += piece;
    raiseReceiveEvent();
}
