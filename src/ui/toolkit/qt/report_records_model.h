// One Records item of a report (the days of a game) as a read-only table
// model: a column per report column under its label (on two lines,
// twoLineHeading), a row per record numbered from 1. Cells are written by
// reportText in the window's style and aligned right; a value that does not
// exist shows as "—". The tool tip and the accessible text are the cell's
// text, the accessible text of a heading its one-line label.
//
//     nv::ui::ReportRecordsModel model("", "days");
//     model.setReport(nv::debriefReport(parameters, debrief, extra));
//     view->setModel(&model);   // a ReportTableView
#pragma once

#include <QAbstractTableModel>
#include <string>

#include "engine/analysis/report.h"
#include "engine/analysis/report_text.h"

namespace nv::ui {

class ReportRecordsModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    // The item `item` of the section `section` (Report::find, any group).
    ReportRecordsModel(std::string section, std::string item, QObject *parent = nullptr);

    // Shows the report's item; a report without it shows nothing.
    void setReport(const Report &report);
    void clear();

    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index,
                                int role = Qt::DisplayRole) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] int rowCount(const QModelIndex &parent = QModelIndex()) const override;

private:
    std::string m_section;
    std::string m_item;
    ReportItem m_records;
    ReportTextStyle m_style;
};

}  // namespace nv::ui
