// What the parameter window asks of the Analysis window. The parameter window
// includes no other window's header: app/ hands it an object that answers
// these and does the work with the real Analysis window.
//
//     class Windows final : public nv::ui::AnalysisPresenter { ... };
//     // Analyze > Compare Ordering Rules…
//     presenter.showComparison(currentInputs());
//     // Analyze > Play the Newsvendor…
//     presenter.showPlay(currentInputs());
//     // Analyze > Order Quantity…
//     presenter.showOrderQuantity(currentInputs());
#pragma once

#include <cstdint>
#include <optional>

#include "engine/simulation_parameters.h"

namespace nv::ui {

class AnalysisPresenter {
public:
    virtual ~AnalysisPresenter() = default;

    // Opens the Analysis window at its Compare Rules page for these inputs,
    // checked as the run checks them and then as the analysis does; a
    // refusal shows in the page's status line with nothing computed. The
    // window is one of its own, usable beside the parameter window.
    virtual void showComparison(const RunInputs &inputs) = 0;

    // Opens the Analysis window at its Play page for these inputs (checked
    // as analyze checks them) with the seed of the scenario last opened, or
    // a fresh seed when it has none. A game in progress with the same inputs
    // goes on when no seed, or its own, is given.
    virtual void showPlay(const RunInputs &inputs) = 0;
    // The same at its Order Quantity page, checked as analyze checks them.
    virtual void showOrderQuantity(const RunInputs &inputs) = 0;
    // Opens the Analysis window at its Worksheet page for these inputs, with
    // the days and seed of the scenario last opened (its worksheet_days, else
    // 20; its worksheet_seed, else a new one); a refusal shows in the page's
    // status line.
    virtual void showWorksheet(const RunInputs &inputs) = 0;
};

}  // namespace nv::ui
