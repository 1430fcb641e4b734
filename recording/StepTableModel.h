#pragma once
// The steps of a recording as a table, one row per step: the columns a screen
// reader announces with each cell, and the texts the report window shows.
#include "recording/StepAnalysis.h"

#include <QAbstractTableModel>
#include <vector>

class StepTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Step, Start, From, To, DeadTime, T63, T86, Settling, Overshoot, FinalError, FullStroke, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setSteps(std::vector<steps::StepResponse> steps);
    const std::vector<steps::StepResponse> &steps() const { return m_steps; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // "T63 (s)": the caption of a column.
    static QString caption(Column column);
    // What row `row` shows in `column`: one decimal, "not reached" where a
    // value was not reached, the kind of stroke and its travel time for a
    // full stroke.
    QString text(int row, Column column) const;

private:
    std::vector<steps::StepResponse> m_steps;
};
