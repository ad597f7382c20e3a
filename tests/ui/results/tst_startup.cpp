// Start-up and the window commands through the real windows: frmMain's load
// event prepares the hidden results grid, runs fill it, "Show Results" opens
// it once per completed run, and "Exit" or closing frmMain ends the event
// loop and the process.
#include <QApplication>
#include <QHeaderView>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <memory>

#include "app/startup.h"
#include "engine/results_table.h"
#include "modal_closer.h"
#include "session_driver.h"
#include "ui/parameters/frm_main.h"
#include "ui/results/frm_results.h"
#include "ui/results/results_window.h"
#include "ui/toolkit/memory_grid.h"
#include "ui/toolkit/qt/qt_views.h"
#include "ui/toolkit/qt/results_grid_view.h"

using namespace nv::ui;

namespace {

ResultsGridModel &gridModel() {
    return frmResults().grdResults().gridModel();
}

// Clicks "Show Results" and closes the results window from inside the modal
// showing with `close`; returns whether the showing happened and ended by it.
bool showAndClose(FrmMain &window, const std::function<void(FrmResults &)> &close,
                  bool *wasModal = nullptr) {
    FrmResults &results = frmResults();
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
    void cleanup();

    void loadPreparesHiddenResultsGrid();
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

void TestStartup::cleanup() {
    destroyResultsWindow();
}

void TestStartup::loadPreparesHiddenResultsGrid() {
    FrmMain window;
    QVERIFY(!resultsWindowExists());
    window.Form_Load();
    QVERIFY(resultsWindowExists());
    QVERIFY(!frmResults().isVisible());
    const ResultsGridModel &m = gridModel();
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

void TestStartup::lastColumnMeasuredInParameterWindowFont() {
    FrmMain window;
    window.Form_Load();
    const double measured = QtTextMeasurer(window).textWidthTwips(nv::kCumulativeWidthSample);
    QVERIFY(measured > 0);
    const int twips = nv::roundTwips(measured);
    QCOMPARE(gridModel().columnWidthTwips(5), twips);
    ResultsGridView &grid = frmResults().grdResults();
    QCOMPARE(grid.columnWidth(5), qRound(twips / 15.0));
    for (int column = 0; column < 5; ++column) {
        QCOMPARE(gridModel().columnWidthTwips(column), -1);
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
    FrmMain window;
    window.Form_Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    session::enterFrequenciesAndYesterday(window);
    for (const QString &days : runs) {
        session::setDays(window, days);
        session::clickRun(window);
    }
    const ResultsGridModel &m = gridModel();
    QCOMPARE(m.gridRowCount(), rows);
    QCOMPARE(frmResults().grdResults().model()->rowCount(), rows - 1);
    QCOMPARE(QString::fromUtf8(m.cellText(rows - 1, 0).data(),
                               static_cast<qsizetype>(m.cellText(rows - 1, 0).size())),
             QString::number(rows - 1));
    QCOMPARE(m.cellText(0, 4), "Daily Profit");
    QCOMPARE(session::pgbRun(window).value(), 100);
    QVERIFY(session::cmdShow(window).isEnabled());
    QVERIFY(!frmResults().isVisible());
}

void TestStartup::showResultsOncePerCompletedRun() {
    FrmMain window;
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
        window, [](FrmResults &results) { QTest::mouseClick(&results.cmdClose(), Qt::LeftButton); },
        &wasModal));
    QVERIFY(wasModal);
    QVERIFY(!frmResults().isVisible());
    QVERIFY(!session::cmdShow(window).isEnabled());
    QCOMPARE(session::pgbRun(window).value(), 0);
    // Close keeps the rows.
    QCOMPARE(gridModel().gridRowCount(), 251);
    QCOMPARE(gridModel().cellText(250, 0), "250");

    // No second showing without a new run: the button is disabled.
    {
        ModalCloser guard(frmResults(), [](QWidget &w) { w.hide(); });
        QTest::mouseClick(&session::cmdShow(window), Qt::LeftButton);
        QVERIFY(!guard.wasActive());
        QVERIFY(!frmResults().isVisible());
    }

    // The next run enables it again and the showing has that run's rows.
    session::setDays(window, QStringLiteral("100"));
    session::clickRun(window);
    QVERIFY(session::cmdShow(window).isEnabled());
    int rowsShown = 0;
    QVERIFY(showAndClose(window, [&rowsShown](FrmResults &results) {
        rowsShown = results.grdResults().model()->rowCount();
        results.close();  // through the frame this time
    }));
    QCOMPARE(rowsShown, 100);
    QVERIFY(resultsWindowExists());
    QVERIFY(!frmResults().isVisible());
    QVERIFY(!session::cmdShow(window).isEnabled());
    QCOMPARE(gridModel().cellText(0, 0), "Day");
}

void TestStartup::refusedRunLeavesResultsAlone() {
    FrmMain window;
    RecordingMessages messages;
    window.setMessageSink(&messages);
    window.Form_Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    session::enterFrequenciesAndYesterday(window);
    session::clickRun(window);
    QCOMPARE(gridModel().gridRowCount(), 251);
    // An empty number of days is refused: the grid keeps the last run's rows.
    session::setDays(window, QString());
    session::clickRun(window);
    QCOMPARE(messages.messages().size(), std::size_t{1});
    QCOMPARE(gridModel().gridRowCount(), 251);
    QCOMPARE(gridModel().cellText(250, 0), "250");
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
    const int exitCode = runParameterWindow([&](FrmMain &window) {
        QTimer::singleShot(
            0, &window, [&window, &resultsExistedWhileRunning, &sessionShown, ending] {
                resultsExistedWhileRunning = resultsWindowExists();
                if (!QTest::qWaitForWindowActive(&window)) {
                    return;
                }
                if (ending == 2) {
                    session::enterFrequenciesAndYesterday(window);
                    session::clickRun(window);
                    sessionShown =
                        gridModel().gridRowCount() == 251 &&
                        showAndClose(window, [](FrmResults &results) { results.cmdClose_Click(); });
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
    QVERIFY(!resultsWindowExists());
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
