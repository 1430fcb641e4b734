// PLACEHOLDER (replaced by the service work).
#include "app/frmMain.h"

void frmMain::cmdCalibrate_Click() {}
void frmMain::cmdCalib_Click(int) {}
void frmMain::cmdCalibOut_Click(int) {}
void frmMain::cmdRemoteControl_Click() {}
void frmMain::tmrRScan_Timer() {}
void frmMain::cmdUp_Click() {}
void frmMain::cmdDown_Click() {}
void frmMain::cmdSetup_Click() {}
void frmMain::cmdSetupSend_Click() {}
void frmMain::cmdCancelSetup_Click() {}
