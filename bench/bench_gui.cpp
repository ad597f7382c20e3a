// The windows under load, on the offscreen platform, through the real
// frmMain and frmResults:
//
//   BM_CmdRunClick/1000, /32766   "Run Simulation" from click to return, with
//                                 frequencies 0.1, 0.2, 0.4, 0.2, 0.1 typed
//                                 into the boxes and "Yesterday's Demand";
//                                 rss_MB is the resident memory after the runs
//   BM_CmdRunClickHidden/1000     the same with frmMain hidden, so the progress
//                                 bar paints nothing: the difference is the
//                                 cost of painting the bar during the run
//   BM_ShowResults/32766          showing the results window over a
//                                 32,766-day grid and painting it, then hiding
//   BM_StartUp                    from starting the start-up probe process to
//                                 frmMain being exposed (the probe reports it
//                                 on its standard output)
//
// Targets: 1,000 days < 10 ms, 32,766 days < 150 ms, start-up < 150 ms,
// resident memory after a 32,766-day run < 60 MB.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "app/application_windows.h"
#include "ui/parameters/frm_main.h"
#include "ui/results/frm_results.h"
#include "ui/toolkit/qt/qt_views.h"
#include "ui/toolkit/qt/results_grid_view.h"

extern char **environ;

namespace {

// The windows of the benchmark process (main creates them after the
// QApplication and ends them before); the parameter window loaded and shown,
// with the frequencies entered as a user would.
nv::ui::ApplicationWindows *g_windows = nullptr;

nv::ui::FrmMain &parameterWindow() {
    static bool prepared = false;
    nv::ui::FrmMain &window = g_windows->frmMain();
    if (!prepared) {
        prepared = true;
        window.Form_Load();
        window.show();
        (void)QTest::qWaitForWindowExposed(&window);
        const std::array<const char *, 5> boxes = {"txt35", "txt45", "txt55", "txt65", "txt75"};
        const std::array<const char *, 5> frequencies = {"0.1", "0.2", "0.4", "0.2", "0.1"};
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            auto *box = window.findChild<QWidget *>(QString::fromLatin1(boxes[i]));
            box->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(box, QString::fromLatin1(frequencies[i]));
        }
        // Clicking the option takes the focus from the last box, which stores it.
        auto *yesterday = window.findChild<QRadioButton *>(QStringLiteral("optYesterday"));
        QTest::mouseClick(yesterday, Qt::LeftButton);
    }
    return window;
}

void setDays(nv::ui::FrmMain &window, int days) {
    auto *runs = window.findChild<QComboBox *>(QStringLiteral("cboRuns"));
    runs->setEditText(QString::number(days));
}

double residentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long sizePages = 0;
    long residentPages = 0;
    statm >> sizePages >> residentPages;
    return static_cast<double>(residentPages) * static_cast<double>(sysconf(_SC_PAGESIZE)) /
           (1024.0 * 1024.0);
}

void BM_CmdRunClick(benchmark::State &state) {
    const int days = static_cast<int>(state.range(0));
    nv::ui::FrmMain &window = parameterWindow();
    setDays(window, days);
    for (auto _ : state) {
        window.cmdRun_Click();
    }
    if (g_windows->resultsGrid().rowCount() != days + 1) {
        state.SkipWithError("the run did not fill the grid");
        return;
    }
    state.SetItemsProcessed(state.iterations() * days);
    state.counters["rss_MB"] = residentMegabytes();
}

void BM_CmdRunClickHidden(benchmark::State &state) {
    const int days = static_cast<int>(state.range(0));
    nv::ui::FrmMain &window = parameterWindow();
    setDays(window, days);
    window.hide();
    for (auto _ : state) {
        window.cmdRun_Click();
    }
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    state.SetItemsProcessed(state.iterations() * days);
}

void BM_ShowResults(benchmark::State &state) {
    const int days = static_cast<int>(state.range(0));
    nv::ui::FrmMain &window = parameterWindow();
    setDays(window, days);
    window.cmdRun_Click();
    nv::ui::FrmResults &results = g_windows->frmResults();
    for (auto _ : state) {
        results.show();
        (void)QTest::qWaitForWindowExposed(&results);
        results.grdResults().viewport()->repaint();
        results.hide();
        QCoreApplication::processEvents();
    }
    state.counters["rss_MB"] = residentMegabytes();
}

// Starts the probe and reads its standard output until it reports "shown".
void BM_StartUp(benchmark::State &state) {
    for (auto _ : state) {
        std::array<int, 2> pipeEnds{};
        if (pipe(pipeEnds.data()) != 0) {
            state.SkipWithError("pipe failed");
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
        std::string path = NV_STARTUP_PROBE;
        std::array<char *, 2> argv = {path.data(), nullptr};

        const auto started = std::chrono::steady_clock::now();
        pid_t child = 0;
        const int spawned =
            posix_spawn(&child, path.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(pipeEnds[1]);
        if (spawned != 0) {
            close(pipeEnds[0]);
            state.SkipWithError("could not start the probe");
            return;
        }
        std::string output;
        std::array<char, 64> buffer{};
        while (output.find("shown\n") == std::string::npos) {
            const ssize_t got = read(pipeEnds[0], buffer.data(), buffer.size());
            if (got <= 0) {
                break;
            }
            output.append(buffer.data(), static_cast<std::size_t>(got));
        }
        const auto shown = std::chrono::steady_clock::now();
        // Read to the end: a probe still writing to a closed pipe would die
        // of SIGPIPE and count as a failed start.
        while (read(pipeEnds[0], buffer.data(), buffer.size()) > 0) {
        }
        close(pipeEnds[0]);
        int status = 0;
        waitpid(child, &status, 0);
        if (output.find("shown\n") == std::string::npos || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0) {
            state.SkipWithError("the probe did not show frmMain and end cleanly");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(shown - started).count());
    }
}

}  // namespace

BENCHMARK(BM_CmdRunClick)->Arg(1000)->Arg(32766)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CmdRunClickHidden)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowResults)->Arg(32766)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUp)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) {
    // The offscreen platform, also for the probe processes, which inherit it.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(nv::ui::kApplicationTitle));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    auto windows = std::make_unique<nv::ui::ApplicationWindows>();
    g_windows = windows.get();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    windows.reset();
    return 0;
}
