// The actuator picture: measures from the design, pointer, piston and level.
#include "display/ActuatorGeometry.h"

#include <QtTest>

namespace {
// The design geometry of the picture (window units of 1/1440 inch).
const ActuatorDesign Design{480, 4335, 255, 480, 1815};
} // namespace

class tst_ActuatorGeometry : public QObject
{
    Q_OBJECT
private slots:
    void measuresComeFromTheDesign()
    {
        const ActuatorGeometry g = ActuatorGeometry::fromDesign(Design);
        QCOMPARE(g.pointerSpan, 4335);
        QCOMPARE(g.pointerOffset, 240);
        QCOMPARE(g.pistonSpan, 4080);
        QCOMPARE(g.pistonOffset, 480);
        QCOMPARE(g.tankHeight, 1815);
    }

    void measuresRoundHalvesToEven_data()
    {
        QTest::addColumn<double>("pointerHeight");
        QTest::addColumn<int>("pointerOffset");
        QTest::newRow("480 - 242.5 gives 238") << 485.0 << 238;
        QTest::newRow("480 - 241.5 gives 238") << 483.0 << 238;
        QTest::newRow("480 - 241.25 gives 239") << 482.5 << 239;
    }
    void measuresRoundHalvesToEven()
    {
        QFETCH(double, pointerHeight);
        ActuatorDesign design = Design;
        design.pointerHeight = pointerHeight;
        QTEST(ActuatorGeometry::fromDesign(design).pointerOffset, "pointerOffset");
    }

    void positionsFollowThePercentages_data()
    {
        QTest::addColumn<float>("percent");
        QTest::addColumn<double>("pointerTop");
        QTest::addColumn<double>("pistonTop");
        QTest::addColumn<double>("levelHeight");
        // Pointer middle (top + 240) at the cylinder bottom 4815 at 0 %, at
        // its top 480 at 100 %; piston on the bottom (top + 255 = 4815) at
        // 0 %, touching the top at 100 %; the bar fills the 1815-high tank.
        QTest::newRow("0 %") << 0.0f << 4575.0 << 4560.0 << 0.0;
        QTest::newRow("49.5 % places at 50") << 49.5f << 2407.5 << 2520.0 << 907.5;
        QTest::newRow("50.5 % places at 50") << 50.5f << 2407.5 << 2520.0 << 907.5;
        QTest::newRow("51.5 % places at 52") << 51.5f << 2320.8 << 2438.4 << 943.8;
        QTest::newRow("100 %") << 100.0f << 240.0 << 480.0 << 1815.0;
        QTest::newRow("110 %: above, not clipped") << 110.0f << -193.5 << 72.0 << 1996.5;
    }
    void positionsFollowThePercentages()
    {
        QFETCH(float, percent);
        QFETCH(double, pointerTop);
        QFETCH(double, pistonTop);
        QFETCH(double, levelHeight);
        const ActuatorGeometry g = ActuatorGeometry::fromDesign(Design);
        QCOMPARE(g.pointerTop(percent), pointerTop);
        QCOMPARE(g.pistonTop(percent), pistonTop);
        QCOMPARE(g.levelHeight(percent), levelHeight);
    }

};

QTEST_APPLESS_MAIN(tst_ActuatorGeometry)
#include "tst_actuator_geometry.moc"
