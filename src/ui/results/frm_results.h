// frmResults, "Simulation Results": the grid of the last run's rows and a
// "Close" button.
//
// A parentless dialog, so that showing it modally (exec) returns when it is
// hidden. The layout is fixed in twips (15 to a pixel) and nothing moves when
// the window is resized:
//
//     client area   8145 x 4545   (543 x 303 px)
//     grdResults    600, 120   6855 x 3495   tab 1
//     cmdClose      6840, 3960  975 x 375    tab 0, "Close"
//
// The focus is on "Close" whenever the window is shown; Space or Enter there
// clicks it. There is no default button besides the focused one and no
// cancel button: Esc does nothing. "Close" hides the window; closing it
// through its frame hides it the same way. Nothing but its owner (app/'s
// windows object) destroys it, at the application's end.
//
// The grid's context menu (right click, Menu key, Shift+F10):
//     "Copy"                       the Ctrl+C copy; disabled with no selection
//     "Save as CSV…"               every grid row, the header row first, as
//                                  RFC 4180 text in UTF-8 with CRLF line ends;
//                                  disabled before a run has written a day
//     "Compare Ordering Rules…"    asks for the comparison of the last
//                                  completed run (compareRequested, with the
//                                  run's checked record); disabled before one
// A failed save is reported in a message box that names the file.
//
//     nv::ui::FrmResults window;
//     nv::prepareResultsTable(window.resultsGrid(), measurer);
//     window.setCheckedRun(checked);   // after a completed run into resultsGrid()
//     window.showModal();
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "engine/simulation_parameters.h"
#include "ui/toolkit/qt/file_export.h"
#include "ui/toolkit/views.h"

class QMenu;
class QPushButton;

namespace nv::ui {

class ResultsGridView;

class FrmResults final : public QDialog {
    Q_OBJECT

public:
    explicit FrmResults(QWidget *parent = nullptr);

    [[nodiscard]] ResultsGridView &grdResults() noexcept { return *m_grdResults; }
    [[nodiscard]] QPushButton &cmdClose() noexcept { return *m_cmdClose; }
    // The grid as the engine writes it.
    [[nodiscard]] ResultsGrid &resultsGrid() noexcept;

    // Shows the window modally; returns when it has been hidden again.
    void showModal();

    // The click handler of "Close": hides the window, and nothing else.
    void cmdClose_Click();

    // The checked record of the run the grid shows (told after every
    // completed run).
    void setCheckedRun(const SimulationParameters &checked);
    [[nodiscard]] const std::optional<SimulationParameters> &checkedRun() const noexcept {
        return m_checkedRun;
    }

    // The grid's context menu with its items enabled for the current state.
    [[nodiscard]] std::unique_ptr<QMenu> createGridMenu();
    void mnuCopy_Click();
    void mnuSaveCsv_Click();
    void mnuCompare_Click();
    // The text "Save as CSV…" writes.
    [[nodiscard]] std::string gridCsvText() const;

    // Seams for tests: the file dialog and the message box of a failed save.
    void setSaveFileChooser(SaveFileChooser chooser);
    void setErrorReporter(std::function<void(const QString &)> report);

signals:
    // "Compare Ordering Rules…": the comparison of the run the grid shows.
    void compareRequested(const nv::SimulationParameters &checked);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showGridMenu(const QPoint &globalPos);

    QPushButton *m_cmdClose;
    ResultsGridView *m_grdResults;
    std::optional<SimulationParameters> m_checkedRun;
    SaveFileChooser m_chooseFile;
    std::function<void(const QString &)> m_reportError;
};

}  // namespace nv::ui
