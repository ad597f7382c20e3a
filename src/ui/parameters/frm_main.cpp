#include "ui/parameters/frm_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <string>
#include <utility>

#include "engine/results_table.h"
#include "engine/simulation.h"
#include "engine/simulation_parameters.h"
#include "support/random_source.h"
#include "ui/parameters/frequency_box.h"
#include "ui/parameters/frequency_entry.h"
#include "ui/parameters/scenario_dialogs.h"
#include "ui/toolkit/qt/system_locale.h"

namespace nv::ui {

namespace {
// Demand classes in box order: txt35 is class 0 (curFreq1) ... txt75 class 4.
constexpr std::size_t kTxt35 = 0;
constexpr std::size_t kTxt45 = 1;
constexpr std::size_t kTxt55 = 2;
constexpr std::size_t kTxt65 = 3;
constexpr std::size_t kTxt75 = 4;
}  // namespace

FrmMain::FrmMain(ResultsPresenter &results, AnalysisPresenter &analysis, QWidget *parent)
    : QWidget(parent),
      m_results(&results),
      m_analysis(&analysis),
      m_chooseOpenFile(&askOpenFileName),
      m_chooseSaveFile(&askSaveFileName),
      m_askDetails(&ScenarioSaveDialog::ask),
      m_reportError([this](const QString &message) {
          QMessageBox::warning(this, tr("Save Scenario"), message);
      }),
      m_beep([] { QApplication::beep(); }) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Simulation Parameters"));
    createMenus();
    createControls();
    fitCaptionsToFont();
    placeMenuBar();
    setFocusOrder();
    connectFrequencyBoxes();
    connect(m_cmdRun, &QPushButton::clicked, this, &FrmMain::cmdRun_Click);
    connect(m_cmdShow, &QPushButton::clicked, this, &FrmMain::cmdShow_Click);
    connect(m_cmdExit, &QPushButton::clicked, this, &FrmMain::cmdExit_Click);
}

FrmMain::~FrmMain() {
    // Hiding the window while it is destroyed takes the focus from a box;
    // by then the stored values are gone, so the boxes must not call back.
    for (FrequencyBox *box : m_txt) {
        disconnect(box, nullptr, this, nullptr);
    }
}

void FrmMain::connectFrequencyBoxes() {
    using Change = void (FrmMain::*)();
    using KeyPress = void (FrmMain::*)(short &);
    using LostFocus = void (FrmMain::*)();
    constexpr Change change[] = {&FrmMain::txt35_Change, &FrmMain::txt45_Change,
                                 &FrmMain::txt55_Change, &FrmMain::txt65_Change,
                                 &FrmMain::txt75_Change};
    constexpr KeyPress keyPress[] = {&FrmMain::txt35_KeyPress, &FrmMain::txt45_KeyPress,
                                     &FrmMain::txt55_KeyPress, &FrmMain::txt65_KeyPress,
                                     &FrmMain::txt75_KeyPress};
    constexpr LostFocus lostFocus[] = {&FrmMain::txt35_LostFocus, &FrmMain::txt45_LostFocus,
                                       &FrmMain::txt55_LostFocus, &FrmMain::txt65_LostFocus,
                                       &FrmMain::txt75_LostFocus};
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        connect(m_txt[cls], &QPlainTextEdit::textChanged, this, change[cls]);
        connect(m_txt[cls], &FrequencyBox::keyPress, this, keyPress[cls]);
        connect(m_txt[cls], &FrequencyBox::lostFocus, this, lostFocus[cls]);
    }
}

void FrmMain::setMessageSink(MessageSink *messages) {
    m_messages = messages != nullptr ? messages : &m_messageBox;
}

void FrmMain::setBeep(std::function<void()> beep) {
    m_beep = std::move(beep);
}

// ---- Load -----------------------------------------------------------------

void FrmMain::Form_Load() {
    applicationRandomSource().seedFromClock();
    m_cboRuns->setCurrentIndex(1);
    m_cboPrice->setCurrentIndex(3);
    m_cboCost->setCurrentIndex(1);
    QtProgressBar(*m_pgbRun).setValue(0);
    // The grid's columns are measured in this window's font.
    prepareResultsTable(m_results->resultsGrid(), QtTextMeasurer(*this));
}

