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
// too, where the arrow keys move between pages. Esc and the frame's close
// button hide the window; hiding or destroying it stops every page's work
// (AnalysisPage::stopWork), switching pages does not.
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
#include <QSize>
#include <cstdint>
#include <optional>

#include <cstdint>
#include <optional>

#include "engine/simulation_parameters.h"

class QTabWidget;

namespace nv::ui {

class AnalysisPage;
class ComparePage;
class QuantityPage;
class PlayPage;
class WorksheetPage;

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

protected:
    void hideEvent(QHideEvent *event) override;

private:
    void setOwner(QWidget *owner);
    void stopAllWork();

    QTabWidget *m_tabPages = nullptr;
    ComparePage *m_comparePage = nullptr;
    QuantityPage *m_quantityPage = nullptr;
    PlayPage *m_playPage = nullptr;
    WorksheetPage *m_worksheetPage = nullptr;
    bool m_changingOwner = false;
    bool m_placed = false;
};

}  // namespace nv::ui
