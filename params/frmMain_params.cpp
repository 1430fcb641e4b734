// The main window's Parameters button: read the parameter block, show the
// parameter list modally, then send what it prepared and report the answer.
#include "app/frmMain.h"
#include "link/Commands.h"
#include "app/modMain.h"
#include "params/ParameterSet.h"
#include "params/frmParameters.h"
#include "platform/Dialogs.h"

namespace {
constexpr int ReadWaitMs = 300;
constexpr int UploadWaitMs = 500;
} // namespace

void frmMain::cmdParameters_Click()
{
    if (isWaiting())
        return;

    // The dispatcher sets ParamsReceived only for a block it could decode.
    ParamsReceived = false;
    if (!SendAndWait(QLatin1String(command::Parameters), ReadWaitMs) || !ParamsReceived)
        return;

    data.UploadRequested = false;
    const int connection = link.connectionNumber();
    {
        frmParameters form(data, cdia, this);
        form.exec();
    }
    // Edits of one controller's block are not written into whatever
    // controller was plugged in while the window was open.
    if (link.connectionNumber() != connection)
        return;

    if (data.PendingUpload.size() != params::UploadLength || !data.UploadRequested)
        return;
    if (!SendAndWait(data.PendingUpload, UploadWaitMs))
        return;
    const QString title = QStringLiteral("Settings");
    if (link.ReplyOk)
        cdia.messageBox(QStringLiteral("Settings modified successfully"), title, MessageIcon::Information);
    if (link.ReplyFail)
        cdia.messageBox(QStringLiteral("Settings modification failed"), title, MessageIcon::Exclamation);
}
