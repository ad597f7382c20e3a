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
#pragma once

#include <QDialog>

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

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QPushButton *m_cmdClose;
    ResultsGridView *m_grdResults;
};

}  // namespace nv::ui
