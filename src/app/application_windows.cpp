// Creating the windows and connecting them.
#include "app/application_windows.h"

#include "ui/analysis/frm_analysis.h"
#include "ui/analysis/worksheet_page.h"
#include "ui/help/about_box.h"
#include "ui/help/frm_help.h"
#include "ui/parameters/frm_main.h"
#include "ui/results/frm_results.h"

namespace nv::ui {

ApplicationWindows::ApplicationWindows() : m_main(std::make_unique<FrmMain>(*this, *this)) {
    connect(m_main.get(), &FrmMain::userGuideRequested, this, &ApplicationWindows::showUserGuide);
    connect(m_main.get(), &FrmMain::aboutRequested, this, &ApplicationWindows::showAbout);
    connect(m_main.get(), &FrmMain::scenarioOpened, &m_scenario, &ScenarioState::setOpened);
    connect(m_main.get(), &FrmMain::scenarioSaved, &m_scenario, &ScenarioState::setSaved);
    m_main->setScenarioExtras([this](Scenario &scenario) {
        if (m_analysis) {
            m_analysis->worksheetPage().addToScenario(scenario);
        }
    });
}

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
        m_analysis->setPageDefaults([this] {
            PageDefaults defaults = pageDefaults();
            defaults.inputs = m_main->currentInputs();
            return defaults;
        });
    }
    return *m_analysis;
}

PageDefaults ApplicationWindows::pageDefaults() const {
    PageDefaults defaults;
    if (const std::optional<Scenario> &scenario = m_scenario.current()) {
        defaults.playSeed = scenario->seed;
        defaults.worksheetDays = scenario->worksheetDays.value_or(defaults.worksheetDays);
        defaults.worksheetSeed = scenario->worksheetSeed;
    }
    return defaults;
}

void ApplicationWindows::compareRun(const SimulationParameters &checked) {
    frmAnalysis().showComparison(checked, &frmResults());
}

void ApplicationWindows::showComparison(const RunInputs &inputs) {
    frmAnalysis().showComparison(inputs, nullptr);
}

void ApplicationWindows::showOrderQuantity(const RunInputs &inputs) {
    frmAnalysis().showOrderQuantity(inputs, nullptr);
}

void ApplicationWindows::showPlay(const RunInputs &inputs) {
    showPlay(inputs, pageDefaults().playSeed);
}

void ApplicationWindows::showPlay(const RunInputs &inputs, std::optional<std::uint64_t> seed) {
    frmAnalysis().showPlay(inputs, seed, nullptr);
}

}  // namespace nv::ui

namespace nv::ui {

void ApplicationWindows::showUserGuide() {
    if (!m_help) {
        m_help = std::make_unique<FrmHelp>();
    }
    m_help->showGuide(m_main.get());
}

void ApplicationWindows::showAbout() {
    showAboutBox(m_main.get());
}

void ApplicationWindows::showWorksheet(const RunInputs &inputs) {
    const PageDefaults defaults = pageDefaults();
    showWorksheet(inputs, defaults.worksheetDays, defaults.worksheetSeed);
}

void ApplicationWindows::showWorksheet(const RunInputs &inputs, std::int32_t days,
                                       std::optional<std::uint64_t> seed) {
    frmAnalysis().showWorksheet(inputs, days, seed, nullptr);
}

}  // namespace nv::ui
