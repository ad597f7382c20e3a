// A ReportTable as a read-only item model: the cell texts in the user's
// locale (right-aligned), the column headings and the row labels as headers;
// the tool tip and the accessible text are the full-precision detail.
// Qt::UserRole gives a cell's value as a double (the low end of an interval),
// kHighRole the high end of an interval; both are empty for an empty cell.
//
//     nv::ui::ReportTableModel model;
//     model.setTable(nv::ui::rulesReport(expectations, nullptr));
//     view->setModel(&model);
#pragma once

#include <QAbstractTableModel>
#include <QLocale>

#include "ui/analysis/comparison_report.h"

namespace nv::ui {

class ReportTableModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int kValueRole = Qt::UserRole;
    static constexpr int kHighRole = Qt::UserRole + 1;

    explicit ReportTableModel(QObject *parent = nullptr);

    void setTable(ReportTable table);
    [[nodiscard]] const ReportTable &table() const noexcept { return m_table; }

    [[nodiscard]] int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index,
                                int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;

private:
    ReportTable m_table;
    QLocale m_locale;
};

}  // namespace nv::ui
