// The live display of the main window: value boxes, actuator picture, lamps,
// the remote-setpoint dial and the trend chart, driven by scripted replies.
#include "MainWindowFixture.h"
#include "platform/PictureBox.h"
#include "platform/Shape.h"
#include "platform/Timer.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QtTest>

Q_DECLARE_METATYPE(Qt::MouseButtons)

namespace {

const QColor Black(0, 0, 0);
const QColor Red(255, 0, 0);
const QColor Green(0, 255, 0);

QStringList boxes(const frmMain &w)
{
    return {w.txtSP->text(), w.txtPV->text(), w.txtER->text(), w.txtLV->text()};
}

QPointF centreOf(const PictureControl &c)
{
    return {c.left() + c.width() / 2, c.top() + c.height() / 2};
}

bool near(QPointF a, QPointF b)
{
    return qAbs(a.x() - b.x()) < 1e-3 && qAbs(a.y() - b.y()) < 1e-3;
}

// The last SP and PV segments of the chart: they end at the newest reading.
std::pair<DrawItem, DrawItem> newestSegments(const PictureBox &pic)
{
    const auto &items = pic.drawing().items();
    return {items[items.size() - 2], items[items.size() - 1]};
}

} // namespace

class tst_LiveDisplay : public QObject
{
    Q_OBJECT

    static void receive(MainWindowFixture &f, const QByteArray &bytes)
    {
        f.port.deliver(bytes);
        QTest::qWait(10);
    }

private slots:
    void startsWithDashesAndEverythingAtRest()
    {
        MainWindowFixture f;
        f.startWithDevice();
        frmMain &w = *f.window;
        QTRY_COMPARE(boxes(w), (QStringList{"---", "---", "---", "---"}));
        for (const Shape *lamp : {w.shpUp, w.shpDn, w.shpRelay})
            QCOMPARE(lamp->fillColor(), Black);
        // Pointer middle and piston bottom at the cylinder bottom; empty tank.
        const double cylinderBottom = w.shpCylinder->top() + w.shpCylinder->height();
        QCOMPARE(w.imgSP->top() + w.imgSP->height() / 2, cylinderBottom);
        QCOMPARE(w.shpPiston->top() + w.shpPiston->height(), cylinderBottom);
        QCOMPARE(w.shpLevel->height(), 0.0);
        QCOMPARE(w.shpLevel->top(), w.shpOil->top() + w.shpOil->height());
        // The remote-setpoint box keeps its design text until the dial moves.
        QCOMPARE(w.txtRSP->text(), QStringLiteral("0.0"));
        QCOMPARE(w.RemoteSetpointText, QStringLiteral("0000"));
        // The empty chart: frame, labels and both curves on the bottom line.
        QCOMPARE(w.pic->drawing().items().size(), size_t(246));
        QCOMPARE(newestSegments(*w.pic).first.to, QPointF(11000, 11000));
    }

    void preparesTheDialAndTheActuatorMeasures()
    {
        MainWindowFixture f;
        f.startWithDevice();
        frmMain &w = *f.window;
        QCOMPARE(w.picDial->width(), w.picDial->height());
        QCOMPARE(w.picDial->scaleWidth(), 1000.0);
        QCOMPARE(w.picDial->scaleHeight(), 1000.0);
        QCOMPARE(w.shpDial->height(), w.shpDial->width());
        QCOMPARE(centreOf(*w.shpDial), QPointF(500, 500));
        QCOMPARE(w.picDial->drawing().items().size(), size_t(13));
        QVERIFY(near(centreOf(*w.shpKnob), {287.8994, 712.1635}));
        QCOMPARE(w.Geometry.pointerSpan, 4335);
        QCOMPARE(w.Geometry.pointerOffset, 240);
        QCOMPARE(w.Geometry.pistonSpan, 4080);
        QCOMPARE(w.Geometry.pistonOffset, 480);
        QCOMPARE(w.Geometry.tankHeight, 1815);
    }

    void repliesShowOnTheNextRefresh()
    {
        MainWindowFixture f;
        f.startWithDevice();
        frmMain &w = *f.window;
        w.tmrDisp->setEnabled(false);
        w.tmrDisp_Timer();
        receive(f, "C  455,  400,   55,10\rA  725,1\r");
        QCOMPARE(boxes(w), (QStringList{"---", "---", "---", "---"}));
        QCOMPARE(w.shpUp->fillColor(), Black);

        w.tmrDisp_Timer();
        QCOMPARE(boxes(w), (QStringList{"45.5", "40.0", "5.5", "72.5"}));
        QCOMPARE(w.shpUp->fillColor(), Red);
        QCOMPARE(w.shpDn->fillColor(), Black);
        QCOMPARE(w.shpRelay->fillColor(), Green);
        // 45.5 % places at 46, 72.5 % at 72 (halves to even).
        QCOMPARE(w.imgSP->top(), 54 * 4335 / 100.0 + 240);
        QCOMPARE(w.shpPiston->top(), 60 * 4080 / 100.0 + 480);
        QCOMPARE(w.shpLevel->height(), 72 * 1815 / 100.0);
        QCOMPARE(w.shpLevel->top() + w.shpLevel->height(), w.shpOil->top() + w.shpOil->height());
    }

