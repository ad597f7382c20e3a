// A report's keyed groups side by side, as a read-only table model: how a
// window shows a Report (engine/analysis/report.h).
//
// Columns are the keyed groups of the chosen sections, by key, in the order
// they first appear; a column's heading is the title of its first group, on
// two lines (twoLineHeading). Rows are the chosen items of each section, in
// the order given; a row's heading is the item's label, which names its unit,
// on one line (every row is one line high).
// A section without keyed groups (a debrief's figures) gives one column of
// its plain items, headed by the value title (setValueTitle).
// A cell is the item in the column's group, written by reportText in the
// window's style (the user's digit groups and decimal separator, "$"), an
// interval in whole dollars so a column stays narrow; the tool tip and the
// accessible text give the full detail (the interval with its cents).
// A figure that does not exist shows as "—", with "not simulated" as its
// tool tip and accessible text: a value the report has as Absent (the spread
// of a single replication), a group a section does not have (Perfect
// Information is not simulated), and every cell of a pending section (its
// figures have not been computed yet).
//
// kValueRole gives a cell's number as a double (an interval's low end),
// kHighRole an interval's high end; both are empty where there is no number.
//
//     nv::ui::ReportTableModel model({{"expected", {"daily_demand", "total_profit"}},
//                                     {"simulated", {"mean_total_profit"}}});
//     model.setReport(report, {"simulated"});   // no replications yet
//     view->setModel(&model);
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/analysis/report.h"
#include "engine/analysis/report_text.h"

namespace nv::ui {

// reportText's style in a window: the user's separators, digit groups, "$",
// and "—" for what does not exist.
[[nodiscard]] ReportTextStyle windowTextStyle();

// What a reader hears for a figure that does not exist.
[[nodiscard]] QString notSimulatedText();

// A heading broken over two lines at the space that makes the longer line
// shortest (the later space on a tie): "Best Fixed Order\n(60 units)". A
// heading without a space stays as it is.
[[nodiscard]] QString twoLineHeading(const QString &heading);

class ReportTableModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int kValueRole = Qt::UserRole;
    static constexpr int kHighRole = Qt::UserRole + 1;

    // The items a table shows of one section, by key, in order.
    struct SectionRows {
        std::string section;
        std::vector<std::string> items;
    };

    explicit ReportTableModel(std::vector<SectionRows> rows, QObject *parent = nullptr);

    // The heading of the column of plain items: "Value", "Your game".
    void setValueTitle(const QString &title) { m_valueTitle = title; }
    // Shows the report; the sections named in `pending` show no figures.
    void setReport(const Report &report, const std::vector<std::string> &pending = {});
    // Shows nothing: no rows, no columns.
    void clear();

    // Where the table shows an item and a group; -1 where it does not.
    [[nodiscard]] int row(std::string_view section, std::string_view item) const noexcept;
    [[nodiscard]] int column(std::string_view group) const noexcept;

    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index,
                                int role = Qt::DisplayRole) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] int rowCount(const QModelIndex &parent = QModelIndex()) const override;

private:
    struct Column {
        std::string key;
        QString title;
    };
    struct Row {
        std::string section;
        std::string item;
        QString label;
        ReportKind kind = ReportKind::Text;
        std::vector<std::optional<ReportScalar>> cells;  // nullopt: no figure
    };

    std::vector<SectionRows> m_shown;
    std::vector<Column> m_columns;
    std::vector<Row> m_rows;
    ReportTextStyle m_style;
    QString m_valueTitle;
};

}  // namespace nv::ui
