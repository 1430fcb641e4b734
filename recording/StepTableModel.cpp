#include "recording/StepTableModel.h"

#include "platform/Numbers.h"

namespace {

const QString NotReached = QStringLiteral("not reached");

QString seconds(const std::optional<double> &value)
{
    return value ? num::fixed1(*value) : NotReached;
}

QString strokeText(const steps::StepResponse &step)
{
    if (step.stroke == steps::Stroke::None)
        return {};
    QString text = step.stroke == steps::Stroke::TravelUp ? QStringLiteral("travel up") : QStringLiteral("travel down");
    if (step.travelTime)
        text += QStringLiteral(", ") + num::fixed1(*step.travelTime) + QStringLiteral(" s");
    return text;
}

} // namespace

void StepTableModel::setSteps(std::vector<steps::StepResponse> steps)
{
    beginResetModel();
    m_steps = std::move(steps);
    endResetModel();
}

int StepTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_steps.size());
}

int StepTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString StepTableModel::caption(Column column)
{
    switch (column) {
    case Step: return QStringLiteral("Step");
    case Start: return QStringLiteral("Start (s)");
    case From: return QStringLiteral("From (%)");
    case To: return QStringLiteral("To (%)");
    case DeadTime: return QStringLiteral("Dead time (s)");
    case T63: return QStringLiteral("T63 (s)");
    case T86: return QStringLiteral("T86 (s)");
    case Settling: return QStringLiteral("Settling (s)");
    case Overshoot: return QStringLiteral("Overshoot (%)");
    case FinalError: return QStringLiteral("Final error (%)");
    case FullStroke: return QStringLiteral("Full stroke");
    case ColumnCount: break;
    }
    return {};
}

QString StepTableModel::text(int row, Column column) const
{
    const steps::StepResponse &step = m_steps[size_t(row)];
    switch (column) {
    case Step: return QString::number(row + 1);
    case Start: return num::fixed1(step.startTime());
    case From: return num::fixed1(step.from);
    case To: return num::fixed1(step.to);
    case DeadTime: return seconds(step.deadTime);
    case T63: return seconds(step.t63);
    case T86: return seconds(step.t86);
    case Settling: return seconds(step.settling);
    case Overshoot: return step.overshoot ? num::fixed1(*step.overshoot) : NotReached;
    case FinalError: return num::fixed1(step.finalError);
    case FullStroke: return strokeText(step);
    case ColumnCount: break;
    }
    return {};
}

QVariant StepTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount)
        return {};
    const auto column = Column(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return text(index.row(), column);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(column == FullStroke ? Qt::AlignLeft | Qt::AlignVCenter
                                                        : Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant StepTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    if (orientation == Qt::Vertical)
        return QString::number(section + 1);
    if (section < 0 || section >= ColumnCount)
        return {};
    return caption(Column(section));
}
