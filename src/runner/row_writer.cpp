#include "runner/row_writer.h"

#include <algorithm>

#include "support/copy_bytes.h"
#include "support/csv.h"
#include "support/utf8.h"

namespace nv::runner {

namespace {

// Whether csv must quote the cell (support/csv.h's rule), without building
// the quoted text for the common cell that needs none.
bool needsQuotes(std::string_view text) noexcept {
    if (text.empty()) {
        return false;
    }
    if (text.front() == ' ' || text.back() == ' ') {
        return true;
    }
    for (const char c : text) {
        if (c == ',' || c == '"' || c == '\r' || c == '\n') {
            return true;
        }
    }
    return false;
}

}  // namespace

void RowWriter::writeHeader() {
    m_row = 0;
    m_column = 0;
    for (const std::string_view header : kResultsHeaders) {
        cell(header);
    }
    lineEnd();
}

void RowWriter::setCellText(int row, int column, std::string_view text) {
    // The next cell of a tsv row, with its tab and, last in the row, its line
    // end, in one piece of the buffer: this runs six times a simulated day.
    if (row == m_row && column == m_column && m_format == OutputFormat::Tsv) [[likely]] {
        if (char *room = m_out.room(text.size() + 2)) {
            std::size_t length = 0;
            if (column > 0) {
                room[length++] = '\t';
            }
            copyBytes(room + length, text.data(), text.size());
            length += text.size();
            if (++m_column == kResultsColumns) {
                room[length++] = '\n';
            }
            m_out.commit(length);
            return;
        }
    }
    anyCell(row, column, text);
}

void RowWriter::anyCell(int row, int column, std::string_view text) {
    if (!moveTo(row, column)) {
        return;
    }
    cell(text);
    if (m_column == kResultsColumns) {
        lineEnd();
    }
}

bool RowWriter::moveTo(int row, int column) {
    if (row != m_row) {
        if (m_column > 0 && m_column < kResultsColumns) {
            endRow();
        }
        m_row = row;
        m_column = 0;
    }
    if (column < m_column || column >= kResultsColumns) {
        return false;
    }
    while (m_column < column) {
        cell({});
    }
    return true;
}

void RowWriter::cell(std::string_view text) {
    if (m_format == OutputFormat::Table) {
        holdCell(text);
    } else {
        if (m_column > 0) {
            m_out.append(m_format == OutputFormat::Csv ? ',' : '\t');
        }
        if (m_format == OutputFormat::Csv && needsQuotes(text)) {
            m_out.append(csvField(text));
        } else {
            m_out.append(text);
        }
    }
    ++m_column;
}

void RowWriter::holdCell(std::string_view text) {
    m_cells.append(text);
    m_ends.push_back(static_cast<std::uint32_t>(m_cells.size()));
    std::size_t &width = m_widths[static_cast<std::size_t>(m_column)];
    width = std::max(width, codePointCount(text));
}

void RowWriter::endRow() {
    while (m_column < kResultsColumns) {
        cell({});
    }
    lineEnd();
}

void RowWriter::lineEnd() {
    if (m_format == OutputFormat::Csv) {
        m_out.append("\r\n");
    } else if (m_format == OutputFormat::Tsv) {
        m_out.append('\n');
    }
}

void RowWriter::finish() {
    if (m_column > 0 && m_column < kResultsColumns) {
        endRow();
    }
    if (m_format == OutputFormat::Table) {
        writeTable();
    }
}

void RowWriter::writeTable() {
    std::size_t start = 0;
    std::string line;
    for (std::size_t i = 0; i < m_ends.size(); ++i) {
        const std::size_t column = i % kResultsColumns;
        const std::string_view text(m_cells.data() + start, m_ends[i] - start);
        start = m_ends[i];
        if (column > 0) {
            line += "  ";
        }
        line.append(m_widths[column] - codePointCount(text), ' ');
        line += text;
        if (column + 1 == kResultsColumns) {
            line += '\n';
            m_out.append(line);
            line.clear();
        }
    }
    m_cells.clear();
    m_ends.clear();
}

}  // namespace nv::runner
