// frmAnalysis, "Analysis": one resizable window with a page per analysis, each
// under its tab; the pages are "Compare Rules" (ComparePage), "Order
// Quantity" (QuantityPage), "Worksheet" (WorksheetPage) and "Play" (PlayPage).
//
// It fits the screen it opens on: the first time it is shown it takes
// kPreferredSize, but never more than 90% of the screen's available area,
// centred there (screen_fit.h); below their natural size the pages scroll.
//
// Keyboard: Ctrl+Tab and Ctrl+PgDown go to the next page, Ctrl+Shift+Tab and
// Ctrl+PgUp to the one before (both wrap around); the tab bar takes the focus
// too, where the arrow keys move between pages. Enter on a button presses
// it; Enter anywhere else presses no button but the explicit default button
// of the page that holds the focus (a page makes one only where Enter in
// each of its fields should press it): no button is auto-default, so a
// button Tab only passed never becomes the default. A control that takes
// the focus other than by a click is scrolled into view within its page.
//
// Closing: Esc and the frame's close button first ask every page
// (AnalysisPage::confirmDiscardWork); one that says no keeps the window
// open. Hiding or destroying the window stops every page's work
// (AnalysisPage::stopWork), switching pages does not.
//
// Inputs: each show function gives its page inputs, which become the
// window's. A page reached by its tab or the keyboard that has none yet, or
// older ones than the window's, takes the window's (none after a run's
// record: the defaults' inputs for a page without any) with the seeds and
// days setPageDefaults answers.
//
// Who owns it: app/ creates it once and shows it with an owner. Shown for the
// results window (which is modal while it is open) it becomes a window of the
// results window's, so that modality does not block it; shown for the
// parameter window's menu it becomes a window of its own, tied to no other.
// Changing the owner keeps a running comparison running.
//
// Adding a page: derive it from AnalysisPage, create it in the constructor
// with addPage, and give the window (and app/) a show function for it, as
// showComparison does for ComparePage. The second page is "Play" (PlayPage).
//
//     nv::ui::FrmAnalysis window;
//     window.showComparison(checked, &frmResults);   // the results grid's menu
//     window.showComparison(inputs, nullptr);         // Analyze > Compare Ordering Rules…
//     window.showOrderQuantity(inputs, nullptr);      // Analyze > Order Quantity…
//     window.showPlay(inputs, scenarioSeed, nullptr); // Analyze > Play the Newsvendor…
#pragma once

#include <QDialog>
#include <QHash>
#include <QSize>
#include <cstdint>
#include <functional>
#include <optional>

#include "engine/simulation_parameters.h"

class QPushButton;
class QTabWidget;

namespace nv::ui {

class AnalysisPage;
class ComparePage;
class QuantityPage;
class PlayPage;
class WorksheetPage;

// What a page reached before its show function takes: `inputs` when no
// show function has given the window any, Play's seed (nullopt: a fresh
// one), the Worksheet's days and seed (nullopt: a new one).
struct PageDefaults {
    std::optional<RunInputs> inputs;
    std::optional<std::uint64_t> playSeed;
    std::int32_t worksheetDays = 20;
    std::optional<std::uint64_t> worksheetSeed;
};

class FrmAnalysis final : public QDialog {
    Q_OBJECT

public:
    static constexpr QSize kPreferredSize{1440, 900};

    explicit FrmAnalysis(QWidget *parent = nullptr);
    ~FrmAnalysis() override;
    FrmAnalysis(const FrmAnalysis &) = delete;
    FrmAnalysis &operator=(const FrmAnalysis &) = delete;

    [[nodiscard]] ComparePage &comparePage() noexcept { return *m_comparePage; }
    [[nodiscard]] QuantityPage &quantityPage() noexcept { return *m_quantityPage; }
    [[nodiscard]] PlayPage &playPage() noexcept { return *m_playPage; }
    [[nodiscard]] WorksheetPage &worksheetPage() noexcept { return *m_worksheetPage; }
    [[nodiscard]] QTabWidget &tabPages() noexcept { return *m_tabPages; }
    [[nodiscard]] AnalysisPage *currentPage() const;

    // Adds a page (the window takes it) as the last tab; its index.
    int addPage(AnalysisPage *page);
    // Shows the window at `page`, raised and active. `owner`: the window it
    // must stay usable beside, or nullptr for a window of its own; it opens
    // on the screen of the owner, else of the active window.
    void showPage(AnalysisPage &page, QWidget *owner);

    // The Compare Rules page for a run's checked record, or for the
    // parameter window's inputs (checked there; a refusal shows in its
    // status line).
    void showComparison(const SimulationParameters &checked, QWidget *owner);
    void showComparison(const RunInputs &inputs, QWidget *owner);
    // The Order Quantity page for the parameter window's inputs (checked
    // there; a refusal shows in its status line).
    void showOrderQuantity(const RunInputs &inputs, QWidget *owner);
    // The Play page for the parameter window's inputs and a seed (a
    // scenario's; nullopt: a fresh one).
    void showPlay(const RunInputs &inputs, std::optional<std::uint64_t> seed, QWidget *owner);
    // The Worksheet page for the parameter window's inputs, the sheet's days
    // and seed (nullopt: a new one).
    void showWorksheet(const RunInputs &inputs, std::int32_t days,
                       std::optional<std::uint64_t> seed, QWidget *owner);

    void nextPage();
    void previousPage();

    // Where a page reached before its show function finds its defaults;
    // without one such a page takes the window's inputs and fresh seeds.
    void setPageDefaults(std::function<PageDefaults()> defaults);

    // Esc and the frame's close button: closes unless a page keeps it open.
    void reject() override;

protected:
    void hideEvent(QHideEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setOwner(QWidget *owner);
    void stopAllWork();
    void givePageInputs(int index);
    [[nodiscard]] QPushButton *pageDefaultButton(QWidget *focus) const;
    void scrollIntoView(QWidget *focus);

    QTabWidget *m_tabPages = nullptr;
    ComparePage *m_comparePage = nullptr;
    QuantityPage *m_quantityPage = nullptr;
    PlayPage *m_playPage = nullptr;
    WorksheetPage *m_worksheetPage = nullptr;
    bool m_changingOwner = false;
    bool m_placed = false;
    // The RunInputs last handed to a show function (nullopt after a run's
    // record), and what each page was given (nullopt: a run's record).
    std::optional<RunInputs> m_inputs;
    QHash<const QWidget *, std::optional<RunInputs>> m_pagesGiven;
    std::function<PageDefaults()> m_pageDefaults;
};

}  // namespace nv::ui
