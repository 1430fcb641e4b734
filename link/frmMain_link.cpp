// The serial link of the main window: port discovery, the reply wait, writing
// without a wait, the activity lamps, and the reply dispatcher.
#include "app/frmMain.h"
#include "app/modMain.h"
#include "link/Protocol.h"
#include "params/ParameterSet.h"
#include "platform/EventPump.h"
#include "platform/Numbers.h"
#include "platform/SerialPortControl.h"
#include "platform/Shape.h"
#include "platform/Timer.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {
const QColor LampIdle(192, 192, 192);
const QColor LampTx(255, 255, 0);
const QColor LampRx(0, 255, 0);
constexpr int DesignWaitMs = 50;
} // namespace

void frmMain::Connect()
{
    // First pass: which ports can be opened at all. Errors only mark a port
    // as unavailable.
    for (int p = 1; p <= SerialPortControl::MaxPort; ++p) {
        cm.setCommPort(p);
        PortAvailable[p] = cm.open();
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
        data.RxBuffer.clear();
        cm.output(protocol::commandLine("?"));
        data.WaitElapsed = false;
        tmrWait->setEnabled(true);
        m_waiting = true;
        pump::until(data.WaitElapsed);
        m_waiting = false;
        if (!DeviceFound) {
            cm.close();
            // What a silent port sent late must not prefix the next port's answer.
            data.RxBuffer.clear();
        }
    }

    if (DeviceFound) {
        lblUSB->setText(QStringLiteral("USB Port: ") + cm.portLabel(cm.commPort()));
        lblConnect->setText(QStringLiteral("Connected"));
    } else {
        lblUSB->setText(QStringLiteral("USB Port: Not Found"));
        cmdRun->setEnabled(false);
        FrameControlPanel->setEnabled(false);
    }
}

bool frmMain::SendAndWait(const QString &command, int waitMs)
{
    if (m_waiting)
        return false;
    m_waiting = true;
    data.TxCommand = command + QLatin1Char(protocol::CR);
    data.ReplyOk = false;
    data.ReplyFail = false;
    cm.output(data.TxCommand.toLatin1());
    tmrWait->setInterval(waitMs);
    data.WaitElapsed = false;
    tmrWait->setEnabled(true);
    // The wait always runs its full time: an early reply does not end it.
    pump::until(data.WaitElapsed);
    tmrWait->setInterval(DesignWaitMs);
    m_waiting = false;
    return true;
}

void frmMain::WriteLine(const QString &command)
{
    cm.output(protocol::commandLine(command.toLatin1()));
}

void frmMain::FlashTx()
{
    shpTx->setFillColor(LampTx);
    tmrTx->setEnabled(true);
}

void frmMain::FlashRx()
{
    shpRx->setFillColor(LampRx);
    tmrRx->setEnabled(true);
}

void frmMain::tmrWait_Timer()
{
    data.WaitElapsed = true;
    tmrWait->setEnabled(false);
}

void frmMain::tmrTx_Timer()
{
    tmrTx->setEnabled(false);
    shpTx->setFillColor(LampIdle);
}

void frmMain::tmrRx_Timer()
{
    tmrRx->setEnabled(false);
    shpRx->setFillColor(LampIdle);
}

// The receive event: gather characters into lines and handle every complete
// line in the order it arrived; a partial tail waits for its carriage return.
void frmMain::cm_OnComm()
{
    if (cm.commEvent() != SerialPortControl::ReceiveEvent)
        return;
    data.RxBuffer.append(cm.input());
    while (const auto line = data.RxBuffer.takeLine())
        dispatchLine(*line);
}

void frmMain::dispatchLine(const QByteArray &line)
{
    FlashRx();
    switch (line.isEmpty() ? '\0' : line.front()) {
    case '@': {
        const protocol::Identity id = protocol::decodeIdentity(line);
        data.VersionNo = id.version;
        data.ModelNo = id.model;
        data.SerialNo = id.serial;
        lblVersion->setText(QStringLiteral("Version ") + data.VersionNo);
        lblModel->setText(QStringLiteral("Model No. ") + data.ModelNo);
        lblSerial->setText(QStringLiteral("Serial No. ") + data.SerialNo);
        DeviceFound = true;
        break;
    }
    case 'C':
        // The trend and the recording sample these values on their own tick.
        protocol::applyLiveRecord(line, Live);
        Sampling.liveRecord(now());
        break;
    case 'A':
        protocol::applyLevelRecord(line, Live);
        LevelAge.arrived(now());
        break;
    case 'P':
        // A block that cannot be taken as it stands (wrong length, a word
        // beyond 0..32767) leaves the parameters as they were and opens nothing.
        if (params::DecodeParameterBlock(line, data.ParameterSet))
            ParamsReceived = true;
        break;
    case 'O':
        if (protocol::isOk(line))
            data.ReplyOk = true;
        break;
    case 'F':
        if (protocol::isFail(line))
            data.ReplyFail = true;
        break;
    default:
        break;
    }
}
