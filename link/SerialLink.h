#pragma once
// The serial link to the controller: the port, the receive buffer and its
// framing, the waits and reply flags, the commands still owed a reply, the
// activity lamps' timing and the state of the connection. It finds the
// controller at start-up, notices when the port fails underneath (cable
// pulled, controller reset), and then looks for the controller again by
// itself. Windows ask it to write and to wait; it tells them what arrived and
// when the connection changed.
#include "link/OutstandingCommands.h"
#include "link/ReceiveBuffer.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <array>

class SerialPortControl;
class Timer;

class SerialLink : public QObject
{
    Q_OBJECT
public:
    enum class State {
        Searching,    // discovery at start-up has not finished
        Connected,    // the controller's port is open
        NotFound,     // no port answered at start-up
        NoPermission, // no port answered, and a serial device refused this user
        Lost,         // the port failed; looking for the controller again
    };

    // tmrWait's interval outside the waits; also each probe's wait.
    static constexpr int DesignWaitMs = 50;
    // How long a command written without a wait is owed its "OK" / "FAIL" or
    // record; a wait holds its own command back for at most this long.
    static constexpr int UnawaitedReplyMs = 250;
    // How often the ports are searched while the connection is lost.
    static constexpr int ReconnectIntervalMs = 1000;

    explicit SerialLink(SerialPortControl &cm, QObject *parent = nullptr);

    // Start-up discovery: asks every port that opens "?" and stays on the
    // lowest that identifies itself within 50 ms. Handles events while it waits.
    void Connect();
    // Writes `command` and a carriage return, then waits `waitMs` in full
    // while handling events; the caller reads ReplyOk / ReplyFail afterwards.
    // Answers still owed to commands written earlier without a wait are let
    // in first (for at most UnawaitedReplyMs), so that what arrives in the
    // wait is this command's own. Returns false, having sent nothing, while
    // another wait runs or while not connected; also false when the
    // connection was lost during the wait (which then ends unanswered).
    bool SendAndWait(const QString &command, int waitMs);
    bool isWaiting() const { return m_waiting; }
    // Writes a command line without waiting and without touching the flags.
    // Refused (false) while a wait runs, so nothing comes between a command
    // and its answer, and while not connected.
    bool write(const QString &command);
    // A periodic command ("?C", "?A", "%RS..."): written as write() does,
    // then the transmit lamp flashes.
    bool poll(const QString &command);

    void cm_OnComm();
    void tmrWait_Timer();
    void tmrTx_Timer();
    void tmrRx_Timer();

    State state() const { return m_state; }
    // Counts the connections made: changes when the controller is found again.
    int connectionNumber() const { return m_connections; }
    bool isConnected() const { return m_state == State::Connected; }
    // "1 (ttyACM0)": the port in use, or the one lost.
    QString portLabel() const { return m_portLabel; }
    // "ttyACM0": the port in use, lost, or refused for lack of permission.
    QString portName() const { return m_portName; }
    const OutstandingCommands &outstanding() const { return m_outstanding; }

    SerialPortControl &cm;
    ReceiveBuffer RxBuffer;
    QString TxCommand;
    bool ReplyOk = false;
    bool ReplyFail = false;
    bool WaitElapsed = false;
    bool DeviceFound = false;
    std::array<bool, 261> PortAvailable{};

    Timer *tmrWait = nullptr;
    Timer *tmrTx = nullptr;
    Timer *tmrRx = nullptr;
    Timer *tmrReconnect = nullptr; // a search round every second while lost
    Timer *tmrProbe = nullptr;     // one port's wait for "@" while searching

signals:
    // A complete reply line of its kind ("@", "C", "A", "P"), as received.
    void identification(const QByteArray &line);
    void liveRecord(const QByteArray &line);
    void levelRecord(const QByteArray &line);
    void parameterBlock(const QByteArray &line);
    // The activity lamps: lit for 50 ms by each poll and each reply line.
    void transmitLamp(bool lit);
    void receiveLamp(bool lit);
    void stateChanged(SerialLink::State state);

private:
    void dispatchLine(const QByteArray &line);
    bool acknowledgementCounts(const std::optional<OutstandingCommands::Entry> &credited) const;
    void holdForOwedAnswers();
    void writeUnawaited(const QString &command);
    void onPortLost();
    void setState(State state);
    void rememberPort();
    void tmrReconnect_Timer();
    void probeNextPort();
    void tmrProbe_Timer();
    qint64 now() const { return m_clock.elapsed(); }

    QElapsedTimer m_clock;
    OutstandingCommands m_outstanding;
    State m_state = State::Searching;
    bool m_waiting = false;
    quint64 m_awaitedId = 0;
    bool m_holding = false;
    bool m_holdOver = true;
    QTimer m_holdTimer;
    bool m_probing = false;
    int m_probePort = 0;
    int m_connections = 0;
    QString m_portLabel;
    QString m_portName;
};
