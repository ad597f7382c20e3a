// The Analysis window's "Play" page: the student is the newsvendor, orders
// day by day on the demands a run with the game's seed draws, and then sees a
// debrief that separates the decisions from luck (engine/analysis/game.h).
//
// Start: the inputs (the parameter window's, checked as analyze checks them;
// a refusal shows in the status line and nothing can start), the number of
// days (1 to 365, default 30) and the seed (a scenario's when it has one,
// else a fresh one; both shown, and typed seeds work). "Start Game" draws the
// days and puts the focus in the order field.
//
// Each day: type the order (a whole number of units, 0 to 1,000; anything else
// is refused in lblRefusal beside the field, which keeps the focus, until the
// next order is accepted) and press Enter. The day's demand, sales, leftover,
// unmet demand and profit appear in lblOutcome; the chart of the orders
// against the demands and the history table grow.
//
// A screen reader reads every label's current text as its name (its caption
// is the description), and a changed outcome, refusal or status is announced.
//
// The end (the last day, or "Finish Now" after at least one day): the debrief
// as a table of figures (ReportTableModel over debriefReport's player and
// rules), the days (the report's records), two charts (the cumulative profit
// of the player against the rules on the same days; the orders against the
// best order and the demands) and one sentence per finding, in lblFindings,
// which takes the focus so a screen reader reads them all. "Save Results…"
// writes the report as json (what `newsvendor-run debrief --format json`
// prints) or as csv, by the chosen file's suffix; "Open Results…" reads a
// saved json, replays it (readSavedGame) and shows its debrief, refusing a
// file that does not replay; "Play Again" goes back to the start with the same
// seed, which "New Seed" replaces.
//
// Nothing is lost without a question: starting another game (Play Again, New
// Seed, other inputs or seed from the menu), opening results or closing
// (confirmDiscardWork) first asks about an unsaved debrief (Save / Discard /
// Cancel; Save runs Save Results…) or a game with days played (Discard /
// Cancel). Cancel keeps it as it was.
//
// Controls (objectName, accessibleName), in tab order:
//     spnDays "&Days:", txtSeed "&Seed:", cmdNewSeed "&New Seed",
//     cmdStart "&Start Game" (the default button while the start shows),
//     txtOrder "Order (&units):", cmdOrder "Or&der", cmdFinish "&Finish Now",
//     tblHistory, chtGame, lblFindings, tblDebrief, chtProfit, chtOrders,
//     tblDays, cmdSaveResults "Sa&ve Results…", cmdOpenResults "&Open Results…",
//     cmdPlayAgain "Play &Again"
// and lblParameters, lblDay, lblRefusal, lblOutcome, lblStatus (the status
// line, always in view under the scrolling part). A focused control in the
// scrolling part is scrolled into view.
//
//     nv::ui::PlayPage page;
//     page.setRunInputs(inputs, std::nullopt);   // a fresh seed
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "engine/analysis/analysis_parameters.h"
#include "engine/analysis/game.h"
#include "engine/simulation_parameters.h"
#include "ui/analysis/analysis_page.h"
#include "ui/toolkit/qt/file_export.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QSpinBox;

namespace nv::ui {

class ReportRecordsModel;
class ReportTableModel;
class ReportTableView;
class SeriesChart;

class PlayPage final : public AnalysisPage {
    Q_OBJECT

public:
    enum class Stage { Start, Playing, Debrief };
    // The history table's height; beyond it the table scrolls.
    static constexpr int kHistoryHeight = 320;

    explicit PlayPage(QWidget *parent = nullptr);
    ~PlayPage() override;
    PlayPage(const PlayPage &) = delete;
    PlayPage &operator=(const PlayPage &) = delete;

    // What the question before discarding work offers and what was chosen.
    enum class DiscardChoice { Save, Discard, Cancel };
    // (parent, title, text, offerSave) -> the choice; Esc is Cancel.
    using DiscardAsker = std::function<DiscardChoice(QWidget *parent, const QString &title,
                                                     const QString &text, bool offerSave)>;

    [[nodiscard]] QString title() const override { return tr("Play"); }
    void stopWork() override {}
    // Asks before an unsaved debrief or a game with days played is lost
    // (the window closing); false when the user cancelled.
    bool confirmDiscardWork() override;

    // The inputs to play with and the seed (nullopt: a fresh one). A game in
    // progress with the same inputs goes on when no seed or its own is given.
    void setRunInputs(const RunInputs &inputs, std::optional<std::uint64_t> seed);

    void cmdStart_Click();
    void cmdOrder_Click();
    void cmdFinish_Click();
    void cmdNewSeed_Click();
    void cmdSaveResults_Click();
    void cmdOpenResults_Click();
    void cmdPlayAgain_Click();

    [[nodiscard]] Stage stage() const noexcept { return m_stage; }
    [[nodiscard]] const std::optional<Game> &game() const noexcept { return m_game; }
    // The game the debrief shows: its orders and demands.
    [[nodiscard]] const std::vector<Currency> &debriefOrders() const noexcept { return m_orders; }
    [[nodiscard]] const std::vector<Currency> &debriefDemands() const noexcept { return m_demands; }
    [[nodiscard]] const std::optional<AnalysisParameters> &parameters() const noexcept {
        return m_parameters;
    }
    // The debrief's report as "Save Results…" writes it ("json" or "csv").
    [[nodiscard]] std::string resultsText(bool json) const;

