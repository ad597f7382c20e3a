// The results grid's context menu: its items and when they are enabled, Copy,
// Save as CSV (through a chosen-file seam), opening it from the mouse and the
// keyboard, opening the Analysis window at Compare Rules (also while the
// results window is modal, and for the parameter window's inputs as a window
// of its own), and the checked record frmMain hands over after a completed
// run, which the comparison starts from. The windows are wired as the
// application wires them.
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "app/application_windows.h"
#include "compare_test_support.h"
#include "engine/results_table.h"
#include "engine/simulation.h"
#include "modal_closer.h"
#include "parameters_test_support.h"
#include "support/random_source.h"
#include "ui/analysis/compare_page.h"
#include "ui/analysis/frm_analysis.h"
#include "ui/results/frm_results.h"
#include "ui/toolkit/memory_grid.h"
#include "ui/toolkit/qt/results_grid_view.h"

using namespace nv::ui;

namespace {

class FixedMeasurer final : public TextMeasurer {
public:
    [[nodiscard]] double textWidthTwips(std::string_view) const override { return 2000; }
};

// The windows under test, new for every test function.
std::unique_ptr<ApplicationWindows> g_windows;

FrmResults &frmResults() {
    return g_windows->frmResults();
}

// A completed run of `days` days written into the results grid, its checked
// record told as frmMain tells it.
void runDays(const std::string &days) {
    const nv::RunInputs inputs = testing::runInputs({1000, 2000, 4000, 2000, 1000}, days);
    MemoryRunViews recorders;
    RunViews views{g_windows->resultsGrid(), recorders.progress, recorders.showResults,
                   recorders.pointer};
    RecordingMessages messages;
    nv::SeededSource random(7);
    const auto checked = nv::checkAndRun(inputs, views, messages, random, nv::NumberLocale{});
    QVERIFY(checked.ok());
    g_windows->runCompleted(*checked);
}

QAction *item(QMenu &menu, const char *name) {
    return menu.findChild<QAction *>(QString::fromLatin1(name));
}

ResultsGridView &grid() {
    return frmResults().grdResults();
}

void selectCells(int top, int left, int bottom, int right) {
    const QAbstractItemModel *model = grid().model();
    grid().selectionModel()->select(
        QItemSelection(model->index(top, left), model->index(bottom, right)),
        QItemSelectionModel::ClearAndSelect);
}

}  // namespace

class TestGridMenu : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void items_data();
    void items();
    void copyPutsTheSelectionOnTheClipboard();
    void saveAsCsv();
    void saveFailureIsReported();
    void menuOpens_data();
    void menuOpens();
    void compareOpensForTheRun();
    void compareIsUsableWhileResultsAreModal();
    void compareStartsFromTheCompletedRun();
};

void TestGridMenu::init() {
    g_windows = std::make_unique<ApplicationWindows>();
    nv::prepareResultsTable(g_windows->resultsGrid(), FixedMeasurer());
}

void TestGridMenu::cleanup() {
    g_windows.reset();
}

void TestGridMenu::items_data() {
    QTest::addColumn<bool>("run");
    QTest::addColumn<bool>("select");
    QTest::addColumn<bool>("copy");
    QTest::addColumn<bool>("save");
    QTest::addColumn<bool>("compare");
    QTest::newRow("before a run") << false << false << false << false << false;
    QTest::newRow("after a run") << true << false << false << true << true;
    QTest::newRow("with a selection") << true << true << true << true << true;
}

void TestGridMenu::items() {
    QFETCH(bool, run);
    QFETCH(bool, select);
    QFETCH(bool, copy);
    QFETCH(bool, save);
    QFETCH(bool, compare);
    if (run) {
        runDays("10");
    }
    if (select) {
        selectCells(0, 0, 1, 1);
    }
    const std::unique_ptr<QMenu> menu = frmResults().createGridMenu();
    QStringList texts;
    for (const QAction *action : menu->actions()) {
        if (!action->isSeparator()) {
            texts << action->text();
        }
    }
    QCOMPARE(texts, (QStringList{QStringLiteral("&Copy"), QStringLiteral("Save as &CSV\u2026"),
                                 QStringLiteral("Compare &Ordering Rules\u2026")}));
    QCOMPARE(item(*menu, "mnuCopy")->shortcut(), QKeySequence(QKeySequence::Copy));
    QCOMPARE(item(*menu, "mnuCopy")->isEnabled(), copy);
    QCOMPARE(item(*menu, "mnuSaveCsv")->isEnabled(), save);
    QCOMPARE(item(*menu, "mnuCompare")->isEnabled(), compare);
}

