// A ReportTable as a read-only item model.
#include "ui/analysis/report_table_model.h"

#include "ui/analysis/analysis_text.h"

namespace nv::ui {

ReportTableModel::ReportTableModel(QObject *parent)
    : QAbstractTableModel(parent), m_locale(displayLocale()) {}

void ReportTableModel::setTable(ReportTable table) {
    beginResetModel();
    m_table = std::move(table);
    endResetModel();
}

int ReportTableModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_table.cells.size());
}

int ReportTableModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_table.columns.size());
}

QVariant ReportTableModel::data(const QModelIndex &index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    const std::vector<ReportCell> &cells = m_table.cells[static_cast<std::size_t>(index.row())];
    const auto column = static_cast<std::size_t>(index.column());
    if (column >= cells.size()) {
        return {};
    }
    const ReportCell &cell = cells[column];
    switch (role) {
        case Qt::DisplayRole:
            return reportCellText(cell, m_locale);
        case Qt::AccessibleTextRole:
        case Qt::ToolTipRole:
            return reportCellDetail(cell, m_locale);
        case Qt::TextAlignmentRole:
            return Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter).toInt();
        case kValueRole:
            if (cell.kind == ReportKind::Empty || cell.kind == ReportKind::NotAvailable) {
                return {};
            }
            return cell.value;
        case kHighRole:
            if (cell.kind != ReportKind::MoneyInterval) {
                return {};
            }
            return cell.high;
        default:
            return {};
    }
}

QVariant ReportTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const QStringList &labels = orientation == Qt::Horizontal ? m_table.columns : m_table.rows;
    if (section < 0 || section >= labels.size()) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return labels[section];
        case Qt::AccessibleTextRole:
            // Read the two-line headings as one line.
            return QString(labels[section]).replace(QLatin1Char('\n'), QLatin1Char(' '));
        case Qt::TextAlignmentRole:
            return (orientation == Qt::Horizontal ? Qt::Alignment(Qt::AlignCenter)
                                                  : Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter))
                .toInt();
        default:
            return {};
    }
}

}  // namespace nv::ui
