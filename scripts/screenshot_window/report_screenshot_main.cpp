// Grabs the report window as it looks in use: records the built-in simulated
// actuator's step pattern (sampled every 100 ms of its own clock, as the tool
// records live readings), saves it as a record file, opens it through the
// main window's "Report" button, chooses a step in the table and saves the
// report window.
//
//   velmora-report-screenshot MINUTES STEP OUTPUT.png WIDTH HEIGHT
#include "app/frmMain.h"
#include "app/modMain.h"
#include "link/Commands.h"
#include "link/LiveValues.h"
#include "link/Protocol.h"
#include "platform/QtDialogs.h"
#include "recording/RecordFile.h"
#include "recording/frmHistory.h"
#include "sim/ActuatorModel.h"
#include "sim/SimulatedSerialPort.h"

#include <QApplication>
#include <QEventLoop>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The file dialog answers with the recording; everything else as Qt shows it.
class RecordingDialogs : public QtDialogs
{
public:
    explicit RecordingDialogs(QString path) : m_path(std::move(path)) {}
    std::optional<QString> openFileName() override { return m_path; }

private:
    QString m_path;
};

std::vector<RecordSample> record(int samples)
{
    ActuatorModel model;
    std::vector<RecordSample> recorded;
    for (int i = 0; i < samples; ++i) {
        model.advance(100);
        LiveValues live;
        protocol::applyLiveRecord(model.answer(command::Live), live);
        recorded.push_back({live.sp.value, live.pv.value});
    }
    return recorded;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 6) {
        std::fprintf(stderr, "usage: velmora-report-screenshot MINUTES STEP OUTPUT.png WIDTH HEIGHT\n");
        return 2;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("step-test.txt"));
    if (!recordfile::write(path, record(int(args.at(1).toDouble() * 600)))) {
        std::fprintf(stderr, "velmora-report-screenshot: cannot write the recording\n");
        return 1;
    }

    SimulatedSerialPort port;
    modMain data;
    RecordingDialogs dialogs(path);
    frmMain window(data, port, dialogs);
    window.Form_Load();
    window.show();
    wait(300);
    window.cmdReport->click();
    frmHistory *report = window.findChild<frmHistory *>();
    if (!report) {
        std::fprintf(stderr, "velmora-report-screenshot: the report window did not open\n");
        return 1;
    }
    report->resize(args.at(4).toInt(), args.at(5).toInt());
    report->grdSteps->selectRow(args.at(2).toInt() - 1);
    report->grdSteps->setFocus();
    wait(500);
    if (!report->grab().save(args.at(3))) {
        std::fprintf(stderr, "velmora-report-screenshot: cannot write %s\n", qPrintable(args.at(3)));
        return 1;
    }
    std::printf("wrote %s\n", qPrintable(args.at(3)));
    return 0;
}
