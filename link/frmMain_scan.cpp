// Scanning ("Scan" / "Stop") and monitoring ("Monitor" / "Exit Monitor"):
// both poll the controller every 100 ms with tmrScan (as calibration does).
#include "app/frmMain.h"
#include "link/Commands.h"
#include "platform/Timer.h"

#include <QGroupBox>
#include <QPushButton>

void frmMain::cmdRun_Click()
{
    // Not while a command waits for its answer: a poll would come between.
    if (isWaiting())
        return;
    setScanning(cmdRun->text() == QLatin1String("Scan"));
}

void frmMain::setScanning(bool on)
{
    if (!on) {
        tmrScan->setEnabled(false);
        cmdRun->setText(QStringLiteral("Scan"));
        lockOtherModes(cmdRun, false);
    } else {
        ScanPhase = 0;
        tmrScan->setEnabled(true);
        cmdRun->setText(QStringLiteral("Stop"));
        lockOtherModes(cmdRun, true);
    }
}

void frmMain::cmdMonitor_Click()
{
    if (isWaiting())
        return;
    setMonitoring(cmdMonitor->text() == QLatin1String("Monitor"));
}

void frmMain::setMonitoring(bool on)
{
    if (!on) {
        tmrScan->setEnabled(false);
        cmdMonitor->setText(QStringLiteral("Monitor"));
    } else {
        cmdMonitor->setText(QStringLiteral("Exit Monitor"));
    }
    lockOtherModes(cmdMonitor, on);
    if (on) {
        ScanPhase = 0;
        tmrScan->setEnabled(true);
    }
}

// One poll per tick: "?C" and "?A" in turn while scanning, only "?C" while
// monitoring and calibrating. A poll is written without a wait; the link refuses it while a
// command waits for its answer, and the turn is not lost.
void frmMain::tmrScan_Timer()
{
    if (!link.poll(QLatin1String(ScanPhase == 0 ? command::Live : command::Level)))
        return;
    if (cmdRun->text() == QLatin1String("Stop"))
        ScanPhase = (ScanPhase + 1) % 2;
}
