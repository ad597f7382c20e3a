// frmMain, "Simulation Parameters": the application's start-up window, on
// which the parameters of a run are entered and the run is started.
//
// A menu bar (menuBar) runs along the top; under it the client area
// (clientArea) holds the 27 controls at fixed positions (no layout manager;
// resizing the window moves nothing), each with its name as objectName, so
// tests and assistive tools find them: Label1..Label11, cboRuns, cboPrice,
// cboCost, Frame1 with optYesterday and optAnnual, txt35..txt75, lblTotal,
// cmdRun, pgbRun, cmdShow and cmdExit. The window is the client area plus
// the menu bar's height.
//
// The five frequency boxes filter typed keys, keep lblTotal up to date after
// every change, and store their value in the window's DemandDistribution when
// they lose the focus; the run reads only the stored values. "Run Simulation"
// hands the three list texts, the stored distribution and the order policy to
// the engine, and a completed run's checked record to the results window;
// "Show Results" shows the results window modally; "Exit", like closing the
// window through its frame, ends the application.
//
// The menus (frm_main_menu.cpp):
//     File     Open Scenario… (Ctrl+O), Save Scenario… (Ctrl+S), Exit (Ctrl+Q)
//     Analyze  Compare Ordering Rules…, and one entry per further analysis
//     Help     User Guide (F1), About Newsvendor Simulation
// A menu takes no focus, so every command that reads the inputs first
// stores the frequency box being edited, as its lost-focus handler would.
// Scenario files (frm_main_scenario.cpp): Open fills the window as if the
// values had been typed (a file that cannot be used changes nothing and shows
// one message), Save writes the current texts atomically.
//
// The results window is reached only through the ResultsPresenter the window
// is created with, the Analysis window only through the AnalysisPresenter;
// help and the scenarios go out as signals (app/ hands and connects them).
//
//     nv::ui::FrmMain window(results, analysis);   // the two presenters
//     window.Form_Load();   // once, before the window is first shown
//     window.show();
#pragma once

#include <QWidget>
#include <array>
#include <cstddef>
#include <functional>
#include <optional>

#include "engine/demand_distribution.h"
#include "io/scenario.h"
#include "ui/toolkit/analysis_presenter.h"
#include "ui/toolkit/qt/file_export.h"
#include "ui/toolkit/qt/qt_views.h"
#include "ui/toolkit/results_presenter.h"
#include "ui/toolkit/views.h"

class QAction;
class QCloseEvent;
class QComboBox;
class QGroupBox;
class QKeySequence;
class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QResizeEvent;

namespace nv::ui {

class FrequencyBox;
class ScenarioNotesDialog;
struct ScenarioDetails;

class FrmMain final : public QWidget {
    Q_OBJECT

public:
    FrmMain(ResultsPresenter &results, AnalysisPresenter &analysis, QWidget *parent = nullptr);
    ~FrmMain() override;

    // The load handler: seeds the random source from the clock, selects the
    // default list entries ("250", "4.60", "2.20"), sets the progress bar to
    // 0 and, last, prepares the results grid (its first reference creates the
    // results window, hidden). Called once, after construction and before the
    // first show.
    void Form_Load();

    // After any change of a box's text: lblTotal shows the new total.
    void txt35_Change();
    void txt45_Change();
    void txt55_Change();
    void txt65_Change();
    void txt75_Change();

    // A character typed into a box: a refused one beeps and is set to 0.
    void txt35_KeyPress(short &keyAscii);
    void txt45_KeyPress(short &keyAscii);
    void txt55_KeyPress(short &keyAscii);
    void txt65_KeyPress(short &keyAscii);
    void txt75_KeyPress(short &keyAscii);

    // A box lost the focus: its value goes into the stored distribution.
    void txt35_LostFocus();
    void txt45_LostFocus();
    void txt55_LostFocus();
    void txt65_LostFocus();
    void txt75_LostFocus();

    // Checks the inputs and runs; returns when the run has ended. A completed
    // run's checked record goes to the results window.
    void cmdRun_Click();
    // Progress bar to 0, disables itself, shows the results window modally;
    // returns when that window has been hidden.
    void cmdShow_Click();
    // Ends the application: closes every window and leaves the event loop.
    void cmdExit_Click();

    // ---- The menus ----
    [[nodiscard]] QMenuBar &menuBar() noexcept { return *m_menuBar; }
    // The widget under the menu bar that holds the 27 controls.
    [[nodiscard]] QWidget &clientArea() noexcept { return *m_client; }

    // File > Open Scenario…: asks for a file, then openScenarioFile.
    void mnuOpen_Click();
    // File > Save Scenario…: asks for the title, notes and seed, then for
    // the file, and writes it.
    void mnuSave_Click();
    // Analyze > an entry: the presenter's function with currentInputs().
    using AnalysisEntry = void (AnalysisPresenter::*)(const RunInputs &);
    void mnuAnalysis_Click(AnalysisEntry entry);

