#pragma once
#include <QIcon>

// The program's icon (the one installed for the desktop), drawn at the sizes
// window managers and task bars ask for.
QIcon appIcon();
