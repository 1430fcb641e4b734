// PLACEHOLDER (replaced by the parameter work).
#include "app/frmMain.h"

void frmMain::cmdParameters_Click() {}
