// Creating the windows and connecting them.
#include "app/application_windows.h"

#include "ui/analysis/frm_analysis.h"
#include "ui/parameters/frm_main.h"
#include "ui/results/frm_results.h"

namespace nv::ui {

ApplicationWindows::ApplicationWindows() : m_main(std::make_unique<FrmMain>(*this)) {}

ApplicationWindows::~ApplicationWindows() = default;

FrmResults &ApplicationWindows::frmResults() {
    if (!m_results) {
        m_results = std::make_unique<FrmResults>();
        connect(m_results.get(), &FrmResults::compareRequested, this,
                &ApplicationWindows::compareRun);
    }
    return *m_results;
}

ResultsGrid &ApplicationWindows::resultsGrid() {
    return frmResults().resultsGrid();
}

void ApplicationWindows::runCompleted(const SimulationParameters &checked) {
    frmResults().setCheckedRun(checked);
}

void ApplicationWindows::showResultsModal() {
    frmResults().showModal();
}

FrmAnalysis &ApplicationWindows::frmAnalysis() {
    if (!m_analysis) {
        m_analysis = std::make_unique<FrmAnalysis>();
    }
    return *m_analysis;
}

void ApplicationWindows::compareRun(const SimulationParameters &checked) {
    frmAnalysis().showComparison(checked, &frmResults());
}

void ApplicationWindows::showComparison(const RunInputs &inputs) {
    frmAnalysis().showComparison(inputs, nullptr);
}

void ApplicationWindows::showWorksheet(const RunInputs &inputs, std::int32_t days,
                                       std::optional<std::uint64_t> seed) {
    frmAnalysis().showWorksheet(inputs, days, seed, nullptr);
}

}  // namespace nv::ui
