// The results window's layout and its "Close" command.
#include "ui/results/frm_results.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

#include "ui/toolkit/qt/results_grid_view.h"

namespace nv::ui {

namespace {

// Twips to pixels: every position and size of the layout is a whole number of
// pixels at 15 twips to a pixel.
[[nodiscard]] constexpr int px(int twips) noexcept {
    return twips / 15;
}

[[nodiscard]] QRect twipsRect(int left, int top, int width, int height) noexcept {
    return {px(left), px(top), px(width), px(height)};
}

}  // namespace

FrmResults::FrmResults(QWidget *parent)
    : QDialog(parent),
      m_cmdClose(new QPushButton(tr("Close"), this)),
      m_grdResults(new ResultsGridView(this)) {
    setObjectName(QStringLiteral("frmResults"));
    setWindowTitle(tr("Simulation Results"));
    // An ordinary top-level window: title bar, system menu, minimise,
    // maximise and close buttons, resizable.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);
    // Closing this window never ends the application.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(px(8145), px(4545));

    m_grdResults->setObjectName(QStringLiteral("grdResults"));
    m_grdResults->setAccessibleName(tr("Simulation results"));
    m_grdResults->setGeometry(twipsRect(600, 120, 6855, 3495));

    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));
    m_cmdClose->setAccessibleName(tr("Close"));
    m_cmdClose->setGeometry(twipsRect(6840, 3960, 975, 375));
    // Enter clicks the focused button; it is never the default otherwise.
    m_cmdClose->setAutoDefault(true);
    m_cmdClose->setDefault(false);

    setTabOrder(m_cmdClose, m_grdResults);
    connect(m_cmdClose, &QPushButton::clicked, this, &FrmResults::cmdClose_Click);
}

void FrmResults::cmdClose_Click() {
    hide();
}

void FrmResults::showEvent(QShowEvent *event) {
    m_cmdClose->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(event);
}

void FrmResults::closeEvent(QCloseEvent *event) {
    cmdClose_Click();
    event->accept();
}

void FrmResults::keyPressEvent(QKeyEvent *event) {
    // No cancel button: Esc does not close. Enter reaches the window only
    // when the focus is not on "Close" (which clicks itself), and there is no
    // other default button.
    if (event->matches(QKeySequence::Cancel) || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Return) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace nv::ui
