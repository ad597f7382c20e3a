#include "ui/toolkit/memory_grid.h"

#include <gtest/gtest.h>

namespace nv::ui {
namespace {

TEST(MemoryGrid, ResizesKeepingOrDroppingRows) {
    MemoryGrid grid;
    EXPECT_EQ(grid.rowCount(), 2);
    grid.setRowCount(5);
    grid.setCellText(4, 5, "last");
    grid.setCellText(1, 0, "kept");
    grid.setRowCount(3);  // drops rows 3 and 4
    EXPECT_EQ(grid.rowCount(), 3);
    grid.setRowCount(5);  // grows with empty rows
    EXPECT_EQ(grid.cell(4, 5), "");
    EXPECT_EQ(grid.cell(1, 0), "kept");
    grid.setRowCount(-3);
    EXPECT_EQ(grid.rowCount(), 0);
    EXPECT_TRUE(grid.rows().empty());
}

TEST(MemoryGrid, IgnoresCellsOutsideTheGrid) {
    MemoryGrid grid;
    grid.setCellText(2, 0, "x");
    grid.setCellText(-1, 0, "x");
    grid.setCellText(0, 6, "x");
    grid.setCellText(0, -1, "x");
    grid.setCurrentRow(7);
    grid.setCurrentCellText("x");
    EXPECT_EQ(grid.writes(), 0);
    EXPECT_EQ(grid.cell(2, 0), "");
    EXPECT_EQ(grid.cell(0, 6), "");
    EXPECT_EQ(grid.columnWidthTwips(6), -1);
    EXPECT_FALSE(grid.columnCentred(-1));
    grid.setColumnWidthTwips(9, 100);  // no effect, no crash
}

TEST(MemoryGrid, TracksCurrentCellWidthsAlignmentsAndWrites) {
    MemoryGrid grid;
    grid.setCurrentRow(0);
    grid.setCurrentColumn(3);
    grid.setCurrentCellText("Sales");
    grid.setCellText(1, 0, "1");  // does not move the current cell
    grid.setCurrentCellText("Sales!");
    EXPECT_EQ(grid.cell(0, 3), "Sales!");
    EXPECT_EQ(grid.cell(1, 0), "1");
    EXPECT_EQ(grid.currentRow(), 0);
    EXPECT_EQ(grid.currentColumn(), 3);
    EXPECT_EQ(grid.writes(), 3);

    EXPECT_EQ(grid.columnWidthTwips(2), -1);
    grid.setColumnWidthTwips(2, 1200);
    EXPECT_EQ(grid.columnWidthTwips(2), 1200);
    EXPECT_FALSE(grid.fixedCellCentred(4));
    grid.setFixedCellAlignment(4, CellAlignment::CenterCenter);
    EXPECT_TRUE(grid.fixedCellCentred(4));
    EXPECT_FALSE(grid.columnCentred(4));
    grid.setColumnAlignment(4, CellAlignment::CenterCenter);
    EXPECT_TRUE(grid.columnCentred(4));
}

}  // namespace
}  // namespace nv::ui