// ---- The frequency boxes -----------------------------------------------------

void FrmMain::txt35_Change() {
    frequencyChange();
}
void FrmMain::txt45_Change() {
    frequencyChange();
}
void FrmMain::txt55_Change() {
    frequencyChange();
}
void FrmMain::txt65_Change() {
    frequencyChange();
}
void FrmMain::txt75_Change() {
    frequencyChange();
}

void FrmMain::txt35_KeyPress(short &keyAscii) {
    frequencyKeyPress(kTxt35, keyAscii);
}
void FrmMain::txt45_KeyPress(short &keyAscii) {
    frequencyKeyPress(kTxt45, keyAscii);
}
void FrmMain::txt55_KeyPress(short &keyAscii) {
    frequencyKeyPress(kTxt55, keyAscii);
}
void FrmMain::txt65_KeyPress(short &keyAscii) {
    frequencyKeyPress(kTxt65, keyAscii);
}
void FrmMain::txt75_KeyPress(short &keyAscii) {
    frequencyKeyPress(kTxt75, keyAscii);
}

void FrmMain::txt35_LostFocus() {
    frequencyLostFocus(kTxt35);
}
void FrmMain::txt45_LostFocus() {
    frequencyLostFocus(kTxt45);
}
void FrmMain::txt55_LostFocus() {
    frequencyLostFocus(kTxt55);
}
void FrmMain::txt65_LostFocus() {
    frequencyLostFocus(kTxt65);
}
void FrmMain::txt75_LostFocus() {
    frequencyLostFocus(kTxt75);
}

void FrmMain::frequencyChange() {
    std::array<std::string, kDemandClasses> texts;
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        texts[cls] = m_txt[cls]->text().toStdString();
    }
    const std::optional<Currency> total = frequencyTotal(texts);
    m_lblTotal->setText(toQString(totalCaption(total, systemNumberLocale())));
    const QString note = total ? QString() : QStringLiteral("The total is out of range");
    m_lblTotal->setToolTip(note);
    m_lblTotal->setAccessibleDescription(total ? QStringLiteral("Total of the relative frequencies")
                                               : note);
}

void FrmMain::frequencyKeyPress(std::size_t cls, short &keyAscii) {
    if (acceptsFrequencyKey(keyAscii, m_txt[cls]->text().toStdString())) {
        return;
    }
    if (m_beep) {
        m_beep();
    }
    keyAscii = 0;
}

void FrmMain::frequencyLostFocus(std::size_t cls) {
    m_distribution.setFrequency(cls, storedFrequency(m_txt[cls]->text().toStdString()));
}

// ---- The commands ------------------------------------------------------------

void FrmMain::cmdRun_Click() {
    const RunInputs inputs = windowInputs();

    QtProgressBar progress(*m_pgbRun);
    QtCommandButton showResults(*m_cmdShow);
    // Restores the pointer when the run ends, however it ends.
    QtBusyPointer pointer;
    RunViews views{m_results->resultsGrid(), progress, showResults, pointer};
    const Result<SimulationParameters, Refusal> checked =
        checkAndRun(inputs, views, *m_messages, applicationRandomSource(), systemNumberLocale());
    if (checked) {
        // The grid now shows this run: its comparison starts from this record.
        m_results->runCompleted(*checked);
    }
}

void FrmMain::cmdShow_Click() {
    QtProgressBar(*m_pgbRun).setValue(0);
    QtCommandButton(*m_cmdShow).setEnabled(false);
    m_results->showResultsModal();
}

void FrmMain::cmdExit_Click() {
    // The close event ends the application, as closing the window does.
    close();
}

void FrmMain::closeEvent(QCloseEvent *event) {
    // Every other window goes too, and the event loop ends even though the
    // results window still exists, hidden. A window that stays open (its
    // user cancelled a question about unsaved work) keeps the program.
    QApplication::closeAllWindows();
    for (const QWidget *window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible()) {
            event->ignore();
            return;
        }
    }
    event->accept();
    QCoreApplication::exit(0);
}

}  // namespace nv::ui