    void refreshRunsOnItsOwnTimer()
    {
        MainWindowFixture f;
        f.startWithDevice();
        QVERIFY(f.window->tmrDisp->isEnabled());
        QCOMPARE(f.window->tmrDisp->interval(), 250);
        receive(f, "C  999, 1000,   -1,01\r");
        QTRY_COMPARE_WITH_TIMEOUT(boxes(*f.window), (QStringList{"99.9", "100.0", "-0.1", "---"}), 1000);
        QCOMPARE(f.window->shpDn->fillColor(), Red);
        QCOMPARE(f.window->shpPiston->top(), 480.0);
    }

    void faultyInputsShowTheirWordAtZero()
    {
        MainWindowFixture f;
        f.startWithDevice();
        frmMain &w = *f.window;
        receive(f, "C -300, -200,    0,00\rA -100,0\r");
        w.tmrDisp_Timer();
        QCOMPARE(boxes(w), (QStringList{"OPEN", "OVR", "0.0", "UNR"}));
        QCOMPARE(w.imgSP->top(), 4575.0);
        QCOMPARE(w.shpPiston->top(), 4560.0);
        QCOMPARE(w.shpLevel->height(), 0.0);
    }

    void lampsFollowTheFlags_data()
    {
        QTest::addColumn<QByteArray>("replies");
        QTest::addColumn<QColor>("up");
        QTest::addColumn<QColor>("down");
        QTest::addColumn<QColor>("relay");
        QTest::newRow("all off") << QByteArray("C  500,  500,    0,00\rA  500,0\r") << Black << Black << Black;
        QTest::newRow("up and relay") << QByteArray("C  500,  500,    0,10\rA  500,1\r") << Red << Black << Green;
        QTest::newRow("down") << QByteArray("C  500,  500,    0,01\rA  500,0\r") << Black << Red << Black;
        QTest::newRow("both valves") << QByteArray("C  500,  500,    0,11\rA  500,0\r") << Red << Red << Black;
    }
    void lampsFollowTheFlags()
    {
        QFETCH(QByteArray, replies);
        MainWindowFixture f;
        f.startWithDevice();
        receive(f, "C  500,  500,    0,11\rA  500,1\r"); // every lamp on first
        f.window->tmrDisp_Timer();
        receive(f, replies);
        f.window->tmrDisp_Timer();
        QTEST(f.window->shpUp->fillColor(), "up");
        QTEST(f.window->shpDn->fillColor(), "down");
        QTEST(f.window->shpRelay->fillColor(), "relay");
    }

    void chartDrawsEachLiveRecordAtTheRightEdge()
    {
        MainWindowFixture f;
        f.startWithDevice();
        receive(f, "C 1100, 1000,  100,00\r");
        f.sample();
        const auto [sp, pv] = newestSegments(*f.window->pic);
        QCOMPARE(sp.to, QPointF(11000, 0)); // 110 % in the top margin
        QCOMPARE(pv.to, QPointF(11000, 1000));
        QCOMPARE(sp.color, (Rgb{255, 255, 0}));
        QCOMPARE(pv.color, (Rgb{0, 255, 0}));
        QCOMPARE(f.window->pic->drawing().items().size(), size_t(246));
    }

    void pausedChartIsNotRedrawnButCatchesUp()
    {
        MainWindowFixture f;
        f.startWithDevice();
        frmMain &w = *f.window;
        receive(f, "C  200,  200,    0,00\r");
        f.sample();
        w.Paused = true;
        receive(f, "C  800,  700,  100,00\r");
        f.sample();
        f.sample();
        auto [sp, pv] = newestSegments(*w.pic);
        QCOMPARE(sp.to, QPointF(11000, 9000));
        QCOMPARE(pv.to, QPointF(11000, 9000));

        w.Paused = false;
        receive(f, "C  300,  300,    0,00\r");
        f.sample();
        // The newest reading at x 11000, the two paused ones just before it.
        const auto &items = w.pic->drawing().items();
        const size_t spLast = items.size() - 2, pvLast = items.size() - 1;
        QCOMPARE(items[spLast].from, QPointF(10900, 3000));
        QCOMPARE(items[spLast].to, QPointF(11000, 8000));
        QCOMPARE(items[pvLast].from, QPointF(10900, 4000));
        QCOMPARE(items[spLast - 2].from, QPointF(10800, 3000));
        QCOMPARE(items[pvLast - 2].from, QPointF(10800, 4000));
        QCOMPARE(items[spLast - 4].from, QPointF(10700, 9000));
    }

