// The results window's lifetime and the grid's one-time set-up.
//
// There is one results window in the application. Every reference to it goes
// through frmResults(), which creates it hidden on first use; nothing but
// destroyResultsWindow() (at the application's end, and between tests)
// destroys it.
#pragma once

#include "ui/toolkit/views.h"

namespace nv::ui {

class FrmResults;

// The one accessor: creates the window, hidden, if it does not exist yet.
[[nodiscard]] FrmResults &frmResults();
// The grid of the results window (through frmResults()).
[[nodiscard]] ResultsGrid &resultsGrid();
// Header row, alignments and the measured width of column 5, measured in the
// parameter window's font. Called once, by the parameter window's load handler.
void prepareResultsGrid(const TextMeasurer &parameterWindowFont);
// Shows the results window modally; returns when it has been hidden again.
void showResultsModal();
// Ends the results window (application end; tests).
void destroyResultsWindow();
// Whether the window exists.
[[nodiscard]] bool resultsWindowExists();

}  // namespace nv::ui
