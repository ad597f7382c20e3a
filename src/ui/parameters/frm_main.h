// frmMain, "Simulation Parameters": the application's start-up window, on
// which the parameters of a run are entered and the run is started.
//
// The 27 controls sit at fixed positions (no layout manager; resizing the
// window moves nothing) and carry their names as objectName, so tests and
// assistive tools find them: Label1..Label11, cboRuns, cboPrice, cboCost,
// Frame1 with optYesterday and optAnnual, txt35..txt75, lblTotal, cmdRun,
// pgbRun, cmdShow and cmdExit.
//
// The five frequency boxes filter typed keys, keep lblTotal up to date after
// every change, and store their value in the window's DemandDistribution when
// they lose the focus; the run reads only the stored values. "Run Simulation"
// hands the three list texts, the stored distribution and the order policy to
// the engine, and a completed run's checked record to the results window;
// "Show Results" shows the results window modally; "Exit", like closing the
// window through its frame, ends the application.
//
// The results window is reached only through the ResultsPresenter the window
// is created with (app/ hands it one).
//
//     nv::ui::FrmMain window(results);   // results: a ResultsPresenter
//     window.Form_Load();   // once, before the window is first shown
//     window.show();
#pragma once

#include <QWidget>
#include <array>
#include <cstddef>
#include <functional>

#include "engine/demand_distribution.h"
#include "ui/toolkit/qt/qt_views.h"
#include "ui/toolkit/results_presenter.h"
#include "ui/toolkit/views.h"

class QCloseEvent;
class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace nv::ui {

class FrequencyBox;

class FrmMain final : public QWidget {
    Q_OBJECT

public:
    explicit FrmMain(ResultsPresenter &results, QWidget *parent = nullptr);
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

    // The stored frequencies curFreq1..curFreq5.
    [[nodiscard]] const DemandDistribution &distribution() const { return m_distribution; }

    // Where the run's messages go; nullptr restores the message box.
    void setMessageSink(MessageSink *messages);
    // What a refused key does; the default is QApplication::beep().
    void setBeep(std::function<void()> beep);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void setFocusOrder();
    void fitCaptionsToFont();
    void connectFrequencyBoxes();

    void frequencyChange();
    void frequencyKeyPress(std::size_t cls, short &keyAscii);
    void frequencyLostFocus(std::size_t cls);

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
    DemandDistribution m_distribution;
    QtMessageSink m_messageBox;
    MessageSink *m_messages = &m_messageBox;
    std::function<void()> m_beep;
};

}  // namespace nv::ui
