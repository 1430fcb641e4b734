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
#include <algorithm>

namespace {

const QColor LampOff(0, 0, 0);
const QColor ValveLampOn(255, 0, 0);
const QColor RelayLampOn(0, 255, 0);
const QColor LampStale(128, 128, 128);
const QColor StaleBack(224, 224, 224);
const QColor StaleText(128, 128, 128);

// Read-only boxes: writing an unchanged text would only cost a repaint.
void showText(QLineEdit *box, const QString &text)
{
    if (box->text() != text)
        box->setText(text);
}

// A value that has not been renewed for a second is shown greyed, so an old
// reading is never taken for the valve's present state.
void showAge(QLineEdit *box, bool stale)
{
    if (box->property("stale").toBool() == stale)
        return;
    box->setProperty("stale", stale);
    QPalette pal = box->palette();
    if (stale) {
        box->setProperty("freshBase", pal.color(QPalette::Base));
        box->setProperty("freshText", pal.color(QPalette::Text));
        pal.setColor(QPalette::Base, StaleBack);
        pal.setColor(QPalette::Text, StaleText);
    } else {
        pal.setColor(QPalette::Base, box->property("freshBase").value<QColor>());
        pal.setColor(QPalette::Text, box->property("freshText").value<QColor>());
    }
    box->setPalette(pal);
    box->setAccessibleDescription(stale ? QStringLiteral("no reading for more than a second") : QString());
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
    const qint64 t = now();
    const bool liveStale = Sampling.live().stale(t);
    for (QLineEdit *box : {txtSP, txtPV, txtER})
        showAge(box, liveStale);
    showAge(txtLV, LevelAge.stale(t));

    imgSP->setTop(Geometry.pointerTop(Live.sp.value));
    shpPiston->setTop(Geometry.pistonTop(Live.pv.value));
    shpLevel->setHeight(Geometry.levelHeight(Live.lv.value));
    shpLevel->setTop(shpOil->top() + Geometry.tankHeight - shpLevel->height());

    // An old flag is neither on nor off: its lamp shows grey.
    shpUp->setFillColor(liveStale ? LampStale : Live.upValveOn ? ValveLampOn : LampOff);
    shpDn->setFillColor(liveStale ? LampStale : Live.downValveOn ? ValveLampOn : LampOff);
    shpRelay->setFillColor(LevelAge.stale(t) ? LampStale : Live.relayOn ? RelayLampOn : LampOff);
}

void frmMain::tmrSample_Timer()
{
    const int due = Sampling.due(now());
    if (due == 0)
        return;
    // Sample and hold: every sample of this tick takes the latest values.
    const int16_t sp = num::toInt16(Live.sp.value);
    const int16_t pv = num::toInt16(Live.pv.value);
    for (int i = 0; i < std::min(due, TrendBuffer::TrendLength + 1); ++i)
        Trend.shift(sp, pv);
    if (Paused)
        return;
    Plot();
    if (Recording)
        for (int i = 0; i < due; ++i)
            RecordLiveSample();
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
