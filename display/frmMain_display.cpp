// PLACEHOLDER (replaced by the live-display work): value boxes, picture, dial, chart.
#include "app/frmMain.h"

void frmMain::PrepareDisplay() {}
void frmMain::tmrDisp_Timer() {}
void frmMain::UpdateDial() {}
void frmMain::picDial_MouseMove(Qt::MouseButtons, double, double) {}
void frmMain::Plot() {}
