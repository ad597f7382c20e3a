// What the parameter window asks of the Analysis window. The parameter window
// includes no other window's header: app/ hands it an object that answers
// these and does the work with the real Analysis window.
//
//     class Windows final : public nv::ui::AnalysisPresenter { ... };
//     // Analyze > Compare Ordering Rules…
//     presenter.showComparison(currentInputs());
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

    // Opens the Analysis window at its Worksheet page for these inputs, the
    // sheet's days (a scenario's worksheet_days, else 20) and seed (its
    // worksheet_seed; nullopt: a new one); a refusal shows in the page's
    // status line. Analyze > Random-Number Worksheet…
    virtual void showWorksheet(const RunInputs &inputs, std::int32_t days,
                               std::optional<std::uint64_t> seed) = 0;
};

}  // namespace nv::ui
