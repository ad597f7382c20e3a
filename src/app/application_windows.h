// The application's windows and how they reach each other. No window includes
// another window's header: each one gets what it needs from here.
//
//   - frmMain, the parameter window, is created with the windows object as
//     its ResultsPresenter: the load handler's first reference to the results
//     grid creates the results window, hidden; a completed run hands its
//     checked record on to the results window; "Show Results" shows that
//     window modally.
//   - frmResults, the results window, lives until the windows object ends
//     (it goes before frmMain). Its "Compare Ordering Rules…" asks for the
//     comparison (compareRequested), which is answered here.
//   - frmAnalysis, the Analysis window, is created on first use and lives
//     until the windows object ends (it goes first). The results grid's
//     "Compare Ordering Rules…" opens its Compare Rules page for the checked
//     record of the results window's run, as a window of the results
//     window's (so that window's modality does not block it); the parameter
//     window's Analyze menu opens it through AnalysisPresenter for its
//     current inputs, as a window of its own; its Play page the same way.
//   - frmHelp, the user guide, is created on first use (Help > User Guide)
//     and lives until the windows object ends; Help > About shows the
//     About box over frmMain.
//   - The scenario frmMain last opened or saved is kept in scenarioState(),
//     whose signals tell whoever takes a scenario's seed.
//
//     nv::ui::ApplicationWindows windows;
//     windows.frmMain().Form_Load();
//     windows.frmMain().show();
//     QApplication::exec();
#pragma once

#include <QObject>
#include <memory>

#include "app/scenario_state.h"
#include "engine/simulation_parameters.h"
#include "ui/toolkit/analysis_presenter.h"
#include "ui/toolkit/results_presenter.h"

namespace nv::ui {

class FrmAnalysis;
class FrmHelp;
struct PageDefaults;
class FrmMain;
class FrmResults;

class ApplicationWindows final : public QObject, public ResultsPresenter, public AnalysisPresenter {
    Q_OBJECT

public:
    // Creates frmMain (neither loaded nor shown); the other windows come on
    // first use.
    ApplicationWindows();
    ~ApplicationWindows() override;
    ApplicationWindows(const ApplicationWindows &) = delete;
    ApplicationWindows &operator=(const ApplicationWindows &) = delete;

    [[nodiscard]] FrmMain &frmMain() noexcept { return *m_main; }
    // The results window: created, hidden, on first use.
    [[nodiscard]] FrmResults &frmResults();
    [[nodiscard]] bool resultsWindowExists() const noexcept { return m_results != nullptr; }
    // The Analysis window, once something has opened it.
    [[nodiscard]] FrmAnalysis *analysisWindow() const noexcept { return m_analysis.get(); }

    // ResultsPresenter: what frmMain asks of the results window.
    [[nodiscard]] ResultsGrid &resultsGrid() override;
    void runCompleted(const SimulationParameters &checked) override;
    void showResultsModal() override;

    // AnalysisPresenter: what frmMain's Analyze menu asks for.
    void showComparison(const RunInputs &inputs) override;
    void showPlay(const RunInputs &inputs) override;
    // The Play page with this seed, or a fresh one for nullopt.
    void showPlay(const RunInputs &inputs, std::optional<std::uint64_t> seed);

    // Help > User Guide and Help > About Newsvendor Simulation.
    void showUserGuide();
    void showAbout();
    // The user guide's window, once something has opened it.
    [[nodiscard]] FrmHelp *helpWindow() const noexcept { return m_help.get(); }

    // The scenario last opened or saved in frmMain.
    [[nodiscard]] ScenarioState &scenarioState() noexcept { return m_scenario; }
    void showOrderQuantity(const RunInputs &inputs) override;
    void showWorksheet(const RunInputs &inputs) override;
    // The Worksheet page with these days and seed (nullopt: a new one).
    void showWorksheet(const RunInputs &inputs, std::int32_t days,
                       std::optional<std::uint64_t> seed);

private:
    // The Analysis window: created, hidden, on first use. A page reached by
    // its tab before its Analyze entry takes the window's inputs (else the
    // parameter window's) with the scenario's seed and worksheet days.
    FrmAnalysis &frmAnalysis();
    // The scenario's seed and worksheet days and seed, where it has them.
    [[nodiscard]] PageDefaults pageDefaults() const;
    // The results grid's "Compare Ordering Rules…" for its run's checked record.
    void compareRun(const SimulationParameters &checked);

    ScenarioState m_scenario;
    // Declared before the results window, so that it goes last.
    std::unique_ptr<FrmMain> m_main;
    std::unique_ptr<FrmResults> m_results;
    // Declared last, so that it goes first: it may be a window of m_results's.
    std::unique_ptr<FrmAnalysis> m_analysis;
    std::unique_ptr<FrmHelp> m_help;
};

}  // namespace nv::ui
