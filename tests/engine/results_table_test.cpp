#include "engine/results_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "ui/toolkit/memory_grid.h"
#include "common/case_names.h"

namespace nv {
namespace {

struct TwipsCase {
    double twips;
    int expected;
};

void PrintTo(const TwipsCase &c, std::ostream *os) {
    *os << c.twips;
}

class RoundTwipsTest : public ::testing::TestWithParam<TwipsCase> {};

TEST_P(RoundTwipsTest, NearestHalfToEven) {
    EXPECT_EQ(roundTwips(GetParam().twips), GetParam().expected) << GetParam().twips;
}

constexpr int kIntMax = std::numeric_limits<int>::max();
constexpr int kIntMin = std::numeric_limits<int>::min();

INSTANTIATE_TEST_SUITE_P(
    Values, RoundTwipsTest,
    ::testing::Values(TwipsCase{0.0, 0}, TwipsCase{1634.4, 1634}, TwipsCase{1634.6, 1635},
                      TwipsCase{1634.5, 1634}, TwipsCase{1635.5, 1636}, TwipsCase{0.5, 0},
                      TwipsCase{-0.5, 0}, TwipsCase{-1.5, -2}, TwipsCase{-2.5, -2},
                      TwipsCase{2.4999999, 2}, TwipsCase{2147483646.5, 2147483646},
                      TwipsCase{2147483647.4, kIntMax}, TwipsCase{1e300, kIntMax},
                      TwipsCase{-1e300, kIntMin}, TwipsCase{-2147483648.4, kIntMin},
                      TwipsCase{std::numeric_limits<double>::infinity(), kIntMax},
                      TwipsCase{-std::numeric_limits<double>::infinity(), kIntMin},
                      TwipsCase{std::nan(""), 0}));

// Measures every text as 96.25 twips a character and counts the calls.
class FixedWidthFont final : public ui::TextMeasurer {
public:
    double textWidthTwips(std::string_view text) const override {
        measured.emplace_back(text);
        return 96.25 * static_cast<double>(text.size());
    }
    mutable std::vector<std::string> measured;
};

// Logs the grid calls in order.
class CallLog final : public ui::ResultsGrid {
public:
    void setRowCount(int rows) override { log("rows", rows); }
    int rowCount() const override { return 2; }
    void setCurrentRow(int row) override { log("row", row); }
    void setCurrentColumn(int column) override { log("col", column); }
    void setCurrentCellText(std::string_view text) override {
        calls.push_back("text " + std::string(text));
    }
    void setCellText(int row, int, std::string_view) override { log("cell", row); }
    void setColumnWidthTwips(int column, int twips) override {
        calls.push_back("width " + std::to_string(column) + " " + std::to_string(twips));
    }
    void setFixedCellAlignment(int column, ui::CellAlignment) override { log("fixed", column); }
    void setColumnAlignment(int column, ui::CellAlignment) override { log("align", column); }
    std::vector<std::string> calls;

private:
    void log(const char *what, int n) { calls.push_back(what + (" " + std::to_string(n))); }
};

TEST(PrepareResultsTableTest, WritesHeadersThroughTheCurrentCellInOrder) {
    CallLog grid;
    const FixedWidthFont font;
    prepareResultsTable(grid, font);
    // 17 x 96.25 = 1636.25 twips.
    const std::vector<std::string> expected = {"row 0",
                                               "col 0",
                                               "text Day",
                                               "fixed 0",
                                               "align 0",
                                               "col 1",
                                               "text Demand",
                                               "fixed 1",
                                               "align 1",
                                               "col 2",
                                               "text Order",
                                               "fixed 2",
                                               "align 2",
                                               "col 3",
                                               "text Sales",
                                               "fixed 3",
                                               "align 3",
                                               "col 4",
                                               "text Daily Profit",
                                               "fixed 4",
                                               "align 4",
                                               "col 5",
                                               "text Cumulative Profit",
                                               "fixed 5",
                                               "width 5 1636",
                                               "align 5"};
    EXPECT_EQ(grid.calls, expected);
    EXPECT_EQ(font.measured, std::vector<std::string>{"XXXXXXXXXXXXXXXXX"});
}

TEST(PrepareResultsTableTest, LeavesHeaderRowCentredAndDayRowsAlone) {
    ui::MemoryGrid grid;
    const FixedWidthFont font;
    prepareResultsTable(grid, font);
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.rows()[0], (ui::MemoryGrid::Row{"Day", "Demand", "Order", "Sales",
                                                   "Daily Profit", "Cumulative Profit"}));
    EXPECT_EQ(grid.rows()[1], ui::MemoryGrid::Row{});
    for (int c = 0; c < 6; ++c) {
        EXPECT_TRUE(grid.fixedCellCentred(c)) << c;
        EXPECT_TRUE(grid.columnCentred(c)) << c;
        EXPECT_EQ(grid.columnWidthTwips(c), c == 5 ? 1636 : -1) << c;
    }
    EXPECT_EQ(grid.currentRow(), 0);
    EXPECT_EQ(grid.currentColumn(), 5);
}

}  // namespace
}  // namespace nv
