#include "ui/analysis/records_table_model.h"

#include "ui/toolkit/qt/qt_text.h"
#include "ui/toolkit/qt/report_table_model.h"

namespace nv::ui {

RecordsTableModel::RecordsTableModel(QObject *parent)
    : QAbstractTableModel(parent), m_style(windowTextStyle()) {}

void RecordsTableModel::setItem(const ReportItem &item, const QString &absentText,
                                const QString &absentAccessible) {
    beginResetModel();
    m_item = item;
    m_absent = absentText;
    m_absentAccessible = absentAccessible;
    m_marks.clear();
    endResetModel();
}

void RecordsTableModel::clear() {
    setItem(ReportItem{}, QString(), QString());
}

void RecordsTableModel::setMark(int row, int column, const QString &text) {
    m_marks[{row, column}] = text;
    const QModelIndex at = index(row, column);
    emit dataChanged(at, at);
}

void RecordsTableModel::clearMarks() {
    if (m_marks.empty()) {
        return;
    }
    m_marks.clear();
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

QString RecordsTableModel::mark(int row, int column) const {
    const auto found = m_marks.find({row, column});
    return found == m_marks.end() ? QString() : found->second;
}

QVariant RecordsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || section < 0) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return section + 1;
    }
    const auto column = static_cast<std::size_t>(section);
    return column < m_item.columns.size() ? twoLineHeading(toQString(m_item.columns[column].label))
                                          : QVariant();
}

QVariant RecordsTableModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    const auto &value =
        m_item
            .rows[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())];
    const bool absent = std::holds_alternative<Absent>(value);
    const QString marked = mark(index.row(), index.column());
    const QString text =
        absent
            ? m_absent
            : toQString(reportText(
                  value, m_item.columns[static_cast<std::size_t>(index.column())].kind, m_style));
    switch (role) {
        case Qt::DisplayRole:
            return text;
        case Qt::AccessibleTextRole: {
            const QString heard = absent ? m_absentAccessible : text;
            return marked.isEmpty() ? heard : heard + QStringLiteral(". ") + marked;
        }
        case Qt::ToolTipRole:
            return marked.isEmpty() ? QVariant() : QVariant(marked);
        case Qt::BackgroundRole:
            return marked.isEmpty() ? QVariant() : QVariant(kWrongColor);
        case Qt::ForegroundRole:
            return marked.isEmpty() ? QVariant() : QVariant(QColor(Qt::black));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        default:
            return {};
    }
}

int RecordsTableModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_item.columns.size());
}

int RecordsTableModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_item.rows.size());
}

}  // namespace nv::ui
