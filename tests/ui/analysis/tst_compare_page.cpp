// The Analysis window's Compare Rules page: its controls, a comparison on the
// worker thread filling the tables with the figures the analysis gives when
// called directly, a long run that leaves the window responsive and stops on
// Cancel, refusals (of the run's and of the analysis's checks), and saving
// the chart.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "analysis_test_support.h"
#include "engine/analysis/comparison_report.h"
#include "engine/analysis/expectations.h"
#include "engine/analysis/replications.h"
#include "ui/analysis/analysis_text.h"
#include "ui/analysis/chart_widgets.h"
#include "ui/analysis/compare_page.h"
#include "ui/analysis/comparison_job.h"
#include "ui/analysis/frm_analysis.h"
#include "ui/toolkit/qt/report_table_view.h"

using namespace nv::ui;
using Frequencies = std::array<std::int64_t, 5>;
using testing::cellValue;
using testing::ShownAnalysis;
using testing::startRun;

namespace {

constexpr int kRunTimeoutMs = 60000;
constexpr int kLongRun = 200000;

QAbstractItemModel &rules(ComparePage &page) {
    return *page.tblRules().model();
}

// The report's key of pair p: "yesterday_annual" ...
std::string pairKey(std::size_t p) {
    return nv::pairKey(nv::kAnalysisPairs[p][0], nv::kAnalysisPairs[p][1]);
}

}  // namespace

class TestComparePage : public QObject {
    Q_OBJECT

private slots:
    void controls_data();
    void controls();
    void tabOrderAndMnemonics();
    void expectationsShownBeforeRunning();
    void smallRunMatchesTheAnalysis();
    void oneReplicationHasNoSpread();
    void longRunStaysResponsiveAndCancels();
    void refusals_data();
    void refusals();
    void badSeedIsRefused();
    void newInputsClearOldResults();
    void saveChart();
};

void TestComparePage::controls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("accessible");
    const char *const rows[][2] = {
        {"spnReplications", "Replications"},
        {"txtSeed", "Seed"},
        {"cmdNewSeed", "New Seed"},
        {"cmdRunComparison", "Run Comparison"},
        {"cmdCancel", "Cancel"},
        {"pgbComparison", "Comparison progress"},
        {"lblStatus", "Status"},
        {"lblParameters", "Parameters compared"},
        {"tblRules", "Expectations and replications"},
        {"tblPairs", "Pairs of rules"},
        {"lblInformation", "Best fixed order"},
        {"chtProfit", "Cumulative profit by day"},
        {"chtHistogram", "Distribution of total profit"},
        {"cmdSaveChart", "Save Chart as PNG"},
    };
    for (const auto &r : rows) {
        QTest::newRow(r[0]) << QString::fromLatin1(r[0]) << QString::fromLatin1(r[1]);
    }
}

