#pragma once
// The main window: exists for the whole run, holds the serial link, the
// timers, the live state and what the link's replies change. The serial port
// and the dialogs are main()'s; the window only uses them. Its
// handlers live with their subsystem: link/ (discovery, waits, dispatcher,
// scanning), display/ (value boxes, picture, dial, chart), recording/ (REC,
// PAUSE, Report), params/ (Parameters) and service/ (calibration, remote
// control, serial-number setup).
#include "display/ActuatorGeometry.h"
#include "display/SampleClock.h"
#include "link/LiveValues.h"
#include "link/SerialLink.h"
#include "link/TrendBuffer.h"
#include "platform/Clock.h"

#include <QPointer>
#include <QWidget>
#include <array>

class Dialogs;
class PictureBox;
class PictureImage;
class PictureShape;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SerialPortControl;
class Shape;
class Timer;
class frmHistory;
class frmSplash;
struct modMain;

class frmMain : public QWidget
{
    Q_OBJECT
public:
    frmMain(modMain &data, SerialPortControl &cm, Dialogs &cdia, QWidget *parent = nullptr);
    ~frmMain() override;

    // The start-up sequence: splash, pictures, live values, empty chart, port
    // search. The window is shown after it returns.
    void Form_Load();

    // --- link/: the serial link, what arrives on it, scanning and monitoring ---
    void Connect() { link.Connect(); }
    // See SerialLink::SendAndWait: the whole wait, the reply flags on the link.
    bool SendAndWait(const QString &command, int waitMs) { return link.SendAndWait(command, waitMs); }
    bool isWaiting() const { return link.isWaiting(); }
    void cmdRun_Click();
    void cmdMonitor_Click();
    void tmrScan_Timer();

    // --- display/: live values, actuator picture, dial, trend chart ---
    void PrepareDisplay();
    void tmrDisp_Timer();
    // The 100 ms sample tick: shifts the latest live values into the trend
    // and, when recording, into the record.
    void tmrSample_Timer();
    void UpdateDial();
    void picDial_MouseMove(Qt::MouseButtons buttons, double x, double y);
    void Plot();

    // --- recording/: recording, pause, report ---
    void RecordLiveSample();
    // Asks for a file name until the recording is saved (true) or the
    // operator cancels (false); a failed write is reported and asked again.
    bool SaveRecording();
    // Before samples not yet saved would be lost: asks save, discard or
    // cancel. True when they are saved or may go.
    bool SettleUnsavedRecording(const QString &question);
    void cmdRecord_Click();
    void cmdPause_Click();
    void tmrRecLabel_Timer();
    void cmdReport_Click();
    // Shows a record file in the report window; false, changing nothing, when
    // the file is refused.
    bool OpenReport(const QString &fileName);

    // --- params/: the parameter list ---
    void cmdParameters_Click();

    // --- service/: calibration, remote control, serial-number setup ---
    void cmdCalibrate_Click();
    void cmdCalib_Click(int index);
    void cmdCalibOut_Click(int index);
    void cmdRemoteControl_Click();
    void tmrRScan_Timer();
    void cmdUp_Click();
    void cmdDown_Click();
    void cmdSetup_Click();
    void cmdSetupSend_Click();
    void cmdCancelSetup_Click();

    // Scanning (cmdRun), monitoring, calibration, remote control and setup
    // run one at a time: while `running` runs, the controls that would start
    // another one are disabled (app/frmMain_modes.cpp).
    void lockOtherModes(QPushButton *running, bool locked);

    // --- shared state ---
    modMain &data;
    Dialogs &cdia;
    SerialLink link;

    LiveValues Live;
    TrendBuffer Trend;
    bool Paused = false;
    bool Recording = false;
    bool ParamsReceived = false;
    int ScanPhase = 0;
    int16_t RemoteSetpoint = 0;
    QString RemoteSetpointText = QStringLiteral("0000");
    int16_t DialLastX = 0;
    ActuatorGeometry Geometry;
    // The sample clock with the age of the live values, and the age of the
    // level values.
    SampleClock Sampling;
    Freshness LevelAge;
    // Samples taken since the last save or discard.
    bool RecordingSaved = true;

