// The one results window: created hidden on first use, destroyed only at the
// application's end.
#include "ui/results/results_window.h"

#include <memory>

#include "engine/results_table.h"
#include "ui/results/frm_results.h"
#include "ui/toolkit/qt/results_grid_view.h"

namespace nv::ui {

namespace {

std::unique_ptr<FrmResults> &theWindow() {
    static std::unique_ptr<FrmResults> window;
    return window;
}

}  // namespace

FrmResults &frmResults() {
    std::unique_ptr<FrmResults> &window = theWindow();
    if (!window) {
        window = std::make_unique<FrmResults>();
    }
    return *window;
}

ResultsGrid &resultsGrid() {
    return frmResults().grdResults().gridModel().grid();
}

void prepareResultsGrid(const TextMeasurer &parameterWindowFont) {
    nv::prepareResultsTable(resultsGrid(), parameterWindowFont);
}

void showResultsModal() {
    FrmResults &window = frmResults();
    window.setWindowModality(Qt::ApplicationModal);
    window.exec();
}

void destroyResultsWindow() {
    theWindow().reset();
}

bool resultsWindowExists() {
    return theWindow() != nullptr;
}

}  // namespace nv::ui
