// Creating the windows and connecting them.
#include "app/application_windows.h"

#include "ui/analysis/frm_compare.h"
#include "ui/parameters/frm_main.h"
#include "ui/results/frm_results.h"

namespace nv::ui {

ApplicationWindows::ApplicationWindows() : m_main(std::make_unique<FrmMain>(*this)) {}

ApplicationWindows::~ApplicationWindows() = default;

FrmResults &ApplicationWindows::frmResults() {
    if (!m_results) {
        m_results = std::make_unique<FrmResults>();
        connect(m_results.get(), &FrmResults::compareRequested, this,
                &ApplicationWindows::showComparison);
    }
    return *m_results;
}

FrmCompare *ApplicationWindows::compareWindow() const noexcept {
    return m_compare.data();
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

void ApplicationWindows::showComparison(const SimulationParameters &checked) {
    if (m_compare == nullptr) {
        m_compare = new FrmCompare(&frmResults());
    }
    m_compare->setRunParameters(checked);
    m_compare->show();
    m_compare->raise();
    m_compare->activateWindow();
}

}  // namespace nv::ui
