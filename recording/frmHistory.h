#pragma once
// The report window ("Report"): a record file as a chart of SP and PV over
// time, readouts under the mouse and at a click, and the travel time between
// two clicked points. Opened by "Report" of the main window; closing it
// discards it.
#include "recording/RecordBuffer.h"
#include "recording/ReportChart.h"
#include "recording/TravelMeasurement.h"

#include <QWidget>
#include <array>
#include <span>

class PictureBox;
class PictureLine;
class QLabel;
class QPushButton;
struct modMain;

class frmHistory : public QWidget
{
    Q_OBJECT
public:
    explicit frmHistory(const modMain &data, QWidget *parent = nullptr);

    // Shows the file read last: chart, point count, no measurement.
    void Form_Load();
    // The chart from ReportBuffer / ReportCount.
    void Plot();

    void pic_MouseMove(Qt::MouseButtons buttons, double x, double y);
    void pic_MouseDown(Qt::MouseButton button, double x, double y);
    void cmdTravelUp_Click();
    void cmdTravelDown_Click();

    report::ReportScale scale() const { return m_scale; }
    const TravelMeasurement &measurement() const { return m_measurement; }
    float lastTravelTime() const { return m_lastTravelTime; }

    // --- controls ---
    PictureBox *pic = nullptr;
    PictureLine *Line1 = nullptr;
    QLabel *lblPos = nullptr;
    QLabel *lblVal = nullptr;
    QLabel *lblPoints = nullptr;
    QLabel *lblSample = nullptr;
    QPushButton *cmdTravelUp = nullptr;
    QPushButton *cmdTravelDown = nullptr;
    std::array<QLabel *, 2> lblTravel{};

private:
    void buildLayout();
    std::span<const RecordSample> samples() const;
    void showTravelTime(int which, const QString &caption);

    const modMain &data;
    report::ReportScale m_scale;
    TravelMeasurement m_measurement;
    float m_lastTravelTime = 0.0f;
};
