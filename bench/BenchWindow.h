#pragma once
// What the window benchmarks share: a port that delivers whatever the
// benchmark hands it, and dialogs that answer nothing.
#include "platform/Dialogs.h"
#include "platform/SerialPortControl.h"

#include <utility>

class LoopbackPort : public SerialPortControl
{
public:
    QByteArray pending;
    bool open() override { return true; }
    void close() override {}
    bool isOpen() const override { return true; }
    void output(const QByteArray &) override {}
    QByteArray input() override { return std::exchange(pending, {}); }
    // Raises the receive event with `bytes` waiting.
    void receive(const QByteArray &bytes)
    {
        pending = bytes;
        raiseReceiveEvent();
    }
};

class NoDialogs : public Dialogs
{
public:
    void messageBox(const QString &, const QString &, MessageIcon) override {}
    QString inputBox(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> openFileName() override { return std::nullopt; }
    std::optional<QString> saveFileName() override { return std::nullopt; }
};
