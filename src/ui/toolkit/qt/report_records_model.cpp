// One Records item of a report as a read-only table model.
#include "ui/toolkit/qt/report_records_model.h"

#include <utility>

#include "ui/toolkit/qt/qt_text.h"
#include "ui/toolkit/qt/report_table_model.h"

namespace nv::ui {

ReportRecordsModel::ReportRecordsModel(std::string section, std::string item, QObject *parent)
    : QAbstractTableModel(parent),
      m_section(std::move(section)),
      m_item(std::move(item)),
      m_style(windowTextStyle()) {}

void ReportRecordsModel::setReport(const Report &report) {
    beginResetModel();
    m_records = ReportItem{};
    if (const ReportSection *section = report.findSection(m_section)) {
        for (const ReportGroup &group : section->groups) {
            if (const ReportItem *item = group.find(m_item);
                item != nullptr && item->shape == ReportShape::Records) {
                m_records = *item;
                break;
            }
        }
    }
    endResetModel();
}

void ReportRecordsModel::clear() {
    beginResetModel();
    m_records = ReportItem{};
    endResetModel();
}

int ReportRecordsModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_records.rows.size());
}

int ReportRecordsModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_records.columns.size());
}

QVariant ReportRecordsModel::data(const QModelIndex &index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    const auto &row = m_records.rows[static_cast<std::size_t>(index.row())];
    const auto column = static_cast<std::size_t>(index.column());
    if (column >= row.size()) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
        case Qt::AccessibleTextRole:
            return toQString(reportText(row[column], m_records.columns[column].kind, m_style));
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
    const QString label = toQString(m_records.columns[static_cast<std::size_t>(section)].label);
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
