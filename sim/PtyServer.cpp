#include "sim/PtyServer.h"

#include "link/Commands.h"

#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PtyServer::PtyServer(ActuatorConfig config, QObject *parent) : QObject(parent), m_model(std::move(config))
{
    connect(&m_replies, &ReplyScheduler::deliver, this, &PtyServer::writeReply);
}

PtyServer::~PtyServer()
{
    stop();
}

bool PtyServer::start()
{
    if (m_controller >= 0)
        return true;
    termios settings{};
    ::cfmakeraw(&settings);
    ::cfsetispeed(&settings, B9600);
    ::cfsetospeed(&settings, B9600);
    settings.c_cflag |= CLOCAL | CREAD; // 8N1 from cfmakeraw, no flow control
    char name[256] = {};
    if (::openpty(&m_controller, &m_device, name, &settings, nullptr) != 0) {
        m_error = QStringLiteral("No pseudo-terminal: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        m_controller = m_device = -1;
        return false;
    }
    ::fcntl(m_controller, F_SETFL, ::fcntl(m_controller, F_GETFL) | O_NONBLOCK);
    ::fcntl(m_controller, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_device, F_SETFD, FD_CLOEXEC);
    m_devicePath = QString::fromLocal8Bit(name);
    m_clock.start();
    m_notifier = new QSocketNotifier(m_controller, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PtyServer::readCommands);
    return true;
}

void PtyServer::stop()
{
    m_replies.clear();
    delete m_notifier;
    m_notifier = nullptr;
    delete m_writable;
    m_writable = nullptr;
    delete m_stream;
    m_stream = nullptr;
    if (m_controller >= 0)
        ::close(m_controller);
    if (m_device >= 0)
        ::close(m_device);
    m_controller = m_device = -1;
}

void PtyServer::readCommands()
{
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(m_controller, buffer, sizeof buffer);
        if (n > 0) {
            for (const QByteArray &command : m_commands.feed(QByteArray(buffer, n))) {
                if (m_stream)
                    m_stream->start(m_streamMs);
                m_model.advanceTo(m_clock.elapsed());
                const QByteArray reply = m_model.answer(command);
                if (!reply.isEmpty())
                    m_replies.schedule(reply, m_model.replyTiming());
            }
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            // The terminal reports a hang-up: listen again a little later
            // rather than spin on it.
            m_notifier->setEnabled(false);
            QTimer::singleShot(50, this, [this] {
                if (m_notifier)
                    m_notifier->setEnabled(true);
            });
        }
        return;
    }
}

void PtyServer::streamLiveRecords(int perSecond, int seconds)
{
    if (m_stream || m_controller < 0)
        return;
    m_streamMs = qint64(seconds) * 1000;
    auto record = [this] {
        m_model.advanceTo(m_clock.elapsed());
        return m_model.answer(command::Live);
    };
    auto write = [this](const char *data, qsizetype size) -> qsizetype {
        for (;;) {
            const ssize_t n = ::write(m_controller, data, size_t(size));
            if (n < 0 && errno == EINTR)
                continue;
            return n > 0 ? qsizetype(n) : 0;
        }
    };
    m_stream = new RecordStream(record, perSecond, write, this);
    m_writable = new QSocketNotifier(m_controller, QSocketNotifier::Write, this);
    m_writable->setEnabled(false);
    connect(m_stream, &RecordStream::blocked, m_writable, [this] { m_writable->setEnabled(true); });
    connect(m_writable, &QSocketNotifier::activated, m_stream, [this] {
        m_writable->setEnabled(false);
        m_stream->flush();
    });
}

// A reply nobody reads is dropped once the terminal's buffer is full (in a
// stream it waits in the stream's queue instead).
void PtyServer::writeReply(const QByteArray &piece)
{
    if (m_stream) {
        m_stream->send(piece);
        return;
    }
    const char *data = piece.constData();
    qsizetype left = piece.size();
    while (left > 0 && m_controller >= 0) {
        const ssize_t n = ::write(m_controller, data, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        data += n;
        left -= n;
    }
}
