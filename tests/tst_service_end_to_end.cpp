// The service functions end to end: the real main window on the QSerialPort
// implementation, talking over a pseudo-terminal to the simulated controller.
#include "TestHelpers.h"
#include "ScriptedDialogs.h"
#include "app/frmMain.h"
#include "app/modMain.h"
#include "platform/PortMap.h"
#include "platform/QtSerialPortControl.h"
#include "service/frmCalOut.h"
#include "sim/PtyServer.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {

// The tool as it starts: discovery on the one serial device, the terminal.
struct Tool
{
    modMain data;
    QtSerialPortControl port;
    ScriptedDialogs dialogs;
    frmMain window;

    explicit Tool(const QString &devicePath)
        : port(PortMap({devicePath})), window(data, port, dialogs)
    {
        window.Form_Load();
        window.show();
    }
};

ShownMessage message(const char *text, const char *title, MessageIcon icon)
{
    return {QString::fromLatin1(text), QString::fromLatin1(title), icon};
}

} // namespace

class tst_ServiceEndToEnd : public QObject
{
    Q_OBJECT
private slots:
    void remoteControlMovesTheValveToTheDialSetpoint()
    {
        // The valve starts closed and its own signal asks for 0 %; it rises
        // quickly and sinks slowly, so that PV still stands where remote
        // control left it when the tool reads it back.
        ActuatorConfig config;
        config.startPosition = 0;
        config.signalSteps = {0};
        config.upTravelMs = 5000;
        config.downTravelMs = 100000;
        PtyServer server(config);
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        Tool tool(server.devicePath());
        QVERIFY(tool.window.link.DeviceFound);

        tool.window.RemoteSetpoint = 420;
        for (int i = 0; i < 5; ++i)
            click(tool.window.cmdUp);
        QCOMPARE(tool.window.RemoteSetpointText, QStringLiteral("0425"));

        click(tool.window.cmdRemoteControl);
        const ShownMessage on = message("Remote Control Mode ON", "Remote Control", MessageIcon::Information);
        QCOMPARE(tool.dialogs.messages, QList<ShownMessage>{on});
        QVERIFY(server.model().remoteControl());
        QTRY_COMPARE(server.model().setpoint(), 425);
        QTRY_VERIFY_WITH_TIMEOUT(qAbs(server.model().pvReading() - 425) <= 20, 15000);
        // The tool asks for the live record with every setpoint: the PV box
        // follows the valve to the dial's setpoint, shown as current.
        QTRY_VERIFY_WITH_TIMEOUT(qAbs(tool.window.txtPV->text().toDouble() - 42.5) <= 2.0, 3000);
        QCOMPARE(tool.window.Live.sp.raw, int16_t(425));
        QCOMPARE(tool.window.txtPV->palette().color(QPalette::Base), QColor(128, 255, 128));

        click(tool.window.cmdRemoteControl);
        const ShownMessage off = message("Remote Control Mode OFF", "Remote Control", MessageIcon::Information);
        QCOMPARE(tool.dialogs.messages, (QList<ShownMessage>{on, off}));
        QVERIFY(!server.model().remoteControl());

        // Scanning reads PV back where the setpoint took it, and SP from the
        // controller's own signal again.
        click(tool.window.cmdRun);
        QTRY_COMPARE(tool.window.Live.sp.raw, int16_t(0));
        click(tool.window.cmdRun);
        QVERIFY2(qAbs(tool.window.Live.pv.raw - 425) <= 30, qPrintable(tool.window.Live.pv.text));
        QCOMPARE(tool.window.Live.sp.raw, int16_t(0));
    }

    void serialNumberWriteShowsInTheNextIdentification()
    {
        PtyServer server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        auto tool = std::make_unique<Tool>(server.devicePath());
        QCOMPARE(tool->window.lblSerial->text(), QStringLiteral("Serial No. S123"));

        tool->dialogs.inputAnswers.enqueue(QStringLiteral("8261"));
        click(tool->window.cmdSetup);
        QVERIFY(tool->window.FrameSetup->isVisible());
        tool->window.txtSetup->setText(QStringLiteral("E2E9"));
        click(tool->window.cmdSetupSend);
        QCOMPARE(tool->dialogs.messages,
                 QList<ShownMessage>{message("Serial Number Modified", "Edit SN", MessageIcon::Information)});
        // This run keeps showing what the controller reported at start.
        QCOMPARE(tool->window.lblSerial->text(), QStringLiteral("Serial No. S123"));

        tool.reset(); // the port goes with the window
        Tool next(server.devicePath());
        QCOMPARE(next.data.SerialNo, QStringLiteral("E2E9"));
        QCOMPARE(next.window.lblSerial->text(), QStringLiteral("Serial No. E2E9"));
    }

    void outputCalibrationDrivesAndStoresTheOutput()
    {
        PtyServer server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        Tool tool(server.devicePath());
        click(tool.window.cmdCalibrate);

        bool heldWhileOpen = false;
        int trialAfterStep = -1;
        QTimer::singleShot(0, [&] {
            auto *w = qobject_cast<frmCalOut *>(QApplication::activeModalWidget());
            if (!w)
                return;
            w->optFine->setChecked(true);
            click(w->cmdUp);
            click(w->cmdSetOut[2]);
            heldWhileOpen = server.model().outputCalibration();
            trialAfterStep = server.model().outputTrial();
            click(w->cmdExit);
        });
        click(tool.window.cmdCalibOut[0]);
        QVERIFY(heldWhileOpen);
        QCOMPARE(trialAfterStep, 60);
        QCOMPARE(server.model().parameters().Cout50, int16_t(60));
        QCOMPARE(tool.dialogs.messages,
                 QList<ShownMessage>{message("Calibration successful", "Settings", MessageIcon::Information)});
        // "%Q+" is not awaited; the controller takes it a moment later.
        QTRY_VERIFY(!server.model().outputCalibration());
    }
};

QTEST_MAIN(tst_ServiceEndToEnd)
#include "tst_service_end_to_end.moc"
