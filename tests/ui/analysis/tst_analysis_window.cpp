// The Analysis window: it opens within the available area of its screen at
// small sizes and high scale factors (the offscreen platform's screens of
// screens.json) with every figure whole and everything reachable; moving
// between pages from the keyboard; and what stops a running comparison
// (closing, Esc, destroying) and what does not (another page, a new owner).
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

#include "analysis_test_support.h"
#include "ui/analysis/chart_widgets.h"
#include "ui/analysis/comparison_job.h"
#include "ui/toolkit/qt/report_table_view.h"

using namespace nv::ui;
using testing::ShownAnalysis;
using testing::startRun;

namespace {

constexpr int kRunTimeoutMs = 60000;
constexpr int kLongRun = 200000;

// A page that only counts how often it is told to stop.
class CountingPage final : public AnalysisPage {
public:
    [[nodiscard]] QString title() const override { return QStringLiteral("Counting"); }
    void stopWork() override { ++stops; }
    int stops = 0;

protected:
    void setStatus(const QString &) override {}
};

QScreen *screenNamed(const QString &name) {
    for (QScreen *screen : QGuiApplication::screens()) {
        if (screen->name() == name) {
            return screen;
        }
    }
    return nullptr;
}

// `widget` scrolled into view lies wholly inside the page's scrolling part.
bool reachable(ComparePage &page, QWidget &widget) {
    QScrollArea &scroll = page.scrContent();
    scroll.ensureWidgetVisible(&widget, 0, 0);
    const QRect shown(widget.mapTo(scroll.viewport(), QPoint(0, 0)), widget.size());
    return scroll.viewport()->rect().contains(shown);
}

}  // namespace

class TestAnalysisWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void fitsItsScreen_data();
    void fitsItsScreen();
    void pagesByKeyboard_data();
    void pagesByKeyboard();
    void whatStopsTheWork_data();
    void whatStopsTheWork();
    void destroyingWhileRunningIsSafe();
};

void TestAnalysisWindow::initTestCase() {
    QVERIFY2(QGuiApplication::screens().size() == 3,
             "run on the offscreen platform with the screens of screens.json");
}

void TestAnalysisWindow::fitsItsScreen_data() {
    QTest::addColumn<QString>("screen");
    for (const QScreen *screen : QGuiApplication::screens()) {
        QTest::newRow(qPrintable(screen->name())) << screen->name();
    }
}

void TestAnalysisWindow::fitsItsScreen() {
    QFETCH(QString, screen);
    QScreen *target = screenNamed(screen);
    QVERIFY(target != nullptr);
    const QRect available = target->availableGeometry();
    // The parameter window, active on that screen, opens it from its menu.
    QWidget anchor;
    anchor.setScreen(target);
    anchor.setGeometry(QRect(available.topLeft() + QPoint(20, 40), QSize(300, 200)));
    anchor.show();
    QVERIFY(QTest::qWaitForWindowActive(&anchor));
    FrmAnalysis window;
    window.showComparison(testing::runInputs(), nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.screen(), target);
    const QRect frame = window.frameGeometry();
    QVERIFY2(available.contains(frame), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                       .arg(frame.x())
                                                       .arg(frame.y())
                                                       .arg(frame.width())
                                                       .arg(frame.height())));
    QVERIFY(frame.width() <= available.width() * 9 / 10 + 1);
    QVERIFY(frame.height() <= available.height() * 9 / 10 + 1);

    // Figures in every table, intervals included.
    ComparePage &page = window.comparePage();
    startRun(page, 20, QStringLiteral("5"));
    QTRY_VERIFY_WITH_TIMEOUT(!page.running(), kRunTimeoutMs);
    QTest::qWait(20);
    for (ReportTableView *table : {&page.tblRules(), &page.tblPairs()}) {
        const QAbstractItemModel &model = *table->model();
        // Every row shown, none hidden behind a scroll bar (a table narrower
        // than its columns scrolls sideways under them).
        QCOMPARE(table->verticalScrollBar()->maximum(), 0);
        for (int column = 0; column < model.columnCount(); ++column) {
            QVERIFY(table->columnWidth(column) >=
                    table->horizontalHeader()->sectionSizeHint(column));
            for (int row = 0; row < model.rowCount(); ++row) {
                const QModelIndex cell = model.index(row, column);
                QVERIFY2(!table->elided(cell), qPrintable(cell.data().toString()));
                QCOMPARE(table->rowHeight(row), table->rowHeight(0));
            }
        }
    }
    // What does not fit scrolls into view; the status line never scrolls away.
    for (QWidget *widget : std::initializer_list<QWidget *>{
             &page.cmdSaveChart(), &page.chtHistogram(), &page.lblInformation(), &page.tblPairs(),
             &page.cmdRunComparison()}) {
        QVERIFY2(reachable(page, *widget), qPrintable(widget->objectName()));
    }
    const QRect status(page.lblStatus().mapTo(&window, QPoint(0, 0)), page.lblStatus().size());
    QVERIFY(window.rect().contains(status));
}