    // The inputs a run would read now: the three list texts, the stored
    // frequencies and the option; the box being edited is stored first.
    [[nodiscard]] RunInputs currentInputs();

    // Reads the scenario at path and fills the window with it (see the top
    // comment); false, with its one message shown, when it cannot be used.
    bool openScenarioFile(const QString &path);
    // Fills the window from a scenario: each list text, each box as if typed
    // and left, the option (none for a null policy); its seed, if any, seeds
    // the application's random source.
    void applyScenario(const Scenario &scenario);
    // The window's texts and option as a scenario (no title, notes or seed).
    [[nodiscard]] Scenario windowScenario() const;

    // Seams for tests: the file choosers, the save dialog, the report of a
    // failed save. The defaults are the real dialogs and a message box.
    using DetailsAsker =
        std::function<std::optional<ScenarioDetails>(QWidget *parent, const ScenarioDetails &)>;
    void setOpenFileChooser(OpenFileChooser chooser);
    void setSaveFileChooser(SaveFileChooser chooser);
    void setDetailsAsker(DetailsAsker asker);
    void setErrorReporter(ErrorReporter report);

    // Adds to a scenario being saved what other windows keep in it (the
    // worksheet's days and seed); app/ hands it over.
    using ScenarioExtras = std::function<void(Scenario &scenario)>;
    void setScenarioExtras(ScenarioExtras extras) { m_scenarioExtras = std::move(extras); }

    // The stored frequencies curFreq1..curFreq5.
    [[nodiscard]] const DemandDistribution &distribution() const { return m_distribution; }

    // Where the run's messages go; nullptr restores the message box.
    void setMessageSink(MessageSink *messages);
    // What a refused key does; the default is QApplication::beep().
    void setBeep(std::function<void()> beep);

signals:
    // Help > User Guide and Help > About Newsvendor Simulation.
    void userGuideRequested();
    void aboutRequested();
    // A scenario was opened (after the window took its values) or saved.
    void scenarioOpened(const nv::Scenario &scenario);
    void scenarioSaved(const nv::Scenario &scenario);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void createMenus();
    // Adds an entry to the Analyze menu: `show` is called with currentInputs().
    QAction *addAnalysisEntry(const char *name, const QString &text, const QKeySequence &shortcut,
                              AnalysisEntry entry);
    // Places the menu bar and the client area; the window fits them.
    void placeMenuBar();
    void createControls();
    void setFocusOrder();
    void fitCaptionsToFont();
    void connectFrequencyBoxes();

    void frequencyChange();
    void frequencyKeyPress(std::size_t cls, short &keyAscii);
    void frequencyLostFocus(std::size_t cls);
    // The inputs as the window holds them now (nothing stored first).
    [[nodiscard]] RunInputs windowInputs() const;
    // The box being edited, if one has the focus, stores its value.
    void storeEditedBox();
    void setListText(QComboBox *list, const std::string &text);
    void showScenarioNotes(const Scenario &scenario, const QString &fileName);

    QMenuBar *m_menuBar = nullptr;
    QMenu *m_mnuAnalyze = nullptr;
    QWidget *m_client = nullptr;
    QLabel *m_label1 = nullptr;
    QComboBox *m_cboRuns = nullptr;
    QLabel *m_label2 = nullptr;
    QComboBox *m_cboPrice = nullptr;
    QLabel *m_label3 = nullptr;
    QComboBox *m_cboCost = nullptr;
    QGroupBox *m_frame1 = nullptr;
    QRadioButton *m_optYesterday = nullptr;
    QRadioButton *m_optAnnual = nullptr;
    QLabel *m_label4 = nullptr;
    QLabel *m_label10 = nullptr;
    std::array<QLabel *, kDemandClasses> m_demandLabels{};  // Label5..Label9
    std::array<FrequencyBox *, kDemandClasses> m_txt{};     // txt35..txt75
    QLabel *m_lblTotal = nullptr;
    QLabel *m_label11 = nullptr;
    QPushButton *m_cmdRun = nullptr;
    QProgressBar *m_pgbRun = nullptr;
    QPushButton *m_cmdShow = nullptr;
    QPushButton *m_cmdExit = nullptr;

    ResultsPresenter *m_results;
    AnalysisPresenter *m_analysis;
    DemandDistribution m_distribution;
    // The last scenario opened or saved, and its file: the save dialog
    // starts from its title, notes and seed.
    std::optional<Scenario> m_scenario;
    ScenarioExtras m_scenarioExtras;
    QString m_scenarioPath;
    ScenarioNotesDialog *m_notes = nullptr;
    OpenFileChooser m_chooseOpenFile;
    SaveFileChooser m_chooseSaveFile;
    DetailsAsker m_askDetails;
    ErrorReporter m_reportError;
    QtMessageSink m_messageBox;
    MessageSink *m_messages = &m_messageBox;
    std::function<void()> m_beep;
};

}  // namespace nv::ui
