// The Analysis window's "Compare Rules" page: the ordering rules compared for
// the inputs of a run.
//
// Given the checked record of a completed run (SimulationParameters, as the
// run's checks built it; the results grid's "Compare Ordering Rules…") or the
// parameter window's current inputs (RunInputs, checked here as the run
// checks them), the analysis's own checks (AnalysisParameters::fromRun) come
// on top. The exact expectations are shown at once (they need no
// simulation); "Run Comparison" then simulates the chosen number of paired
// replications from the shown seed on a worker thread (ComparisonJob) and
// fills the replication rows, the pairs table and the two charts. The same
// seed and replications give the same figures, so a result can be reproduced
// by typing its seed.
//
// Both tables are views of the comparison's report (comparisonReport) in
// ReportTableViews: a column per rule or pair under the report's titles, a
// row per item under its label (which names its unit); a figure that does not
// exist, or has not been simulated yet, shows as "—" ("not simulated").
//
// Controls, in tab order (each with objectName and accessibleName):
//     spnReplications  "&Replications:"  1 to 1,000,000, default 1,000
//     txtSeed          "&Seed:"          0 to 2^64 - 1, default from the clock
//     cmdNewSeed       "&New Seed"
//     cmdRunComparison "Run &Comparison" (the page's default button: Enter
//                      in the replications or the seed runs the comparison)
//     cmdCancel        "Cancel"          enabled only while running
//     tblRules         "&Expectations and replications"  one column per rule
//     tblPairs         "&Pairs of rules"                  one column per pair
//     chtProfit, chtHistogram             the charts
//     cmdSaveChart     "Save Chart as &PNG…" enabled once the charts have data;
//                      the picture carries the inputs as its caption
// and, without focus: lblParameters (the inputs compared), lblInformation
// (best fixed order and the value of information), and under the scrolling
// part, always in view, pgbComparison (progress) and lblStatus (the status
// line); a screen reader reads these labels' texts as their names.
//
// Fitting any window: everything but the status line scrolls (scrContent).
// When the page is wide enough the charts stand beside the tables, one above
// the other; otherwise below them, side by side while there is room for two.
//
// Status line: a refusal (refusalMessage) is shown there with nothing computed
// and disables "Run Comparison"; a cancelled comparison shows "Cancelled" and
// no replication figures (never a partial table). stopWork (the window
// hidden) and destroying the page cancel a running comparison and wait for
// its worker, so neither leaves a thread behind.
//
//     nv::ui::ComparePage page;
//     page.setRunParameters(checked);   // the checked record of the completed run
#pragma once

#include <QSize>
#include <optional>

#include "engine/analysis/analysis_parameters.h"
#include "engine/analysis/expectations.h"
#include "engine/simulation_parameters.h"
#include "ui/analysis/analysis_page.h"
#include "ui/toolkit/qt/file_export.h"

class QBoxLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSpinBox;

namespace nv {
struct ReplicationSummary;
}

namespace nv::ui {

class ComparisonJob;
class HistogramChart;
class ProfitChart;
class ReportTableModel;
class ReportTableView;

class ComparePage final : public AnalysisPage {
    Q_OBJECT

public:
    static constexpr int kDefaultReplications = 1000;
    static inline const QSize kSavedChartSize{1000, 800};
    // The charts stand beside the tables when they get at least this width.
    static constexpr int kChartsBesideWidth = 420;

    explicit ComparePage(QWidget *parent = nullptr);
    ~ComparePage() override;
    ComparePage(const ComparePage &) = delete;
    ComparePage &operator=(const ComparePage &) = delete;

    [[nodiscard]] QString title() const override { return tr("Compare Rules"); }
    void stopWork() override;

    // The run to compare. A run with other days, price, cost or frequencies
    // than the shown one cancels a running comparison and clears its
    // results; the same figures keep them.
    void setRunParameters(const SimulationParameters &run);
    // The parameter window's inputs: checkRun, then as setRunParameters. A
    // refusal clears the page and shows in the status line.
    void setRunInputs(const RunInputs &inputs);

    void cmdRunComparison_Click();
    void cmdCancel_Click();
    void cmdNewSeed_Click();
    void cmdSaveChart_Click();

