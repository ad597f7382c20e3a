// frmMain's menu bar: its menus and entries, where it sits above the client
// area, and the commands that read the window's inputs from a menu.
//
// A further analysis adds its entry to the Analyze menu with one line in
// createMenus:
//
//     addAnalysisEntry("mnuQuantity", tr("&Order Quantity…"), {},
//                      &AnalysisPresenter::showOrderQuantity);

#include <QAction>
#include <QComboBox>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QResizeEvent>

#include "ui/parameters/frequency_box.h"
#include "ui/parameters/frm_main.h"

namespace nv::ui {

namespace {

QMenu *addMenu(QMenuBar *bar, const char *name, const QString &text, const QString &accessible) {
    QMenu *menu = bar->addMenu(text);
    menu->setObjectName(QString::fromLatin1(name));
    menu->setAccessibleName(accessible);
    return menu;
}

// An entry: its name, its text with its mnemonic, its shortcut. Its
// accessible name is its text without the mnemonic's "&".
QAction *addEntry(QMenu *menu, const char *name, const QString &text,
                  const QKeySequence &shortcut) {
    QAction *action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
}

}  // namespace

void FrmMain::createMenus() {
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName(QStringLiteral("menuBar"));
    m_menuBar->setAccessibleName(tr("Menu bar"));
    // Always in the window, on every desktop: the window's layout has room
    // for it above the controls.
    m_menuBar->setNativeMenuBar(false);

    QMenu *file = addMenu(m_menuBar, "mnuFile", tr("&File"), tr("File"));
    connect(addEntry(file, "mnuOpen", tr("&Open Scenario…"), QKeySequence(Qt::CTRL | Qt::Key_O)),
            &QAction::triggered, this, &FrmMain::mnuOpen_Click);
    connect(addEntry(file, "mnuSave", tr("&Save Scenario…"), QKeySequence(Qt::CTRL | Qt::Key_S)),
            &QAction::triggered, this, &FrmMain::mnuSave_Click);
    file->addSeparator();
    connect(addEntry(file, "mnuExit", tr("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_Q)),
            &QAction::triggered, this, &FrmMain::cmdExit_Click);

    m_mnuAnalyze = addMenu(m_menuBar, "mnuAnalyze", tr("&Analyze"), tr("Analyze"));
    addAnalysisEntry("mnuCompare", tr("&Compare Ordering Rules…"), {},
                     &AnalysisPresenter::showComparison);
    addAnalysisEntry("mnuQuantity", tr("&Order Quantity…"), {},
                     &AnalysisPresenter::showOrderQuantity);
    addAnalysisEntry("mnuWorksheet", tr("&Random-Number Worksheet…"), {},
                     &AnalysisPresenter::showWorksheet);
    addAnalysisEntry("mnuPlay", tr("&Play the Newsvendor…"), {}, &AnalysisPresenter::showPlay);

    QMenu *help = addMenu(m_menuBar, "mnuHelp", tr("&Help"), tr("Help"));
    QAction *guide = addEntry(help, "mnuUserGuide", tr("&User Guide"), QKeySequence(Qt::Key_F1));
    // F1 opens the guide from every window of the program, not only this one.
    guide->setShortcutContext(Qt::ApplicationShortcut);
    connect(guide, &QAction::triggered, this, &FrmMain::userGuideRequested);
    connect(addEntry(help, "mnuAbout", tr("&About Newsvendor Simulation"), {}), &QAction::triggered,
            this, &FrmMain::aboutRequested);
}

QAction *FrmMain::addAnalysisEntry(const char *name, const QString &text,
                                   const QKeySequence &shortcut, AnalysisEntry entry) {
    QAction *action = addEntry(m_mnuAnalyze, name, text, shortcut);
    connect(action, &QAction::triggered, this, [this, entry] { mnuAnalysis_Click(entry); });
    return action;
}

void FrmMain::placeMenuBar() {
    const int barHeight = m_menuBar->sizeHint().height();
    m_client->move(0, barHeight);
    resize(m_client->width(), barHeight + m_client->height());
    m_menuBar->setGeometry(0, 0, width(), barHeight);
}

void FrmMain::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    // The menu bar spans the window; the client area stays where it is.
    m_menuBar->resize(width(), m_menuBar->height());
}

void FrmMain::storeEditedBox() {
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        // The window's focus widget, whether or not the window is active.
        if (focusWidget() == m_txt[cls]) {
            frequencyLostFocus(cls);
        }
    }
}

RunInputs FrmMain::currentInputs() {
    storeEditedBox();
    return windowInputs();
}

RunInputs FrmMain::windowInputs() const {
    RunInputs inputs;
    inputs.runsText = m_cboRuns->currentText().toStdString();
    inputs.priceText = m_cboPrice->currentText().toStdString();
    inputs.costText = m_cboCost->currentText().toStdString();
    inputs.distribution = m_distribution;
    inputs.yesterdaySelected = m_optYesterday->isChecked();
    inputs.annualSelected = m_optAnnual->isChecked();
    return inputs;
}

void FrmMain::mnuAnalysis_Click(AnalysisEntry entry) {
    (m_analysis->*entry)(currentInputs());
}

}  // namespace nv::ui
