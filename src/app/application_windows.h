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
//   - frmCompare, the comparison window, is created on the first request as
//     a child window of the results window (so that window's modality does
//     not block it) and gets the checked record of the results window's run.
//
//     nv::ui::ApplicationWindows windows;
//     windows.frmMain().Form_Load();
//     windows.frmMain().show();
//     QApplication::exec();
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>

#include "engine/simulation_parameters.h"
#include "ui/toolkit/results_presenter.h"

namespace nv::ui {

class FrmCompare;
class FrmMain;
class FrmResults;

class ApplicationWindows final : public QObject, public ResultsPresenter {
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
    // The comparison window, once "Compare Ordering Rules…" has opened it.
    [[nodiscard]] FrmCompare *compareWindow() const noexcept;

    // ResultsPresenter: what frmMain asks of the results window.
    [[nodiscard]] ResultsGrid &resultsGrid() override;
    void runCompleted(const SimulationParameters &checked) override;
    void showResultsModal() override;

private:
    // Opens the comparison window for a run's checked record.
    void showComparison(const SimulationParameters &checked);

    // Declared before the results window, so that it goes last.
    std::unique_ptr<FrmMain> m_main;
    std::unique_ptr<FrmResults> m_results;
    QPointer<FrmCompare> m_compare;  // a child of m_results
};

}  // namespace nv::ui
