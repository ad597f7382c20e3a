// The payoff and opportunity-loss tables from the quantity report.
#include "ui/analysis/payoff_table_model.h"

#include <QFont>
#include <variant>

#include "ui/toolkit/qt/qt_text.h"
#include "ui/toolkit/qt/report_table_model.h"

namespace nv::ui {

namespace {

QString unitsText(const ReportScalar &value, const ReportTextStyle &style) {
    return QString::fromStdString(reportText(value, ReportKind::Units, style));
}

const std::vector<ReportScalar> *listOf(const ReportItem *item) {
    return item != nullptr && item->shape == ReportShape::List && !item->rows.empty()
               ? &item->rows.front()
               : nullptr;
}

}  // namespace

PayoffTableModel::PayoffTableModel(Table table, QObject *parent)
    : QAbstractTableModel(parent), m_table(table), m_style(windowTextStyle()) {}

void PayoffTableModel::clear() {
    beginResetModel();
    m_columns.clear();
    m_rows.clear();
    endResetModel();
}

void PayoffTableModel::setReport(const Report &report) {
    const bool profit = m_table == Table::Profit;
    const auto *orders = listOf(report.find("payoff", "", "orders"));
    const auto *demands = listOf(report.find("payoff", "", "demands"));
    const ReportItem *cells = report.find("payoff", "", profit ? "profit" : "opportunity_loss");
    const auto *expected =
        listOf(report.find("payoff", "", profit ? "expected_profit" : "expected_opportunity_loss"));
    const ReportItem *best = report.find("", "", "best_order");
    if (orders == nullptr || demands == nullptr || cells == nullptr || expected == nullptr ||
        cells->rows.size() != orders->size() || expected->size() != orders->size()) {
        clear();
        return;
    }
    const Interval *bestOrders = best != nullptr ? std::get_if<Interval>(&best->value) : nullptr;
    beginResetModel();
    m_columns.clear();
    for (const ReportScalar &demand : *demands) {
        m_columns.push_back(tr("Demand\n%1").arg(unitsText(demand, m_style)));
    }
    m_columns.push_back(profit ? tr("Expected\nprofit") : tr("Expected\nloss"));
    m_rows.clear();
    for (std::size_t r = 0; r < orders->size(); ++r) {
        Row row;
        const QString order = unitsText((*orders)[r], m_style);
        const bool annual = r + 1 == orders->size();
        row.heading = annual ? tr("Order %1 (annual)").arg(order) : tr("Order %1").arg(order);
        const Currency *amount = std::get_if<Currency>(&(*orders)[r]);
        row.best = bestOrders != nullptr && amount != nullptr &&
                   bestOrders->low <= amount->toDouble() && amount->toDouble() <= bestOrders->high;
        if (row.best) {
            row.heading += tr(" (best)");
        }
        row.cells = cells->rows[r];
        row.cells.push_back((*expected)[r]);
        m_rows.push_back(std::move(row));
    }
    endResetModel();
}

bool PayoffTableModel::bestRow(int row) const {
    return row >= 0 && row < rowCount() && m_rows[static_cast<std::size_t>(row)].best;
}

QVariant PayoffTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole && role != Qt::FontRole && role != Qt::ToolTipRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= columnCount() || role == Qt::FontRole) {
            return {};
        }
        return m_columns[static_cast<std::size_t>(section)];
    }
    if (section < 0 || section >= rowCount()) {
        return {};
    }
    const Row &row = m_rows[static_cast<std::size_t>(section)];
    if (role == Qt::FontRole) {
        QFont font;
        font.setBold(row.best);
        return row.best ? QVariant(font) : QVariant();
    }
    return row.heading;
}

QVariant PayoffTableModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    const Row &row = m_rows[static_cast<std::size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
        case Qt::AccessibleTextRole:
            return QString::fromStdString(reportText(
                row.cells[static_cast<std::size_t>(index.column())], ReportKind::Money, m_style));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        case Qt::FontRole:
            if (row.best) {
                QFont font;
                font.setBold(true);
                return font;
            }
            return {};
        default:
            return {};
    }
}

int PayoffTableModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

int PayoffTableModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

}  // namespace nv::ui
