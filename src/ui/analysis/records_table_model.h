// A report's records (a Records item of engine/analysis/report.h: rows of
// named columns) as a read-only table model: the Worksheet page's interval
// table and its sheet.
//
// A column per record column under its label (which names its unit), a row
// per record; row headings are not used (the records carry their own first
// column). A cell is written by reportText in the window's style; a value
// the report has as Absent shows the model's absent text ("" for the cells a
// student fills in, "—" elsewhere) with its own accessible text.
//
// Marks: a cell can be marked wrong with a text saying why ("Wrong: 50
// written, 60 is right"); a marked cell has a light red background, and the
// text is its tool tip and is appended to its accessible text, so the mark
// does not rest on colour alone.
//
//     nv::ui::RecordsTableModel model;
//     model.setItem(*report.find("", "", "days"), QString());
//     model.setMark(0, 2, tr("Wrong: 50 written, 60 is right"));
//     view->setModel(&model);
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QString>
#include <map>
#include <utility>

#include "engine/analysis/report.h"
#include "engine/analysis/report_text.h"

namespace nv::ui {

class RecordsTableModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    // The background of a cell marked wrong.
    static inline const QColor kWrongColor{255, 205, 205};

    explicit RecordsTableModel(QObject *parent = nullptr);

    // Shows the item's records, Absent values as `absentText` (and heard as
    // `absentAccessible`); clears the marks.
    void setItem(const ReportItem &item, const QString &absentText,
                 const QString &absentAccessible);
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
