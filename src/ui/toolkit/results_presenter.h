// What the parameter window asks of the results window. The parameter window
// includes no other window's header: app/ hands it an object that answers
// these at start-up and does the work with the real results window.
//
//     class Windows final : public nv::ui::ResultsPresenter { ... };
//     Windows windows;
//     nv::ui::FrmMain frmMain(windows);
//     frmMain.Form_Load();   // prepares windows.resultsGrid(), creating the results window
#pragma once

#include "engine/simulation_parameters.h"
#include "ui/toolkit/views.h"

namespace nv::ui {

class ResultsPresenter {
public:
    virtual ~ResultsPresenter() = default;

    // The results grid. Its first reference creates the results window,
    // hidden.
    [[nodiscard]] virtual ResultsGrid &resultsGrid() = 0;
    // The grid now shows a completed run of this checked record.
    virtual void runCompleted(const SimulationParameters &checked) = 0;
    // Shows the results window modally; returns when it has been hidden.
    virtual void showResultsModal() = 0;
};

}  // namespace nv::ui
