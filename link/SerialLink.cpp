#include "link/SerialLink.h"

#include "link/Commands.h"
#include "link/Protocol.h"
#include "platform/EventPump.h"
#include "platform/SerialPortControl.h"
#include "platform/Timer.h"

SerialLink::SerialLink(SerialPortControl &cm, QObject *parent)
    : QObject(parent), cm(cm)
{
    tmrWait = new Timer(DesignWaitMs, false, this);
    tmrTx = new Timer(50, false, this);
    tmrRx = new Timer(50, false, this);
    tmrReconnect = new Timer(ReconnectIntervalMs, false, this);
    tmrProbe = new Timer(DesignWaitMs, false, this);
    m_holdTimer.setSingleShot(true);
    m_holdTimer.setTimerType(Qt::PreciseTimer);
    m_clock.start();

    connect(&cm, &SerialPortControl::onComm, this, &SerialLink::cm_OnComm);
    // Handled on the next turn of the event loop: the failure may be noticed
    // inside a write, in the middle of a sender's steps.
    connect(&cm, &SerialPortControl::portLost, this, &SerialLink::onPortLost, Qt::QueuedConnection);
    connect(tmrWait, &Timer::tick, this, &SerialLink::tmrWait_Timer);
    connect(tmrTx, &Timer::tick, this, &SerialLink::tmrTx_Timer);
    connect(tmrRx, &Timer::tick, this, &SerialLink::tmrRx_Timer);
    connect(tmrReconnect, &Timer::tick, this, &SerialLink::tmrReconnect_Timer);
    connect(tmrProbe, &Timer::tick, this, &SerialLink::tmrProbe_Timer);
    connect(&m_holdTimer, &QTimer::timeout, this, [this] { m_holdOver = true; });
}

void SerialLink::Connect()
{
    setState(State::Searching);
    // First pass: which ports can be opened at all. Errors only mark a port
    // as unavailable; the first one that refuses this user is remembered.
    int deniedPort = 0;
    for (int p = 1; p <= SerialPortControl::MaxPort; ++p) {
        cm.setCommPort(p);
        PortAvailable[p] = cm.open();
        if (!PortAvailable[p] && deniedPort == 0 && cm.lastOpenDenied())
            deniedPort = p;
        if (cm.isOpen())
            cm.close();
    }

    // Second pass: ask each available port "?" and wait 50 ms for the
    // identification; the lowest port that answers wins.
    DeviceFound = false;
    for (int p = 1; p <= SerialPortControl::MaxPort && !DeviceFound; ++p) {
        if (!PortAvailable[p])
            continue;
        cm.setCommPort(p);
        if (!cm.open())
            continue;
        RxBuffer.clear();
        m_outstanding.clear();
        cm.output(protocol::commandLine(command::Identify));
        WaitElapsed = false;
        tmrWait->setEnabled(true);
        m_waiting = true;
        pump::until(WaitElapsed);
        m_waiting = false;
        if (!DeviceFound) {
            cm.close();
            // What a silent port sent late must not prefix the next port's answer.
            RxBuffer.clear();
        }
    }
    m_outstanding.clear();

    if (DeviceFound) {
        rememberPort();
        setState(State::Connected);
    } else if (deniedPort != 0) {
        m_portLabel = cm.portLabel(deniedPort);
        m_portName = cm.deviceName(deniedPort);
        setState(State::NoPermission);
    } else {
        setState(State::NotFound);
    }
}

bool SerialLink::SendAndWait(const QString &command, int waitMs)
{
    if (m_waiting || !isConnected())
        return false;
    m_waiting = true;
    holdForOwedAnswers();
    if (!isConnected()) {
        m_waiting = false;
        return false;
    }
    TxCommand = command + QLatin1Char(protocol::CR);
    ReplyOk = false;
    ReplyFail = false;
    m_awaitedId = m_outstanding.add(command.toLatin1(), -1);
    cm.output(TxCommand.toLatin1());
    tmrWait->setInterval(waitMs);
    WaitElapsed = false;
    tmrWait->setEnabled(true);
    // The wait always runs its full time: an early reply does not end it.
    pump::until(WaitElapsed);
    tmrWait->setInterval(DesignWaitMs);
    m_outstanding.remove(m_awaitedId);
    m_awaitedId = 0;
    m_waiting = false;
    return isConnected();
}

// The controller answers in order: while an earlier command is still owed
// its "OK" / "FAIL", that answer would be taken for this command's.
void SerialLink::holdForOwedAnswers()
{
    const std::optional<qint64> owedUntil = m_outstanding.acknowledgementOwedUntil(now());
    if (!owedUntil)
        return;
    m_holdOver = false;
    m_holding = true;
    m_holdTimer.start(int(qMax<qint64>(0, *owedUntil - now())) + 1);
    pump::until(m_holdOver);
    m_holdTimer.stop();
    m_holding = false;
    // Their time is up (a timer may end a little early): what comes now is
    // this command's.
    m_outstanding.dropOwedAcknowledgements();
}

