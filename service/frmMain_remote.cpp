// Remote control: the main window supplies the controller's setpoint from the
// dial, ten times a second, while the controller is switched to remote.
#include "app/frmMain.h"
#include "app/modMain.h"
#include "link/Commands.h"
#include "platform/Timer.h"
#include "service/DeviceAnswer.h"
#include "service/RemoteSetpoint.h"

#include <QGroupBox>
#include <QPushButton>

namespace {

const QString RemoteControlCaption = QStringLiteral("Remote Control");
const QString ExitControlCaption = QStringLiteral("Exit Control");

void enterRemoteControl(frmMain &w)
{
    w.cmdRemoteControl->setText(ExitControlCaption);
    w.lockOtherModes(w.cmdRemoteControl, true);
    w.SendAndWait(QLatin1String(command::RemoteOn), service::AnswerWaitMs);
    // Only the answer to "%R1" counts: its wait clears the flags again.
    if (!w.SendAndWait(QLatin1String(command::RemoteStart), service::AnswerWaitMs))
        return;
    if (w.link.ReplyOk) {
        service::RemoteOnAnswer.showSuccess(w.cdia);
        w.tmrRScan->setEnabled(true);
    }
    if (w.link.ReplyFail)
        service::RemoteOnAnswer.showFailure(w.cdia);
}

void leaveRemoteControl(frmMain &w)
{
    // The setpoint stops first, whatever the controller answers to "%C1".
    w.tmrRScan->setEnabled(false);
    if (w.SendAndWait(QLatin1String(command::RemoteOff), service::AnswerWaitMs))
        service::reportAnswer(w.cdia, w.link.ReplyOk, w.link.ReplyFail, service::RemoteOffAnswer);
    w.cmdRemoteControl->setText(RemoteControlCaption);
    w.lockOtherModes(w.cmdRemoteControl, false);
}

} // namespace

void frmMain::cmdRemoteControl_Click()
{
    // Both ways wait for answers. Refusing a press during a wait also keeps
    // "Exit Control" from slipping in between "%C0" and "%R1", where the
    // answer to "%C1" would be taken for the answer to "%R1" and start the
    // setpoint again after leaving.
    if (isWaiting())
        return;
    if (cmdRemoteControl->text() == RemoteControlCaption)
        enterRemoteControl(*this);
    else
        leaveRemoteControl(*this);
}

void frmMain::dropRemoteControl()
{
    tmrRScan->setEnabled(false);
    cmdRemoteControl->setText(RemoteControlCaption);
    lockOtherModes(cmdRemoteControl, false);
}

void frmMain::tmrRScan_Timer()
{
    // Not confirmed: a lost setpoint is replaced by the next tick's. The
    // live record asked for after it lets PV, the picture and the chart
    // follow the valve being driven (33 of the 96 characters a 100 ms tick
    // carries at 9600 baud).
    if (link.poll(service::setpointCommand(RemoteSetpointText)))
        link.poll(QLatin1String(command::Live));
}

void frmMain::cmdUp_Click()
{
    RemoteSetpoint = service::steppedSetpoint(RemoteSetpoint, +1);
    UpdateDial();
}

void frmMain::cmdDown_Click()
{
    RemoteSetpoint = service::steppedSetpoint(RemoteSetpoint, -1);
    UpdateDial();
}
