// The Analysis window's "Worksheet" page: a hand-simulation worksheet for the
// parameter window's current inputs, its answer key, printing, and checking a
// student's filled sheet.
//
// The inputs (price, cost, frequencies, order policy) come with the sheet's
// days and seed (setRunInputs); they are checked as a worksheet checks them
// (WorksheetPlan::fromInputs), a refusal shown in the status line with
// nothing else. The interval table and the sheet are views of the sheet's
// report (worksheetReport) in ReportTableViews: the blank sheet shows the
// five computed cells of a day empty; "Answers" shows the key.
//
// The random numbers are drawn from the seed shown, or pasted: "Paste Random
// Numbers…" takes one k-digit number a line (readRandomNumbers; the dialog
// names a bad line and stays open with the text, worksheet_text_dialog.h).
// "New Seed" and a typed seed go back to drawn numbers.
//
// Days and seed apply when Enter is pressed in them or they are left, and
// Enter there does nothing else. A value the sheet cannot take (days outside
// 1 to 1,000, a seed that is not a whole number from 0 to 2^64 - 1) is
// refused in lblFieldRefusal beside the fields and the sheet shown stays;
// leaving a refused field puts its last value back.
//
// "Check Answers…" opens a student's CSV file, "Paste Answers…" takes it as
// text (sheet_check.h, amounts read as the page shows them); either shows
// the key with every wrong cell marked (a light red background, and
// "Wrong: …" in its tool tip and accessible text) and the score, and the
// status line names what was checked and its score. Any change of the sheet
// clears the marks.
//
// "Print…" and "Save as PDF…" put the sheet, then the key on pages of its
// own, on the paper chosen (worksheet_print.h; Print… prints the pages
// chosen in the print dialog); "Save as CSV…" writes the
// days as shown (sheet or key) with the runner's csv header.
//
// Controls, in tab order (each with objectName and accessibleName):
//     spnDays          "&Days:"         1 to 1,000 (worksheet_days_box.h)
//     txtSeed          "&Seed:"         0 to 2^64 - 1
//     cmdNewSeed       "&New Seed"
//     cmdPasteNumbers  "Paste Random N&umbers…"
//     tblIntervals     the interval table
//     chkAnswers       "&Answers"
//     cmdCheckAnswers  "Chec&k Answers…"
//     cmdPasteAnswers  "Paste Ans&wers…"
//     tblSheet         the sheet
//     cboPaper         "Pap&er:"        A4 or Letter
//     cmdPrint         "&Print…"
//     cmdSavePdf       "Save as PD&F…"
//     cmdSaveCsv       "Save as &CSV…"
// and, without focus: lblParameters, lblFieldRefusal, lblScore, lblStatus,
// whose texts are what a screen reader reads of them. No button is a
// default button: Enter in a field never presses one.
//
//     nv::ui::WorksheetPage page;
//     page.setRunInputs(inputs, 20, 42);
#pragma once

#include <QPageSize>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "engine/simulation_parameters.h"
#include "engine/worksheet/worksheet.h"
#include "io/scenario.h"
#include "ui/analysis/analysis_page.h"
#include "ui/analysis/worksheet_days_box.h"
#include "ui/analysis/worksheet_text_dialog.h"
#include "ui/toolkit/qt/file_export.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace nv::ui {

class ReportRecordsModel;
class ReportTableView;

class WorksheetPage final : public AnalysisPage {
    Q_OBJECT

public:
    // Asks for a text (parent, title, label), `check` refusing what it
    // cannot take (may be empty): nullopt when cancelled.
    using TextAsker = std::function<std::optional<QString>(
        QWidget *parent, const QString &title, const QString &label, const TextCheck &check)>;

    explicit WorksheetPage(QWidget *parent = nullptr);

    [[nodiscard]] QString title() const override { return tr("Worksheet"); }
    void stopWork() override {}

    // The inputs, the sheet's days and its seed (nullopt: a new one).
    void setRunInputs(const RunInputs &inputs, std::int32_t days,
                      std::optional<std::uint64_t> seed);

    void cmdNewSeed_Click();
    void cmdPasteNumbers_Click();
    void cmdCheckAnswers_Click();
    void cmdPasteAnswers_Click();
    void cmdPrint_Click();
    void cmdSavePdf_Click();
    void cmdSaveCsv_Click();

    // Takes pasted numbers (false and the status line when refused).
    bool pasteNumbers(const QString &text);
    // Why pasted numbers cannot make the sheet; nullopt when they can.
    [[nodiscard]] std::optional<TextRefusal> numbersRefusal(const QString &text) const;
    // Marks a student's CSV text, from the file `source` (empty: pasted);
    // false when there is no sheet.
    bool checkAnswers(const QString &csvText, const QString &source = QString());

