// The results window on its own: layout, the grid's set-up, runs written into
// it, showing and closing it, and copying cells.
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "engine/results_table.h"
#include "engine/simulation.h"
#include "modal_closer.h"
#include "support/random_source.h"
#include "ui/results/frm_results.h"
#include "ui/toolkit/memory_grid.h"
#include "ui/toolkit/qt/results_grid_view.h"

using namespace nv::ui;

Q_DECLARE_METATYPE(std::vector<GridCellRange>)

namespace {

// A parameter-window font whose every text is the given width.
class FixedMeasurer final : public TextMeasurer {
public:
    explicit FixedMeasurer(double twips) : m_twips(twips) {}
    [[nodiscard]] double textWidthTwips(std::string_view) const override { return m_twips; }

private:
    double m_twips;
};

constexpr double kTypicalWidthTwips = 2092.5;

// The window under test: a new one for every test function, its grid set up
// as the parameter window's load handler sets it up.
std::unique_ptr<FrmResults> g_window;

void createWindow(double measuredTwips) {
    g_window = std::make_unique<FrmResults>();
    nv::prepareResultsTable(g_window->resultsGrid(), FixedMeasurer(measuredTwips));
}

FrmResults &frmResults() {
    return *g_window;
}

nv::Currency frequency(std::int64_t tenThousandths) {
    return nv::Currency::fromUnits(tenThousandths);
}

// Runs the Run command's logic for `days` days into the results grid.
void runDays(const std::string &days, std::uint64_t seed = 7) {
    nv::RunInputs inputs;
    inputs.runsText = days;
    inputs.priceText = "4.60";
    inputs.costText = "2.20";
    const std::int64_t freqs[] = {1000, 2000, 4000, 2000, 1000};
    for (std::size_t i = 0; i < 5; ++i) {
        inputs.distribution.setFrequency(i, frequency(freqs[i]));
    }
    inputs.yesterdaySelected = true;
    MemoryRunViews recorders;
    RunViews views{frmResults().resultsGrid(), recorders.progress, recorders.showResults,
                   recorders.pointer};
    RecordingMessages messages;
    nv::SeededSource random(seed);
    const nv::RunOutcome outcome =
        nv::startRun(inputs, views, messages, random, nv::NumberLocale{});
    QCOMPARE(outcome, nv::RunOutcome::Completed);
}

ResultsGridModel &model() {
    return frmResults().grdResults().gridModel();
}

QString modelText(int gridRow, int column) {
    return model().index(gridRow - 1, column).data().toString();
}

}  // namespace

class TestResultsWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void layout();
    void layoutKeptWhenResized();
    void gridSettings();
    void headerRowAfterSetUp();
    void measuredColumnWidth_data();
    void measuredColumnWidth();
    void runRows_data();
    void runRows();
    void shorterRunDropsLongerRunsTexts();
    void closeHidesAndKeepsRows_data();
    void closeHidesAndKeepsRows();
    void keysThatDoNotClose_data();
    void keysThatDoNotClose();
    void focusOnCloseEveryShowing();
    void writesReachShownViewOnly();
    void headerStaysInViewAtLastRow();
    void newRunShownFromTop();
    void copiedText_data();
    void copiedText();
    void ctrlCCopiesSelection_data();
    void ctrlCCopiesSelection();
};

void TestResultsWindow::init() {
    createWindow(kTypicalWidthTwips);
}

void TestResultsWindow::cleanup() {
    g_window.reset();
}