void TestGridMenu::copyPutsTheSelectionOnTheClipboard() {
    runDays("10");
    selectCells(1, 0, 2, 1);
    QApplication::clipboard()->setText(QStringLiteral("before"));
    const std::unique_ptr<QMenu> menu = frmResults().createGridMenu();
    item(*menu, "mnuCopy")->trigger();
    const QString expected = grid().selectionText();
    QCOMPARE(expected.count(QLatin1Char('\n')), 1);
    QCOMPARE(QApplication::clipboard()->text(), expected);
    QVERIFY(expected.startsWith(QStringLiteral("2\t")));
}

void TestGridMenu::saveAsCsv() {
    runDays("20");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString caption;
    QString proposedPath;
    frmResults().setSaveFileChooser(
        [&](QWidget *, const QString &c, const QString &proposed, const QString &) {
            caption = c;
            proposedPath = proposed;
            return dir.filePath(QStringLiteral("results"));
        });
    QStringList errors;
    frmResults().setErrorReporter([&errors](const QString &m) { errors << m; });
    const std::unique_ptr<QMenu> menu = frmResults().createGridMenu();
    item(*menu, "mnuSaveCsv")->trigger();
    QCOMPARE(caption, QStringLiteral("Save as CSV"));
    QVERIFY2(proposedPath.endsWith(QStringLiteral(".csv")), qPrintable(proposedPath));
    QVERIFY(errors.isEmpty());

    QFile file(dir.filePath(QStringLiteral("results.csv")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes, QByteArray::fromStdString(frmResults().gridCsvText()));
    QVERIFY(bytes.startsWith("Day,Demand,Order,Sales,Daily Profit,Cumulative Profit\r\n"));
    // One record per grid row, each ending in CRLF, no bare LF.
    QCOMPARE(bytes.count("\r\n"), 21);
    QCOMPARE(bytes.count('\n'), 21);
    QVERIFY(bytes.endsWith("\r\n"));
    // Day 20's cumulative profit is over $1,000: its digit group is quoted.
    const QByteArray last = bytes.split('\n').at(20);
    const QString cumulative =
        QString::fromStdString(std::string(frmResults().grdResults().gridModel().cellText(20, 5)));
    QVERIFY(cumulative.contains(QLatin1Char(',')));
    QVERIFY2(last.endsWith(",\"" + cumulative.toUtf8() + "\"\r"), last.constData());
}

void TestGridMenu::saveFailureIsReported() {
    runDays("5");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no such folder/results.csv"));
    frmResults().setSaveFileChooser(
        [&](QWidget *, const QString &, const QString &, const QString &) { return path; });
    QStringList errors;
    frmResults().setErrorReporter([&errors](const QString &m) { errors << m; });
    frmResults().mnuSaveCsv_Click();
    QCOMPARE(errors.size(), 1);
    QVERIFY(errors[0].startsWith(QStringLiteral("The file could not be saved.")));
    QVERIFY(errors[0].contains(QDir::toNativeSeparators(path)));
    QVERIFY(!QFile::exists(path));

    // The dialog cancelled: nothing written, nothing said.
    frmResults().setSaveFileChooser(
        [](QWidget *, const QString &, const QString &, const QString &) { return QString(); });
    frmResults().mnuSaveCsv_Click();
    QCOMPARE(errors.size(), 1);
}

void TestGridMenu::menuOpens_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("right click") << 0;
    QTest::newRow("Menu key") << 1;
    QTest::newRow("Shift+F10") << 2;
}

void TestGridMenu::menuOpens() {
    QFETCH(int, how);
    runDays("10");
    FrmResults &window = frmResults();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    grid().setFocus();
    grid().setCurrentIndex(grid().model()->index(2, 1));

    QString opened;
    QPoint openedAt;
    bool compareEnabled = false;
    QTimer::singleShot(50, &window, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (menu != nullptr) {
            opened = menu->objectName();
            openedAt = menu->pos();
            compareEnabled = item(*menu, "mnuCompare")->isEnabled();
            menu->close();
        }
    });
    const QPoint click(30, 40);
    if (how == 0) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, click,
                                grid().viewport()->mapToGlobal(click));
        QApplication::sendEvent(grid().viewport(), &event);
    } else if (how == 1) {
        // What the platform sends for the Menu key.
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(0, 0),
                                grid().mapToGlobal(QPoint(0, 0)));
        QApplication::sendEvent(&grid(), &event);
    } else {
        QTest::keyClick(&grid(), Qt::Key_F10, Qt::ShiftModifier);
    }
    QCOMPARE(opened, QStringLiteral("mnuGrid"));
    QVERIFY(compareEnabled);
    const QPoint expected =
        how == 0 ? grid().viewport()->mapToGlobal(click) : grid().keyboardMenuPosition();
    QVERIFY2((openedAt - expected).manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2").arg(openedAt.x()).arg(openedAt.y())));
    if (how != 0) {
        // At the current cell, inside the grid.
        QVERIFY(grid().viewport()->rect().contains(grid().viewport()->mapFromGlobal(expected)));
        const QRect cell = grid().visualRect(grid().currentIndex());
        QVERIFY(cell.adjusted(0, 0, 1, 1).contains(grid().viewport()->mapFromGlobal(expected)));
    }
    window.hide();
}