    // Puts the shown sheet's days and seed into the scenario's worksheet
    // keys, so the file hands out the same sheet; a sheet of pasted numbers,
    // or none, leaves them as they are.
    void addToScenario(Scenario &scenario) const;

    // The sheet shown; nullopt after a refusal.
    [[nodiscard]] const std::optional<Worksheet> &sheet() const noexcept { return m_sheet; }
    [[nodiscard]] QPageSize::PageSizeId paper() const;

    void setSaveFileChooser(SaveFileChooser chooser) { m_chooseFile = std::move(chooser); }
    void setOpenFileChooser(OpenFileChooser chooser) { m_chooseOpen = std::move(chooser); }
    void setTextAsker(TextAsker asker) { m_askText = std::move(asker); }
    void setErrorReporter(ErrorReporter report) { m_reportError = std::move(report); }

    [[nodiscard]] QSpinBox &spnDays() noexcept { return *m_spnDays; }
    [[nodiscard]] QLineEdit &txtSeed() noexcept { return *m_txtSeed; }
    [[nodiscard]] QPushButton &cmdNewSeed() noexcept { return *m_cmdNewSeed; }
    [[nodiscard]] QPushButton &cmdPasteNumbers() noexcept { return *m_cmdPasteNumbers; }
    [[nodiscard]] QCheckBox &chkAnswers() noexcept { return *m_chkAnswers; }
    [[nodiscard]] QPushButton &cmdCheckAnswers() noexcept { return *m_cmdCheckAnswers; }
    [[nodiscard]] QPushButton &cmdPasteAnswers() noexcept { return *m_cmdPasteAnswers; }
    [[nodiscard]] QComboBox &cboPaper() noexcept { return *m_cboPaper; }
    [[nodiscard]] QPushButton &cmdPrint() noexcept { return *m_cmdPrint; }
    [[nodiscard]] QPushButton &cmdSavePdf() noexcept { return *m_cmdSavePdf; }
    [[nodiscard]] QPushButton &cmdSaveCsv() noexcept { return *m_cmdSaveCsv; }
    [[nodiscard]] ReportTableView &tblIntervals() noexcept { return *m_tblIntervals; }
    [[nodiscard]] ReportTableView &tblSheet() noexcept { return *m_tblSheet; }
    [[nodiscard]] ReportRecordsModel &sheetModel() noexcept { return *m_sheetModel; }
    [[nodiscard]] QLabel &lblParameters() noexcept { return *m_lblParameters; }
    [[nodiscard]] QLabel &lblFieldRefusal() noexcept { return *m_lblFieldRefusal; }
    [[nodiscard]] QLabel &lblScore() noexcept { return *m_lblScore; }
    [[nodiscard]] QLabel &lblStatus() noexcept { return *m_lblStatus; }

private:
    // worksheet_page_layout.cpp
    void createControls();
    void layoutControls();

    // worksheet_page_fields.cpp: applying and refusing days and seed.
    void connectFields();
    void applySeed(bool leaving);
    void refuseDays(qlonglong typed);
    void refuseField(QWidget *field, const QString &message);
    void clearFieldRefusal();
    [[nodiscard]] QString appliedSeedText() const;
    [[nodiscard]] std::optional<std::uint64_t> typedSeed() const;
    bool eventFilter(QObject *watched, QEvent *event) override;

    void rebuild();
    void showSheet();
    void setStatus(const QString &text) override;

    QLabel *m_lblParameters = nullptr;
    QLabel *m_lblFieldRefusal = nullptr;
    WorksheetDaysBox *m_spnDays = nullptr;
    QLineEdit *m_txtSeed = nullptr;
    QPushButton *m_cmdNewSeed = nullptr;
    QPushButton *m_cmdPasteNumbers = nullptr;
    ReportTableView *m_tblIntervals = nullptr;
    QCheckBox *m_chkAnswers = nullptr;
    QPushButton *m_cmdCheckAnswers = nullptr;
    QPushButton *m_cmdPasteAnswers = nullptr;
    QLabel *m_lblScore = nullptr;
    ReportTableView *m_tblSheet = nullptr;
    QComboBox *m_cboPaper = nullptr;
    QPushButton *m_cmdPrint = nullptr;
    QPushButton *m_cmdSavePdf = nullptr;
    QPushButton *m_cmdSaveCsv = nullptr;
    QLabel *m_lblStatus = nullptr;
    ReportRecordsModel *m_intervalsModel = nullptr;
    ReportRecordsModel *m_sheetModel = nullptr;

    RunInputs m_inputs;
    bool m_haveInputs = false;
    std::uint64_t m_seed = 0;             // the seed applied
    std::optional<std::string> m_pasted;  // the pasted numbers; nullopt: drawn from the seed
    std::optional<Worksheet> m_sheet;
    SaveFileChooser m_chooseFile;
    OpenFileChooser m_chooseOpen;
    TextAsker m_askText;
    ErrorReporter m_reportError;
};

}  // namespace nv::ui
