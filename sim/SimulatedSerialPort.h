#pragma once
// PLACEHOLDER (replaced by the simulator work).
#include "platform/SerialPortControl.h"

class SimulatedSerialPort : public SerialPortControl
{
    Q_OBJECT
public:
    bool open() override { return false; }
    void close() override {}
    bool isOpen() const override { return false; }
    void output(const QByteArray &) override {}
    QByteArray input() override { return {}; }
};