void TestAnalysisWindow::pagesByKeyboard_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("page");
    QTest::newRow("Ctrl+PgDown") << int(Qt::Key_PageDown)
                                 << Qt::KeyboardModifiers(Qt::ControlModifier) << 1;
    QTest::newRow("Ctrl+Tab") << int(Qt::Key_Tab) << Qt::KeyboardModifiers(Qt::ControlModifier)
                              << 1;
    QTest::newRow("Ctrl+PgUp wraps")
        << int(Qt::Key_PageUp) << Qt::KeyboardModifiers(Qt::ControlModifier) << -1;
    QTest::newRow("Ctrl+Shift+Tab wraps")
        << int(Qt::Key_Backtab) << (Qt::ControlModifier | Qt::ShiftModifier) << -1;
}

void TestAnalysisWindow::pagesByKeyboard() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, page);
    ShownAnalysis window;
    // Wrapping goes to the last page (-1).
    const int pages = window.window().tabPages().count();
    QCOMPARE(window.window().addPage(new CountingPage), pages);
    QCOMPARE(window.window().addPage(new CountingPage), pages + 1);
    if (page < 0) {
        page = pages + 1;
    }
    // From a table, which has keys of its own.
    window->tblRules().setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(window->tblRules().hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    QCOMPARE(window.window().tabPages().currentIndex(), page == 2 ? pages - 1 : page);
}

void TestAnalysisWindow::whatStopsTheWork_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("stops");
    QTest::newRow("close") << "close" << true;
    QTest::newRow("Esc") << "Esc" << true;
    QTest::newRow("another page") << "page" << false;
    QTest::newRow("a new owner") << "owner" << false;
}

void TestAnalysisWindow::whatStopsTheWork() {
    QFETCH(QString, action);
    QFETCH(bool, stops);
    ShownAnalysis window;
    auto *other = new CountingPage;
    window.window().addPage(other);
    startRun(*window, kLongRun, QStringLiteral("9"));
    QTRY_VERIFY_WITH_TIMEOUT(window->pgbComparison().value() > 0, kRunTimeoutMs);
    QWidget owner;
    QElapsedTimer clock;
    clock.start();
    if (action == QLatin1String("close")) {
        window.window().close();
    } else if (action == QLatin1String("Esc")) {
        QTest::keyClick(&window->cmdCancel(), Qt::Key_Escape);
    } else if (action == QLatin1String("page")) {
        window.window().nextPage();
    } else {
        window.window().showComparison(testing::checkedRun(testing::runInputs()), &owner);
        QCOMPARE(window.window().parentWidget(), &owner);
        QVERIFY(window.window().isWindow() && window.window().isVisible());
    }
    QCOMPARE(other->stops, stops ? 1 : 0);
    if (stops) {
        // Hiding waited for the worker: it stopped after its current block.
        QVERIFY(!window.window().isVisible());
        QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
        QTRY_COMPARE(window->lblStatus().text(), QStringLiteral("Cancelled"));
    } else {
        QVERIFY(window->running());
        window->cmdCancel_Click();
        QTRY_VERIFY_WITH_TIMEOUT(!window->running(), kRunTimeoutMs);
    }
    // The window goes before its owner.
    window.reset();
}

void TestAnalysisWindow::destroyingWhileRunningIsSafe() {
    ShownAnalysis window;
    QPointer<ComparisonJob> job = &window->job();
    startRun(*window, kLongRun, QStringLiteral("10"));
    QTRY_VERIFY_WITH_TIMEOUT(window->pgbComparison().value() > 0, kRunTimeoutMs);
    window.reset();
    QVERIFY(job.isNull());
    // Progress posted by the worker before it stopped must not reach the
    // destroyed window (the sanitizer build turns a stale call into a failure).
    QTest::qWait(100);
}

QTEST_MAIN(TestAnalysisWindow)
#include "tst_analysis_window.moc"
