// One whole GUI session in one process, as a user would go through it:
// start-up, a 250-day run, Show Results, Close, Exit. The exit status is 0
// only when every step had its effect and the event loop ended through Exit.
// Under the sanitizer build it runs with LeakSanitizer on, so anything the
// program's own code leaks over a session fails it.
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "app/application_windows.h"
#include "app/startup.h"
#include "modal_closer.h"
#include "session_driver.h"
#include "ui/parameters/frm_main.h"
#include "ui/results/frm_results.h"
#include "ui/toolkit/qt/results_grid_view.h"

namespace {

constexpr int kWatchdogExitCode = 99;

bool check(bool condition, const char *what) {
    if (!condition) {
        std::fprintf(stderr, "gui_session: %s\n", what);
    }
    return condition;
}

// The session's steps; returns whether each had its effect.
bool runSession(nv::ui::ApplicationWindows &windows) {
    nv::ui::FrmMain &window = windows.frmMain();
    if (!check(QTest::qWaitForWindowActive(&window), "frmMain never became active")) {
        return false;
    }
    session::enterFrequenciesAndYesterday(window);
    session::clickRun(window);
    nv::ui::FrmResults &results = windows.frmResults();
    nv::ui::ResultsGridModel &grid = results.grdResults().gridModel();
    bool ok = check(grid.gridRowCount() == 251, "the run did not give 251 rows");
    ok = check(session::cmdShow(window).isEnabled(), "Show Results not enabled") && ok;

    ModalCloser closer(
        results, [&results](QWidget &) { QTest::mouseClick(&results.cmdClose(), Qt::LeftButton); });
    QTest::mouseClick(&session::cmdShow(window), Qt::LeftButton);
    ok = check(closer.wasActive() && !closer.forced(), "Show Results / Close failed") && ok;
    ok = check(!results.isVisible() && grid.gridRowCount() == 251, "Close lost the rows") && ok;
    return ok;
}

}  // namespace

int main(int argc, char *argv[]) {
    bool sessionOk = false;
    const int exitCode =
        nv::ui::runApplication(argc, argv, [&sessionOk](nv::ui::ApplicationWindows &windows) {
            nv::ui::FrmMain &window = windows.frmMain();
            // If Exit did not end the event loop, the watchdog does, with 99.
            QTimer::singleShot(30000, &window, [] { QCoreApplication::exit(kWatchdogExitCode); });
            QTimer::singleShot(0, &window, [&sessionOk, &windows] {
                sessionOk = runSession(windows);
                QTest::mouseClick(&session::cmdExit(windows.frmMain()), Qt::LeftButton);
            });
        });
    // The windows go with runApplication: under the sanitizer build a window
    // that outlived it is a leak.
    const bool ended = check(exitCode == 0, "the event loop did not end through Exit");
    return sessionOk && ended ? 0 : 1;
}
