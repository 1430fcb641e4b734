// Recording under the main chart ("REC" / "STOP RC", "PAUSE" / "RESUME", the
// blinking marker and the sample counter) and the "Report" button.
#include "app/frmMain.h"
#include "app/modMain.h"
#include "platform/Dialogs.h"
#include "platform/Numbers.h"
#include "platform/WindowPlacement.h"
#include "recording/RecordFile.h"
#include "recording/frmHistory.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace {

const QString RecordingTitle = QStringLiteral("Recording");
const QColor RecMarkerColour(0, 255, 0);
const QColor FullMarkerColour(255, 64, 64);

bool isFull(int32_t count) { return count >= RecordCapacity; }

// "REC" blinks while a recording grows; "FULL" stays lit once it cannot.
void showRecMarker(QLabel *marker, bool full)
{
    const QString caption = full ? QStringLiteral("FULL") : QStringLiteral("REC");
    if (marker->text() == caption)
        return;
    marker->setText(caption);
    QPalette pal = marker->palette();
    pal.setColor(QPalette::WindowText, full ? FullMarkerColour : RecMarkerColour);
    marker->setPalette(pal);
}

} // namespace

// Called by the sample tick while recording and not paused. A full buffer
// ignores further samples; the counter stops with it and the marker says so.
void frmMain::RecordLiveSample()
{
    if (appendSample(data.RecordBuffer, data.RecordCount, {Live.sp.value, Live.pv.value})) {
        RecordingSaved = false;
        lblHistory->setText(num::zeroPadded(data.RecordCount, 5));
    }
    if (isFull(data.RecordCount)) {
        showRecMarker(lblRec, true);
        lblRec->show();
    }
}

bool frmMain::SaveRecording()
{
    const std::span<const RecordSample> samples(data.RecordBuffer.data(), size_t(data.RecordCount));
    for (;;) {
        const std::optional<QString> name = cdia.saveFileName();
        if (!name)
            return false;
        // A failed save leaves an existing file of that name as it was, and
        // the samples here until they are saved or discarded.
        QString reason;
        if (recordfile::write(*name, samples, &reason)) {
            RecordingSaved = true;
            return true;
        }
        cdia.messageBox(QStringLiteral("The recording could not be saved as \"%1\".\n%2\nChoose another name or folder.")
                            .arg(*name, reason),
                        RecordingTitle, MessageIcon::Exclamation);
    }
}

bool frmMain::SettleUnsavedRecording(const QString &question)
{
    if (RecordingSaved || data.RecordCount == 0)
        return true;
    switch (cdia.askToSave(question, RecordingTitle)) {
    case SaveChoice::Save:
        if (Recording) {
            cmdRecord->setText(QStringLiteral("REC"));
            Recording = false;
            lblHistory->hide();
            lblRec->hide();
        }
        return SaveRecording();
    case SaveChoice::Discard:
        RecordingSaved = true;
        return true;
    case SaveChoice::Cancel:
        break;
    }
    return false;
}

void frmMain::cmdRecord_Click()
{
    if (cmdRecord->text() == QLatin1String("REC")) {
        // A new recording takes the place of the last one.
        if (!SettleUnsavedRecording(QStringLiteral("The last recording has not been saved. Save it before a new one starts?")))
            return;
        cmdRecord->setText(QStringLiteral("STOP RC"));
        Recording = true;
        lblHistory->show();
        data.RecordCount = 0;
        showRecMarker(lblRec, false);
        return;
    }
    cmdRecord->setText(QStringLiteral("REC"));
    Recording = false;
    lblHistory->hide();
    // Samples are no longer taken while the dialog is open. A cancelled
    // dialog keeps the recording; it is offered again before it would be lost.
    SaveRecording();
}

void frmMain::cmdPause_Click()
{
    if (cmdPause->text() == QLatin1String("PAUSE")) {
        cmdPause->setText(QStringLiteral("RESUME"));
        lblPause->show();
        Paused = true;
    } else {
        cmdPause->setText(QStringLiteral("PAUSE"));
        lblPause->hide();
        Paused = false;
    }
}

void frmMain::tmrRecLabel_Timer()
{
    if (!Recording)
        lblRec->hide();
    else if (isFull(data.RecordCount))
        lblRec->show();
    else
        lblRec->setHidden(!lblRec->isHidden());
}

void frmMain::cmdReport_Click()
{
    const std::optional<QString> name = cdia.openFileName();
    if (name)
        OpenReport(*name);
}

bool frmMain::OpenReport(const QString &fileName)
{
    // Read whole before anything is replaced: a refused file leaves the
    // report data and an open window as they were.
    QString reason;
    const std::optional<std::vector<RecordSample>> samples = recordfile::read(fileName, &reason);
    if (!samples) {
        cdia.messageBox(QStringLiteral("\"%1\" cannot be shown as a record.\n%2").arg(fileName, reason),
                        QStringLiteral("Report"), MessageIcon::Exclamation);
        return false;
    }
    std::copy(samples->begin(), samples->end(), data.ReportBuffer.begin());
    data.ReportCount = int32_t(samples->size());

    if (!m_history) {
        // A window of its own that belongs to the main window, so that closing
        // the main window still ends the program while a report is open.
        m_history = new frmHistory(data, cdia, this);
        m_history->setAttribute(Qt::WA_DeleteOnClose);
        placement::centreOn(*m_history, *this);
    }
    m_history->setWindowTitle(QStringLiteral("Report - ") + QFileInfo(fileName).fileName());
    m_history->Form_Load();
    m_history->show();
    m_history->raise();
    m_history->activateWindow();
    return true;
}
