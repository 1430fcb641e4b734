#pragma once
// The real main window, offscreen, on a scripted port with scripted dialogs.
#include "ManualClock.h"
#include "ScriptedDialogs.h"
#include "ScriptedSerialPort.h"
#include "app/frmMain.h"
#include "app/modMain.h"

#include <memory>

struct MainWindowFixture
{
    static constexpr const char *Identification = "@V4.1DMK00042S123\r";

    modMain data;
    // The window's clock stands still: the trend and the recording take a
    // sample only when a test moves it and ticks (sample()).
    ManualClock clock;
    ScriptedSerialPort port;
    ScriptedDialogs dialogs;
    std::unique_ptr<frmMain> window;

    MainWindowFixture();
    ~MainWindowFixture();

    // A controller on port 2 that identifies itself; runs the start-up
    // sequence and shows the window.
    void startWithDevice();
    // No ports at all; runs the start-up sequence and shows the window.
    void startWithoutDevice();
    // Moves the clock on by one sample period and runs the sample tick.
    void sample();
    // Handles events for `ms` milliseconds of real time.
    static void run(int ms);
};
