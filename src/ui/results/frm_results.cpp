// The results window's layout and its "Close" command.
#include "ui/results/frm_results.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include "support/csv.h"
#include "ui/toolkit/qt/results_grid_view.h"
#include "ui/toolkit/qt/twips.h"

namespace nv::ui {

FrmResults::FrmResults(QWidget *parent)
    : QDialog(parent),
      m_cmdClose(new QPushButton(tr("Close"), this)),
      m_grdResults(new ResultsGridView(this)),
      m_chooseFile(&askSaveFileName),
      m_reportError([this](const QString &message) {
          QMessageBox::warning(this, tr("Save as CSV"), message);
      }) {
    setObjectName(QStringLiteral("frmResults"));
    setWindowTitle(tr("Simulation Results"));
    // An ordinary top-level window: title bar, system menu, minimise,
    // maximise and close buttons, resizable.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);
    // Closing this window never ends the application.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(twipsSize(8145, 4545));

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
    connect(m_grdResults, &ResultsGridView::contextMenuWanted, this, &FrmResults::showGridMenu);
}

void FrmResults::cmdClose_Click() {
    hide();
}

ResultsGrid &FrmResults::resultsGrid() noexcept {
    return m_grdResults->gridModel().grid();
}

void FrmResults::showModal() {
    setWindowModality(Qt::ApplicationModal);
    exec();
}

void FrmResults::setCheckedRun(const SimulationParameters &checked) {
    m_checkedRun = checked;
}

std::unique_ptr<QMenu> FrmResults::createGridMenu() {
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("mnuGrid"));
    menu->setAccessibleName(tr("Results grid menu"));
    // A menu item's accessible name is its text without the mnemonic.
    const auto item = [&menu](const QString &text, const char *name) {
        QAction *action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    QAction *copy = item(tr("&Copy"), "mnuCopy");
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutVisibleInContextMenu(true);
    copy->setEnabled(m_grdResults->selectionModel()->hasSelection());
    QAction *save = item(tr("Save as &CSV\u2026"), "mnuSaveCsv");
    const ResultsGridModel &model = m_grdResults->gridModel();
    save->setEnabled(model.gridRowCount() > 1 && !model.cellText(1, 0).empty());
    menu->addSeparator();
    QAction *compare = item(tr("Compare &Ordering Rules\u2026"), "mnuCompare");
    compare->setEnabled(m_checkedRun.has_value());
    connect(copy, &QAction::triggered, this, &FrmResults::mnuCopy_Click);
    connect(save, &QAction::triggered, this, &FrmResults::mnuSaveCsv_Click);
    connect(compare, &QAction::triggered, this, &FrmResults::mnuCompare_Click);
    return menu;
}

void FrmResults::showGridMenu(const QPoint &globalPos) {
    const std::unique_ptr<QMenu> menu = createGridMenu();
    menu->exec(globalPos);
}

void FrmResults::mnuCopy_Click() {
    m_grdResults->copySelection();
}

std::string FrmResults::gridCsvText() const {
    return nv::csvText(m_grdResults->gridModel().rows());
}

void FrmResults::mnuSaveCsv_Click() {
    (void)saveToChosenFile(this, m_chooseFile, m_reportError,
                           {tr("Save as CSV"), QStringLiteral("simulation-results.csv"),
                            tr("CSV files (*.csv)"), QStringLiteral("csv")},
                           [this](const QString &path) {
                               return writeFileAtomically(path,
                                                          QByteArray::fromStdString(gridCsvText()));
                           });
}

void FrmResults::mnuCompare_Click() {
    if (m_checkedRun) {
        emit compareRequested(*m_checkedRun);
    }
}

void FrmResults::setSaveFileChooser(SaveFileChooser chooser) {
    m_chooseFile = std::move(chooser);
}

void FrmResults::setErrorReporter(std::function<void(const QString &)> report) {
    m_reportError = std::move(report);
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
