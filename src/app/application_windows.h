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
//     current inputs, as a window of its own.
//
//     nv::ui::ApplicationWindows windows;
//     windows.frmMain().Form_Load();
//     windows.frmMain().show();
//     QApplication::exec();
#pragma once

#include <QObject>
#include <memory>

#include "engine/simulation_parameters.h"
#include "ui/toolkit/analysis_presenter.h"
#include "ui/toolkit/results_presenter.h"

namespace nv::ui {

class FrmAnalysis;
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
    void showWorksheet(const RunInputs &inputs, std::int32_t days,
                       std::optional<std::uint64_t> seed) override;

private:
    // The Analysis window: created, hidden, on first use.
    FrmAnalysis &frmAnalysis();
    // The results grid's "Compare Ordering Rules…" for its run's checked record.
    void compareRun(const SimulationParameters &checked);

    // Declared before the results window, so that it goes last.
    std::unique_ptr<FrmMain> m_main;
    std::unique_ptr<FrmResults> m_results;
    // Declared last, so that it goes first: it may be a window of m_results's.
    std::unique_ptr<FrmAnalysis> m_analysis;
};

}  // namespace nv::ui
