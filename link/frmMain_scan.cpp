// Scanning ("Scan" / "Stop") and monitoring ("Monitor" / "Exit Monitor"):
// both poll the controller every 100 ms with tmrScan.
#include "app/frmMain.h"
#include "platform/Timer.h"

#include <QGroupBox>
#include <QPushButton>

void frmMain::cmdRun_Click()
{
    if (cmdRun->text() != QLatin1String("Scan")) {
        tmrScan->setEnabled(false);
        cmdRun->setText(QStringLiteral("Scan"));
        FrameControlPanel->setEnabled(true);
    } else {
        ScanPhase = 0;
        tmrScan->setEnabled(true);
        cmdRun->setText(QStringLiteral("Stop"));
        FrameControlPanel->setEnabled(false);
    }
}

void frmMain::cmdMonitor_Click()
{
    const bool leaving = cmdMonitor->text() != QLatin1String("Monitor");
    if (leaving) {
        tmrScan->setEnabled(false);
        cmdMonitor->setText(QStringLiteral("Monitor"));
    } else {
        cmdMonitor->setText(QStringLiteral("Exit Monitor"));
    }
    for (QPushButton *button : {cmdCalibrate, cmdParameters, cmdRemoteControl, cmdSetup})
        button->setEnabled(leaving);
    FrameConnect->setEnabled(leaving);
    if (!leaving) {
        ScanPhase = 0;
        tmrScan->setEnabled(true);
    }
}

// One poll per tick: "?C" and "?A" in turn while scanning, only "?C" while
// monitoring. A poll is written without a wait.
void frmMain::tmrScan_Timer()
{
    WriteLine(ScanPhase == 0 ? QStringLiteral("?C") : QStringLiteral("?A"));
    FlashTx();
    if (cmdMonitor->text() == QLatin1String("Monitor"))
        ScanPhase = (ScanPhase + 1) % 2;
}
