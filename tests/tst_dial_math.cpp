// The remote-setpoint dial: its face, the knob's place and the drag steps.
#include "display/DialMath.h"

#include <QtTest>

Q_DECLARE_METATYPE(Qt::MouseButtons)

namespace {
const QRectF Disc(150, 150, 700, 700);
} // namespace

class tst_DialMath : public QObject
{
    Q_OBJECT
private slots:
    void faceHasElevenSpokesFromLowerLeftOverTheTop()
    {
        DisplayList face;
        dial::drawDialFace(face);
        QCOMPARE(face.items().size(), size_t(11 + 2));
        for (int i = 0; i <= 10; ++i) {
            const DrawItem &spoke = face.items()[i];
            QCOMPARE(spoke.kind, DrawItem::Kind::Line);
            QCOMPARE(spoke.from, QPointF(500, 500));
            QCOMPARE(spoke.color, (Rgb{0, 0, 0}));
            QVERIFY(qAbs(QLineF(spoke.from, spoke.to).length() - 400) < 1e-9);
        }
        // 3.141 for pi leaves the spokes a hair off the exact angles.
        const QPointF lowerRight = face.items()[0].to;
        const QPointF top = face.items()[5].to;
        const QPointF lowerLeft = face.items()[10].to;
        QVERIFY(qAbs(lowerRight.x() - 783.2196) < 1e-3 && qAbs(lowerRight.y() - 782.4653) < 1e-3);
        QVERIFY(qAbs(top.x() - 499.6444) < 1e-3 && qAbs(top.y() - 100.0002) < 1e-3);
        QVERIFY(qAbs(lowerLeft.x() - 217.2830) < 1e-3 && qAbs(lowerLeft.y() - 782.9684) < 1e-3);
    }

    void facePrintsZeroAndHundredBesideTheEndSpokes()
    {
        DisplayList face;
        dial::drawDialFace(face);
        const DrawItem &zero = face.items()[11];
        const DrawItem &hundred = face.items()[12];
        QCOMPARE(zero.kind, DrawItem::Kind::Text);
        QCOMPARE(zero.text, QStringLiteral(" 0"));
        QCOMPARE(hundred.text, QStringLiteral(" 100"));
        QVERIFY(qAbs(zero.from.x() - 149.613) < 1e-3 && qAbs(zero.from.y() - 800.654) < 1e-3);
        QVERIFY(qAbs(hundred.from.x() - 800.921) < 1e-3 && qAbs(hundred.from.y() - 800.119) < 1e-3);
    }

    void knobCentreRunsClockwiseOnRadius300_data()
    {
        QTest::addColumn<int>("setpoint");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::newRow("0: lower left") << 0 << 287.8994 << 712.1635;
        QTest::newRow("375") << 375 << 333.2088 << 250.6394;
        QTest::newRow("500: top") << 500 << 499.8222 << 200.0001;
        QTest::newRow("1000: lower right") << 1000 << 712.3519 << 711.9119;
    }
    void knobCentreRunsClockwiseOnRadius300()
    {
        QFETCH(int, setpoint);
        QFETCH(double, x);
        QFETCH(double, y);
        for (const QSizeF knob : {QSizeF(90, 90), QSizeF(60, 40)}) {
            const QPointF topLeft = dial::knobTopLeft(int16_t(setpoint), knob.width(), knob.height());
            const QPointF centre = topLeft + QPointF(knob.width() / 2, knob.height() / 2);
            QVERIFY2(qAbs(centre.x() - x) < 1e-3, qPrintable(QString::number(centre.x())));
            QVERIFY2(qAbs(centre.y() - y) < 1e-3, qPrintable(QString::number(centre.y())));
        }
    }

