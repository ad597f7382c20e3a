// Start-up and the window commands through the real windows, wired as the
// application wires them: frmMain's load event prepares the hidden results
// grid, runs fill it, "Show Results" opens it once per completed run, and
// "Exit" or closing frmMain ends the event loop and the process.
#include <QApplication>
#include <QHeaderView>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <memory>

#include "app/application_windows.h"
#include "app/startup.h"
#include "engine/results_table.h"
#include "modal_closer.h"
#include "session_driver.h"
#include "ui/parameters/frm_main.h"
#include "ui/results/frm_results.h"
#include "ui/toolkit/memory_grid.h"
#include "ui/toolkit/qt/qt_views.h"
#include "ui/toolkit/qt/results_grid_view.h"

using namespace nv::ui;

namespace {

ResultsGridModel &gridModel(ApplicationWindows &windows) {
    return windows.frmResults().grdResults().gridModel();
}

// Whether a results window exists among the application's windows.
bool resultsWindowAround() {
    for (const QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QStringLiteral("frmResults")) {
            return true;
        }
    }
    return false;
}

// Clicks "Show Results" and closes the results window from inside the modal
// showing with `close`; returns whether the showing happened and ended by it.
bool showAndClose(ApplicationWindows &windows, const std::function<void(FrmResults &)> &close,
                  bool *wasModal = nullptr) {
    FrmMain &window = windows.frmMain();
    FrmResults &results = windows.frmResults();
    ModalCloser closer(results, [&](QWidget &) {
        if (wasModal != nullptr) {
            *wasModal = QApplication::activeModalWidget() == &results;
        }
        close(results);
    });
    QTest::mouseClick(&session::cmdShow(window), Qt::LeftButton);
    return closer.wasActive() && !closer.forced();
}

}  // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void loadPreparesHiddenResultsGrid();
    void resultsWindowCreatedOnceAndEndsWithTheWindows();
    void lastColumnMeasuredInParameterWindowFont();
    void runsFillTheGrid_data();
    void runsFillTheGrid();
    void showResultsOncePerCompletedRun();
    void refusedRunLeavesResultsAlone();
    void endsTheEventLoop_data();
    void endsTheEventLoop();
    void processEnds_data();
    void processEnds();
};

void TestStartup::loadPreparesHiddenResultsGrid() {
    ApplicationWindows windows;
    FrmMain &window = windows.frmMain();
    QVERIFY(!windows.resultsWindowExists());
    window.Form_Load();
    QVERIFY(windows.resultsWindowExists());
    QVERIFY(!windows.frmResults().isVisible());
    const ResultsGridModel &m = gridModel(windows);
    QCOMPARE(m.gridRowCount(), 2);
    QCOMPARE(m.columnCount(), 6);
    const char *headers[] = {"Day",   "Demand",       "Order",
                             "Sales", "Daily Profit", "Cumulative Profit"};
    for (int column = 0; column < 6; ++column) {
        QCOMPARE(m.headerData(column, Qt::Horizontal).toString(),
                 QString::fromLatin1(headers[column]));
        QCOMPARE(m.headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignCenter));
        QCOMPARE(m.index(0, column).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
        QVERIFY(m.cellText(1, column).empty());
    }
    QVERIFY(!session::cmdShow(window).isEnabled());
    QCOMPARE(session::pgbRun(window).value(), 0);
}

void TestStartup::resultsWindowCreatedOnceAndEndsWithTheWindows() {
    {
        ApplicationWindows windows;
        QVERIFY(!resultsWindowAround());
        FrmResults *first = &windows.frmResults();
        QCOMPARE(&windows.frmResults(), first);
        QVERIFY(!first->isVisible());
        QVERIFY(first->parentWidget() == nullptr);
        QCOMPARE(&windows.resultsGrid(), &first->resultsGrid());
        QVERIFY(resultsWindowAround());
    }
    QVERIFY(!resultsWindowAround());
}

void TestStartup::lastColumnMeasuredInParameterWindowFont() {
    ApplicationWindows windows;
    FrmMain &window = windows.frmMain();
    window.Form_Load();
    const double measured = QtTextMeasurer(window).textWidthTwips(nv::kCumulativeWidthSample);
    QVERIFY(measured > 0);
    const int twips = nv::roundTwips(measured);
    QCOMPARE(gridModel(windows).columnWidthTwips(5), twips);
    ResultsGridView &grid = windows.frmResults().grdResults();
    QCOMPARE(grid.columnWidth(5), qRound(twips / 15.0));
    for (int column = 0; column < 5; ++column) {
        QCOMPARE(gridModel(windows).columnWidthTwips(column), -1);
        QCOMPARE(grid.columnWidth(column), ResultsGridView::kDefaultColumnWidthTwips / 15);
    }
}

void TestStartup::runsFillTheGrid_data() {
    QTest::addColumn<QStringList>("runs");
    QTest::addColumn<int>("rows");
    QTest::newRow("250") << QStringList{"250"} << 251;
    QTest::newRow("1000 then 100") << QStringList{"1000", "100"} << 101;
}

void TestStartup::runsFillTheGrid() {
    QFETCH(QStringList, runs);
    QFETCH(int, rows);
    ApplicationWindows windows;
    FrmMain &window = windows.frmMain();
    window.Form_Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    session::enterFrequenciesAndYesterday(window);
    for (const QString &days : runs) {
        session::setDays(window, days);
        session::clickRun(window);
    }
    const ResultsGridModel &m = gridModel(windows);
    QCOMPARE(m.gridRowCount(), rows);
    QCOMPARE(windows.frmResults().grdResults().model()->rowCount(), rows - 1);
    QCOMPARE(QString::fromUtf8(m.cellText(rows - 1, 0).data(),
                               static_cast<qsizetype>(m.cellText(rows - 1, 0).size())),
             QString::number(rows - 1));
    QCOMPARE(m.cellText(0, 4), "Daily Profit");
    QCOMPARE(session::pgbRun(window).value(), 100);
    QVERIFY(session::cmdShow(window).isEnabled());
    QVERIFY(!windows.frmResults().isVisible());
}

