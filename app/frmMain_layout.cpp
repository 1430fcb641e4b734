// The layout of the main window: the large frame with the actuator picture,
// the live values, the trend chart, the control panel, the calibration and
// setup frames and the dial; under it the maker, "Connect" and "Controller
// Details" frames. Client area about 1010 x 640; everything stays usable down
// to an 800 x 600 screen, and below that the window scrolls.
#include "app/Artwork.h"
#include "app/MakerPanel.h"
#include "app/frmMain.h"
#include "display/TrendChart.h"
#include "platform/PictureBox.h"
#include "platform/Shape.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QPushButton *button(const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    // Enter presses the button that has the focus, as Space does.
    b->setAutoDefault(true);
    return b;
}

QLabel *label(const QString &caption, QWidget *parent, const QColor &text = QColor())
{
    auto *l = new QLabel(caption, parent);
    if (text.isValid()) {
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, text);
        l->setPalette(pal);
    }
    return l;
}

// A value box: read-only text in "Arial Rounded MT Bold" 15.75 pt on a coloured background.
QLineEdit *valueBox(const QString &accessibleName, const QColor &back, QWidget *parent, const QColor &text = Qt::black)
{
    auto *box = new QLineEdit(QStringLiteral("100.0"), parent);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignCenter);
    box->setAccessibleName(accessibleName);
    QFont font(QStringLiteral("Arial Rounded MT Bold"));
    font.setPointSizeF(15.75);
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    box->setFont(font);
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, back);
    pal.setColor(QPalette::Text, text);
    box->setPalette(pal);
    box->setMinimumWidth(88);
    box->setFocusPolicy(Qt::TabFocus);
    return box;
}

Shape *lamp(const QString &name, ShapeKind kind, const QColor &fill, QWidget *parent, QSize size)
{
    auto *s = new Shape(kind, fill, parent);
    s->setFixedSize(size);
    s->setAccessibleName(name);
    return s;
}

QWidget *legendLine(const QColor &color, QWidget *parent)
{
    auto *line = new QWidget(parent);
    line->setFixedSize(26, 2);
    line->setAutoFillBackground(true);
    QPalette pal = line->palette();
    pal.setColor(QPalette::Window, color);
    line->setPalette(pal);
    return line;
}

// Holds one picture as large as the space allows while keeping its width to
// height ratio within [narrowest, widest], so that it scales with the window
// without being distorted more than a little.
class AspectBox : public QWidget
{
public:
    AspectBox(QWidget *child, double narrowest, double widest, Qt::Alignment alignment, QWidget *parent)
        : QWidget(parent), m_child(child), m_narrowest(narrowest), m_widest(widest), m_alignment(alignment)
    {
        child->setParent(this);
        setMinimumSize(child->minimumSize());
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
    QSize sizeHint() const override { return minimumSize(); }

protected:
    void resizeEvent(QResizeEvent *) override
    {
        QSizeF size(width(), height());
        const double aspect = size.width() / std::max(1.0, size.height());
        if (aspect > m_widest)
            size.setWidth(size.height() * m_widest);
        else if (aspect < m_narrowest)
            size.setHeight(size.width() / m_narrowest);
        m_child->setGeometry(QStyle::alignedRect(layoutDirection(), m_alignment, size.toSize(), rect()));
    }

private:
    QWidget *m_child;
    double m_narrowest;
    double m_widest;
    Qt::Alignment m_alignment;
};

QFrame *sunkenPanel(QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Sunken);
    return frame;
}

void setBlack(QWidget *w)
{
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, Qt::white);
    w->setPalette(pal);
}

} // namespace

