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
// through its frame hides it the same way. Nothing but its owner (the
// results-window accessor) destroys it.
//
// The grid's context menu (right click, Menu key, Shift+F10):
//     "Copy"                       the Ctrl+C copy; disabled with no selection
//     "Save as CSV…"               every grid row, the header row first, as
//                                  RFC 4180 text in UTF-8 with CRLF line ends;
//                                  disabled before a run has written a day
//     "Compare Ordering Rules…"    the window frmCompare for the inputs of the
//                                  last completed run (setRunInputs); disabled
//                                  before one
// A failed save is reported in a message box that names the file.
#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "engine/simulation_parameters.h"
#include "ui/analysis/frm_compare.h"
#include "ui/toolkit/qt/file_export.h"

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

    // The click handler of "Close": hides the window, and nothing else.
    void cmdClose_Click();

    // The inputs of the run the grid shows (the parameter window tells them
    // after every completed run).
    void setRunInputs(const RunInputs &inputs);
    [[nodiscard]] const std::optional<RunInputs> &runInputs() const noexcept { return m_runInputs; }

    // The grid's context menu with its items enabled for the current state.
    [[nodiscard]] std::unique_ptr<QMenu> createGridMenu();
    void mnuCopy_Click();
    void mnuSaveCsv_Click();
    void mnuCompare_Click();
    // The text "Save as CSV…" writes.
    [[nodiscard]] std::string gridCsvText() const;
    // The comparison window, once "Compare Ordering Rules…" has opened it.
    [[nodiscard]] FrmCompare *compareWindow() const noexcept { return m_compare.data(); }

    // Seams for tests: the file dialog and the message box of a failed save.
    void setSaveFileChooser(SaveFileChooser chooser);
    void setErrorReporter(std::function<void(const QString &)> report);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showGridMenu(const QPoint &globalPos);

    QPushButton *m_cmdClose;
    ResultsGridView *m_grdResults;
    std::optional<RunInputs> m_runInputs;
    QPointer<FrmCompare> m_compare;
    SaveFileChooser m_chooseFile;
    std::function<void(const QString &)> m_reportError;
};

}  // namespace nv::ui
