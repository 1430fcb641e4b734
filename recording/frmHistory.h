#pragma once
// The report window ("Report"): a record file as a chart of SP and PV over
// time, readouts under the mouse and at a click, the travel time between two
// clicked points, the table of the recording's steps, and export. A file
// longer than the chart is moved through with the scroll bar under it.
// Opened by "Report" of the main window; closing it discards it.
#include "recording/RecordBuffer.h"
#include "recording/ReportChart.h"
#include "recording/TravelMeasurement.h"

#include <QWidget>
#include <array>
#include <functional>
#include <span>

class Dialogs;
class PictureBox;
class PictureLine;
class QAction;
class QLabel;
class QPushButton;
class QScrollBar;
class QTableView;
class StepTableModel;
struct modMain;

class frmHistory : public QWidget
{
    Q_OBJECT
public:
    // `cdia`: the main window's dialogs, for export.
    frmHistory(const modMain &data, Dialogs &cdia, QWidget *parent = nullptr);

    // Shows the file read last: chart from its start, point count, its steps,
    // no measurement.
    void Form_Load();
    // The chart from ReportBuffer / ReportCount, from the scroll position on.
    void Plot();

    void pic_MouseMove(Qt::MouseButtons buttons, double x, double y);
    void pic_MouseDown(Qt::MouseButton button, double x, double y);
    void cmdTravelUp_Click();
    void cmdTravelDown_Click();
    // The chart moved to start at sample `first`.
    void hsbChart_Change(int first);
    // A row of the step table chosen: its step is brought into view.
    void grdSteps_SelChange(int row);
    void mnuExportSamples_Click();
    void mnuExportSteps_Click();
    void mnuExportChart_Click();

    report::ReportScale scale() const { return m_scale; }
    // The sample at the left edge of the plot area.
    int32_t firstSample() const { return m_first; }
    // Points in chart units counted from the file's start (x + k x firstSample()).
    const TravelMeasurement &measurement() const { return m_measurement; }
    float lastTravelTime() const { return m_lastTravelTime; }
    const StepTableModel &stepTable() const { return *m_steps; }

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
    QScrollBar *hsbChart = nullptr;   // under the chart, shown for a file longer than it
    PictureLine *LineStep = nullptr;  // marks the start of the step chosen in the table
    QTableView *grdSteps = nullptr;
    QPushButton *cmdExport = nullptr; // its menu: mnuExportSamples, mnuExportSteps, mnuExportChart
    QAction *mnuExportSamples = nullptr;
    QAction *mnuExportSteps = nullptr;
    QAction *mnuExportChart = nullptr;

private:
    void buildLayout();
    void buildStepControls(QWidget *chartFrame);
    std::span<const RecordSample> samples() const;
    void showTravelTime(int which, const QString &caption);
    void loadSteps();
    void placeStepMarker();
    void exportFile(const std::function<QString(const QString &)> &save);

    const modMain &data;
    Dialogs &cdia;
    report::ReportScale m_scale;
    int32_t m_first = 0;
    TravelMeasurement m_measurement;
    float m_lastTravelTime = 0.0f;
    StepTableModel *m_steps = nullptr;
};
