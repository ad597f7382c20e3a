// A Records item of a report (engine/analysis/report.h: rows of named
// columns) as a read-only table model: the Worksheet page's interval table
// and sheet, the Play page's days.
//
// A column per record column under its label (on two lines, twoLineHeading;
// the one-line label is its accessible text), a row per record numbered from
// 1. A cell is written by reportText in the window's style and aligned
// right; a value the report has as Absent shows the model's absent text
// ("—" unless told otherwise; "" for the cells a student fills in) and is
// heard as its absent accessible text.
//
// Marks: a cell can be marked wrong with a text saying why ("Wrong: 50
// written; 60 is right"); a marked cell has a light red background, and the
// text is its tool tip and is appended to its accessible text, so the mark
// does not rest on colour alone.
//
//     nv::ui::ReportRecordsModel model;
//     model.setItem(*report.find("", "", "days"));
//     model.setMark(0, 2, tr("Wrong: 50 written; 60 is right"));
//     view->setModel(&model);   // a ReportTableView
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QString>
#include <map>
#include <string_view>
#include <utility>

#include "engine/analysis/report.h"
#include "engine/analysis/report_text.h"

namespace nv::ui {

class ReportRecordsModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    // The background of a cell marked wrong.
    static inline const QColor kWrongColor{255, 205, 205};

    explicit ReportRecordsModel(QObject *parent = nullptr);

    // Shows the item's records, Absent values as `absentText` heard as
    // `absentAccessible`; clears the marks.
    void setItem(const ReportItem &item, const QString &absentText = QStringLiteral("\u2014"),
                 const QString &absentAccessible = QStringLiteral("not simulated"));
    // The Records item `itemKey` of the report's section `sectionKey`, in
    // whichever group holds it; nothing when the report has none.
    void setReport(const Report &report, std::string_view sectionKey, std::string_view itemKey);
    void clear();

    void setMark(int row, int column, const QString &text);
    void clearMarks();
    [[nodiscard]] QString mark(int row, int column) const;

    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index,
                                int role = Qt::DisplayRole) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] int rowCount(const QModelIndex &parent = QModelIndex()) const override;

private:
    ReportItem m_item;
    QString m_absent;
    QString m_absentAccessible;
    ReportTextStyle m_style;
    std::map<std::pair<int, int>, QString> m_marks;
};

}  // namespace nv::ui
