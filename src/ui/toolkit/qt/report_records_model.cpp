// A Records item of a report as a read-only table model.
#include "ui/toolkit/qt/report_records_model.h"

#include "ui/toolkit/qt/qt_text.h"
#include "ui/toolkit/qt/report_table_model.h"

namespace nv::ui {

ReportRecordsModel::ReportRecordsModel(QObject *parent)
    : QAbstractTableModel(parent), m_style(windowTextStyle()) {}

void ReportRecordsModel::setItem(const ReportItem &item, const QString &absentText,
                                 const QString &absentAccessible) {
    beginResetModel();
    m_item = item;
    m_absent = absentText;
    m_absentAccessible = absentAccessible;
    m_marks.clear();
    endResetModel();
}

void ReportRecordsModel::setReport(const Report &report, std::string_view sectionKey,
                                   std::string_view itemKey) {
    if (const ReportSection *section = report.findSection(sectionKey)) {
        for (const ReportGroup &group : section->groups) {
            if (const ReportItem *item = group.find(itemKey);
                item != nullptr && item->shape == ReportShape::Records) {
                setItem(*item);
                return;
            }
        }
    }
    clear();
}

void ReportRecordsModel::clear() {
    setItem(ReportItem{});
}

void ReportRecordsModel::setMark(int row, int column, const QString &text) {
    m_marks[{row, column}] = text;
    const QModelIndex at = index(row, column);
    emit dataChanged(at, at);
}

void ReportRecordsModel::clearMarks() {
    if (m_marks.empty()) {
        return;
    }
    m_marks.clear();
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

QString ReportRecordsModel::mark(int row, int column) const {
    const auto found = m_marks.find({row, column});
    return found == m_marks.end() ? QString() : found->second;
}

int ReportRecordsModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_item.rows.size());
}

int ReportRecordsModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_item.columns.size());
}

QVariant ReportRecordsModel::data(const QModelIndex &index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    const auto &row = m_item.rows[static_cast<std::size_t>(index.row())];
    const auto column = static_cast<std::size_t>(index.column());
    if (column >= row.size()) {
        return {};
    }
    const bool absent = std::holds_alternative<Absent>(row[column]);
    const QString marked = mark(index.row(), index.column());
    const QString text =
        absent ? m_absent
               : toQString(reportText(row[column], m_item.columns[column].kind, m_style));
    switch (role) {
        case Qt::DisplayRole:
            return text;
        case Qt::AccessibleTextRole: {
            const QString heard = absent ? m_absentAccessible : text;
            return marked.isEmpty() ? heard : heard + QStringLiteral(". ") + marked;
        }
        case Qt::ToolTipRole:
            return marked.isEmpty() ? text : marked;
        case Qt::BackgroundRole:
            return marked.isEmpty() ? QVariant() : QVariant(kWrongColor);
        case Qt::ForegroundRole:
            return marked.isEmpty() ? QVariant() : QVariant(QColor(Qt::black));
        case Qt::TextAlignmentRole:
            return Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter).toInt();
        default:
            return {};
    }
}

QVariant ReportRecordsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) {
        if (section < 0 || section >= rowCount()) {
            return {};
        }
        return role == Qt::DisplayRole || role == Qt::AccessibleTextRole ? QVariant(section + 1)
                                                                         : QVariant();
    }
    if (section < 0 || section >= columnCount()) {
        return {};
    }
    const QString label = toQString(m_item.columns[static_cast<std::size_t>(section)].label);
    switch (role) {
        case Qt::DisplayRole:
            return twoLineHeading(label);
        case Qt::AccessibleTextRole:
            return label;
        case Qt::TextAlignmentRole:
            return Qt::Alignment(Qt::AlignCenter).toInt();
        default:
            return {};
    }
}

}  // namespace nv::ui
