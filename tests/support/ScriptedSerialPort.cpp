#include "ScriptedSerialPort.h"

#include <QTimer>

void ScriptedSerialPort::setAvailablePorts(const QList<int> &ports)
{
    m_available = QSet<int>(ports.begin(), ports.end());
}

void ScriptedSerialPort::setDeniedPorts(const QList<int> &ports)
{
    m_denied = QSet<int>(ports.begin(), ports.end());
}

void ScriptedSerialPort::unplug()
{
    if (!m_open)
        return;
    close();
    raisePortLost();
}

void ScriptedSerialPort::answer(const QByteArray &command, const QByteArray &reply, int delayMs, int port, int pieces)
{
    m_answers.append({command, reply, delayMs, port, qMax(1, pieces)});
}

void ScriptedSerialPort::deliver(const QByteArray &bytes, int delayMs)
{
    const int session = m_session;
    QTimer::singleShot(delayMs, this, [this, bytes, session] {
        if (!m_open || session != m_session)
            return;
        m_inbox += bytes;
        raiseReceiveEvent();
    });
}

QByteArray ScriptedSerialPort::written() const
{
    QByteArray all;
    for (const ScriptedWrite &w : m_writes)
        all += w.bytes;
    return all;
}

QList<QByteArray> ScriptedSerialPort::commands() const
{
    QList<QByteArray> lines = written().split('\r');
    lines.removeLast(); // what follows the last CR is not a complete line
    return lines;
}

bool ScriptedSerialPort::open()
{
    ++m_openAttempts;
    m_lastOpenDenied = !m_open && m_denied.contains(commPort());
    if (m_open || !m_available.contains(commPort()))
        return false;
    m_open = true;
    ++m_session;
    m_inbox.clear();
    return true;
}

void ScriptedSerialPort::close()
{
    m_open = false;
    ++m_session;
    m_inbox.clear();
}

void ScriptedSerialPort::output(const QByteArray &data)
{
    if (!m_open)
        return;
    m_writes.append({commPort(), data});
    m_pendingCommand += data;
    qsizetype end;
    while ((end = m_pendingCommand.indexOf('\r')) >= 0) {
        const QByteArray command = m_pendingCommand.left(end);
        m_pendingCommand.remove(0, end + 1);
        for (const Answer &a : std::as_const(m_answers)) {
            if (a.command != command || (a.port != 0 && a.port != commPort()))
                continue;
            const qsizetype step = (a.reply.size() + a.pieces - 1) / a.pieces;
            for (int i = 0; i < a.pieces; ++i)
                deliver(a.reply.mid(i * step, step), a.delayMs + 10 * i);
        }
        if (onCommand)
            onCommand(commPort(), command);
    }
}

QByteArray ScriptedSerialPort::input()
{
    QByteArray data = m_inbox;
    m_inbox.clear();
    return data;
}

QString ScriptedSerialPort::portLabel(int port) const
{
    return QStringLiteral("%1 (%2)").arg(port).arg(deviceName(port));
}

QString ScriptedSerialPort::deviceName(int port) const
{
    return QStringLiteral("ttyTEST%1").arg(port - 1);
}
