// frmCompare, "Compare Ordering Rules": the rules compared for the parameters
// of the last completed run.
//
// Opened from the results grid's context menu with the checked record of the
// run the grid shows (SimulationParameters, as the run's checks built it);
// the analysis's own checks (AnalysisParameters::fromRun) come on top. The
// exact expectations are shown at once (they need no simulation); "Run
// Comparison" then simulates the chosen number of paired replications from the
// shown seed on a worker thread (ComparisonJob) and fills the replication
// rows, the pairs table and the two charts. The same seed and replications
// give the same figures, so a result can be reproduced by typing its seed.
//
// Both tables are views of the comparison's report (comparisonReport): a
// column per rule or pair under the report's titles, a row per item under its
// label; a figure the report does not have (the spread of a single
// replication) shows as "—", a figure not computed yet as an empty cell.
//
// Controls, in tab order (each with objectName and accessibleName):
//     spnReplications  "&Replications:"  1 to 1,000,000, default 1,000
//     txtSeed          "&Seed:"          0 to 2^64 - 1, default from the clock
//     cmdNewSeed       "&New Seed"
//     cmdRunComparison "Run &Comparison" (the default button)
//     cmdCancel        "Cancel"          enabled only while running
//     tblRules         "&Expectations and replications"  one column per rule
//     tblPairs         "&Pairs of rules"                  one column per pair
//     chtProfit, chtHistogram             the charts
//     cmdSaveChart     "Save Chart as &PNG…" enabled once the charts have data
// and, without focus: pgbComparison (progress), lblStatus (status line),
// lblParameters (the inputs compared), lblInformation (best fixed order and
// the value of information).
//
// Status line: a refusal of the analysis's checks (refusalMessage) is shown
// there and disables "Run Comparison"; a cancelled comparison shows "Cancelled" and no
// replication figures (never a partial table). Esc, the frame's close button
// and hiding the window cancel a running comparison and wait for its worker;
// destroying the window does the same, so neither leaves a thread behind.
//
//     nv::ui::FrmCompare window;
//     window.setRunParameters(checked);   // the checked record of the completed run
//     window.show();
#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "engine/analysis/analysis_parameters.h"
#include "engine/analysis/expectations.h"
#include "engine/analysis/replications.h"
#include "engine/simulation_parameters.h"
#include "ui/toolkit/qt/file_export.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableView;

namespace nv::ui {

class ComparisonJob;
class HistogramChart;
class ProfitChart;
class ReportTableModel;

class FrmCompare final : public QDialog {
    Q_OBJECT

public:
    static constexpr int kDefaultReplications = 1000;
    static inline const QSize kSavedChartSize{1000, 800};

    explicit FrmCompare(QWidget *parent = nullptr);
    ~FrmCompare() override;
    FrmCompare(const FrmCompare &) = delete;
    FrmCompare &operator=(const FrmCompare &) = delete;

    // The run to compare. A run with other days, price, cost or frequencies
    // than the shown one cancels a running comparison and clears its
    // results; the same figures keep them.
    void setRunParameters(const SimulationParameters &run);

    void cmdRunComparison_Click();
    void cmdCancel_Click();
    void cmdNewSeed_Click();
    void cmdSaveChart_Click();

    // Both charts, one above the other, as saved by "Save Chart as PNG…".
    [[nodiscard]] QImage chartImage(const QSize &size = kSavedChartSize) const;
    [[nodiscard]] bool running() const;
    // The checked inputs; nullopt before setRunParameters or after a refusal.
    [[nodiscard]] const std::optional<AnalysisParameters> &parameters() const noexcept {
        return m_parameters;
    }

    // Seams for tests: the file dialog and the message box of a failed save.
    void setSaveFileChooser(SaveFileChooser chooser);
    void setErrorReporter(std::function<void(const QString &)> report);

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
    [[nodiscard]] QTableView &tblRules() noexcept { return *m_tblRules; }
    [[nodiscard]] QTableView &tblPairs() noexcept { return *m_tblPairs; }
    [[nodiscard]] ProfitChart &chtProfit() noexcept { return *m_chtProfit; }
    [[nodiscard]] HistogramChart &chtHistogram() noexcept { return *m_chtHistogram; }
    [[nodiscard]] ComparisonJob &job() noexcept { return *m_job; }

protected:
    void hideEvent(QHideEvent *event) override;

private:
    // frm_compare_layout.cpp
    void createControls();
    void layoutControls();
    void setFocusOrder();

    void stopAndWait();
    void setRunning(bool running);
    void showProgress(qint64 done, qint64 total);
    void showOutcome();
    void showReports(const ReplicationSummary *summary);
    void clearResults();
    void setStatus(const QString &text);
    [[nodiscard]] std::optional<std::uint64_t> seed() const;

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
    QTableView *m_tblRules = nullptr;
    QLabel *m_lblPairs = nullptr;
    QTableView *m_tblPairs = nullptr;
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
    std::function<void(const QString &)> m_reportError;
};

}  // namespace nv::ui