void TestResultsWindow::layout() {
    FrmResults &window = frmResults();
    QCOMPARE(window.objectName(), QStringLiteral("frmResults"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Simulation Results"));
    QCOMPARE(window.size(), QSize(543, 303));
    QVERIFY(window.parentWidget() == nullptr);
    QVERIFY(window.layout() == nullptr);
    QVERIFY(window.windowFlags().testFlag(Qt::WindowMinMaxButtonsHint));
    QVERIFY(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));

    auto *grid = window.findChild<QTableView *>(QStringLiteral("grdResults"));
    auto *close = window.findChild<QPushButton *>(QStringLiteral("cmdClose"));
    QVERIFY(grid && close);
    QCOMPARE(grid->geometry(), QRect(40, 8, 457, 233));
    QCOMPARE(close->geometry(), QRect(456, 264, 65, 25));
    QCOMPARE(close->text(), QStringLiteral("Close"));
    QCOMPARE(grid->accessibleName(), QStringLiteral("Simulation results"));
    QCOMPARE(close->accessibleName(), QStringLiteral("Close"));
    // Tab order: Close, then the grid, then back to Close.
    QCOMPARE(close->nextInFocusChain(), static_cast<QWidget *>(grid));
    QVERIFY(!close->isDefault());
}

void TestResultsWindow::layoutKeptWhenResized() {
    FrmResults &window = frmResults();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.resize(900, 700);
    QTest::qWait(10);
    QCOMPARE(window.grdResults().geometry(), QRect(40, 8, 457, 233));
    QCOMPARE(window.cmdClose().geometry(), QRect(456, 264, 65, 25));
    window.resize(300, 200);
    QTest::qWait(10);
    QCOMPARE(window.grdResults().geometry(), QRect(40, 8, 457, 233));
    window.hide();
}

void TestResultsWindow::gridSettings() {
    ResultsGridView &grid = frmResults().grdResults();
    QVERIFY(grid.verticalHeader()->isHidden());
    QVERIFY(!grid.horizontalHeader()->isHidden());
    QCOMPARE(grid.font().pointSizeF(), 8.25);
    QCOMPARE(grid.font().weight(), QFont::Normal);
    QVERIFY(!grid.font().italic() && !grid.font().underline() && !grid.font().strikeOut());
    QCOMPARE(grid.font().styleHint(), QFont::SansSerif);
    QCOMPARE(grid.editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(!grid.tabKeyNavigation());
    QCOMPARE(grid.model()->columnCount(), 6);
}

void TestResultsWindow::headerRowAfterSetUp() {
    const ResultsGridModel &m = model();
    QCOMPARE(m.gridRowCount(), 2);
    QCOMPARE(m.rowCount(), 1);
    QCOMPARE(m.columnCount(), 6);
    const QStringList headers = {"Day",   "Demand",       "Order",
                                 "Sales", "Daily Profit", "Cumulative Profit"};
    QHeaderView *header = frmResults().grdResults().horizontalHeader();
    for (int column = 0; column < 6; ++column) {
        QCOMPARE(header->model()->headerData(column, Qt::Horizontal).toString(), headers[column]);
        QCOMPARE(m.headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignCenter));
        QCOMPARE(m.index(0, column).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
        QCOMPARE(modelText(1, column), QString());
    }
    // The set-up leaves the grid's current cell at (0, 5), whatever the user selects.
    QCOMPARE(m.currentRow(), 0);
    QCOMPARE(m.currentColumn(), 5);
    QVERIFY(!frmResults().isVisible());
}

void TestResultsWindow::measuredColumnWidth_data() {
    QTest::addColumn<double>("measured");
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("half to even, down") << 2092.5 << 2092 << 139;
    QTest::newRow("half to even, up") << 2093.5 << 2094 << 140;
    QTest::newRow("below half") << 2100.49 << 2100 << 140;
    QTest::newRow("above half") << 1499.51 << 1500 << 100;
}

void TestResultsWindow::measuredColumnWidth() {
    QFETCH(double, measured);
    QFETCH(int, twips);
    QFETCH(int, pixels);
    createWindow(measured);
    QCOMPARE(model().columnWidthTwips(5), twips);
    ResultsGridView &grid = frmResults().grdResults();
    QCOMPARE(grid.columnWidth(5), pixels);
    for (int column = 0; column < 5; ++column) {
        QCOMPARE(model().columnWidthTwips(column), -1);
        QCOMPARE(grid.columnWidth(column), ResultsGridView::kDefaultColumnWidthTwips / 15);
    }
    // A run does not touch the widths.
    runDays("100");
    QCOMPARE(grid.columnWidth(5), pixels);
    QCOMPARE(grid.columnWidth(0), ResultsGridView::kDefaultColumnWidthTwips / 15);
}

void TestResultsWindow::runRows_data() {
    QTest::addColumn<QStringList>("runs");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("lastDay");
    QTest::newRow("250 days") << QStringList{"250"} << 251 << "250";
    QTest::newRow("1000 days") << QStringList{"1000"} << 1001 << "1,000";
    QTest::newRow("1000 then 100") << QStringList{"1000", "100"} << 101 << "100";
    QTest::newRow("100 then 500") << QStringList{"100", "500"} << 501 << "500";
    QTest::newRow("no days") << QStringList{"0"} << 1 << "";
}

void TestResultsWindow::runRows() {
    QFETCH(QStringList, runs);
    QFETCH(int, rows);
    QFETCH(QString, lastDay);
    for (const QString &days : runs) {
        runDays(days.toStdString());
    }
    const ResultsGridModel &m = model();
    QCOMPARE(m.gridRowCount(), rows);
    QCOMPARE(frmResults().grdResults().model()->rowCount(), rows - 1);
    if (rows > 1) {
        QCOMPARE(modelText(1, 0), QStringLiteral("1"));
        QCOMPARE(modelText(rows - 1, 0), lastDay);
        for (int column = 0; column < 6; ++column) {
            QVERIFY(!modelText(rows - 1, column).isEmpty());
            QCOMPARE(m.index(rows - 2, column).data(Qt::TextAlignmentRole).toInt(),
                     int(Qt::AlignCenter));
        }
    }
    // The header row is unchanged by every run.
    QCOMPARE(m.cellText(0, 0), "Day");
    QCOMPARE(m.cellText(0, 5), "Cumulative Profit");
    QCOMPARE(m.headerData(5, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    QCOMPARE(m.currentRow(), 0);
    QCOMPARE(m.currentColumn(), 5);
}

void TestResultsWindow::shorterRunDropsLongerRunsTexts() {
    runDays("1000");
    runDays("100");
    ResultsGridModel &m = model();
    QCOMPARE(m.gridRowCount(), 101);
    // Growing the grid again shows empty rows where the longer run's were.
    m.setGridRowCount(1001);
    for (int row = 101; row < 1001; ++row) {
        for (int column = 0; column < 6; ++column) {
            QVERIFY2(m.cellText(row, column).empty(), qPrintable(QString::number(row)));
        }
    }
}

void TestResultsWindow::closeHidesAndKeepsRows_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("click Close") << 0;
    QTest::newRow("Space on Close") << 1;
    QTest::newRow("Enter on Close") << 2;
    QTest::newRow("Return on Close") << 3;
    QTest::newRow("frame close") << 4;
    QTest::newRow("cmdClose_Click") << 5;
}

void TestResultsWindow::closeHidesAndKeepsRows() {
    QFETCH(int, how);
    runDays("250");
    FrmResults &window = frmResults();
    QWidget *focusWhenShown = nullptr;
    ModalCloser closer(window, [&](QWidget &) {
        focusWhenShown = QApplication::focusWidget();
        switch (how) {
            case 0:
                QTest::mouseClick(&window.cmdClose(), Qt::LeftButton);
                break;
            case 1:
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
                break;
            case 2:
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
                break;
            case 3:
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                break;
            case 4:
                window.close();
                break;
            default:
                window.cmdClose_Click();
                break;
        }
    });
    window.showModal();
    QVERIFY(closer.wasActive());
    QVERIFY(!closer.forced());
    QCOMPARE(focusWhenShown, static_cast<QWidget *>(&window.cmdClose()));
    QVERIFY(!window.isVisible());
    QCOMPARE(model().gridRowCount(), 251);
    QCOMPARE(modelText(250, 0), QStringLiteral("250"));
    QCOMPARE(model().cellText(0, 0), "Day");
}

void TestResultsWindow::keysThatDoNotClose_data() {
    QTest::addColumn<bool>("focusGrid");
    QTest::addColumn<int>("key");
    QTest::newRow("Esc on Close") << false << int(Qt::Key_Escape);
    QTest::newRow("Esc in grid") << true << int(Qt::Key_Escape);
    QTest::newRow("Enter in grid") << true << int(Qt::Key_Enter);
    QTest::newRow("Return in grid") << true << int(Qt::Key_Return);
}

void TestResultsWindow::keysThatDoNotClose() {
    QFETCH(bool, focusGrid);
    QFETCH(int, key);
    runDays("100");
    FrmResults &window = frmResults();
    bool stillShown = false;
    ModalCloser closer(window, [&](QWidget &) {
        if (focusGrid) {
            window.grdResults().setFocus(Qt::TabFocusReason);
        }
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
        QTest::qWait(20);
        stillShown = window.isVisible();
        window.cmdClose_Click();
    });
    window.showModal();
    QVERIFY(closer.wasActive());
    QVERIFY(!closer.forced());
    QVERIFY(stillShown);
}

void TestResultsWindow::focusOnCloseEveryShowing() {
    FrmResults &window = frmResults();
    for (int showing = 0; showing < 2; ++showing) {
        QWidget *focus = nullptr;
        ModalCloser closer(window, [&](QWidget &) {
            // The window's focus widget: the offscreen platform does not
            // activate a window shown for the second time.
            focus = window.focusWidget();
            // Leave the focus in the grid: the next showing still starts on Close.
            window.grdResults().setFocus(Qt::MouseFocusReason);
            window.cmdClose_Click();
        });
        window.showModal();
        QVERIFY(!closer.forced());
        QVERIFY2(
            focus == &window.cmdClose(),
            qPrintable(
                QString("showing %1: %2").arg(showing).arg(focus ? focus->objectName() : "none")));
    }
}

void TestResultsWindow::writesReachShownViewOnly() {
    ResultsGridModel &m = model();
    m.setGridRowCount(11);
    QSignalSpy changed(&m, &QAbstractItemModel::dataChanged);
    m.setCellText(3, 2, "hidden");
    QCOMPARE(changed.count(), 0);

    FrmResults &window = frmResults();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(modelText(3, 2), QStringLiteral("hidden"));
    m.setCellText(4, 1, "shown");
    QCOMPARE(changed.count(), 1);
    const QModelIndex index = changed.first().at(0).value<QModelIndex>();
    QCOMPARE(index.row(), 3);
    QCOMPARE(index.column(), 1);
    window.hide();
    m.setCellText(5, 1, "hidden again");
    QCOMPARE(changed.count(), 1);
}

void TestResultsWindow::headerStaysInViewAtLastRow() {
    runDays("1000");
    FrmResults &window = frmResults();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    ResultsGridView &grid = window.grdResults();
    grid.scrollToBottom();
    QTest::qWait(10);
    QVERIFY(grid.verticalScrollBar()->value() > 0);
    QVERIFY(grid.horizontalHeader()->isVisible());
    QCOMPARE(grid.horizontalHeader()->y(), grid.frameWidth());
    const int lastVisible = grid.rowAt(grid.viewport()->height() - 2);
    QCOMPARE(lastVisible, 999);
    QCOMPARE(grid.model()->index(lastVisible, 0).data().toString(), QStringLiteral("1,000"));
    window.hide();
}

void TestResultsWindow::newRunShownFromTop() {
    runDays("1000");
    FrmResults &window = frmResults();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    ResultsGridView &grid = window.grdResults();
    grid.setCurrentIndex(grid.model()->index(999, 5));
    grid.scrollTo(grid.currentIndex());
    QVERIFY(grid.verticalScrollBar()->value() > 0);
    QVERIFY(grid.horizontalScrollBar()->value() > 0);
    window.hide();
    runDays("250");
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(grid.verticalScrollBar()->value(), 0);
    QCOMPARE(grid.horizontalScrollBar()->value(), 0);
    QVERIFY(!grid.selectionModel()->hasSelection());
    window.hide();
}

void TestResultsWindow::copiedText_data() {
    QTest::addColumn<std::vector<GridCellRange>>("ranges");
    QTest::addColumn<QString>("text");
    const auto r = [](int top, int left, int bottom, int right) {
        return GridCellRange{top, left, bottom, right};
    };
    QTest::newRow("nothing") << std::vector<GridCellRange>{} << "";
    QTest::newRow("one cell") << std::vector{r(2, 1, 2, 1)} << "60";
    QTest::newRow("block") << std::vector{r(1, 0, 2, 1)} << "1\t40\n2\t60";
    QTest::newRow("two blocks, gap is empty")
        << std::vector{r(1, 0, 1, 0), r(3, 2, 3, 2)} << "1\t\t\n\t\t\n\t\t60";
    QTest::newRow("whole column with header")
        << std::vector{r(1, 4, 3, 4)} << "Daily Profit\n$70\n$92\n$";
    QTest::newRow("all")
        << std::vector{r(1, 0, 3, 5)}
        << "Day\tDemand\tOrder\tSales\tDaily Profit\tCumulative Profit\n"
           "1\t40\t50\t40\t$70\t$70\n2\t60\t40\t40\t$92\t$162\n3\t30\t60\t30\t$\t$162";
    QTest::newRow("whole column next to part of one")
        << std::vector{r(1, 0, 3, 0), r(2, 1, 2, 1)} << "Day\tDemand\n1\t\n2\t60\n3\t";
    QTest::newRow("clipped to the grid") << std::vector{r(-5, 5, 1, 9)} << "$70";
    QTest::newRow("header row itself is not a day row") << std::vector{r(0, 0, 0, 5)} << "";
    QTest::newRow("outside") << std::vector{r(7, 0, 9, 5)} << "";
}

void TestResultsWindow::copiedText() {
    QFETCH(std::vector<GridCellRange>, ranges);
    QFETCH(QString, text);
    const std::vector<ResultsGridRow> rows = {
        {"Day", "Demand", "Order", "Sales", "Daily Profit", "Cumulative Profit"},
        {"1", "40", "50", "40", "$70", "$70"},
        {"2", "60", "40", "40", "$92", "$162"},
        {"3", "30", "60", "30", "$", "$162"},
    };
    QCOMPARE(QString::fromStdString(copiedCellsText(rows, ranges)), text);
}

void TestResultsWindow::ctrlCCopiesSelection_data() {
    QTest::addColumn<bool>("selectAll");
    QTest::addColumn<QString>("firstLine");
    QTest::addColumn<int>("lines");
    QTest::newRow("one cell") << false << "" << 1;
    QTest::newRow("Ctrl+A, whole grid")
        << true << "Day\tDemand\tOrder\tSales\tDaily Profit\tCumulative Profit" << 251;
}

void TestResultsWindow::ctrlCCopiesSelection() {
    QFETCH(bool, selectAll);
    QFETCH(QString, firstLine);
    QFETCH(int, lines);
    runDays("250");
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    FrmResults &window = frmResults();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    ResultsGridView &grid = window.grdResults();
    grid.setFocus();
    if (selectAll) {
        QTest::keyClick(&grid, Qt::Key_A, Qt::ControlModifier);
    } else {
        grid.setCurrentIndex(grid.model()->index(9, 3));
    }
    QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
    const QString copied = QGuiApplication::clipboard()->text();
    const QStringList copiedLines = copied.split(QLatin1Char('\n'));
    QCOMPARE(copiedLines.size(), lines);
    if (selectAll) {
        QCOMPARE(copiedLines.first(), firstLine);
        QCOMPARE(copiedLines.at(250).section(QLatin1Char('\t'), 0, 0), QStringLiteral("250"));
    } else {
        QCOMPARE(copied, modelText(10, 3));
        QVERIFY(!copied.isEmpty());
    }
    // Selecting and copying leave the grid's own current cell alone.
    QCOMPARE(model().currentRow(), 0);
    QCOMPARE(model().currentColumn(), 5);
    window.hide();
}

QTEST_MAIN(TestResultsWindow)
#include "tst_results_window.moc"
