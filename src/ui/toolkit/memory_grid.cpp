#include "ui/toolkit/memory_grid.h"

#include <cstddef>

namespace nv::ui {

void MemoryGrid::setRowCount(int rows) {
    // Shrinking drops the last rows, growing adds empty ones; a negative
    // count leaves no rows at all.
    m_rows.resize(rows > 0 ? static_cast<std::size_t>(rows) : 0U);
}

void MemoryGrid::setCurrentCellText(std::string_view text) {
    setCellText(m_currentRow, m_currentColumn, text);
}

void MemoryGrid::setCellText(int row, int column, std::string_view text) {
    // A cell outside the grid does not exist: the write is dropped.
    if (row < 0 || row >= rowCount() || !validColumn(column)) {
        return;
    }
    m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)].assign(text);
    ++m_writes;
}

void MemoryGrid::setColumnWidthTwips(int column, int twips) {
    if (validColumn(column)) {
        m_widths[static_cast<std::size_t>(column)] = twips;
    }
}

void MemoryGrid::setFixedCellAlignment(int column, CellAlignment alignment) {
    if (validColumn(column)) {
        m_fixedCentred[static_cast<std::size_t>(column)] = alignment == CellAlignment::CenterCenter;
    }
}

void MemoryGrid::setColumnAlignment(int column, CellAlignment alignment) {
    if (validColumn(column)) {
        m_centred[static_cast<std::size_t>(column)] = alignment == CellAlignment::CenterCenter;
    }
}

const std::string &MemoryGrid::cell(int row, int column) const {
    static const std::string kNoCell;
    if (row < 0 || row >= rowCount() || !validColumn(column)) {
        return kNoCell;
    }
    return m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

int MemoryGrid::columnWidthTwips(int column) const {
    return validColumn(column) ? m_widths[static_cast<std::size_t>(column)] : -1;
}

bool MemoryGrid::fixedCellCentred(int column) const {
    return validColumn(column) && m_fixedCentred[static_cast<std::size_t>(column)];
}

bool MemoryGrid::columnCentred(int column) const {
    return validColumn(column) && m_centred[static_cast<std::size_t>(column)];
}

}  // namespace nv::ui
