// The results grid's header row, column widths and alignments, written once.
#include "engine/results_table.h"

#include <cmath>
#include <limits>

#include "support/rounding.h"

namespace nv {

int roundTwips(double twips) noexcept {
    if (std::isnan(twips)) {
        return 0;
    }
    constexpr double kMax = static_cast<double>(std::numeric_limits<int>::max());
    constexpr double kMin = static_cast<double>(std::numeric_limits<int>::min());
    if (twips >= kMax) {
        return std::numeric_limits<int>::max();
    }
    if (twips <= kMin) {
        return std::numeric_limits<int>::min();
    }
    const double whole = roundHalfEven(twips);
    if (whole >= kMax) {
        return std::numeric_limits<int>::max();
    }
    return static_cast<int>(whole);
}

void prepareResultsTable(ui::ResultsGrid &grid, const ui::TextMeasurer &parameterWindowFont) {
    constexpr int kMeasuredColumn = kResultsColumns - 1;
    grid.setCurrentRow(0);
    for (int column = 0; column < kResultsColumns; ++column) {
        grid.setCurrentColumn(column);
        grid.setCurrentCellText(kResultsHeaders[static_cast<std::size_t>(column)]);
        grid.setFixedCellAlignment(column, ui::CellAlignment::CenterCenter);
        if (column == kMeasuredColumn) {
            grid.setColumnWidthTwips(
                column, roundTwips(parameterWindowFont.textWidthTwips(kCumulativeWidthSample)));
        }
        grid.setColumnAlignment(column, ui::CellAlignment::CenterCenter);
    }
}

}  // namespace nv
