// Calibration mode of the main window and the zero / span calibration of the
// five inputs.
#include "app/frmMain.h"
#include "app/modMain.h"
#include "service/DeviceAnswer.h"
#include "platform/Timer.h"
#include "service/InputCalibration.h"

#include <QGroupBox>
#include <QPushButton>

namespace {
const QString CalibrateCaption = QStringLiteral("Calibrate");
const QString ExitCalibrateCaption = QStringLiteral("Exit Calibrate");
} // namespace

void frmMain::cmdCalibrate_Click()
{
    // Leaving during a calibration's wait would free the Scan button, and a
    // poll would come between the command and its answer.
    if (isWaiting())
        return;
    setCalibrating(cmdCalibrate->text() == CalibrateCaption);
}

void frmMain::setCalibrating(bool entering)
{
    // The caption holds the mode.
    cmdCalibrate->setText(entering ? ExitCalibrateCaption : CalibrateCaption);
    lockOtherModes(cmdCalibrate, entering);
    FrameCalib->setEnabled(entering);
    // The live record is polled as while monitoring, so the engineer sees
    // what the inputs read; the link holds polls back while a calibration
    // command waits for its answer.
    ScanPhase = 0;
    tmrScan->setEnabled(entering);
}

void frmMain::cmdCalib_Click(int index)
{
    // One wait at a time: a press while another command waits would have its
    // answer credited to that command.
    if (isWaiting())
        return;
    if (!SendAndWait(service::calibrationCommand(index), service::AnswerWaitMs))
        return;
    service::reportAnswer(cdia, link.ReplyOk, link.ReplyFail, service::CalibrationAnswer);
}
