// "Export...": the samples or the step table as CSV, or the chart as PNG.
#include "recording/frmHistory.h"

#include "platform/Dialogs.h"
#include "platform/PictureBox.h"
#include "recording/ReportExport.h"
#include "recording/StepTableModel.h"

#include <QDir>

void frmHistory::exportFile(const std::function<QString(const QString &)> &save)
{
    // The dialogs show over this window while it asks.
    QWidget *const previousOwner = cdia.owner();
    cdia.setOwner(this);
    const std::optional<QString> name = cdia.saveFileName();
    if (name) {
        const QString reason = save(*name);
        if (!reason.isEmpty())
            cdia.messageBox(QStringLiteral("Could not save %1:\n%2").arg(QDir::toNativeSeparators(*name), reason),
                            QStringLiteral("Export"), MessageIcon::Exclamation);
    }
    cdia.setOwner(previousOwner);
}

void frmHistory::mnuExportSamples_Click()
{
    exportFile([this](const QString &path) { return reportexport::saveBytes(path, reportexport::samplesCsv(samples())); });
}

void frmHistory::mnuExportSteps_Click()
{
    exportFile([this](const QString &path) {
        return reportexport::saveBytes(path, reportexport::stepsCsv(m_steps->steps()));
    });
}

void frmHistory::mnuExportChart_Click()
{
    exportFile([this](const QString &path) { return reportexport::savePng(path, pic->grab().toImage()); });
}
