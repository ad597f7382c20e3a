// The results grid as the runner's output: a ResultsGrid that turns the
// header and each row the engine completes into a line of text, so the day
// loop (runSimulation) writes straight to standard output.
//
//   tsv:   cells joined by one TAB, every line ended by LF; each line is
//          written as soon as its row is complete.
//   csv:   RFC 4180: a cell holding a comma, a double quote, CR or LF, or
//          beginning or ending with a space, is put in double quotes with its
//          double quotes doubled; lines end with CRLF; written as for tsv.
//   table: columns for a person: each cell right-aligned to the widest cell
//          of its column, counted in code points (a group separator may be
//          U+00A0 or U+202F), columns two spaces apart, lines ended by LF.
//          The widths are known only at the end: the rows are held until
//          finish().
//
// The engine writes the cells of a row from left to right and the rows in
// order; a cell left out is empty. A cell is written once: writing one of a
// finished row again is ignored.
//
//     nv::runner::RowWriter rows(nv::runner::OutputFormat::Tsv, buffer);
//     rows.writeHeader();
//     nv::runSimulation(parameters, views /* grid = rows */, random, locale);
//     rows.finish();
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/results_table.h"
#include "runner/command_line.h"
#include "runner/output_buffer.h"
#include "ui/toolkit/views.h"

namespace nv::runner {

class RowWriter final : public ui::ResultsGrid {
public:
    RowWriter(OutputFormat format, OutputBuffer &out) noexcept : m_format(format), m_out(out) {}

    // The header row, "Day" to "Cumulative Profit".
    void writeHeader();
    // Ends the last row and, for a table, writes every row.
    void finish();

    void setRowCount(int rows) override { m_rowCount = rows; }
    [[nodiscard]] int rowCount() const override { return m_rowCount; }
    void setCellText(int row, int column, std::string_view text) override;
    // The set-up of a window's grid has nothing to do here.
    void setCurrentRow(int) override {}
    void setCurrentColumn(int) override {}
    void setCurrentCellText(std::string_view) override {}
    void setColumnWidthTwips(int, int) override {}
    void setFixedCellAlignment(int, ui::CellAlignment) override {}
    void setColumnAlignment(int, ui::CellAlignment) override {}

private:
    static constexpr int kNoRow = -1;

    // A cell in any format, anywhere (setCellText has the common case).
    void anyCell(int row, int column, std::string_view text);
    // Makes (row, column) the next cell, ending an unfinished row and
    // filling skipped cells; false for a cell that was written already.
    bool moveTo(int row, int column);
    void cell(std::string_view text);
    void holdCell(std::string_view text);  // table: kept until finish()
    // Pads the row with empty cells and ends its line.
    void endRow();
    void lineEnd();
    void writeTable();

    OutputFormat m_format;
    OutputBuffer &m_out;
    int m_rowCount = 0;
    int m_row = kNoRow;  // the row being written
    int m_column = 0;    // the next cell of it; kResultsColumns once it is written

    // Table only: every cell's text end to end, where each ends, and the
    // widest cell of each column.
    std::string m_cells;
    std::vector<std::uint32_t> m_ends;
    std::array<std::size_t, kResultsColumns> m_widths{};
};

}  // namespace nv::runner
