// Real time end to end: the real main window scanning and monitoring the
// simulated controller over a pseudo-terminal records 10 samples per second
// of real time, and the report measures a 20 s stroke of the valve as 20 s.
// Both modes run at once, each with its own controller and its own tool.
#include "ScriptedDialogs.h"
#include "app/frmMain.h"
#include "app/modMain.h"
#include "platform/PortMap.h"
#include "platform/QtSerialPortControl.h"
#include "recording/RecordFile.h"
#include "recording/frmHistory.h"
#include "sim/PtyServer.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

// The valve rests at 0 % until its signal steps to 100 % at StrokeStartMs;
// the control bands are the narrowest, so it travels at full speed (20 s for
// the whole stroke) until it stands at 99.9 %.
constexpr int StrokeStartMs = 13000;

ActuatorConfig strokeConfig()
{
    ActuatorConfig config;
    config.startPosition = 0;
    config.upTravelMs = 20000;
    config.signalHoldMs = StrokeStartMs;
    config.signalSteps = {0, 1000, 1000, 1000, 1000};
    return config;
}

struct Run
{
    PtyServer server{strokeConfig()};
    modMain data;
    std::unique_ptr<QtSerialPortControl> port;
    ScriptedDialogs dialogs;
    std::unique_ptr<frmMain> window;
    QElapsedTimer recordingTime;
    qint64 tenSecondRecordingMs = 0;

    bool start(bool monitoring)
    {
        if (!server.start())
            return false;
        ParameterSet bands = server.model().parameters();
        bands.CoarseControlUp = bands.CoarseControlDn = 1;
        bands.FineControlUp = bands.FineControlDn = 1;
        server.model().setParameters(bands);
        port = std::make_unique<QtSerialPortControl>(PortMap({server.devicePath()}));
        window = std::make_unique<frmMain>(data, *port, dialogs);
        window->Form_Load();
        window->show();
        (monitoring ? window->cmdMonitor : window->cmdRun)->click();
        return window->link.isConnected();
    }
    void startRecording()
    {
        window->cmdRecord->click();
        recordingTime.start();
    }
    qint64 stopRecording(const QString &path)
    {
        dialogs.saveAnswers.enqueue(path);
        window->cmdRecord->click();
        return recordingTime.elapsed();
    }
};

// The first sample at or above `level` percent PV.
int firstSampleAtOrAbove(const std::vector<RecordSample> &samples, float level)
{
    for (size_t i = 0; i < samples.size(); ++i)
        if (samples[i].pv >= level)
            return int(i);
    return -1;
}

} // namespace

class tst_E2eRealTime : public QObject
{
    Q_OBJECT

private slots:
    void recordingsFollowRealTimeInBothModes()
    {
        QTemporaryDir dir;
        Run scanning, monitoring;
        QVERIFY2(scanning.start(false), qPrintable(scanning.server.errorString()));
        QVERIFY2(monitoring.start(true), qPrintable(monitoring.server.errorString()));
        Run *const runs[] = {&scanning, &monitoring};
        const char *const names[] = {"scanning", "monitoring"};
        QTRY_VERIFY(scanning.window->Sampling.live().any() && monitoring.window->Sampling.live().any());

        // Ten seconds of recording, at rest.
        for (Run *run : runs)
            run->startRecording();
        QTest::qWait(10000);
        for (int m = 0; m < 2; ++m) {
            Run &run = *runs[m];
            const QString path = dir.filePath(QStringLiteral("%1-10s.txt").arg(QLatin1String(names[m])));
            const qint64 elapsed = run.stopRecording(path);
            const std::optional<std::vector<RecordSample>> samples = recordfile::read(path);
            QVERIFY(samples);
            const int expected = int(elapsed / 100);
            qInfo("%s: %lld ms recorded as %zu samples", names[m], elapsed, samples->size());
            QVERIFY2(qAbs(int(samples->size()) - expected) <= 2, names[m]);
            QVERIFY2(qAbs(int(samples->size()) - 100) <= 2 || elapsed > 10200, names[m]);
        }

        // The stroke: the signal steps to 100 % at 13 s; record until the
        // valve has stood at the top for a moment.
        for (Run *run : runs)
            run->startRecording();
        QTRY_VERIFY_WITH_TIMEOUT(scanning.window->Live.pv.raw >= 999 && monitoring.window->Live.pv.raw >= 999, 40000);
        QTest::qWait(1000);

        for (int m = 0; m < 2; ++m) {
            Run &run = *runs[m];
            const QString path = dir.filePath(QStringLiteral("%1-stroke.txt").arg(QLatin1String(names[m])));
            run.stopRecording(path);
            // "Report" stands in the control panel, which scanning locks.
            if (m == 0)
                run.window->cmdRun->click();

            // The operator opens the file in the report window and clicks
            // where PV leaves 0 % and where it arrives at the top.
            run.dialogs.openAnswers.enqueue(path);
            run.window->cmdReport->click();
            frmHistory *report = run.window->findChild<frmHistory *>();
            QVERIFY2(report && report->isVisible(),
                     qPrintable(run.dialogs.messages.isEmpty() ? QString() : run.dialogs.messages.last().text));
            const std::vector<RecordSample> samples(run.data.ReportBuffer.begin(),
                                                    run.data.ReportBuffer.begin() + run.data.ReportCount);
            const int leaves = firstSampleAtOrAbove(samples, 0.1f);
            const int arrives = firstSampleAtOrAbove(samples, 99.9f);
            QVERIFY2(leaves > 0 && arrives > leaves, names[m]);
            const int k = report->scale().k;
            report->pic_MouseDown(Qt::LeftButton, 1000 + k * leaves, 10000);
            report->pic_MouseDown(Qt::LeftButton, 1000 + k * arrives, 1000);
            report->cmdTravelUp->click();
            const QString shown = report->lblTravel[0]->text();
            const QRegularExpressionMatch time =
                QRegularExpression(QStringLiteral("^Travel Time \\(0% to 100%\\) : (\\d+\\.\\d)s$")).match(shown);
            QVERIFY2(time.hasMatch(), qPrintable(shown));
            qInfo("%s: the 20 s stroke measures %s", names[m], qPrintable(shown));
            QVERIFY2(qAbs(time.captured(1).toDouble() - 20.0) <= 0.3, qPrintable(shown));
        }
    }
};

QTEST_MAIN(tst_E2eRealTime)
#include "tst_e2e_real_time.moc"
