// What the serial link hands the main window: the identification, the live
// and level records and the parameter block, and the state of the connection.
#include "app/frmMain.h"
#include "app/modMain.h"
#include "link/Protocol.h"
#include "params/ParameterSet.h"
#include "platform/Timer.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

void frmMain::showIdentification(const QByteArray &line)
{
    const protocol::Identity id = protocol::decodeIdentity(line);
    data.VersionNo = id.version;
    data.ModelNo = id.model;
    data.SerialNo = id.serial;
    lblVersion->setText(QStringLiteral("Version ") + data.VersionNo);
    lblModel->setText(QStringLiteral("Model No. ") + data.ModelNo);
    lblSerial->setText(QStringLiteral("Serial No. ") + data.SerialNo);
}

void frmMain::takeLiveRecord(const QByteArray &line)
{
    // The trend and the recording sample these values on their own tick.
    protocol::applyLiveRecord(line, Live);
    Sampling.liveRecord(now());
}

void frmMain::takeLevelRecord(const QByteArray &line)
{
    protocol::applyLevelRecord(line, Live);
    LevelAge.arrived(now());
}

void frmMain::takeParameterBlock(const QByteArray &line)
{
    // A block that cannot be taken as it stands (wrong length, a character
    // that is no hexadecimal digit, a word beyond 0..32767) leaves the
    // parameters as they were and opens nothing.
    if (params::DecodeParameterBlock(line, data.ParameterSet))
        ParamsReceived = true;
}

void frmMain::showConnection(SerialLink::State state)
{
    const QString usb = QStringLiteral("USB Port: ");
    lblUSB->setToolTip(QString());
    switch (state) {
    case SerialLink::State::Searching:
        return;
    case SerialLink::State::Connected:
        lblUSB->setText(usb + link.portLabel());
        lblConnect->setText(QStringLiteral("Connected"));
        cmdRun->setEnabled(true);
        FrameControlPanel->setEnabled(true);
        return;
    case SerialLink::State::NotFound:
        lblUSB->setText(usb + QStringLiteral("Not Found"));
        break;
    case SerialLink::State::NoPermission:
        lblUSB->setText(usb + QStringLiteral("No Permission (%1)").arg(link.portName()));
        lblUSB->setToolTip(QStringLiteral("This user may not open %1. Add the user to the group dialout "
                                          "(sudo adduser $USER dialout), then log out and in again.")
                               .arg(link.portName()));
        break;
    case SerialLink::State::Lost:
        // Nothing more comes: the last values are old from now on, and the
        // trend and a recording stop taking them.
        Sampling.expire(now());
        LevelAge.expire(now());
        leaveModesForLostLink();
        lblUSB->setText(usb + QStringLiteral("Lost (%1)").arg(link.portName()));
        lblUSB->setToolTip(QStringLiteral("The controller is searched for again every second."));
        break;
    }
    lblConnect->setText(QStringLiteral("Not Connected"));
    // The frame stays disabled whatever a mode that was running restores
    // inside it when its wait ends.
    cmdRun->setEnabled(false);
    FrameControlPanel->setEnabled(false);
}

// Polling, remote control and calibration stop as their own buttons would
// leave them, but nothing is sent. The output calibration window closes by
// itself; a recording keeps its samples, and the report and parameter
// windows stay open.
void frmMain::leaveModesForLostLink()
{
    if (cmdRun->text() != QLatin1String("Scan"))
        setScanning(false);
    if (cmdMonitor->text() != QLatin1String("Monitor"))
        setMonitoring(false);
    if (cmdRemoteControl->text() != QLatin1String("Remote Control"))
        dropRemoteControl();
    if (cmdCalibrate->text() != QLatin1String("Calibrate"))
        setCalibrating(false);
    if (!FrameSetup->isHidden())
        cmdCancelSetup_Click();
}
