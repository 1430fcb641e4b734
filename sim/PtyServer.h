#pragma once
// Serves the simulated controller on a pseudo-terminal, so that the tool (or
// any terminal program) reaches it through an ordinary serial device path.
// The terminal is raw, 9600 baud, 8N1. The server keeps the terminal's device
// side open itself, so a program may open and close it any number of times.
#include "sim/ActuatorModel.h"
#include "sim/CommandReader.h"
#include "sim/RecordStream.h"
#include "sim/ReplyScheduler.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

class QSocketNotifier;

class PtyServer : public QObject
{
    Q_OBJECT
public:
    explicit PtyServer(ActuatorConfig config = {}, QObject *parent = nullptr);
    ~PtyServer() override;

    // Opens the terminal and starts answering; false (see errorString()) when
    // the system gives no pseudo-terminal.
    bool start();
    // The device path to open, e.g. "/dev/pts/3"; empty before start().
    QString devicePath() const { return m_devicePath; }
    QString errorString() const { return m_error; }

    ActuatorModel &model() { return m_model; }

    // Sends live records unpolled, `perSecond` a second, from the first
    // command on (the receiver has opened the terminal by then), for
    // `seconds` (0: until the end). Replies then queue behind the records
    // instead of being dropped on a full terminal.
    void streamLiveRecords(int perSecond, int seconds = 0);
    // Lines written whole since the stream started; 0 without a stream.
    qint64 linesSent() const { return m_stream ? m_stream->linesSent() : 0; }

private:
    void readCommands();
    void writeReply(const QByteArray &piece);
    void stop();

    ActuatorModel m_model;
    CommandReader m_commands;
    ReplyScheduler m_replies;
    QElapsedTimer m_clock;
    QSocketNotifier *m_notifier = nullptr;
    RecordStream *m_stream = nullptr;
    qint64 m_streamMs = 0;
    QSocketNotifier *m_writable = nullptr;
    int m_controller = -1; // the server's side (master)
    int m_device = -1;     // the device side (slave), held open
    QString m_devicePath;
    QString m_error;
};
