#include "runner/runner_output.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "support/utf8.h"
#include "support/csv.h"

namespace nv::runner {

namespace {

constexpr std::size_t kColumns = ui::MemoryGrid::kColumns;

void writeTsv(std::span<const ui::MemoryGrid::Row> rows, std::ostream &out) {
    for (const auto &row : rows) {
        for (std::size_t c = 0; c < kColumns; ++c) {
            if (c > 0) {
                out << '\t';
            }
            out << row[c];
        }
        out << '\n';
    }
}

void writeCsv(std::span<const ui::MemoryGrid::Row> rows, std::ostream &out) {
    for (const auto &row : rows) {
        for (std::size_t c = 0; c < kColumns; ++c) {
            if (c > 0) {
                out << ',';
            }
            out << csvField(row[c]);
        }
        out << "\r\n";
    }
}

void writeTable(std::span<const ui::MemoryGrid::Row> rows, std::ostream &out) {
    std::array<std::size_t, kColumns> widths{};
    for (const auto &row : rows) {
        for (std::size_t c = 0; c < kColumns; ++c) {
            widths[c] = std::max(widths[c], codePointCount(row[c]));
        }
    }
    std::string line;
    for (const auto &row : rows) {
        line.clear();
        for (std::size_t c = 0; c < kColumns; ++c) {
            if (c > 0) {
                line += "  ";
            }
            line.append(widths[c] - codePointCount(row[c]), ' ');
            line += row[c];
        }
        line += '\n';
        out << line;
    }
}

}  // namespace

void writeGrid(std::span<const ui::MemoryGrid::Row> rows, OutputFormat format, std::ostream &out) {
    switch (format) {
        case OutputFormat::Tsv:
            writeTsv(rows, out);
            return;
        case OutputFormat::Csv:
            writeCsv(rows, out);
            return;
        case OutputFormat::Table:
            writeTable(rows, out);
            return;
    }
}

}  // namespace nv::runner
