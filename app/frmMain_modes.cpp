// The mode lock: scanning, monitoring, calibration, remote control and
// serial-number setup run one at a time, so no poll comes between a command
// and its answer.
#include "app/frmMain.h"

#include <QGroupBox>
#include <QPushButton>

void frmMain::lockOtherModes(QPushButton *running, bool locked)
{
    const bool enabled = !locked;
    if (running == cmdRun) {
        // Scan stays in the Connect frame; the whole control panel waits.
        FrameControlPanel->setEnabled(enabled);
        return;
    }
    FrameConnect->setEnabled(enabled);
    if (running == cmdSetup) {
        // The setup frame talks to the controller alone.
        FrameControlPanel->setEnabled(enabled);
        return;
    }
    // A mode of the control panel keeps its own button, whose caption leads
    // back out, and Report, which only reads a file.
    for (QPushButton *button : {cmdMonitor, cmdCalibrate, cmdParameters, cmdRemoteControl, cmdSetup}) {
        if (button != running)
            button->setEnabled(enabled);
    }
}