    void dialShowsTheRemoteSetpoint_data()
    {
        QTest::addColumn<int>("setpoint");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("sent");
        QTest::addColumn<QPointF>("knob");
        QTest::newRow("0") << 0 << "0.0" << "0000" << QPointF(287.8994, 712.1635);
        QTest::newRow("375") << 375 << "37.5" << "0375" << QPointF(333.2088, 250.6394);
        QTest::newRow("1000") << 1000 << "100.0" << "1000" << QPointF(712.3519, 711.9119);
    }
    void dialShowsTheRemoteSetpoint()
    {
        QFETCH(int, setpoint);
        QFETCH(QPointF, knob);
        MainWindowFixture f;
        f.startWithDevice();
        f.window->RemoteSetpoint = int16_t(setpoint);
        f.window->UpdateDial();
        QTEST(f.window->txtRSP->text(), "shown");
        QTEST(f.window->RemoteSetpointText, "sent");
        QVERIFY(near(centreOf(*f.window->shpKnob), knob));
    }

    void draggingTheDial_data()
    {
        QTest::addColumn<int>("setpoint");
        QTest::addColumn<Qt::MouseButtons>("buttons");
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("counts");
        const Qt::MouseButtons left = Qt::LeftButton;
        QTest::newRow("first move") << 0 << left << QPointF(400.2, 300) << 10 << true;
        QTest::newRow("first move, x rounds up") << 0 << left << QPointF(400.8, 300) << 9 << true;
        QTest::newRow("at the top") << 1000 << left << QPointF(400.2, 300) << 1000 << true;
        QTest::newRow("right button") << 300 << Qt::MouseButtons(Qt::RightButton) << QPointF(400.2, 300) << 300 << false;
        QTest::newRow("both buttons") << 300 << (Qt::LeftButton | Qt::RightButton) << QPointF(400.2, 300) << 300 << false;
        QTest::newRow("outside the disc") << 300 << left << QPointF(100, 300) << 300 << false;
    }
    void draggingTheDial()
    {
        QFETCH(int, setpoint);
        QFETCH(Qt::MouseButtons, buttons);
        QFETCH(QPointF, at);
        QFETCH(int, expected);
        QFETCH(bool, counts);
        MainWindowFixture f;
        f.startWithDevice();
        frmMain &w = *f.window;
        w.RemoteSetpoint = int16_t(setpoint);
        const QString textBefore = w.txtRSP->text();
        w.picDial_MouseMove(buttons, at.x(), at.y());
        QCOMPARE(int(w.RemoteSetpoint), expected);
        if (!counts) {
            QCOMPARE(w.txtRSP->text(), textBefore); // nothing refreshed
            QCOMPARE(int(w.DialLastX), 0);
        } else {
            QCOMPARE(w.txtRSP->text(), QString::number(expected / 10.0, 'f', 1));
            QCOMPARE(w.RemoteSetpointText, QString::number(expected).rightJustified(4, '0'));
        }
    }

    void mouseOverThePictureDrivesTheDial()
    {
        MainWindowFixture f;
        f.startWithDevice();
        frmMain &w = *f.window;
        PictureBox &dial = *w.picDial;
        auto move = [&](QPointF user, Qt::MouseButtons buttons) {
            const QPointF pixels = dial.toPixels(user);
            QMouseEvent event(QEvent::MouseMove, pixels, dial.mapToGlobal(pixels), Qt::NoButton, buttons, {});
            QApplication::sendEvent(&dial, &event);
        };
        move({600, 300}, Qt::RightButton);
        QCOMPARE(int(w.RemoteSetpoint), 0);
        move({600, 300}, Qt::LeftButton);
        QVERIFY(w.RemoteSetpoint == 9 || w.RemoteSetpoint == 10);
        QCOMPARE(w.RemoteSetpointText, QString::number(w.RemoteSetpoint).rightJustified(4, '0'));
        const QPointF knobBefore = centreOf(*w.shpKnob);
        move({700, 300}, Qt::LeftButton);
        QVERIFY(w.RemoteSetpoint >= 18);
        QVERIFY(centreOf(*w.shpKnob) != knobBefore);
    }
};

QTEST_MAIN(tst_LiveDisplay)
#include "tst_live_display.moc"