bool SerialLink::write(const QString &command)
{
    if (m_waiting || !isConnected())
        return false;
    writeUnawaited(command);
    return true;
}

bool SerialLink::poll(const QString &command)
{
    if (!write(command))
        return false;
    emit transmitLamp(true);
    tmrTx->setEnabled(true);
    return true;
}

void SerialLink::writeUnawaited(const QString &command)
{
    const QByteArray bytes = command.toLatin1();
    m_outstanding.add(bytes, now() + UnawaitedReplyMs);
    cm.output(protocol::commandLine(bytes));
}

void SerialLink::tmrWait_Timer()
{
    WaitElapsed = true;
    tmrWait->setEnabled(false);
}

void SerialLink::tmrTx_Timer()
{
    tmrTx->setEnabled(false);
    emit transmitLamp(false);
}

void SerialLink::tmrRx_Timer()
{
    tmrRx->setEnabled(false);
    emit receiveLamp(false);
}

// The receive event: gather characters into lines and handle every complete
// line in the order it arrived; a partial tail waits for its carriage return.
void SerialLink::cm_OnComm()
{
    RxBuffer.append(cm.input());
    while (const auto line = RxBuffer.takeLine())
        dispatchLine(*line);
}

void SerialLink::dispatchLine(const QByteArray &line)
{
    emit receiveLamp(true);
    tmrRx->setEnabled(true);

    std::optional<OutstandingCommands::Entry> credited;
    if (const auto kind = protocol::replyKindOf(line))
        credited = m_outstanding.credit(*kind, now());

    switch (line.isEmpty() ? '\0' : line.front()) {
    case reply::Identity:
        emit identification(line);
        DeviceFound = true;
        break;
    case reply::Live:
        emit liveRecord(line);
        break;
    case reply::Level:
        emit levelRecord(line);
        break;
    case reply::Parameters:
        emit parameterBlock(line);
        break;
    case reply::Ok[0]:
        if (protocol::isOk(line) && acknowledgementCounts(credited))
            ReplyOk = true;
        break;
    case reply::Fail[0]:
        if (protocol::isFail(line) && acknowledgementCounts(credited))
            ReplyFail = true;
        break;
    default:
        break;
    }

    if (m_holding && !m_outstanding.acknowledgementOwedUntil(now()))
        m_holdOver = true;
}

// An answer owed to a command written without a wait (a setpoint, an output
// step) is that command's and sets no flag. The answer to the command being
// waited for sets its flag, and so does one that no command is owed: a
// second answer within a wait, or one that comes after every wait is over.
bool SerialLink::acknowledgementCounts(const std::optional<OutstandingCommands::Entry> &credited) const
{
    return !credited || (m_awaitedId != 0 && credited->id == m_awaitedId);
}

void SerialLink::onPortLost()
{
    // A port probed while searching that fails counts as silent.
    if (m_state != State::Connected)
        return;
    cm.close();
    RxBuffer.clear();
    m_outstanding.clear();
    DeviceFound = false;
    // A wait in progress ends unanswered.
    ReplyOk = false;
    ReplyFail = false;
    WaitElapsed = true;
    tmrWait->setEnabled(false);
    m_holdOver = true;
    tmrTx->setEnabled(false);
    tmrRx->setEnabled(false);
    emit transmitLamp(false);
    emit receiveLamp(false);
    setState(State::Lost);
    tmrReconnect->setEnabled(true);
}

void SerialLink::setState(State state)
{
    if (state == m_state && state != State::Searching)
        return;
    m_state = state;
    if (state == State::Connected)
        ++m_connections;
    emit stateChanged(state);
}

void SerialLink::rememberPort()
{
    m_portLabel = cm.portLabel(cm.commPort());
    m_portName = cm.deviceName(cm.commPort());
}

// One search round: the system's ports listed again, then each port that
// opens asked "?" in turn, driven by tmrProbe, so the window stays usable.
void SerialLink::tmrReconnect_Timer()
{
    if (m_probing || m_state != State::Lost)
        return;
    cm.refreshPorts();
    m_probing = true;
    m_probePort = 0;
    probeNextPort();
}

void SerialLink::probeNextPort()
{
    while (++m_probePort <= SerialPortControl::MaxPort) {
        cm.setCommPort(m_probePort);
        if (!cm.open())
            continue;
        RxBuffer.clear();
        m_outstanding.clear();
        DeviceFound = false;
        cm.output(protocol::commandLine(command::Identify));
        tmrProbe->setEnabled(true);
        return;
    }
    m_probing = false; // nothing answered: the next round tries again
}

void SerialLink::tmrProbe_Timer()
{
    tmrProbe->setEnabled(false);
    if (DeviceFound) {
        // Same controller or another: whichever identified itself is now connected.
        m_probing = false;
        tmrReconnect->setEnabled(false);
        m_outstanding.clear();
        rememberPort();
        setState(State::Connected);
        return;
    }
    cm.close();
    RxBuffer.clear();
    probeNextPort();
}
