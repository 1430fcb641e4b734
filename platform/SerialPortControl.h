#pragma once
// The serial-port control the main window holds as `cm`: select a port by
// number, open and close it, write command lines, read what has arrived, and
// a receive event raised on the user-interface thread whenever characters wait.
// Line settings are fixed: 9600 baud, 8 data bits, no parity, 1 stop bit, no
// flow control.
#include <QByteArray>
#include <QObject>
#include <QString>

class SerialPortControl : public QObject
{
    Q_OBJECT
public:
    static constexpr int ReceiveEvent = 2; // CommEvent: characters were received
    static constexpr int MaxPort = 255;

    using QObject::QObject;

    // CommPort: selects the port that the next open uses (1..255).
    virtual void setCommPort(int port) { m_commPort = port; }
    int commPort() const { return m_commPort; }

    // PortOpen := true / false. Opening fails (returns false) when the port
    // does not exist or is in use; callers that probe ignore the failure.
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Output: queues the characters for sending at once, in order, without
    // adding anything and without waiting for them to be sent.
    virtual void output(const QByteArray &data) = 0;
    // Input: every character received and not yet read; empty when none wait.
    virtual QByteArray input() = 0;
    // CommEvent: the reason for the current receive event.
    int commEvent() const { return m_commEvent; }

    // How a port number is shown after "USB Port: ", e.g. "1 (ttyACM0)".
    virtual QString portLabel(int port) const { return QString::number(port); }
    // The device's own name ("ttyACM0"); the number when it has none.
    virtual QString deviceName(int port) const { return QString::number(port); }
    // Whether the last failed open was refused for lack of permission (the
    // device exists but the user may not open it).
    virtual bool lastOpenDenied() const { return false; }
    // Lists the system's serial devices again, so that a controller that
    // came back under another name gets a port number.
    virtual void refreshPorts() {}

signals:
    // OnComm: raised whenever received characters are waiting. Characters
    // that arrive while the handler runs raise a later event.
    void onComm();
    // The open port failed underneath (device unplugged, reset, hung up).
    // The port is already closed when this is raised.
    void portLost();

protected:
    void raiseReceiveEvent()
    {
        m_commEvent = ReceiveEvent;
        emit onComm();
    }
    void raisePortLost() { emit portLost(); }

private:
    int m_commPort = 1;
    int m_commEvent = 0;
};
