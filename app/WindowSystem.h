#pragma once
#include <QApplication>
#include <memory>

// Opens the application on the display. When no window system can be reached
// (no DISPLAY, a display that does not answer) Qt would abort the program;
// here that becomes one line on stderr and exit status 1. Messages Qt prints
// while it starts are passed on once it has started.
std::unique_ptr<QApplication> openWindowSystem(int &argc, char **argv);
