// Renders the main window after a fixed run of records, as it stands on the
// screen and as a fresh full paint, so that two builds can be compared pixel
// by pixel. Run under an X server (xvfb-run):
//
//   render-window SCREEN.png FULL.png
//
// SCREEN.png is read back from the X server after the window has painted the
// records one by one; FULL.png is the window painted afresh in one go.
#include "app/frmMain.h"
#include "app/modMain.h"
#include "bench/NoDialogs.h"
#include "platform/SerialPortControl.h"

#include <QApplication>
#include <QEventLoop>
#include <QScreen>
#include <QTimer>
#include <cmath>
#include <cstdio>

namespace {

// Port 1 holds a controller that identifies itself; records are handed in.
class FixedPort : public SerialPortControl
{
public:
    QByteArray pending;
    bool open() override { return m_open = commPort() == 1; }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    void output(const QByteArray &data) override
    {
        if (data == "?\r")
            QTimer::singleShot(5, this, [this] { receive("@V4.1DMK00042S123\r"); });
    }
    QByteArray input() override { return std::exchange(pending, {}); }
    void receive(const QByteArray &bytes)
    {
        pending += bytes;
        raiseReceiveEvent();
    }

private:
    bool m_open = false;
};

void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

QByteArray field(int tenths)
{
    return QByteArray::number(tenths).rightJustified(5, ' ');
}

// Record n of a fixed run: SP steps between 20 % and 80 %, PV follows with ripple.
QByteArray liveRecord(int n)
{
    const int sp = (n / 40) % 2 ? 800 : 200;
    const int pv = int(500 + 300 * std::sin(n / 9.0));
    const QByteArray flags = sp > pv ? "10" : "01";
    return "C" + field(sp) + "," + field(pv) + "," + field(sp - pv) + "," + flags + "\r";
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: render-window SCREEN.png FULL.png\n");
        return 2;
    }
    FixedPort port;
    modMain data;
    NoDialogs dialogs;
    frmMain window(data, port, dialogs);
    window.Form_Load();
    window.resize(1010, 640);
    window.move(0, 0);
    window.show();
    wait(300);

    for (int n = 0; n < 160; ++n) {
        port.receive(liveRecord(n) + (n % 4 == 0 ? "A  " + QByteArray::number(600 + n) + "," + (n % 8 ? "1" : "0") + "\r" : ""));
        wait(n % 10 == 0 ? 30 : 3);
    }
    wait(600); // lamps back to idle, a display refresh, everything painted

    const QPixmap screen = window.screen()->grabWindow(window.winId());
    const QPixmap full = window.grab();
    if (!screen.save(QString::fromLocal8Bit(argv[1])) || !full.save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "render-window: cannot write the images\n");
        return 1;
    }
    return 0;
}
