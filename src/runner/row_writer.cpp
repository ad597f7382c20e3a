#include "runner/row_writer.h"

#include <algorithm>

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
    if (row != m_row) {
        if (m_column > 0 && m_column < kResultsColumns) {
            endRow();
        }
        m_row = row;
        m_column = 0;
    }
    if (column < m_column || column >= kResultsColumns) {
        return;
    }
    while (m_column < column) {
        cell({});
    }
    cell(text);
    if (m_column == kResultsColumns) {
        lineEnd();
    }
}

void RowWriter::cell(std::string_view text) {
    switch (m_format) {
        case OutputFormat::Tsv:
            if (m_column > 0) {
                m_out.append('\t');
            }
            m_out.append(text);
            break;
        case OutputFormat::Csv:
            if (m_column > 0) {
                m_out.append(',');
            }
            if (needsQuotes(text)) {
                m_out.append(csvField(text));
            } else {
                m_out.append(text);
            }
            break;
        case OutputFormat::Table: {
            m_cells.append(text);
            m_ends.push_back(static_cast<std::uint32_t>(m_cells.size()));
            std::size_t &width = m_widths[static_cast<std::size_t>(m_column)];
            width = std::max(width, codePointCount(text));
            break;
        }
    }
    ++m_column;
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