void frmMain::buildLayout()
{
    setWindowTitle(QStringLiteral("Velmora ~ Dormak-HART"));
    resize(1010, 640);

    // --- actuator picture: design geometry in window units (1/1440 inch) ---
    picActuator = new PictureBox(palette().color(QPalette::Window), this);
    picActuator->setScale(4500, 5200);
    picActuator->setMinimumSize(150, 175);
    picActuator->setAccessibleName(QStringLiteral("Actuator"));
    shpCylinder = picActuator->addShape(ShapeKind::Rectangle, QColor(0, 0, 128));
    shpCylinder->setGeometry(840, 480, 2295, 4335);
    shpPiston = picActuator->addShape(ShapeKind::Rectangle, QColor(0, 192, 192));
    shpPiston->setGeometry(840, 4200, 2295, 255);
    imgSP = picActuator->addImage(setpointPointerIcon());
    imgSP->setGeometry(240, 4560, 480, 480);
    shpOil = picActuator->addShape(ShapeKind::RoundedRectangle, QColor());
    shpOil->setGeometry(3360, 3000, 975, 1815);
    shpLevel = picActuator->addShape(ShapeKind::RoundedRectangle, QColor(192, 192, 0));
    shpLevel->setGeometry(3360, 3840, 960, 975);
    picActuator->drawing().text({3560, 2650}, QStringLiteral("OIL"), {0, 0, 0});

    // --- live values, level box and lamps ---
    txtSP = valueBox(QStringLiteral("SP"), QColor(255, 255, 128), this);
    txtPV = valueBox(QStringLiteral("PV"), QColor(128, 255, 128), this);
    txtER = valueBox(QStringLiteral("Error"), QColor(255, 192, 192), this);
    txtLV = valueBox(QStringLiteral("Level"), QColor(192, 192, 0), this);
    auto *valuesFrame = sunkenPanel(this);
    auto *values = new QGridLayout(valuesFrame);
    values->setContentsMargins(8, 4, 8, 4);
    values->setVerticalSpacing(4);
    values->addWidget(label(QStringLiteral("SP:"), this), 0, 0);
    values->addWidget(txtSP, 0, 1);
    values->addWidget(label(QStringLiteral("PV:"), this), 1, 0);
    values->addWidget(txtPV, 1, 1);
    values->addWidget(label(QStringLiteral("Error:"), this), 2, 0);
    values->addWidget(txtER, 2, 1);

    shpUp = lamp(QStringLiteral("UP"), ShapeKind::RoundedRectangle, Qt::black, this, {40, 20});
    shpDn = lamp(QStringLiteral("DN"), ShapeKind::RoundedRectangle, Qt::black, this, {40, 20});
    shpRelay = lamp(QStringLiteral("RELAY"), ShapeKind::RoundedRectangle, Qt::black, this, {40, 20});
    auto *lampsFrame = sunkenPanel(this);
    auto *lamps = new QGridLayout(lampsFrame);
    lamps->setContentsMargins(8, 4, 8, 6);
    const std::pair<const char *, Shape *> lampRows[] = {{"UP", shpUp}, {"DN", shpDn}, {"RELAY", shpRelay}};
    int column = 0;
    for (const auto &[caption, shape] : lampRows) {
        auto *l = label(QString::fromLatin1(caption), this);
        l->setAlignment(Qt::AlignCenter);
        lamps->addWidget(l, 0, column);
        lamps->addWidget(shape, 1, column, Qt::AlignCenter);
        ++column;
    }

    auto *levelRow = new QHBoxLayout;
    levelRow->addWidget(label(QStringLiteral("Level:"), this));
    levelRow->addWidget(txtLV);

    auto *valueColumn = new QVBoxLayout;
    valueColumn->addWidget(valuesFrame);
    valueColumn->addWidget(lampsFrame);
    valueColumn->addStretch();
    valueColumn->addLayout(levelRow);

    // --- trend chart with legend and the recording row ---
    auto *trend = new QFrame(this);
    setBlack(trend);
    pic = new PictureBox(Qt::black, trend);
    pic->setScale(chart::ScaleWidth, chart::ScaleHeight);
    pic->setMinimumSize(280, 150);
    pic->setAccessibleName(QStringLiteral("Trend chart"));
    QFont chartFont = pic->font();
    chartFont.setPointSizeF(8);
    pic->setFont(chartFont);
    lblLegend[0] = label(QStringLiteral("SP :"), trend, Qt::white);
    lblLegend[1] = label(QStringLiteral("PV :"), trend, Qt::white);
    LineLegend[0] = legendLine(QColor(255, 255, 128), trend);
    LineLegend[1] = legendLine(QColor(128, 255, 128), trend);
    cmdPause = button(QStringLiteral("PAUSE"), trend);
    cmdRecord = button(QStringLiteral("REC"), trend);
    lblHistory = label(QStringLiteral("00000"), trend, QColor(0, 128, 0));
    lblRec = label(QStringLiteral("REC"), trend, QColor(0, 255, 0));
    lblPause = label(QStringLiteral("PAUSED"), trend, QColor(255, 255, 0));
    for (QLabel *hidden : {lblHistory, lblRec, lblPause}) {
        // Keep their place while hidden, so the blinking "REC" does not shift its neighbours.
        QSizePolicy policy = hidden->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        hidden->setSizePolicy(policy);
        hidden->hide();
    }
    auto *trendRow = new QHBoxLayout;
    trendRow->addWidget(lblLegend[0]);
    trendRow->addWidget(LineLegend[0]);
    trendRow->addSpacing(12);
    trendRow->addWidget(lblLegend[1]);
    trendRow->addWidget(LineLegend[1]);
    trendRow->addStretch();
    trendRow->addWidget(lblPause);
    trendRow->addWidget(lblRec);
    trendRow->addWidget(lblHistory);
    trendRow->addWidget(cmdRecord);
    trendRow->addWidget(cmdPause);
    auto *trendLayout = new QVBoxLayout(trend);
    trendLayout->setContentsMargins(4, 4, 4, 4);
    trendLayout->addWidget(pic, 1);
    trendLayout->addLayout(trendRow);

    // --- control panel ---
    FrameControlPanel = new QGroupBox(QStringLiteral("CONTROL PANEL"), this);
    cmdCalibrate = button(QStringLiteral("Calibrate"), FrameControlPanel);
    cmdRemoteControl = button(QStringLiteral("Remote Control"), FrameControlPanel);
    cmdParameters = button(QStringLiteral("Parameters"), FrameControlPanel);
    cmdSetup = button(QStringLiteral("Setup"), FrameControlPanel);
    cmdMonitor = button(QStringLiteral("Monitor"), FrameControlPanel);
    cmdReport = button(QStringLiteral("Report"), FrameControlPanel);
    auto *panel = new QGridLayout(FrameControlPanel);
    panel->addWidget(cmdCalibrate, 0, 0);
    panel->addWidget(cmdRemoteControl, 0, 1);
    panel->addWidget(cmdParameters, 1, 0);
    panel->addWidget(cmdSetup, 1, 1);
    panel->addWidget(cmdMonitor, 2, 0);
    panel->addWidget(cmdReport, 2, 1);

    // --- calibration: five columns of Zero / Span, then the output buttons ---
    FrameCalib = new QGroupBox(QStringLiteral("Calibration"), this);
    FrameCalib->setEnabled(false);
    auto *calib = new QGridLayout(FrameCalib);
    const char *quantities[] = {"SP", "PV", "Level", "Pressure", "Temperature"};
    for (int k = 0; k < 5; ++k) {
        Label12[k] = label(QString::fromLatin1(quantities[k]), FrameCalib);
        Label12[k]->setAlignment(Qt::AlignCenter);
        calib->addWidget(Label12[k], 0, k);
        for (int point = 0; point < 2; ++point) {
            const int index = 2 * k + point;
            cmdCalib[index] = button(point == 0 ? QStringLiteral("Zero") : QStringLiteral("Span"), FrameCalib);
            cmdCalib[index]->setAccessibleName(Label12[k]->text() + QLatin1Char(' ') + cmdCalib[index]->text());
            cmdCalib[index]->setMinimumWidth(48);
            calib->addWidget(cmdCalib[index], 1 + point, k);
        }
    }
    cmdCalibOut[0] = button(QStringLiteral("Calibrate Output"), FrameCalib);
    cmdCalibOut[1] = button(QStringLiteral("Calibrate Feedback"), FrameCalib);
    calib->addWidget(cmdCalibOut[0], 3, 0, 1, 2);
    calib->addWidget(cmdCalibOut[1], 3, 3, 1, 2);
    calib->setContentsMargins(6, 4, 6, 6);
    calib->setVerticalSpacing(4);

    // --- serial-number setup, hidden until the service code is given ---
    FrameSetup = new QGroupBox(QStringLiteral("Setup"), this);
    lblSetup = label(QStringLiteral("New Serial No."), FrameSetup);
    txtSetup = new QLineEdit(QStringLiteral("H001"), FrameSetup);
    txtSetup->setAccessibleName(QStringLiteral("New Serial No."));
    lblSetup->setBuddy(txtSetup);
    cmdSetupSend = button(QStringLiteral("Write"), FrameSetup);
    cmdCancelSetup = button(QStringLiteral("Close"), FrameSetup);
    auto *setup = new QHBoxLayout(FrameSetup);
    setup->addWidget(lblSetup);
    setup->addWidget(txtSetup);
    setup->addWidget(cmdSetupSend);
    setup->addWidget(cmdCancelSetup);
    FrameSetup->hide();

    auto *centre = new QVBoxLayout;
    centre->addWidget(FrameCalib);
    centre->addWidget(FrameSetup);
    centre->addStretch();

    // --- dial group ---
    picDial = new PictureBox(QColor(224, 224, 224), this);
    picDial->setMinimumSize(100, 100);
    picDial->setAccessibleName(QStringLiteral("Remote setpoint dial"));
    shpDial = picDial->addShape(ShapeKind::Circle, QColor(192, 192, 192));
    // Design geometry in dial units: the knob rides inside the disc's rim,
    // the spokes show as ticks around it. The start-up centres both.
    shpDial->setGeometry(150, 150, 700, 700);
    shpKnob = picDial->addShape(ShapeKind::Circle, QColor(224, 224, 224));
    shpKnob->setGeometry(0, 0, 90, 90);
    Label7 = label(QStringLiteral("Remote SP"), this);
    Label7->setAlignment(Qt::AlignCenter);
    txtRSP = valueBox(QStringLiteral("Remote SP"), QColor(0, 0, 192), this, Qt::white);
    txtRSP->setText(QStringLiteral("0.0"));
    Label7->setBuddy(txtRSP);
    cmdUp = button(QString(), this);
    cmdUp->setText(QStringLiteral("\u25B2"));
    cmdUp->setAccessibleName(QStringLiteral("Remote setpoint up"));
    cmdDown = button(QString(), this);
    cmdDown->setText(QStringLiteral("\u25BC"));
    cmdDown->setAccessibleName(QStringLiteral("Remote setpoint down"));
    auto *dialSide = new QVBoxLayout;
    dialSide->addStretch();
    dialSide->addWidget(Label7);
    dialSide->addWidget(txtRSP);
    dialSide->addWidget(cmdUp);
    dialSide->addWidget(cmdDown);
    dialSide->addStretch();
    auto *dialGroup = sunkenPanel(this);
    dialGroup->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    auto *dial = new QHBoxLayout(dialGroup);
    dial->setContentsMargins(4, 4, 8, 4);
    dial->addWidget(new AspectBox(picDial, 1.0, 1.0, Qt::AlignCenter, dialGroup), 1);
    dial->addLayout(dialSide);

    // --- the large frame ---
    auto *large = new QFrame(this);
    large->setFrameShape(QFrame::StyledPanel);
    auto *upper = new QHBoxLayout;
    // The actuator keeps its design proportions, stretching a little taller
    // when the window is tall; its tank floor stays level with txtLV.
    upper->addWidget(new AspectBox(picActuator, 0.65, 4500.0 / 5200.0, Qt::AlignRight | Qt::AlignBottom, this), 4);
    upper->addLayout(valueColumn, 2);
    upper->addWidget(trend, 8);
    auto *lower = new QHBoxLayout;
    lower->addWidget(FrameControlPanel, 3);
    lower->addLayout(centre, 5);
    lower->addWidget(dialGroup, 3);
    auto *largeLayout = new QVBoxLayout(large);
    largeLayout->setContentsMargins(6, 6, 6, 6);
    largeLayout->addLayout(upper, 3);
    largeLayout->addLayout(lower, 1);

    // --- bottom row: maker, Connect, Controller Details ---
    FrameConnect = new QGroupBox(QStringLiteral("Connect"), this);
    cmdRun = button(QStringLiteral("Scan"), FrameConnect);
    lblConnect = label(QStringLiteral("Not Connected"), FrameConnect);
    shpRx = lamp(QStringLiteral("Receive"), ShapeKind::Circle, QColor(192, 192, 192), FrameConnect, {16, 16});
    shpTx = lamp(QStringLiteral("Transmit"), ShapeKind::Circle, QColor(192, 192, 192), FrameConnect, {16, 16});
    lblUSB = label(QStringLiteral("USB Port:"), FrameConnect);
    auto *connectGrid = new QGridLayout(FrameConnect);
    connectGrid->addWidget(cmdRun, 0, 0, 2, 1);
    connectGrid->addWidget(lblConnect, 0, 1);
    connectGrid->addWidget(label(QStringLiteral("Rx"), FrameConnect), 0, 2);
    connectGrid->addWidget(shpRx, 0, 3);
    connectGrid->addWidget(label(QStringLiteral("Tx"), FrameConnect), 0, 4);
    connectGrid->addWidget(shpTx, 0, 5);
    connectGrid->addWidget(lblUSB, 1, 1, 1, 5);

    auto *details = new QGroupBox(QStringLiteral("Controller Details"), this);
    lblModel = label(QStringLiteral("Model No."), details);
    lblSerial = label(QStringLiteral("Serial No."), details);
    lblVersion = label(QStringLiteral("Version."), details);
    auto *detailsLayout = new QVBoxLayout(details);
    detailsLayout->setContentsMargins(8, 2, 8, 4);
    detailsLayout->setSpacing(2);
    detailsLayout->addWidget(lblModel);
    detailsLayout->addWidget(lblSerial);
    detailsLayout->addWidget(lblVersion);

    auto *connectOuter = new QFrame(this);
    connectOuter->setFrameShape(QFrame::StyledPanel);
    auto *connectRow = new QHBoxLayout(connectOuter);
    connectRow->setContentsMargins(4, 2, 4, 2);
    connectRow->addWidget(FrameConnect);
    connectRow->addWidget(details);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(new MakerPanel(this));
    bottom->addStretch();
    bottom->addWidget(connectOuter);

    // Below its smallest size the window scrolls rather than cut controls off.
    auto *content = new QWidget;
    auto *window = new QVBoxLayout(content);
    window->setContentsMargins(6, 6, 6, 6);
    window->addWidget(large, 1);
    window->addLayout(bottom);
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);

    setKeyboardOrder();
}

// Tab walks the window as it reads: the upper part from left to right, the
// lower part frame by frame, each frame row by row, and ends on "Scan", where
// the focus starts.
void frmMain::setKeyboardOrder()
{
    QList<QWidget *> order{txtSP, txtPV, txtER, txtLV, cmdRecord, cmdPause,
                           cmdCalibrate, cmdRemoteControl, cmdParameters, cmdSetup, cmdMonitor, cmdReport};
    for (int point = 0; point < 2; ++point)
        for (int k = 0; k < 5; ++k)
            order << cmdCalib[size_t(2 * k + point)];
    order << cmdCalibOut[0] << cmdCalibOut[1] << txtSetup << cmdSetupSend << cmdCancelSetup
          << txtRSP << cmdUp << cmdDown << cmdRun;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    cmdRun->setFocus();
}