void TestComparePage::controls() {
    QFETCH(QString, name);
    QFETCH(QString, accessible);
    FrmAnalysis window;
    QCOMPARE(window.objectName(), QStringLiteral("frmAnalysis"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Analysis"));
    QCOMPARE(window.tabPages().tabText(0), QStringLiteral("Compare Rules"));
    auto *control = window.comparePage().findChild<QWidget *>(name);
    QVERIFY(control != nullptr);
    if (qobject_cast<QLabel *>(control) != nullptr) {
        // A label's text is its name; the caption says what the text is.
        QVERIFY(control->accessibleName().isEmpty());
        QCOMPARE(control->accessibleDescription(), accessible);
    } else {
        QCOMPARE(control->accessibleName(), accessible);
    }
    // Everything that takes the focus has a name, so nothing is anonymous to
    // a reader (a spin box's own line edit speaks for the spin box).
    for (const QWidget *child : window.findChildren<QWidget *>()) {
        if ((child->focusPolicy() & Qt::TabFocus) != 0 &&
            qobject_cast<const QAbstractSpinBox *>(child->parentWidget()) == nullptr) {
            QVERIFY2(!child->accessibleName().isEmpty(), qPrintable(child->objectName()));
        }
    }
}

void TestComparePage::tabOrderAndMnemonics() {
    ShownAnalysis window;
    QCOMPARE(window->spnReplications().value(), 1000);
    QCOMPARE(window->spnReplications().minimum(), 1);
    QCOMPARE(window->spnReplications().maximum(), 1000000);
    QVERIFY(!window->txtSeed().text().isEmpty());
    QVERIFY(window->cmdRunComparison().isDefault());

    // Idle: Cancel and Save Chart are disabled and skipped; after the page
    // the window's tab bar, then round again.
    const QWidget *expected[] = {
        &window->spnReplications(),  &window->txtSeed(),      &window->cmdNewSeed(),
        &window->cmdRunComparison(), &window->tblRules(),     &window->tblPairs(),
        &window->chtProfit(),        &window->chtHistogram(), window.window().tabPages().tabBar(),
        &window->spnReplications()};
    window->spnReplications().setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(window->spnReplications().hasFocus());
    for (std::size_t i = 1; i < std::size(expected); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const QWidget *focus = QApplication::focusWidget();
        // A spin box has the focus through its line edit.
        if (focus != nullptr && focus->parentWidget() == &window->spnReplications()) {
            focus = focus->parentWidget();
        }
        QCOMPARE(focus, expected[i]);
    }

    // Alt+S reaches the seed, Alt+R the replications, Alt+E the rules table.
    QTest::keyClick(&window.window(), Qt::Key_S, Qt::AltModifier);
    QVERIFY(window->txtSeed().hasFocus());
    QTest::keyClick(&window.window(), Qt::Key_R, Qt::AltModifier);
    QVERIFY(window->spnReplications().hasFocus());
    QTest::keyClick(&window.window(), Qt::Key_E, Qt::AltModifier);
    QVERIFY(window->tblRules().hasFocus());

    // Esc closes.
    QTest::keyClick(&window.window(), Qt::Key_Escape);
    QVERIFY(!window.window().isVisible());
}

void TestComparePage::expectationsShownBeforeRunning() {
    const nv::RunInputs inputs = testing::runInputs(nv::test::kHighDemand);
    ShownAnalysis window(inputs);
    const nv::Expectations e = nv::exactExpectations(*nv::AnalysisParameters::fromInputs(inputs));
    for (const nv::AnalysisRule rule : nv::kAllAnalysisRules) {
        QCOMPARE(
            cellValue(rules(*window), "expected", "total_profit", nv::ruleKey(rule)).toDouble(),
            e.rule(rule).run.profit);
        // Not run yet: no figure, and a reader hears why.
        QCOMPARE(cellValue(rules(*window), "simulated", "sd_total_profit", nv::ruleKey(rule),
                           Qt::DisplayRole),
                 QVariant(QStringLiteral("\u2014")));
        QCOMPARE(cellValue(rules(*window), "simulated", "sd_total_profit", nv::ruleKey(rule),
                           Qt::AccessibleTextRole),
                 QVariant(QStringLiteral("not simulated")));
    }
    QVERIFY(window->lblInformation().text().contains(QStringLiteral("60 units")));
    QVERIFY(window->lblInformation().text().contains(moneyText(e.valueOfInformation())));
    QVERIFY(window->lblParameters().text().contains(QStringLiteral("250 days")));
    QVERIFY(window->cmdRunComparison().isEnabled());
    QVERIFY(!window->cmdSaveChart().isEnabled());
}

void TestComparePage::smallRunMatchesTheAnalysis() {
    const nv::RunInputs inputs = testing::runInputs(nv::test::kHighDemand);
    ShownAnalysis window(inputs);
    startRun(*window, 50, QStringLiteral("12345"));
    QTRY_VERIFY_WITH_TIMEOUT(!window->running(), kRunTimeoutMs);

    const auto parameters = nv::AnalysisParameters::fromInputs(inputs);
    nv::ReplicationOptions options;
    options.replications = 50;
    options.seed = 12345;
    options.threads = 1;
    const auto summary = nv::runReplications(*parameters, options);
    QVERIFY(summary.ok());
    for (const nv::AnalysisRule rule : nv::kAllAnalysisRules) {
        const nv::RuleSummary &s = summary->rule(rule);
        const auto shown = [&](const char *item, int role = ReportTableModel::kValueRole) {
            return cellValue(rules(*window), "simulated", item, nv::ruleKey(rule), role);
        };
        QCOMPARE(shown("mean_total_profit").toDouble(), s.meanProfit);
        QCOMPARE(shown("sd_total_profit").toDouble(), s.profitStandardDeviation);
        QCOMPARE(shown("total_profit_ci95").toDouble(), s.profitInterval->low);
        QCOMPARE(shown("total_profit_ci95", ReportTableModel::kHighRole).toDouble(),
                 s.profitInterval->high);
        QCOMPARE(shown("fill_rate").toDouble(), s.fillRate);
        QCOMPARE(shown("mean_lost_sales").toDouble(), s.meanLostSales);
        QCOMPARE(shown("loss_day_share").toDouble(), s.lossDayShare);
        QCOMPARE(shown("mean_total_profit", Qt::DisplayRole).toString(), moneyText(s.meanProfit));
    }
    QAbstractItemModel &pairs = *window->tblPairs().model();
    for (std::size_t p = 0; p < nv::kRulePairs; ++p) {
        QCOMPARE(cellValue(pairs, "pairs", "mean_difference", pairKey(p)).toDouble(),
                 summary->pairs[p].meanDifference);
        QCOMPARE(cellValue(pairs, "pairs", "difference_ci95", pairKey(p)).toDouble(),
                 summary->pairs[p].interval->low);
        QCOMPARE(cellValue(pairs, "pairs", "first_win_share", pairKey(p)).toDouble(),
                 summary->pairs[p].firstWinShare);
    }
    QVERIFY2(window->lblStatus().text().startsWith(QStringLiteral("50 replications of 250 days "
                                                                  "from seed 12345")),
             qPrintable(window->lblStatus().text()));
    QCOMPARE(window->pgbComparison().value(), window->pgbComparison().maximum());
    QVERIFY(window->chtProfit().hasData());
    QVERIFY(window->chtHistogram().hasData());
    QVERIFY(window->cmdSaveChart().isEnabled());
    QVERIFY(window->cmdRunComparison().isEnabled());
    QVERIFY(!window->cmdCancel().isEnabled());
}

void TestComparePage::oneReplicationHasNoSpread() {
    ShownAnalysis window;
    startRun(*window, 1, QStringLiteral("4"));
    QTRY_VERIFY_WITH_TIMEOUT(!window->running(), kRunTimeoutMs);
    const QString dash = QStringLiteral("\u2014");
    for (const char *item : {"sd_total_profit", "total_profit_ci95"}) {
        QCOMPARE(cellValue(rules(*window), "simulated", item, "fixed", Qt::DisplayRole).toString(),
                 dash);
    }
    QCOMPARE(cellValue(*window->tblPairs().model(), "pairs", "difference_ci95", pairKey(2),
                       Qt::DisplayRole)
                 .toString(),
             dash);
    QVERIFY(cellValue(rules(*window), "simulated", "mean_total_profit", "fixed").isValid());
}

void TestComparePage::longRunStaysResponsiveAndCancels() {
    ShownAnalysis window;
    int ticksWhileRunning = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, &timer, [&] {
        if (window->running()) {
            ++ticksWhileRunning;
        }
    });
    timer.start(10);
    startRun(*window, kLongRun, QStringLiteral("7"));
    QVERIFY(window->running());
    QVERIFY(window->cmdCancel().isEnabled());
    QVERIFY(!window->cmdRunComparison().isEnabled());
    QVERIFY(!window->spnReplications().isEnabled());
    QCOMPARE(window->pgbComparison().maximum(), kLongRun);
    // The event loop turns while the worker runs: timer ticks and progress.
    QTRY_VERIFY_WITH_TIMEOUT(ticksWhileRunning >= 10 && window->pgbComparison().value() > 0,
                             kRunTimeoutMs);
    QVERIFY2(window->running(), "the long run ended before it could be cancelled");
    const int progressAtCancel = window->pgbComparison().value();
    QVERIFY(progressAtCancel < kLongRun);

    QTest::mouseClick(&window->cmdCancel(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window->running(), kRunTimeoutMs);
    QCOMPARE(window->lblStatus().text(), QStringLiteral("Cancelled"));
    QCOMPARE(window->job().outcome()->status, ComparisonStatus::Cancelled);
    // No partial figures anywhere.
    for (const nv::AnalysisRule rule : nv::kAllAnalysisRules) {
        QVERIFY(!cellValue(rules(*window), "simulated", "mean_total_profit", nv::ruleKey(rule))
                     .isValid());
        QVERIFY(cellValue(rules(*window), "expected", "total_profit", nv::ruleKey(rule)).isValid());
    }
    QVERIFY(
        !cellValue(*window->tblPairs().model(), "pairs", "mean_difference", pairKey(0)).isValid());
    QVERIFY(!window->chtProfit().hasData());
    QVERIFY(!window->cmdSaveChart().isEnabled());
    QCOMPARE(window->pgbComparison().value(), 0);
    QVERIFY(window->cmdRunComparison().isEnabled());
    QVERIFY(!window->cmdCancel().isEnabled());
    QVERIFY(window->spnReplications().isEnabled());

    // A new run after a cancelled one runs to its end.
    startRun(*window, 20, QStringLiteral("8"));
    QTRY_VERIFY_WITH_TIMEOUT(!window->running(), kRunTimeoutMs);
    QVERIFY(cellValue(rules(*window), "simulated", "mean_total_profit", "yesterday").isValid());
}

void TestComparePage::refusals_data() {
    QTest::addColumn<QString>("price");
    QTest::addColumn<Frequencies>("frequencies");
    QTest::addColumn<bool>("policy");
    QTest::addColumn<QString>("message");
    const Frequencies even{1000, 2000, 4000, 2000, 1000};
    // Refused by the run's checks: the parameter window's inputs as they are.
    QTest::newRow("no order policy")
        << "4.60" << even << false << "You must select an Order Policy";
    QTest::newRow("frequencies add to 0.9") << "4.60" << Frequencies{1000, 2000, 3000, 2000, 1000}
                                            << true << "Relative Frequencies must add to 1.00";
    // Refused by the analysis's own checks.
    QTest::newRow("negative frequency")
        << "4.60" << Frequencies{5000, -1000, 2000, 2000, 2000} << true
        << "Relative Frequencies must not be negative for the analysis";
    QTest::newRow("price 0") << "0" << even << true
                             << "Price must be greater than 0 for the analysis";
}

void TestComparePage::refusals() {
    QFETCH(QString, price);
    QFETCH(Frequencies, frequencies);
    QFETCH(bool, policy);
    QFETCH(QString, message);
    nv::RunInputs inputs = testing::runInputs(frequencies);
    inputs.priceText = price.toStdString();
    inputs.yesterdaySelected = policy;
    // A window showing the expectations of an accepted run, then the inputs.
    ShownAnalysis window;
    window.window().showComparison(inputs, nullptr);
    QCOMPARE(window->lblStatus().text(), message);
    QVERIFY(!window->parameters().has_value());
    QVERIFY(!window->cmdRunComparison().isEnabled());
    QCOMPARE(rules(*window).rowCount(), 0);
    QVERIFY(window->lblParameters().text().isEmpty());
    // Not a modal box: the window itself is the active one.
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    window->cmdRunComparison_Click();
    QVERIFY(!window->running());
    // The same inputs accepted later are compared.
    window.window().showComparison(testing::runInputs(), nullptr);
    QVERIFY(window->parameters().has_value());
}

void TestComparePage::badSeedIsRefused() {
    ShownAnalysis window;
    // One more than the largest seed.
    startRun(*window, 5, QStringLiteral("18446744073709551616"));
    QVERIFY(!window->running());
    QCOMPARE(window->lblStatus().text(),
             QStringLiteral("Seed must be a whole number from 0 to 18,446,744,073,709,551,615"));
    startRun(*window, 5, QStringLiteral("18446744073709551615"));
    QTRY_VERIFY_WITH_TIMEOUT(!window->running(), kRunTimeoutMs);
    QVERIFY(window->lblStatus().text().contains(QStringLiteral("seed 18446744073709551615")));
}

void TestComparePage::newInputsClearOldResults() {
    ShownAnalysis window;
    startRun(*window, 10, QStringLiteral("1"));
    QTRY_VERIFY_WITH_TIMEOUT(!window->running(), kRunTimeoutMs);
    // The same inputs again keep the figures.
    window->setRunParameters(testing::checkedRun(testing::runInputs()));
    QVERIFY(cellValue(rules(*window), "simulated", "mean_total_profit", "yesterday").isValid());
    // Other inputs clear them and show their own expectations.
    const nv::RunInputs other = testing::runInputs(nv::test::kHighDemand, "100");
    window->setRunParameters(testing::checkedRun(other));
    QVERIFY(!cellValue(rules(*window), "simulated", "mean_total_profit", "yesterday").isValid());
    QVERIFY(!window->chtProfit().hasData());
    const nv::Expectations e = nv::exactExpectations(*nv::AnalysisParameters::fromInputs(other));
    QCOMPARE(cellValue(rules(*window), "expected", "total_profit", "yesterday").toDouble(),
             e.rule(nv::AnalysisRule::Yesterday).run.profit);
}

void TestComparePage::saveChart() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ShownAnalysis window;
    QString chosenCaption;
    QString answer = dir.filePath(QStringLiteral("chart"));
    window->setSaveFileChooser(
        [&](QWidget *, const QString &caption, const QString &, const QString &) {
            chosenCaption = caption;
            return answer;
        });
    QStringList errors;
    window->setErrorReporter([&errors](const QString &message) { errors << message; });

    startRun(*window, 20, QStringLiteral("3"));
    QTRY_VERIFY_WITH_TIMEOUT(!window->running(), kRunTimeoutMs);
    QTest::mouseClick(&window->cmdSaveChart(), Qt::LeftButton);
    QCOMPARE(chosenCaption, QStringLiteral("Save Chart as PNG"));
    QVERIFY(errors.isEmpty());
    const QImage saved(dir.filePath(QStringLiteral("chart.png")));
    QCOMPARE(saved.size(), ComparePage::kSavedChartSize);
    QCOMPARE(saved.convertToFormat(QImage::Format_RGB32),
             window->chartImage().convertToFormat(QImage::Format_RGB32));
    // The picture stands alone: its caption names the inputs, seed and replications.
    const QString caption = window->chartCaption();
    for (const char *part : {"250 days", "$4.60", "$2.20", "0.10, 0.20, 0.40, 0.20, 0.10",
                             "20 replications from seed 3"}) {
        QVERIFY2(caption.contains(QString::fromUtf8(part)), qPrintable(caption));
    }

    // A folder that does not exist: a message naming the file, no file.
    answer = dir.filePath(QStringLiteral("missing/chart.png"));
    QTest::mouseClick(&window->cmdSaveChart(), Qt::LeftButton);
    QCOMPARE(errors.size(), 1);
    QVERIFY(errors[0].startsWith(QStringLiteral("The file could not be saved.")));
    QVERIFY(errors[0].contains(QStringLiteral("chart.png")));
    QVERIFY(!window->lblStatus().text().startsWith(QStringLiteral("Chart saved")) ||
            !window->lblStatus().text().contains(QStringLiteral("missing")));

    // Cancelling the dialog writes nothing and says nothing.
    answer.clear();
    QTest::mouseClick(&window->cmdSaveChart(), Qt::LeftButton);
    QCOMPARE(errors.size(), 1);
}

QTEST_MAIN(TestComparePage)
#include "tst_compare_page.moc"