    // Both charts, one above the other, with the inputs as their caption: the
    // picture "Save Chart as PNG…" writes.
    [[nodiscard]] QImage chartImage(const QSize &size = kSavedChartSize) const;
    // The caption: the inputs compared, the seed and the replications.
    [[nodiscard]] QString chartCaption() const;
    [[nodiscard]] bool running() const;
    // The checked inputs; nullopt before a run is given or after a refusal.
    [[nodiscard]] const std::optional<AnalysisParameters> &parameters() const noexcept {
        return m_parameters;
    }
    // Whether the charts stand beside the tables (else below them).
    [[nodiscard]] bool chartsBesideTables() const noexcept;

    // Seams for tests: the file dialog and the message box of a failed save.
    void setSaveFileChooser(SaveFileChooser chooser);
    void setErrorReporter(ErrorReporter report);

    [[nodiscard]] QSpinBox &spnReplications() noexcept { return *m_spnReplications; }
    [[nodiscard]] QLineEdit &txtSeed() noexcept { return *m_txtSeed; }
    [[nodiscard]] QPushButton &cmdNewSeed() noexcept { return *m_cmdNewSeed; }
    [[nodiscard]] QPushButton &cmdRunComparison() noexcept { return *m_cmdRunComparison; }
    [[nodiscard]] QPushButton &cmdCancel() noexcept { return *m_cmdCancel; }
    [[nodiscard]] QPushButton &cmdSaveChart() noexcept { return *m_cmdSaveChart; }
    [[nodiscard]] QProgressBar &pgbComparison() noexcept { return *m_pgbComparison; }
    [[nodiscard]] QLabel &lblStatus() noexcept { return *m_lblStatus; }
    [[nodiscard]] QLabel &lblParameters() noexcept { return *m_lblParameters; }
    [[nodiscard]] QLabel &lblInformation() noexcept { return *m_lblInformation; }
    [[nodiscard]] ReportTableView &tblRules() noexcept { return *m_tblRules; }
    [[nodiscard]] ReportTableView &tblPairs() noexcept { return *m_tblPairs; }
    [[nodiscard]] ProfitChart &chtProfit() noexcept { return *m_chtProfit; }
    [[nodiscard]] HistogramChart &chtHistogram() noexcept { return *m_chtHistogram; }
    [[nodiscard]] QScrollArea &scrContent() noexcept { return *m_scrContent; }
    [[nodiscard]] ComparisonJob &job() noexcept { return *m_job; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // compare_page_layout.cpp
    void createControls();
    void layoutControls();
    void setFocusOrder();
    void arrange();

    void clearRun(const QString &status);
    void setRunning(bool running);
    void showProgress(qint64 done, qint64 total);
    void showOutcome();
    void showFinished();
    void showReports(const ReplicationSummary *summary);
    void clearResults();
    void setStatus(const QString &text) override;
    [[nodiscard]] std::optional<std::uint64_t> seed() const;

    QScrollArea *m_scrContent = nullptr;
    QWidget *m_wdgTables = nullptr;
    QBoxLayout *m_body = nullptr;
    QBoxLayout *m_charts = nullptr;
    QLabel *m_lblParameters = nullptr;
    QLabel *m_lblReplications = nullptr;
    QSpinBox *m_spnReplications = nullptr;
    QLabel *m_lblSeed = nullptr;
    QLineEdit *m_txtSeed = nullptr;
    QPushButton *m_cmdNewSeed = nullptr;
    QPushButton *m_cmdRunComparison = nullptr;
    QPushButton *m_cmdCancel = nullptr;
    QProgressBar *m_pgbComparison = nullptr;
    QLabel *m_lblStatus = nullptr;
    QLabel *m_lblRules = nullptr;
    ReportTableView *m_tblRules = nullptr;
    QLabel *m_lblPairs = nullptr;
    ReportTableView *m_tblPairs = nullptr;
    QLabel *m_lblInformation = nullptr;
    ProfitChart *m_chtProfit = nullptr;
    HistogramChart *m_chtHistogram = nullptr;
    QPushButton *m_cmdSaveChart = nullptr;

    ReportTableModel *m_rulesModel = nullptr;
    ReportTableModel *m_pairsModel = nullptr;
    ComparisonJob *m_job = nullptr;

    std::optional<SimulationParameters> m_run;
    std::optional<AnalysisParameters> m_parameters;
    std::optional<Expectations> m_expectations;
    SaveFileChooser m_chooseFile;
    ErrorReporter m_reportError;
};

}  // namespace nv::ui
