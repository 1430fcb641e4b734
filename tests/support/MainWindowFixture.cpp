#include "MainWindowFixture.h"

#include <QtTest>

MainWindowFixture::MainWindowFixture()
    : window(std::make_unique<frmMain>(data, port, dialogs))
{
    window->setClock(clock);
}

MainWindowFixture::~MainWindowFixture()
{
    window.reset();
}

void MainWindowFixture::startWithDevice()
{
    port.setAvailablePorts({2});
    port.answer("?", Identification, 5);
    window->Form_Load();
    window->show();
    port.clearWrites();
}

void MainWindowFixture::startWithoutDevice()
{
    port.setAvailablePorts({});
    window->Form_Load();
    window->show();
}

void MainWindowFixture::sample()
{
    clock.advance(SampleClock::PeriodMs);
    window->tmrSample_Timer();
}

void MainWindowFixture::run(int ms)
{
    QTest::qWait(ms);
}
