// PLACEHOLDER (replaced by the recording work).
#include "app/frmMain.h"
#include "app/modMain.h"

#include <QLabel>

void frmMain::RecordLiveSample()
{
    if (appendSample(data.RecordBuffer, data.RecordCount, {Live.sp.value, Live.pv.value}))
        lblHistory->setText(QString::number(data.RecordCount).rightJustified(5, QLatin1Char('0')));
}
void frmMain::cmdRecord_Click() {}
void frmMain::cmdPause_Click() {}
void frmMain::tmrRecLabel_Timer() {}
void frmMain::cmdReport_Click() {}