    // Seams for tests: the file dialogs and the message box of a failure.
    void setSaveFileChooser(SaveFileChooser chooser) { m_chooseSave = std::move(chooser); }
    void setOpenFileChooser(OpenFileChooser chooser) { m_chooseOpen = std::move(chooser); }
    void setErrorReporter(ErrorReporter report) { m_reportError = std::move(report); }
    void setDiscardAsker(DiscardAsker ask) { m_askDiscard = std::move(ask); }

    [[nodiscard]] QSpinBox &spnDays() noexcept { return *m_spnDays; }
    [[nodiscard]] QLineEdit &txtSeed() noexcept { return *m_txtSeed; }
    [[nodiscard]] QPushButton &cmdStart() noexcept { return *m_cmdStart; }
    [[nodiscard]] QLineEdit &txtOrder() noexcept { return *m_txtOrder; }
    [[nodiscard]] QPushButton &cmdFinish() noexcept { return *m_cmdFinish; }
    [[nodiscard]] QPushButton &cmdSaveResults() noexcept { return *m_cmdSaveResults; }
    [[nodiscard]] QPushButton &cmdPlayAgain() noexcept { return *m_cmdPlayAgain; }
    [[nodiscard]] QLabel &lblRefusal() noexcept { return *m_lblRefusal; }
    [[nodiscard]] QLabel &lblOutcome() noexcept { return *m_lblOutcome; }
    [[nodiscard]] QLabel &lblStatus() noexcept { return *m_lblStatus; }
    [[nodiscard]] QLabel &lblFindings() noexcept { return *m_lblFindings; }
    [[nodiscard]] ReportTableView &tblHistory() noexcept { return *m_tblHistory; }
    [[nodiscard]] ReportTableView &tblDebrief() noexcept { return *m_tblDebrief; }
    [[nodiscard]] ReportTableView &tblDays() noexcept { return *m_tblDays; }
    [[nodiscard]] SeriesChart &chtGame() noexcept { return *m_chtGame; }
    [[nodiscard]] SeriesChart &chtProfit() noexcept { return *m_chtProfit; }
    [[nodiscard]] SeriesChart &chtOrders() noexcept { return *m_chtOrders; }

private:
    // play_page_layout.cpp
    void createControls();
    void layoutControls();
    void setFocusOrder();
    // play_page_results.cpp: saving, opening, the question before work is lost
    enum class Next { AnotherGame, OtherResults, Closing };
    bool confirmDiscard(Next next);
    static DiscardChoice askInMessageBox(QWidget *parent, const QString &title, const QString &text,
                                         bool offerSave);

    void setStage(Stage stage);
    void backToStart();
    void showDay(const DayResult &day);
    void showHistory();
    void showDebrief();
    void setStatus(const QString &text) override;
    void setRefusal(const QString &text);
    static void announce(QLabel &label, const QString &text);
    [[nodiscard]] std::optional<std::uint64_t> seed() const;
    [[nodiscard]] static QString parametersText(const AnalysisParameters &parameters);

    QScrollArea *m_scrContent = nullptr;
    QLabel *m_lblParameters = nullptr;
    QWidget *m_wdgStart = nullptr;
    QSpinBox *m_spnDays = nullptr;
    QLineEdit *m_txtSeed = nullptr;
    QPushButton *m_cmdNewSeed = nullptr;
    QPushButton *m_cmdStart = nullptr;
    QWidget *m_wdgPlay = nullptr;
    QLabel *m_lblDay = nullptr;
    QLineEdit *m_txtOrder = nullptr;
    QPushButton *m_cmdOrder = nullptr;
    QPushButton *m_cmdFinish = nullptr;
    QLabel *m_lblRefusal = nullptr;
    QLabel *m_lblOutcome = nullptr;
    ReportTableView *m_tblHistory = nullptr;
    SeriesChart *m_chtGame = nullptr;
    QWidget *m_wdgDebrief = nullptr;
    QLabel *m_lblFindings = nullptr;
    ReportTableView *m_tblDebrief = nullptr;
    SeriesChart *m_chtProfit = nullptr;
    SeriesChart *m_chtOrders = nullptr;
    ReportTableView *m_tblDays = nullptr;
    QPushButton *m_cmdSaveResults = nullptr;
    QPushButton *m_cmdOpenResults = nullptr;
    QPushButton *m_cmdPlayAgain = nullptr;
    QLabel *m_lblStatus = nullptr;

    ReportRecordsModel *m_historyModel = nullptr;
    ReportRecordsModel *m_daysModel = nullptr;
    ReportTableModel *m_debriefModel = nullptr;

    Stage m_stage = Stage::Start;
    std::optional<RunInputs> m_inputs;
    std::optional<AnalysisParameters> m_parameters;
    OrderPolicy m_policy = OrderPolicy::Yesterday;
    std::optional<Game> m_game;
    std::uint64_t m_seed = 0;  // of the game played or shown
    std::vector<Currency> m_orders;
    std::vector<Currency> m_demands;
    SaveFileChooser m_chooseSave;
    OpenFileChooser m_chooseOpen;
    ErrorReporter m_reportError;
    DiscardAsker m_askDiscard;
    bool m_debriefSaved = false;
};

}  // namespace nv::ui
