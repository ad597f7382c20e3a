// The Analysis window's "Order Quantity" page: why one order quantity is
// best for the parameter window's inputs, and how that answer moves with the
// price and the cost. Everything comes from the distribution alone
// (quantityLesson, quantitySweep), so every change shows at once.
//
// The inputs are checked as analyze checks them (AnalysisParameters::
// fromInputs, as with Yesterday's Demand), then as the lesson is; a refusal
// shows in the status line with the charts and tables empty.
//
// Controls, in tab order (each with objectName and accessibleName):
//     cboVary        "&Vary:"         Price or Cost: what the what-if control changes
//     spnValue       "Val&ue:"        the varied input in dollars; Enter applies it
//     sldValue       the same as a slider, in cents
//     cmdReset       "&Reset"         back to the given price and cost
//     chtCurve       the expected-profit curve; Left/Right move its cursor
//     chtCumulative  the cumulative frequency with the critical ratio
//     tblPayoff      "&Payoff table"  profit per order and demand, the best rows marked
//     tblRegret      "Opportunity &loss table"
//     chtSweep       the four expected profits over the varied input
//     cmdSaveChart   "Save Chart as P&NG…" the three charts with the inputs as caption
// and, without focus: lblParameters (the inputs the figures are for, the
// what-if value among them), lblValueMessage (beside Value: why a typed value
// was not taken), lblBest (the best orders and the rules' expected profits),
// lblCursor (the cursor's order and figures; also the curve's accessible
// description), lblEvpi, lblStatus. Each of these labels is read by a screen
// reader as the text it shows. No button is a default one: Enter in a field
// applies the field.
// The tables have the report table view's Ctrl+C, Copy and Save Table as CSV….
//
// The what-if control changes one input at a time: the curve, the best
// order, the rules' levels, the tables and the sweep's marked value follow at
// once. Both run from one cent to twice the larger of the given price and
// cost (so either can pass the other), and so does the sweep, in kSweepPoints
// steps. A number typed outside that range is not taken: it stays in the
// box with lblValueMessage saying the range, and the figures stay as they
// were. With the cost at or above the price no order earns a profit, and
// lblBest says so: the best order is 0.
//
//     nv::ui::QuantityPage page;
//     page.setRunInputs(frmMain.currentInputs());
//     page.setVaried(nv::SweepInput::Cost);
//     page.spnValue().setValue(1.00);   // recomputes
#pragma once

#include <QSize>
#include <optional>

#include "engine/analysis/analysis_parameters.h"
#include "engine/analysis/quantity_lesson.h"
#include "engine/analysis/quantity_sweep.h"
#include "engine/simulation_parameters.h"
#include "ui/analysis/analysis_page.h"
#include "ui/analysis/quantity_value_box.h"
#include "ui/toolkit/qt/file_export.h"

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QSlider;

namespace nv::ui {

class CumulativeChart;
class OrderCurveChart;
class PayoffTableModel;
class ReportTableView;
class SweepChart;

class QuantityPage final : public AnalysisPage {
    Q_OBJECT

public:
    static inline const QSize kSavedChartSize{1000, 1200};
    // The curve: orders 0 to 80 units, ten points a unit.
    static constexpr AmountRange kCurveOrders{Currency::fromCount(0), Currency::fromCount(80),
                                              Currency::fromUnits(1000)};
    static constexpr int kSweepPoints = 200;

    explicit QuantityPage(QWidget *parent = nullptr);
    ~QuantityPage() override;
    QuantityPage(const QuantityPage &) = delete;
    QuantityPage &operator=(const QuantityPage &) = delete;

    [[nodiscard]] QString title() const override { return tr("Order Quantity"); }
    void stopWork() override {}

    // The parameter window's inputs; the what-if control starts from them.
    void setRunInputs(const RunInputs &inputs);
    void setVaried(SweepInput input);

    void cmdReset_Click();
    void cmdSaveChart_Click();

    // The checked inputs with the what-if value, and their lesson; nullopt
    // after a refusal.
    [[nodiscard]] const std::optional<AnalysisParameters> &parameters() const noexcept {
        return m_shown;
    }
    [[nodiscard]] const std::optional<QuantityLesson> &lesson() const noexcept { return m_lesson; }
    [[nodiscard]] QImage chartImage(const QSize &size = kSavedChartSize) const;