void TestStartup::showResultsOncePerCompletedRun() {
    ApplicationWindows windows;
    FrmMain &window = windows.frmMain();
    window.Form_Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(!session::cmdShow(window).isEnabled());

    session::enterFrequenciesAndYesterday(window);
    session::clickRun(window);
    QVERIFY(session::cmdShow(window).isEnabled());
    QCOMPARE(session::pgbRun(window).value(), 100);

    bool wasModal = false;
    QVERIFY(showAndClose(
        windows,
        [](FrmResults &results) { QTest::mouseClick(&results.cmdClose(), Qt::LeftButton); },
        &wasModal));
    QVERIFY(wasModal);
    QVERIFY(!windows.frmResults().isVisible());
    QVERIFY(!session::cmdShow(window).isEnabled());
    QCOMPARE(session::pgbRun(window).value(), 0);
    // Close keeps the rows.
    QCOMPARE(gridModel(windows).gridRowCount(), 251);
    QCOMPARE(gridModel(windows).cellText(250, 0), "250");

    // No second showing without a new run: the button is disabled.
    {
        ModalCloser guard(windows.frmResults(), [](QWidget &w) { w.hide(); });
        QTest::mouseClick(&session::cmdShow(window), Qt::LeftButton);
        QVERIFY(!guard.wasActive());
        QVERIFY(!windows.frmResults().isVisible());
    }

    // The next run enables it again and the showing has that run's rows.
    session::setDays(window, QStringLiteral("100"));
    session::clickRun(window);
    QVERIFY(session::cmdShow(window).isEnabled());
    int rowsShown = 0;
    QVERIFY(showAndClose(windows, [&rowsShown](FrmResults &results) {
        rowsShown = results.grdResults().model()->rowCount();
        results.close();  // through the frame this time
    }));
    QCOMPARE(rowsShown, 100);
    QVERIFY(windows.resultsWindowExists());
    QVERIFY(!windows.frmResults().isVisible());
    QVERIFY(!session::cmdShow(window).isEnabled());
    QCOMPARE(gridModel(windows).cellText(0, 0), "Day");
}

void TestStartup::refusedRunLeavesResultsAlone() {
    ApplicationWindows windows;
    FrmMain &window = windows.frmMain();
    RecordingMessages messages;
    window.setMessageSink(&messages);
    window.Form_Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    session::enterFrequenciesAndYesterday(window);
    session::clickRun(window);
    QCOMPARE(gridModel(windows).gridRowCount(), 251);
    // An empty number of days is refused: the grid keeps the last run's rows.
    session::setDays(window, QString());
    session::clickRun(window);
    QCOMPARE(messages.messages().size(), std::size_t{1});
    QCOMPARE(gridModel(windows).gridRowCount(), 251);
    QCOMPARE(gridModel(windows).cellText(250, 0), "250");
    QVERIFY(session::cmdShow(window).isEnabled());
}

void TestStartup::endsTheEventLoop_data() {
    QTest::addColumn<int>("ending");
    QTest::newRow("Exit") << 0;
    QTest::newRow("frame close") << 1;
    QTest::newRow("Exit after run, show, close") << 2;
}

void TestStartup::endsTheEventLoop() {
    QFETCH(int, ending);
    bool resultsExistedWhileRunning = false;
    bool sessionShown = ending != 2;
    // If the loop never ended the test would hang: end it with 99 instead.
    auto watchdog = std::make_unique<QObject>();
    QTimer::singleShot(15000, watchdog.get(), [] { QCoreApplication::exit(99); });
    const int exitCode = runParameterWindow([&](ApplicationWindows &windows) {
        FrmMain &window = windows.frmMain();
        QTimer::singleShot(0, &window, [&] {
            resultsExistedWhileRunning = windows.resultsWindowExists();
            if (!QTest::qWaitForWindowActive(&window)) {
                return;
            }
            if (ending == 2) {
                session::enterFrequenciesAndYesterday(window);
                session::clickRun(window);
                sessionShown =
                    gridModel(windows).gridRowCount() == 251 &&
                    showAndClose(windows, [](FrmResults &results) { results.cmdClose_Click(); });
            }
            if (ending == 1) {
                window.close();
            } else {
                QTest::mouseClick(&session::cmdExit(window), Qt::LeftButton);
            }
        });
    });
    watchdog.reset();
    QCOMPARE(exitCode, 0);
    QVERIFY(resultsExistedWhileRunning);
    QVERIFY(sessionShown);
    QVERIFY(!resultsWindowAround());
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        QVERIFY2(!widget->isVisible(), qPrintable(widget->objectName()));
    }
}

void TestStartup::processEnds_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("Exit") << QStringList{};
    QTest::newRow("frame close") << QStringList{QStringLiteral("--frame")};
}

void TestStartup::processEnds() {
    QFETCH(QStringList, arguments);
    QProcess probe;
    probe.start(QStringLiteral(NV_STARTUP_PROBE), arguments);
    QVERIFY(probe.waitForStarted());
    QVERIFY2(probe.waitForFinished(20000), "the process is still running");
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QCOMPARE(probe.exitCode(), 0);
    QVERIFY(probe.readAllStandardOutput().contains("shown\n"));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
