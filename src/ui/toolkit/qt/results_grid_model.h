// The results grid as a Qt item model.
//
// ResultsGridModel owns the grid's cell texts, one std::string per cell, and
// its settings (current cell, column widths in twips, alignments). The grid's
// row 0 is its one fixed row: the model shows it as the horizontal header, so
// it stays in view while the day rows scroll, and grid row r (r >= 1) is the
// model's row r - 1. There is no fixed column.
//
// The engine writes through grid(), the ResultsGrid face of the model:
//
//     nv::ui::ResultsGridModel model;            // 2 rows x 6 columns, empty
//     model.grid().setRowCount(251);             // header row + 250 days
//     model.grid().setCellText(1, 0, "1");       // day 1, column "Day"
//
// Writing a cell is cheap: it stores the text, and tells attached views only
// while live updates are on (a view switches them on while it is shown; a
// hidden view reads the current texts when it is next painted). Changes of
// the row count and of the header row always reach the views.
//
// Rules:
// - setRowCount(n) keeps rows 0..n-1 and drops the rest; new rows are empty.
//   The header row always stays, so a count below 1 is taken as 1. Every
//   call is announced (gridRowCountSet), so views can start the new table
//   from its top.
// - Writes outside the grid (row or column out of range) are ignored.
// - Until an alignment is set, texts are left-aligned and vertically centred;
//   CellAlignment::CenterCenter centres them both ways.
#pragma once

#include <QAbstractTableModel>
#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/toolkit/views.h"

namespace nv::ui {

inline constexpr int kResultsGridColumns = 6;
inline constexpr int kResultsGridInitialRows = 2;
using ResultsGridRow = std::array<std::string, kResultsGridColumns>;

// A rectangle of selected cells in grid coordinates (row 0 is the header row),
// bounds inclusive.
struct GridCellRange {
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
    friend bool operator==(const GridCellRange &, const GridCellRange &) = default;
};

// The text of a copy of the selected cells, ready for a spreadsheet: the
// bounding rectangle of the ranges, one line per grid row, the cells of a line
// separated by tabs and the lines by LF (no LF after the last line). Cells of
// the rectangle outside every range are empty fields. When some range covers
// every day row (rows 1 to the last) of its columns, a first line holds the
// header texts (row 0) of the rectangle's columns. Ranges are clipped to the
// day rows and the six columns; nothing left gives the empty text.
//
//     rows: header {"Day", "Demand", ...}, day 1 {"1", "40", ...}, day 2 {"2", "60", ...}
//     {{1, 0, 2, 1}}  -> "Day\tDemand\n1\t40\n2\t60"
//     {{2, 1, 2, 1}}  -> "60"
[[nodiscard]] std::string copiedCellsText(const std::vector<ResultsGridRow> &rows,
                                          std::span<const GridCellRange> ranges);

class ResultsGridModel;

// The view operations of the grid, writing into a ResultsGridModel.
class QtResultsGrid final : public ResultsGrid {
public:
    explicit QtResultsGrid(ResultsGridModel &model) noexcept : m_model(model) {}
    void setRowCount(int rows) override;
    [[nodiscard]] int rowCount() const override;
    void setCurrentRow(int row) override;
    void setCurrentColumn(int column) override;
    void setCurrentCellText(std::string_view text) override;
    void setCellText(int row, int column, std::string_view text) override;
    void setColumnWidthTwips(int column, int twips) override;
    void setFixedCellAlignment(int column, CellAlignment alignment) override;
    void setColumnAlignment(int column, CellAlignment alignment) override;

private:
    ResultsGridModel &m_model;
};

class ResultsGridModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ResultsGridModel(QObject *parent = nullptr);

    // The grid's view operations (the engine and the set-up write through it).
    [[nodiscard]] ResultsGrid &grid() noexcept { return m_grid; }

    // Grid operations, in grid coordinates (row 0 is the header row).
    void setGridRowCount(int rows);
    [[nodiscard]] int gridRowCount() const noexcept { return static_cast<int>(m_rows.size()); }
    void setCurrentRow(int row) noexcept { m_currentRow = row; }
    void setCurrentColumn(int column) noexcept { m_currentColumn = column; }
    [[nodiscard]] int currentRow() const noexcept { return m_currentRow; }
    [[nodiscard]] int currentColumn() const noexcept { return m_currentColumn; }
    void setCurrentCellText(std::string_view text) {
        setCellText(m_currentRow, m_currentColumn, text);
    }
    void setCellText(int row, int column, std::string_view text);
    // The text of a cell; empty outside the grid.
    [[nodiscard]] std::string_view cellText(int row, int column) const noexcept;
    [[nodiscard]] const std::vector<ResultsGridRow> &rows() const noexcept { return m_rows; }

    // -1 until a width is set: the view's default width.
    void setColumnWidthTwips(int column, int twips);
    [[nodiscard]] int columnWidthTwips(int column) const noexcept;
    void setFixedCellAlignment(int column, CellAlignment alignment);
    void setColumnAlignment(int column, CellAlignment alignment);
    [[nodiscard]] Qt::Alignment fixedCellAlignment(int column) const noexcept;
    [[nodiscard]] Qt::Alignment columnAlignment(int column) const noexcept;

    // While on, every cell write tells the views (dataChanged); while off,
    // writes only store their text.
    void setLiveUpdates(bool live) noexcept { m_live = live; }
    [[nodiscard]] bool liveUpdates() const noexcept { return m_live; }

    // QAbstractTableModel: the day rows (grid rows 1..) and the six columns;
    // the header row is headerData(column, Qt::Horizontal).
    [[nodiscard]] int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index,
                                int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    // A column's width was set (columnWidthTwips gives it).
    void columnWidthChanged(int column);
    // setGridRowCount was called (a run starts writing a new table), whether
    // or not the count changed.
    void gridRowCountSet();

private:
    [[nodiscard]] static bool validColumn(int column) noexcept {
        return column >= 0 && column < kResultsGridColumns;
    }
    std::vector<ResultsGridRow> m_rows;
    int m_currentRow = 0;
    int m_currentColumn = 0;
    std::array<int, kResultsGridColumns> m_widthTwips{-1, -1, -1, -1, -1, -1};
    std::array<Qt::Alignment, kResultsGridColumns> m_fixedAlignment{};
    std::array<Qt::Alignment, kResultsGridColumns> m_alignment{};
    bool m_live = false;
    QtResultsGrid m_grid{*this};
};

}  // namespace nv::ui
