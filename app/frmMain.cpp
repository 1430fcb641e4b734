#include "app/frmMain.h"

#include "app/frmSplash.h"
#include "app/modMain.h"
#include "display/TrendChart.h"
#include "platform/Dialogs.h"
#include "platform/EventPump.h"
#include "platform/PictureBox.h"
#include "platform/SerialPortControl.h"
#include "platform/Timer.h"
#include "recording/frmHistory.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QColor LampIdle(192, 192, 192);
const QColor LampTx(255, 255, 0);
const QColor LampRx(0, 255, 0);
} // namespace

frmMain::frmMain(modMain &data, SerialPortControl &cm, Dialogs &cdia, QWidget *parent)
    : QWidget(parent), data(data), cdia(cdia), link(cm)
{
    // tmrDisp and tmrRecLabel start once the display is prepared (Form_Load).
    tmrRecLabel = new Timer(500, false, this);
    tmrRScan = new Timer(100, false, this);
    tmrDisp = new Timer(250, false, this);
    tmrScan = new Timer(100, false, this);
    tmrSample = new Timer(SampleClock::PeriodMs, true, this);
    buildLayout();
    connectHandlers();
    cdia.setOwner(this);
}

frmMain::~frmMain()
{
    // Windows opened from here go with the main window.
    delete m_history;
    delete m_splash;
    if (cdia.owner() == this)
        cdia.setOwner(nullptr);
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (!SettleUnsavedRecording(QStringLiteral("The recording has not been saved. Save it before closing?"))) {
        event->ignore();
        return;
    }
    if (m_history)
        m_history->close();
    QWidget::closeEvent(event);
}

void frmMain::connectHandlers()
{
    connect(&link, &SerialLink::identification, this, &frmMain::showIdentification);
    connect(&link, &SerialLink::liveRecord, this, &frmMain::takeLiveRecord);
    connect(&link, &SerialLink::levelRecord, this, &frmMain::takeLevelRecord);
    connect(&link, &SerialLink::parameterBlock, this, &frmMain::takeParameterBlock);
    connect(&link, &SerialLink::stateChanged, this, &frmMain::showConnection);
    connect(&link, &SerialLink::transmitLamp, this, [this](bool lit) { shpTx->setFillColor(lit ? LampTx : LampIdle); });
    connect(&link, &SerialLink::receiveLamp, this, [this](bool lit) { shpRx->setFillColor(lit ? LampRx : LampIdle); });
    connect(tmrScan, &Timer::tick, this, &frmMain::tmrScan_Timer);
    connect(tmrDisp, &Timer::tick, this, &frmMain::tmrDisp_Timer);
    connect(tmrSample, &Timer::tick, this, &frmMain::tmrSample_Timer);
    connect(tmrRecLabel, &Timer::tick, this, &frmMain::tmrRecLabel_Timer);
    connect(tmrRScan, &Timer::tick, this, &frmMain::tmrRScan_Timer);

    connect(cmdRun, &QPushButton::clicked, this, &frmMain::cmdRun_Click);
    connect(cmdMonitor, &QPushButton::clicked, this, &frmMain::cmdMonitor_Click);
    connect(picDial, &PictureBox::mouseMove, this, &frmMain::picDial_MouseMove);
    connect(cmdRecord, &QPushButton::clicked, this, &frmMain::cmdRecord_Click);
    connect(cmdPause, &QPushButton::clicked, this, &frmMain::cmdPause_Click);
    connect(cmdReport, &QPushButton::clicked, this, &frmMain::cmdReport_Click);
    connect(cmdParameters, &QPushButton::clicked, this, &frmMain::cmdParameters_Click);
    connect(cmdCalibrate, &QPushButton::clicked, this, &frmMain::cmdCalibrate_Click);
    for (int i = 0; i < int(cmdCalib.size()); ++i)
        connect(cmdCalib[i], &QPushButton::clicked, this, [this, i] { cmdCalib_Click(i); });
    for (int i = 0; i < int(cmdCalibOut.size()); ++i)
        connect(cmdCalibOut[i], &QPushButton::clicked, this, [this, i] { cmdCalibOut_Click(i); });
    connect(cmdRemoteControl, &QPushButton::clicked, this, &frmMain::cmdRemoteControl_Click);
    connect(cmdUp, &QPushButton::clicked, this, &frmMain::cmdUp_Click);
    connect(cmdDown, &QPushButton::clicked, this, &frmMain::cmdDown_Click);
    connect(cmdSetup, &QPushButton::clicked, this, &frmMain::cmdSetup_Click);
    connect(cmdSetupSend, &QPushButton::clicked, this, &frmMain::cmdSetupSend_Click);
    // Enter in the new serial number writes it.
    connect(txtSetup, &QLineEdit::returnPressed, cmdSetupSend, &QPushButton::click);
    connect(cmdCancelSetup, &QPushButton::clicked, this, &frmMain::cmdCancelSetup_Click);
}

void frmMain::Form_Load()
{
    RemoteSetpointText = QStringLiteral("0000");
    Paused = false;
    Recording = false;

    if (!m_splash)
        m_splash = new frmSplash;
    m_splash->show();
    pump::processPending();

    pic->setScale(chart::ScaleWidth, chart::ScaleHeight);
    PrepareDisplay();
    Live = LiveValues();
    Plot();
    // The display is ready: its timers may tick from here on, also while
    // Connect waits for answers.
    tmrDisp->setEnabled(true);
    tmrRecLabel->setEnabled(true);
    Connect();

    delete m_splash;
}
