// The columns of the results table, and the one-time set-up of the grid's
// header row, widths and alignments.
#pragma once

#include <array>
#include <string_view>

#include "ui/toolkit/views.h"

namespace nv {

inline constexpr int kResultsColumns = 6;
inline constexpr std::array<std::string_view, kResultsColumns> kResultsHeaders = {
    "Day", "Demand", "Order", "Sales", "Daily Profit", "Cumulative Profit"};
// Column 5 is as wide as this text in the parameter window's font.
inline constexpr std::string_view kCumulativeWidthSample = "XXXXXXXXXXXXXXXXX";

// Nearest whole twip, an exact half to the even neighbour (saturating at the
// int range; NaN gives 0).
[[nodiscard]] int roundTwips(double twips) noexcept;

// Sets the current row to 0, then for each column in turn: current column,
// header text, header alignment centred, (column 5 only) the measured width,
// cell alignment centred. Leaves the current cell at (0, 5).
void prepareResultsTable(ui::ResultsGrid &grid, const ui::TextMeasurer &parameterWindowFont);

}  // namespace nv
