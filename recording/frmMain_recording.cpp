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

// Called by the dispatcher for each live record while recording and not
// paused. A full buffer ignores further samples; the counter stops with it.
void frmMain::RecordLiveSample()
{
    if (appendSample(data.RecordBuffer, data.RecordCount, {Live.sp.value, Live.pv.value}))
        lblHistory->setText(num::zeroPadded(data.RecordCount, 5));
}

void frmMain::cmdRecord_Click()
{
    if (cmdRecord->text() == QLatin1String("REC")) {
        cmdRecord->setText(QStringLiteral("STOP RC"));
        Recording = true;
        lblHistory->show();
        data.RecordCount = 0;
        return;
    }
    cmdRecord->setText(QStringLiteral("REC"));
    Recording = false;
    lblHistory->hide();
    // Replies that arrive while the dialog is open are no longer recorded.
    const std::optional<QString> name = cdia.saveFileName();
    if (!name)
        return;
    // A failed save is abandoned without a message; an existing file of that
    // name stays as it was.
    recordfile::write(*name, std::span<const RecordSample>(data.RecordBuffer.data(), size_t(data.RecordCount)));
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
    if (Recording)
        lblRec->setHidden(!lblRec->isHidden());
    else
        lblRec->hide();
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
    const std::optional<std::vector<RecordSample>> samples = recordfile::read(fileName);
    if (!samples)
        return false;
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
