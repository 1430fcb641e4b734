// The live display of the main window: the value boxes, the actuator picture
// and the lamps (refreshed by tmrDisp), the remote-setpoint dial, and the
// trend chart. The geometry and drawing live in the cores beside this file.
#include "app/frmMain.h"
#include "display/DialMath.h"
#include "display/TrendChart.h"
#include "platform/Numbers.h"
#include "platform/PictureBox.h"
#include "platform/Shape.h"

#include <QLineEdit>

namespace {

const QColor LampOff(0, 0, 0);
const QColor ValveLampOn(255, 0, 0);
const QColor RelayLampOn(0, 255, 0);

// Read-only boxes: writing an unchanged text would only cost a repaint.
void showText(QLineEdit *box, const QString &text)
{
    if (box->text() != text)
        box->setText(text);
}

} // namespace

void frmMain::PrepareDisplay()
{
    // The dial face: a square picture with the disc circular and centred,
    // measured in the picture's design units before it gets its own scale.
    picDial->resize(picDial->width(), picDial->width());
    shpDial->setHeight(shpDial->width());
    shpDial->setTop((picDial->scaleHeight() - shpDial->height()) / 2);
    shpDial->setLeft((picDial->scaleWidth() - shpDial->width()) / 2);
    picDial->setScale(dial::ScaleSize, dial::ScaleSize);
    picDial->drawing().clear();
    dial::drawDialFace(picDial->drawing());
    picDial->redraw();
    const QPointF knob = dial::knobTopLeft(RemoteSetpoint, shpKnob->width(), shpKnob->height());
    shpKnob->setLeft(knob.x());
    shpKnob->setTop(knob.y());

    Geometry = ActuatorGeometry::fromDesign({shpCylinder->top(), shpCylinder->height(), shpPiston->height(),
                                             imgSP->height(), shpOil->height()});
    shpLevel->setTop(shpOil->top() + shpOil->height());
    shpLevel->setHeight(0);
}

void frmMain::tmrDisp_Timer()
{
    showText(txtSP, Live.sp.text);
    showText(txtPV, Live.pv.text);
    showText(txtER, Live.er.text);
    showText(txtLV, Live.lv.text);

    imgSP->setTop(Geometry.pointerTop(Live.sp.value));
    shpPiston->setTop(Geometry.pistonTop(Live.pv.value));
    shpLevel->setHeight(Geometry.levelHeight(Live.lv.value));
    shpLevel->setTop(shpOil->top() + Geometry.tankHeight - shpLevel->height());

    shpUp->setFillColor(Live.upValveOn ? ValveLampOn : LampOff);
    shpDn->setFillColor(Live.downValveOn ? ValveLampOn : LampOff);
    shpRelay->setFillColor(Live.relayOn ? RelayLampOn : LampOff);
}

void frmMain::UpdateDial()
{
    const QPointF knob = dial::knobTopLeft(RemoteSetpoint, shpKnob->width(), shpKnob->height());
    shpKnob->setLeft(knob.x());
    shpKnob->setTop(knob.y());
    txtRSP->setText(num::fixed1(RemoteSetpoint / 10.0));
    RemoteSetpointText = num::zeroPadded(RemoteSetpoint, 4);
}

void frmMain::picDial_MouseMove(Qt::MouseButtons buttons, double x, double y)
{
    const QRectF disc(shpDial->left(), shpDial->top(), shpDial->width(), shpDial->height());
    const auto moved = dial::drag({RemoteSetpoint, DialLastX}, buttons, x, y, disc);
    if (!moved)
        return;
    RemoteSetpoint = moved->setpoint;
    DialLastX = moved->lastX;
    UpdateDial();
}

void frmMain::Plot()
{
    chart::drawTrendChart(pic->drawing(), Trend);
    pic->redraw();
}
