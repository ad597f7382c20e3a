// The payoff table or the opportunity-loss (regret) table of the quantity
// report (quantityReport's "payoff" section), as a read-only table model for
// a ReportTableView: a row per order (30 .. 70, then the Average Annual
// Demand order, "(annual)"), a column per demand and a last column of the row's expected
// value. The rows of the best orders are marked: "(best)" in their heading,
// which a screen reader reads too, and bold figures.
//
//     nv::ui::PayoffTableModel payoff(nv::ui::PayoffTableModel::Table::Profit);
//     payoff.setReport(nv::quantityReport(parameters, lesson, extra));
//     view->setModel(&payoff);
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "engine/analysis/report.h"
#include "engine/analysis/report_text.h"

namespace nv::ui {

class PayoffTableModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum class Table { Profit, OpportunityLoss };

    explicit PayoffTableModel(Table table, QObject *parent = nullptr);

    // A report without a payoff section shows nothing.
    void setReport(const Report &report);
    void clear();

    // Whether the row is one of the best orders.
    [[nodiscard]] bool bestRow(int row) const;

    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index,
                                int role = Qt::DisplayRole) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] int rowCount(const QModelIndex &parent = QModelIndex()) const override;

private:
    struct Row {
        QString heading;
        bool best = false;
        std::vector<ReportScalar> cells;  // a cell per demand, then the expected value
    };

    Table m_table;
    std::vector<QString> m_columns;
    std::vector<Row> m_rows;
    ReportTextStyle m_style;
};

}  // namespace nv::ui
