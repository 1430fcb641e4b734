// Serial-number setup: behind the service access code, the "Setup" frame
// writes a new four-character serial number to the controller.
#include "app/frmMain.h"
#include "app/modMain.h"
#include "platform/Dialogs.h"
#include "service/DeviceAnswer.h"
#include "service/SerialNumber.h"

#include <QGroupBox>
#include <QLineEdit>

namespace {

void showSetupFrame(frmMain &w, bool shown)
{
    // While the frame is open, nothing else may talk to the controller.
    w.FrameSetup->setVisible(shown);
    w.lockOtherModes(w.cmdSetup, shown);
}

} // namespace

void frmMain::cmdSetup_Click()
{
    // A wrong code, or Cancel, silently does nothing.
    const QString code = cdia.inputBox(QStringLiteral("Enter Password"), QStringLiteral("Setup"), QStringLiteral("0"));
    if (service::isServiceCode(code))
        showSetupFrame(*this, true);
}

void frmMain::cmdSetupSend_Click()
{
    if (isWaiting())
        return;
    const QString serial = txtSetup->text();
    if (!service::isValidSerialNumber(serial)) {
        cdia.messageBox(QStringLiteral("Invalid Serial Number"), QString::fromLatin1(service::SerialNumberAnswer.title),
                        MessageIcon::Exclamation);
        return;
    }
    // The controller details are not refreshed: they show what the controller
    // reported when it was identified.
    if (SendAndWait(service::serialNumberCommand(serial), service::AnswerWaitMs))
        service::reportAnswer(cdia, link.ReplyOk, link.ReplyFail, service::SerialNumberAnswer);
}

void frmMain::cmdCancelSetup_Click()
{
    showSetupFrame(*this, false);
}
