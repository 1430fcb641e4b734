#pragma once
// A serial-port control for tests: a chosen set of ports can be opened, every
// write is recorded with its port, and replies are scripted per command line
// with a delay and optional splitting into pieces. A reply still under way
// when its port closes is lost, as on a real line.
#include "platform/SerialPortControl.h"

#include <QList>
#include <QSet>
#include <functional>

struct ScriptedWrite
{
    int port = 0;
    QByteArray bytes;
};

class ScriptedSerialPort : public SerialPortControl
{
    Q_OBJECT
public:
    using SerialPortControl::SerialPortControl;

    // Ports that can be opened; every other port fails to open.
    void setAvailablePorts(const QList<int> &ports);
    // Ports that exist but refuse this user (they fail to open too).
    void setDeniedPorts(const QList<int> &ports);
    // The open port's device goes away: the port closes, portLost is raised.
    void unplug();
    // Answers `command` (without its CR) on `port` (0: any port) with `reply`
    // after `delayMs`, split into `pieces` receive events 10 ms apart.
    void answer(const QByteArray &command, const QByteArray &reply, int delayMs = 5, int port = 0, int pieces = 1);
    void clearAnswers() { m_answers.clear(); }
    // Called for every complete command line written (CR stripped), after the scripted answers.
    std::function<void(int port, const QByteArray &command)> onCommand;
    // Puts bytes on the line of the open port after `delayMs` (0: at the next event loop turn).
    void deliver(const QByteArray &bytes, int delayMs = 0);

    const QList<ScriptedWrite> &writes() const { return m_writes; }
    // Everything written, in order, as one text.
    QByteArray written() const;
    // The command lines written (CR stripped), in order.
    QList<QByteArray> commands() const;
    void clearWrites() { m_writes.clear(); }
    int openAttempts() const { return m_openAttempts; }

    bool open() override;
    void close() override;
    bool isOpen() const override { return m_open; }
    void output(const QByteArray &data) override;
    QByteArray input() override;
    QString portLabel(int port) const override;
    QString deviceName(int port) const override;
    bool lastOpenDenied() const override { return m_lastOpenDenied; }

private:
    struct Answer
    {
        QByteArray command;
        QByteArray reply;
        int delayMs;
        int port;
        int pieces;
    };
    QSet<int> m_available;
    QSet<int> m_denied;
    bool m_lastOpenDenied = false;
    QList<Answer> m_answers;
    QList<ScriptedWrite> m_writes;
    QByteArray m_pendingCommand;
    QByteArray m_inbox;
    bool m_open = false;
    int m_openAttempts = 0;
    int m_session = 0; // counts openings, so a late reply cannot reach a later one
};
