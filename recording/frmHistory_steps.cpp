// The report window's step table and the scroll bar that moves the chart
// through a file longer than it.
#include "recording/frmHistory.h"

#include "app/modMain.h"
#include "platform/PictureBox.h"
#include "recording/StepAnalysis.h"
#include "recording/StepTableModel.h"

#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableView>

#include <algorithm>

namespace {

// Samples the scroll bar's arrows move the chart by: one second.
constexpr int ScrollStep = 10;

// A chosen step starts about this far into the chart, so that the level
// before it shows as well; the chart then starts on a whole ten seconds.
constexpr int32_t LeadIn = 1000;
constexpr int32_t TenSeconds = 100;

// Sized once from the captions and the widest texts, not from every cell:
// a long recording has thousands of rows.
void sizeColumns(QTableView &table)
{
    const QFontMetrics cells = table.fontMetrics();
    const QFontMetrics captions = table.horizontalHeader()->fontMetrics();
    for (int c = 0; c < StepTableModel::ColumnCount; ++c) {
        const auto column = StepTableModel::Column(c);
        const QString widest = column == StepTableModel::Step         ? QStringLiteral("0000")
                             : column == StepTableModel::FullStroke ? QStringLiteral("travel down, 25.0 s")
                                                                       : QStringLiteral("not reached");
        const int width = std::max(cells.horizontalAdvance(widest), captions.horizontalAdvance(StepTableModel::caption(column)));
        table.setColumnWidth(c, width + 14);
    }
    table.verticalHeader()->setDefaultSectionSize(cells.height() + 6);
}

} // namespace

void frmHistory::buildStepControls(QWidget *chartFrame)
{
    hsbChart = new QScrollBar(Qt::Horizontal, chartFrame);
    hsbChart->setAccessibleName(QStringLiteral("Chart position"));
    hsbChart->setRange(0, 0);
    hsbChart->setSingleStep(ScrollStep);
    hsbChart->setFocusPolicy(Qt::StrongFocus); // the keys move the chart too
    hsbChart->hide();
    connect(hsbChart, &QScrollBar::valueChanged, this, &frmHistory::hsbChart_Change);

    LineStep = pic->addLine(QColor(255, 96, 255));
    LineStep->setVisible(false);

    m_steps = new StepTableModel(this);
    grdSteps = new QTableView(this);
    grdSteps->setModel(m_steps);
    grdSteps->setAccessibleName(QStringLiteral("Steps"));
    grdSteps->setAccessibleDescription(QStringLiteral("Step responses found in the recording; choose one to show it"));
    grdSteps->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdSteps->setSelectionMode(QAbstractItemView::SingleSelection);
    grdSteps->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdSteps->setTabKeyNavigation(false); // Tab leaves the table; the arrows move from cell to cell
    grdSteps->verticalHeader()->hide();   // the step number is the first column
    grdSteps->horizontalHeader()->setStretchLastSection(true);
    grdSteps->setMinimumHeight(120);
    sizeColumns(*grdSteps);
    connect(grdSteps->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { grdSteps_SelChange(current.row()); });

    cmdExport = new QPushButton(QStringLiteral("Export..."), chartFrame);
    cmdExport->setAccessibleName(QStringLiteral("Export"));
    cmdExport->setAutoDefault(false);
    auto *menu = new QMenu(cmdExport);
    mnuExportSamples = menu->addAction(QStringLiteral("Samples as CSV..."), this, &frmHistory::mnuExportSamples_Click);
    mnuExportSteps = menu->addAction(QStringLiteral("Step table as CSV..."), this, &frmHistory::mnuExportSteps_Click);
    mnuExportChart = menu->addAction(QStringLiteral("Chart as PNG..."), this, &frmHistory::mnuExportChart_Click);
    cmdExport->setMenu(menu);
}

// A new file: its steps, the chart at its start, no step chosen.
void frmHistory::loadSteps()
{
    const QSignalBlocker still(hsbChart);
    const int32_t last = report::lastFirstSample(data.ReportCount, m_scale);
    hsbChart->setRange(0, last);
    hsbChart->setPageStep(std::max(m_scale.M, 1));
    hsbChart->setValue(0);
    hsbChart->setVisible(last > 0);

    m_steps->setSteps(steps::analyseSteps(samples()));
    LineStep->setVisible(false);
}

void frmHistory::hsbChart_Change(int first)
{
    const double shift = double(m_scale.k) * (first - m_first);
    m_first = first;
    Plot();
    // The measuring line stays on the samples it was drawn over.
    Line1->setStart(Line1->start() - QPointF(shift, 0));
    Line1->setEnd(Line1->end() - QPointF(shift, 0));
    placeStepMarker();
}

void frmHistory::grdSteps_SelChange(int row)
{
    if (row >= 0 && row < m_steps->rowCount() && hsbChart->maximum() > 0) {
        const int32_t start = m_steps->steps()[size_t(row)].start;
        const int32_t first = std::max(start - LeadIn, 0) / TenSeconds * TenSeconds;
        hsbChart->setValue(std::min(first, hsbChart->maximum()));
    }
    placeStepMarker();
}

// The marker stands at the chosen step's start while that is in the chart.
void frmHistory::placeStepMarker()
{
    const int row = grdSteps->currentIndex().row();
    if (row < 0 || row >= m_steps->rowCount()) {
        LineStep->setVisible(false);
        return;
    }
    const double x = 1000.0 + double(m_scale.k) * (m_steps->steps()[size_t(row)].start - m_first);
    LineStep->setStart(QPointF(x, 1000));
    LineStep->setEnd(QPointF(x, 11000));
    LineStep->setVisible(x >= 1000 && x <= 11000);
}