    // Time as the sample tick and the value ages see it; tests set their own.
    void setClock(const Clock &clock) { m_clock = &clock; }
    qint64 now() const { return m_clock->nowMs(); }

    // --- controls ---
    // actuator picture
    PictureBox *picActuator = nullptr;
    PictureShape *shpCylinder = nullptr;
    PictureShape *shpPiston = nullptr;
    PictureImage *imgSP = nullptr;
    PictureShape *shpOil = nullptr;
    PictureShape *shpLevel = nullptr;
    // live values and lamps
    QLineEdit *txtSP = nullptr;
    QLineEdit *txtPV = nullptr;
    QLineEdit *txtER = nullptr;
    QLineEdit *txtLV = nullptr;
    Shape *shpUp = nullptr;
    Shape *shpDn = nullptr;
    Shape *shpRelay = nullptr;
    // trend
    PictureBox *pic = nullptr;
    std::array<QLabel *, 2> lblLegend{};
    std::array<QWidget *, 2> LineLegend{};
    QPushButton *cmdPause = nullptr;
    QPushButton *cmdRecord = nullptr;
    QLabel *lblHistory = nullptr;
    QLabel *lblRec = nullptr;
    QLabel *lblPause = nullptr;
    // control panel
    QGroupBox *FrameControlPanel = nullptr;
    QPushButton *cmdCalibrate = nullptr;
    QPushButton *cmdRemoteControl = nullptr;
    QPushButton *cmdParameters = nullptr;
    QPushButton *cmdSetup = nullptr;
    QPushButton *cmdMonitor = nullptr;
    QPushButton *cmdReport = nullptr;
    // calibration
    QGroupBox *FrameCalib = nullptr;
    std::array<QLabel *, 5> Label12{};
    std::array<QPushButton *, 10> cmdCalib{};
    std::array<QPushButton *, 2> cmdCalibOut{};
    // serial-number setup
    QGroupBox *FrameSetup = nullptr;
    QLabel *lblSetup = nullptr;
    QLineEdit *txtSetup = nullptr;
    QPushButton *cmdSetupSend = nullptr;
    QPushButton *cmdCancelSetup = nullptr;
    // dial
    PictureBox *picDial = nullptr;
    PictureShape *shpDial = nullptr;
    PictureShape *shpKnob = nullptr;
    QLabel *Label7 = nullptr;
    QLineEdit *txtRSP = nullptr;
    QPushButton *cmdUp = nullptr;
    QPushButton *cmdDown = nullptr;
    // connect and controller details
    QGroupBox *FrameConnect = nullptr;
    QPushButton *cmdRun = nullptr;
    QLabel *lblConnect = nullptr;
    Shape *shpRx = nullptr;
    Shape *shpTx = nullptr;
    QLabel *lblUSB = nullptr;
    QLabel *lblModel = nullptr;
    QLabel *lblSerial = nullptr;
    QLabel *lblVersion = nullptr;
    // timers
    Timer *tmrRecLabel = nullptr;
    Timer *tmrRScan = nullptr;
    Timer *tmrDisp = nullptr;
    Timer *tmrScan = nullptr;
    Timer *tmrSample = nullptr;

protected:
    // Closing the main window ends the program: nothing is sent, a recording
    // not yet saved is offered for saving, and an open report window closes
    // with it.
    void closeEvent(QCloseEvent *event) override;

private:
    void buildLayout();
    void setKeyboardOrder();
    void connectHandlers();
    // What the link hands over (link/frmMain_link.cpp).
    void showIdentification(const QByteArray &line);
    void takeLiveRecord(const QByteArray &line);
    void takeLevelRecord(const QByteArray &line);
    void takeParameterBlock(const QByteArray &line);
    void showConnection(SerialLink::State state);
    // Back to idle without a word to the controller, which is gone.
    void leaveModesForLostLink();
    void setScanning(bool on);
    void setMonitoring(bool on);
    void setCalibrating(bool on);
    void dropRemoteControl();

    SteadyClock m_steadyClock;
    const Clock *m_clock = &m_steadyClock;
    QPointer<frmSplash> m_splash;
    QPointer<frmHistory> m_history;
};
