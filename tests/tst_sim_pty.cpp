// The simulated controller served on a pseudo-terminal (velmora-sim).
#include "sim/PtyServer.h"

#include <QtTest>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

// One program's use of the terminal: open, write, read what arrives.
class Client
{
public:
    explicit Client(const QString &path) : m_fd(::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {}
    ~Client()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }
    void write(const QByteArray &bytes) { QCOMPARE(::write(m_fd, bytes.constData(), bytes.size()), ssize_t(bytes.size())); }
    // What arrives until `length` characters are in, or two seconds pass.
    QByteArray read(qsizetype length)
    {
        QByteArray data;
        QDeadlineTimer deadline(2000);
        while (data.size() < length && !deadline.hasExpired()) {
            char buffer[256];
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n > 0)
                data.append(buffer, n);
            else
                QTest::qWait(5);
        }
        return data;
    }

private:
    int m_fd;
};

const QByteArray Identification = "@V4.1DMK00042S123\r";

} // namespace

class tst_SimPty : public QObject
{
    Q_OBJECT
private slots:
    void terminalIsRaw9600()
    {
        PtyServer server;
        QVERIFY2(server.start(), qPrintable(server.errorString()));
        QVERIFY(server.devicePath().startsWith(QLatin1String("/dev/")));
        Client client(server.devicePath());
        QVERIFY(client.isOpen());
        termios settings{};
        QCOMPARE(::tcgetattr(client.fd(), &settings), 0);
        QCOMPARE(::cfgetispeed(&settings), speed_t(B9600));
        QCOMPARE(::cfgetospeed(&settings), speed_t(B9600));
        QCOMPARE(settings.c_lflag & (ICANON | ECHO | ISIG), tcflag_t(0));
        QCOMPARE(settings.c_cflag & CSIZE, tcflag_t(CS8));
        QCOMPARE(settings.c_cflag & (PARENB | CSTOPB), tcflag_t(0));
    }

    void answersLinesInOrder()
    {
        PtyServer server;
        QVERIFY(server.start());
        server.model().setReplyTiming({5, 3, 2});
        Client client(server.devicePath());
        QVERIFY(client.isOpen());
        client.write("?\r?P");
        client.write("\r*SNQ777\r?\r");
        const QByteArray parameters = server.model().answer("?P");
        const QByteArray expected = Identification + parameters + "OK\r" + "@V4.1DMK00042Q777\r";
        QCOMPARE(client.read(expected.size()), expected);
    }

    void servesOneProgramAfterAnother()
    {
        PtyServer server;
        QVERIFY(server.start());
        for (int round = 0; round < 3; ++round) {
            Client client(server.devicePath());
            QVERIFY(client.isOpen());
            client.write("?\r");
            QCOMPARE(client.read(Identification.size()), Identification);
        }
    }
};

QTEST_GUILESS_MAIN(tst_SimPty)
#include "tst_sim_pty.moc"