void TestGridMenu::compareOpensForTheRun() {
    runDays("30");
    FrmResults &window = frmResults();
    QVERIFY(g_windows->analysisWindow() == nullptr);
    window.mnuCompare_Click();
    FrmAnalysis *analysis = g_windows->analysisWindow();
    QVERIFY(analysis != nullptr);
    QVERIFY(analysis->isVisible());
    QCOMPARE(analysis->parentWidget(), static_cast<QWidget *>(&window));
    QVERIFY(analysis->isWindow());
    QCOMPARE(analysis->currentPage(), &analysis->comparePage());
    QVERIFY(analysis->comparePage().parameters().has_value());
    QCOMPARE(analysis->comparePage().parameters()->days(), 30);
    // Once more: the same window, now for the new run.
    runDays("40");
    window.mnuCompare_Click();
    QCOMPARE(g_windows->analysisWindow(), analysis);
    QCOMPARE(analysis->comparePage().parameters()->days(), 40);
    // The parameter window's menu: the same window, now one of its own.
    static_cast<AnalysisPresenter &>(*g_windows)
        .showComparison(testing::runInputs({1000, 2000, 4000, 2000, 1000}, "50"));
    QCOMPARE(g_windows->analysisWindow(), analysis);
    QVERIFY(analysis->parentWidget() == nullptr);
    QVERIFY(analysis->isVisible());
    QCOMPARE(analysis->comparePage().parameters()->days(), 50);
    // The end of the windows takes the Analysis window with them.
    QPointer<FrmAnalysis> watched = analysis;
    window.mnuCompare_Click();
    g_windows.reset();
    QVERIFY(watched.isNull());
}

void TestGridMenu::compareIsUsableWhileResultsAreModal() {
    runDays("10");
    QString seedAfterClick;
    bool exposed = false;
    ModalCloser closer(frmResults(), [&](QWidget &) {
        FrmResults &window = frmResults();
        window.mnuCompare_Click();
        FrmAnalysis *analysis = g_windows->analysisWindow();
        exposed = QTest::qWaitForWindowExposed(analysis);
        ComparePage &compare = analysis->comparePage();
        compare.txtSeed().clear();
        // Through the window system, where a window blocked by a modal one
        // gets no input.
        QPushButton &newSeed = compare.cmdNewSeed();
        QTest::mouseClick(analysis->windowHandle(), Qt::LeftButton, {},
                          newSeed.mapTo(analysis, newSeed.rect().center()));
        seedAfterClick = compare.txtSeed().text();
        analysis->close();
        window.cmdClose_Click();
    });
    g_windows->showResultsModal();
    QVERIFY(!closer.forced());
    QVERIFY(exposed);
    QVERIFY2(!seedAfterClick.isEmpty(), "the comparison window was blocked");
}

void TestGridMenu::compareStartsFromTheCompletedRun() {
    testing::ShownWindow shown;
    QVERIFY(shown.active());
    QTest::mouseClick(shown.control<QRadioButton>("optYesterday"), Qt::LeftButton);
    shown.typeInto(2, QStringLiteral("1"));
    shown.click("cmdRun");
    QVERIFY(shown.messages().empty());
    const std::optional<nv::SimulationParameters> &told = shown.results().checkedRun();
    QVERIFY(told.has_value());
    QCOMPARE(told->days, std::int16_t{250});
    QCOMPARE(told->distribution.frequency(2), std::optional(nv::Currency::fromUnits(10000)));

    // A refused run (the frequencies add to 0.5) tells nothing new, and the
    // comparison is of the completed run, whatever the boxes hold now.
    shown.typeInto(2, QStringLiteral("\b.5"));
    shown.click("cmdRun");
    QCOMPARE(shown.messages().size(), std::size_t{1});
    shown.results().mnuCompare_Click();
    FrmAnalysis *analysis = shown.windows().analysisWindow();
    QVERIFY(analysis != nullptr && analysis->comparePage().parameters().has_value());
    const nv::AnalysisParameters &compared = *analysis->comparePage().parameters();
    QCOMPARE(compared.days(), 250);
    QCOMPARE(compared.probability(2), 1.0);
    QCOMPARE(compared.fixedOrder(), nv::Currency::fromCount(50));
}

QTEST_MAIN(TestGridMenu)
#include "tst_grid_menu.moc"