    void setSaveFileChooser(SaveFileChooser chooser);
    void setErrorReporter(ErrorReporter report);

    [[nodiscard]] QComboBox &cboVary() noexcept { return *m_cboVary; }
    [[nodiscard]] QuantityValueBox &spnValue() noexcept { return *m_spnValue; }
    [[nodiscard]] QSlider &sldValue() noexcept { return *m_sldValue; }
    [[nodiscard]] QPushButton &cmdReset() noexcept { return *m_cmdReset; }
    [[nodiscard]] QPushButton &cmdSaveChart() noexcept { return *m_cmdSaveChart; }
    [[nodiscard]] OrderCurveChart &chtCurve() noexcept { return *m_chtCurve; }
    [[nodiscard]] CumulativeChart &chtCumulative() noexcept { return *m_chtCumulative; }
    [[nodiscard]] SweepChart &chtSweep() noexcept { return *m_chtSweep; }
    [[nodiscard]] ReportTableView &tblPayoff() noexcept { return *m_tblPayoff; }
    [[nodiscard]] ReportTableView &tblRegret() noexcept { return *m_tblRegret; }
    [[nodiscard]] PayoffTableModel &payoffModel() noexcept { return *m_payoffModel; }
    [[nodiscard]] QLabel &lblParameters() noexcept { return *m_lblParameters; }
    [[nodiscard]] QLabel &lblBest() noexcept { return *m_lblBest; }
    [[nodiscard]] QLabel &lblCursor() noexcept { return *m_lblCursor; }
    [[nodiscard]] QLabel &lblEvpi() noexcept { return *m_lblEvpi; }
    [[nodiscard]] QLabel &lblStatus() noexcept { return *m_lblStatus; }
    [[nodiscard]] QLabel &lblValueMessage() noexcept { return *m_lblValueMessage; }

private:
    // quantity_page_layout.cpp
    void createControls();
    void layoutControls();

    void spnValue_Changed(double value);
    void spnValue_Refused(double typed);
    void showValueMessage(const QString &text);
    [[nodiscard]] QString parametersText(double value) const;
    void sldValue_Changed(int cents);
    void setControlRange();
    [[nodiscard]] double sweepTop() const;
    void recompute();
    void clearFigures(const QString &status);
    void showCursor();
    void setStatus(const QString &text) override;

    QScrollArea *m_scrContent = nullptr;
    QLabel *m_lblParameters = nullptr;
    QLabel *m_lblVary = nullptr;
    QComboBox *m_cboVary = nullptr;
    QLabel *m_lblValue = nullptr;
    QuantityValueBox *m_spnValue = nullptr;
    QLabel *m_lblValueMessage = nullptr;
    QSlider *m_sldValue = nullptr;
    QPushButton *m_cmdReset = nullptr;
    QLabel *m_lblBest = nullptr;
    OrderCurveChart *m_chtCurve = nullptr;
    QLabel *m_lblCursor = nullptr;
    CumulativeChart *m_chtCumulative = nullptr;
    QLabel *m_lblPayoff = nullptr;
    ReportTableView *m_tblPayoff = nullptr;
    QLabel *m_lblRegret = nullptr;
    ReportTableView *m_tblRegret = nullptr;
    QLabel *m_lblEvpi = nullptr;
    SweepChart *m_chtSweep = nullptr;
    QPushButton *m_cmdSaveChart = nullptr;
    QLabel *m_lblStatus = nullptr;
    PayoffTableModel *m_payoffModel = nullptr;
    PayoffTableModel *m_regretModel = nullptr;

    std::optional<AnalysisParameters> m_given;  // the inputs as checked
    std::optional<AnalysisParameters> m_shown;  // with the what-if value
    std::optional<QuantityLesson> m_lesson;
    SweepInput m_varied = SweepInput::Price;
    bool m_syncing = false;
    SaveFileChooser m_chooseFile;
    ErrorReporter m_reportError;
};

}  // namespace nv::ui
