#include "recording/frmHistory.h"

#include "app/modMain.h"
#include "display/TrendChart.h"
#include "platform/Numbers.h"
#include "platform/PictureBox.h"
#include "platform/ReadoutLabel.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// The design captions; a measured time follows them after one blank.
const QString TravelUpCaption = QStringLiteral("Travel Time (0% to 100%) :");
const QString TravelDownCaption = QStringLiteral("Travel Time (100% to 0%) :");
const QString SampleCaption = QStringLiteral("Sample: ");

QLabel *readoutLabel(const QString &name, QWidget *parent)
{
    auto *label = new ReadoutLabel(parent);
    label->setAutoFillBackground(true);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, QColor(224, 224, 224));
    pal.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(pal);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(150);
    label->setAccessibleName(name);
    return label;
}

QPushButton *travelButton(const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setAccessibleName(caption);
    button->setAutoDefault(false);
    return button;
}

} // namespace

frmHistory::frmHistory(const modMain &data, Dialogs &cdia, QWidget *parent)
    : QWidget(parent, Qt::Window), data(data), cdia(cdia)
{
    setWindowTitle(QStringLiteral("Report"));
    buildLayout();
    connect(pic, &PictureBox::mouseMove, this, &frmHistory::pic_MouseMove);
    connect(pic, &PictureBox::mouseDown, this, &frmHistory::pic_MouseDown);
    connect(cmdTravelUp, &QPushButton::clicked, this, &frmHistory::cmdTravelUp_Click);
    connect(cmdTravelDown, &QPushButton::clicked, this, &frmHistory::cmdTravelDown_Click);
    // Esc closes the report, as it closes a dialog.
    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

void frmHistory::buildLayout()
{
    auto *frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);

    pic = new PictureBox(Qt::black, frame);
    pic->setScale(chart::ScaleWidth, chart::ScaleHeight);
    pic->setMinimumSize(360, 240);
    pic->setAccessibleName(QStringLiteral("Report chart"));
    Line1 = pic->addLine(QColor(128, 128, 128));
    Line1->setVisible(false);

    cmdTravelUp = travelButton(QStringLiteral("Travel Time Up"), frame);
    cmdTravelDown = travelButton(QStringLiteral("Travel Time Down"), frame);
    lblPos = readoutLabel(QStringLiteral("Position"), frame);
    lblVal = readoutLabel(QStringLiteral("Values"), frame);
    lblPoints = readoutLabel(QStringLiteral("Points"), frame);
    buildStepControls(frame);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(cmdTravelUp);
    buttons->addWidget(cmdTravelDown);
    buttons->addSpacing(12);
    buttons->addWidget(cmdExport);
    buttons->addStretch();
    auto *readouts = new QHBoxLayout;
    readouts->addWidget(lblPos);
    readouts->addWidget(lblVal);
    readouts->addWidget(lblPoints);
    readouts->addStretch();
    auto *frameLayout = new QGridLayout(frame);
    frameLayout->addWidget(pic, 0, 0);
    frameLayout->addLayout(buttons, 0, 1);
    frameLayout->addWidget(hsbChart, 1, 0);
    frameLayout->addLayout(readouts, 2, 0);
    frameLayout->setRowStretch(0, 1);
    frameLayout->setColumnStretch(0, 1);

    lblTravel[0] = new QLabel(TravelUpCaption, this);
    lblTravel[1] = new QLabel(TravelDownCaption, this);
    lblSample = new ReadoutLabel(SampleCaption, this);
    lblSample->setAccessibleName(QStringLiteral("Sample"));
    lblSample->setMinimumHeight(3 * lblSample->fontMetrics().lineSpacing() + 4);
    lblSample->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblSample->setMinimumWidth(220);

    auto *travel = new QVBoxLayout;
    travel->addWidget(lblTravel[0]);
    travel->addWidget(lblTravel[1]);
    travel->addStretch();
    auto *below = new QHBoxLayout;
    below->addLayout(travel);
    below->addSpacing(40);
    below->addWidget(lblSample);
    below->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame, 3);
    layout->addLayout(below);
    layout->addWidget(grdSteps, 2);
    resize(1040, 820);
}

std::span<const RecordSample> frmHistory::samples() const
{
    const auto count = size_t(std::clamp<int32_t>(data.ReportCount, 0, int32_t(data.ReportBuffer.size())));
    return std::span<const RecordSample>(data.ReportBuffer.data(), count);
}

void frmHistory::Form_Load()
{
    pic->setScale(chart::ScaleWidth, chart::ScaleHeight);
    m_first = 0;
    Plot();
    lblPoints->setText(QString::number(data.ReportCount));
    loadSteps();
    // A new file: nothing measured on it and nothing read from it yet, and
    // no travel time of the last file beside its chart.
    m_measurement.reset();
    Line1->setVisible(false);
    lblPos->clear();
    lblVal->clear();
    lblSample->setText(SampleCaption);
    for (int i = 0; i < 2; ++i)
        lblTravel[size_t(i)]->setText(i == 0 ? TravelUpCaption : TravelDownCaption);
    m_lastTravelTime = 0.0f;
}

void frmHistory::Plot()
{
    m_scale = report::reportScale(data.ReportCount);
    report::drawReportChart(pic->drawing(), samples(), m_scale, m_first);
    pic->redraw();
}

void frmHistory::pic_MouseMove(Qt::MouseButtons, double x, double y)
{
    if (!report::inPlotArea(x, y))
        return;
    lblPos->setText(report::positionText(x, y, m_scale.k, m_first));
    const std::optional<RecordSample> sample = report::sampleUnder(x, m_scale.k, samples(), m_first);
    lblVal->setText(sample ? report::valueText(*sample) : QString());
    if (m_measurement.firstPointSet())
        Line1->setEnd(QPointF(x, y));
}

void frmHistory::pic_MouseDown(Qt::MouseButton button, double x, double y)
{
    if (button == Qt::LeftButton) {
        const bool starting = !m_measurement.firstPointSet();
        // Kept from the file's start, so that a measurement spans a scroll.
        m_measurement.leftClick(QPointF(x + double(m_scale.k) * m_first, y));
        if (starting) {
            // The end follows the mouse from the next move on.
            Line1->setStart(QPointF(x, y));
            Line1->setEnd(QPointF(x, y));
            Line1->setVisible(true);
        }
    } else {
        m_measurement.reset();
        Line1->setVisible(false);
    }
    if (report::inPlotArea(x, y)) {
        const std::optional<RecordSample> sample = report::sampleUnder(x, m_scale.k, samples(), m_first);
        lblSample->setText(sample ? report::sampleText(*sample) : SampleCaption);
    }
}

void frmHistory::showTravelTime(int which, const QString &caption)
{
    const std::optional<float> t = m_measurement.travelTime(m_scale.k);
    if (!t)
        return;
    m_lastTravelTime = *t;
    lblTravel[size_t(which)]->setText(caption + QLatin1Char(' ') + num::fixed1(*t) + QLatin1Char('s'));
}

void frmHistory::cmdTravelUp_Click() { showTravelTime(0, TravelUpCaption); }
void frmHistory::cmdTravelDown_Click() { showTravelTime(1, TravelDownCaption); }
