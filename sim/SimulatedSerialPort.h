#pragma once
// The serial-port control connected in-process to the simulated controller
// (`velmora --simulate`). The controller sits on port 1, which the normal
// discovery finds; every other port fails to open. Replies arrive on the
// event loop after the model's reply latency, possibly in pieces, each piece
// raising the receive event, as on a real line.
#include "platform/SerialPortControl.h"
#include "sim/ActuatorModel.h"
#include "sim/CommandReader.h"
#include "sim/ReplyScheduler.h"

#include <QElapsedTimer>
#include <functional>

class SimulatedSerialPort : public SerialPortControl
{
    Q_OBJECT
public:
    static constexpr int DevicePort = 1;

    // The model runs on the real clock, from the moment the port is made.
    explicit SimulatedSerialPort(QObject *parent = nullptr);
    // The model runs on `clock` (milliseconds), e.g. a fixed time in tests.
    explicit SimulatedSerialPort(std::function<qint64()> clock, QObject *parent = nullptr);

    bool open() override;
    void close() override;
    bool isOpen() const override { return m_open; }
    void output(const QByteArray &data) override;
    QByteArray input() override;
    QString portLabel(int port) const override;

    ActuatorModel &model() { return m_model; }

private:
    void receive(const QByteArray &piece);

    std::function<qint64()> m_clock;
    ActuatorModel m_model;
    CommandReader m_commands;
    ReplyScheduler m_replies;
    QByteArray m_inbox;
    bool m_open = false;
};
