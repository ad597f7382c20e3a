// A table model's cells with their row and column headings, as text for the
// clipboard (tab-separated) and for files (CSV, support/csv.h).
//
// The fields are a grid: the first row is an empty corner and the heading of
// every column taken, each further row the heading of its row and its cells.
// A heading is the model's one-line accessible text of the section when it
// gives one, otherwise its display text with line breaks as spaces; a cell is
// its display text, as the table shows it. Rows and columns are those of the
// given cells, in the model's order; a cell of a taken row and column that is
// not among the given ones is an empty field.
//
//     const auto fields = nv::ui::tableFields(model, view->selectionModel()->selectedIndexes());
//     clipboard->setText(nv::ui::tabSeparatedText(fields));
//     nv::csvText(nv::ui::tableFields(model, nv::ui::allCells(model)));
#pragma once

#include <QModelIndexList>
#include <QString>
#include <string>
#include <vector>

class QAbstractItemModel;

namespace nv::ui {

using TableFields = std::vector<std::vector<std::string>>;

// Every cell of the model's top level.
[[nodiscard]] QModelIndexList allCells(const QAbstractItemModel &model);

[[nodiscard]] TableFields tableFields(const QAbstractItemModel &model,
                                      const QModelIndexList &cells);

// Fields joined by tabs, rows by "\n" (a tab or a line break inside a field
// becomes a space); empty without fields.
[[nodiscard]] QString tabSeparatedText(const TableFields &fields);

}  // namespace nv::ui
