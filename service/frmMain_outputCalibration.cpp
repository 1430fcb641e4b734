// Opening the output calibration window from the main window's
// "Calibrate Output" / "Calibrate Feedback" buttons.
#include "app/frmMain.h"
#include "link/Commands.h"
#include "app/modMain.h"
#include "platform/Dialogs.h"
#include "service/frmCalOut.h"

void frmMain::cmdCalibOut_Click(int index)
{
    // The window's store buttons wait for answers; opened from inside a
    // running wait, it would hold that wait open and every store would be
    // refused until it closed.
    if (isWaiting())
        return;
    data.FeedbackMode = index != 0;
    if (!link.write(QLatin1String(command::OutputCalibrationStart)))
        return;
    {
        frmCalOut window(link, data, cdia, this);
        QWidget *previousOwner = cdia.owner();
        cdia.setOwner(&window); // its messages belong above it
        window.ShowModal();
        cdia.setOwner(previousOwner);
    }
    // However the window was closed, the controller gets its output back
    // once (unless it is gone).
    link.write(QLatin1String(command::OutputCalibrationEnd));
}