    void drag_data()
    {
        QTest::addColumn<int>("setpoint");
        QTest::addColumn<int>("lastX");
        QTest::addColumn<Qt::MouseButtons>("buttons");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<int>("newSetpoint");
        QTest::addColumn<int>("newLastX");
        const Qt::MouseButtons left = Qt::LeftButton;
        // Upper half: rightwards raises.
        QTest::newRow("first move from 0") << 0 << 0 << left << 300.3 << 300.0 << 10 << 300;
        QTest::newRow("first move, x rounds up: one back") << 0 << 0 << left << 300.7 << 300.0 << 9 << 301;
        QTest::newRow("half rounds down to even") << 0 << 0 << left << 300.5 << 300.0 << 10 << 300;
        QTest::newRow("half rounds up to even: one back") << 0 << 0 << left << 301.5 << 300.0 << 9 << 302;
        QTest::newRow("small move raises 1") << 400 << 300 << left << 304.0 << 300.0 << 401 << 304;
        QTest::newRow("move of exactly 5 raises 10") << 400 << 300 << left << 305.0 << 300.0 << 410 << 305;
        QTest::newRow("leftwards lowers 10") << 400 << 300 << left << 290.0 << 300.0 << 390 << 290;
        QTest::newRow("small leftwards lowers 1") << 400 << 300 << left << 298.0 << 300.0 << 399 << 298;
        QTest::newRow("leftwards, x rounds down: no step back") << 400 << 300 << left << 289.6 << 300.0 << 390 << 290;
        QTest::newRow("no movement") << 400 << 300 << left << 300.0 << 300.0 << 400 << 300;
        // Lower half (from y = 500): leftwards raises.
        QTest::newRow("lower: leftwards raises 10") << 400 << 700 << left << 690.0 << 600.0 << 410 << 690;
        QTest::newRow("lower: x rounds down: one back") << 400 << 700 << left << 690.4 << 600.0 << 409 << 690;
        QTest::newRow("lower: rightwards lowers 1") << 400 << 700 << left << 702.0 << 500.0 << 399 << 702;
        QTest::newRow("lower: rightwards lowers 10") << 400 << 700 << left << 720.0 << 600.0 << 390 << 720;
        // Limits.
        QTest::newRow("up to 1000") << 995 << 300 << left << 320.0 << 300.0 << 1000 << 320;
        QTest::newRow("not above 1000") << 1000 << 300 << left << 320.0 << 300.0 << 1000 << 320;
        QTest::newRow("at 1000, x rounds up") << 1000 << 300 << left << 320.7 << 300.0 << 999 << 321;
        QTest::newRow("down to 0") << 5 << 300 << left << 280.0 << 300.0 << 0 << 280;
        QTest::newRow("not below 0") << 0 << 300 << left << 280.0 << 300.0 << 0 << 280;
    }
    void drag()
    {
        QFETCH(int, setpoint);
        QFETCH(int, lastX);
        QFETCH(Qt::MouseButtons, buttons);
        QFETCH(double, x);
        QFETCH(double, y);
        const auto moved = dial::drag({int16_t(setpoint), int16_t(lastX)}, buttons, x, y, Disc);
        QVERIFY(moved.has_value());
        QTEST(int(moved->setpoint), "newSetpoint");
        QTEST(int(moved->lastX), "newLastX");
    }

    void movesThatDoNotCount_data()
    {
        QTest::addColumn<Qt::MouseButtons>("buttons");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::newRow("no button") << Qt::MouseButtons() << 400.0 << 300.0;
        QTest::newRow("right button") << Qt::MouseButtons(Qt::RightButton) << 400.0 << 300.0;
        QTest::newRow("left and right") << (Qt::LeftButton | Qt::RightButton) << 400.0 << 300.0;
        QTest::newRow("left and middle") << (Qt::LeftButton | Qt::MiddleButton) << 400.0 << 300.0;
        QTest::newRow("left of the disc") << Qt::MouseButtons(Qt::LeftButton) << 100.0 << 500.0;
        QTest::newRow("on the left edge") << Qt::MouseButtons(Qt::LeftButton) << 150.0 << 500.0;
        QTest::newRow("on the right edge") << Qt::MouseButtons(Qt::LeftButton) << 850.0 << 500.0;
        QTest::newRow("above the disc") << Qt::MouseButtons(Qt::LeftButton) << 500.0 << 120.0;
        QTest::newRow("on the bottom edge") << Qt::MouseButtons(Qt::LeftButton) << 500.0 << 850.0;
    }
    void movesThatDoNotCount()
    {
        QFETCH(Qt::MouseButtons, buttons);
        QFETCH(double, x);
        QFETCH(double, y);
        QVERIFY(!dial::drag({500, 0}, buttons, x, y, Disc).has_value());
    }

    void sweepFollowsTheLastX()
    {
        // Rightwards over the upper half in moves of 20 units: 35 moves of 10.
        dial::DragState state;
        for (int x = 160; x <= 840; x += 20)
            state = *dial::drag(state, Qt::LeftButton, x, 300, Disc);
        QCOMPARE(state, (dial::DragState{350, 840}));
        // Back leftwards over the same half: the first move stands still,
        // the 34 after it lower by 10 each.
        for (int x = 840; x >= 160; x -= 20)
            state = *dial::drag(state, Qt::LeftButton, x, 300, Disc);
        QCOMPARE(state, (dial::DragState{10, 160}));
        // Jumping right over the lower half lowers (to 0, not below), then
        // leftwards over it raises again.
        for (int x = 840; x >= 160; x -= 20)
            state = *dial::drag(state, Qt::LeftButton, x, 700, Disc);
        QCOMPARE(state, (dial::DragState{340, 160}));
    }
};

QTEST_APPLESS_MAIN(tst_DialMath)
#include "tst_dial_math.moc"
