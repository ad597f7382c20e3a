// The comparison's pieces that need no window: CSV text, number texts, axis
// ticks and the report tables.
#include <QTest>
#include <array>
#include <string>
#include <vector>

#include "compare_test_support.h"
#include "engine/analysis/expectations.h"
#include "engine/analysis/replications.h"
#include "ui/analysis/analysis_text.h"
#include "ui/analysis/chart_painting.h"
#include "ui/analysis/comparison_report.h"

using namespace nv::ui;

namespace {

QLocale groupedC() {
    QLocale locale(QLocale::C);
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    return locale;
}

nv::AnalysisParameters parameters(std::array<std::int64_t, 5> frequencies = {1000, 2000, 4000, 2000,
                                                                             1000}) {
    auto checked = nv::AnalysisParameters::fromInputs(testing::runInputs(frequencies));
    if (!checked) {
        qFatal("inputs refused");
    }
    return *checked;
}

}  // namespace

class TestCompareText : public QObject {
    Q_OBJECT

private slots:
    void money_data();
    void money();
    void shareAndInterval();
    void niceTicks_data();
    void niceTicks();
    void rulesReportWithoutSummary();
    void rulesReportWithSummary();
    void pairsReport();
};

void TestCompareText::money_data() {
    QTest::addColumn<double>("amount");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::newRow("grouped") << 1234.5 << 2 << "$1,234.50";
    QTest::newRow("negative") << -1234.5 << 2 << "-$1,234.50";
    QTest::newRow("rounds to zero: no sign") << -0.001 << 2 << "$0.00";
    QTest::newRow("whole") << 1234.5 << 0 << "$1,235";
    QTest::newRow("millions") << 1234567.0 << 0 << "$1,234,567";
}

void TestCompareText::money() {
    QFETCH(double, amount);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(moneyText(amount, decimals, groupedC()), text);
}

void TestCompareText::shareAndInterval() {
    QCOMPARE(shareText(0.9234, groupedC()), QStringLiteral("92.3%"));
    QCOMPARE(unitsText(48.25, groupedC()), QStringLiteral("48.25"));
    QCOMPARE(intervalText({-1.5, 2000.0}, groupedC()), QStringLiteral("-$1.50 to $2,000.00"));
    QCOMPARE(countText(1000000, groupedC()), QStringLiteral("1,000,000"));
    // In the tables an interval is in whole dollars; its detail has the cents.
    const ReportCell interval{ReportKind::MoneyInterval, 27395.4, 27486.6};
    QCOMPARE(reportCellText(interval, groupedC()), QStringLiteral("$27,395 to $27,487"));
    QCOMPARE(reportCellDetail(interval, groupedC()), QStringLiteral("$27,395.40 to $27,486.60"));
    QCOMPARE(reportCellDetail({ReportKind::Share, 0.5, 0}, groupedC()), QStringLiteral("50.0%"));
    // The C locale leaves groups out unless told; the window's locale keeps them.
    QCOMPARE(countText(1000000, displayLocale()).size(), QStringLiteral("1,000,000").size());
}

void TestCompareText::niceTicks_data() {
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<int>("maxTicks");
    QTest::addColumn<std::vector<double>>("ticks");
    QTest::newRow("0 to 1000") << 0.0 << 1000.0 << 6
                               << std::vector<double>{0, 200, 400, 600, 800, 1000};
    QTest::newRow("across zero") << -130.0 << 460.0 << 6
                                 << std::vector<double>{-200, 0, 200, 400, 600};
    QTest::newRow("small fractions") << 0.0 << 0.9 << 4 << std::vector<double>{0, 0.5, 1.0};
    QTest::newRow("equal ends widened") << 5.0 << 5.0 << 5 << std::vector<double>{4, 6};
    QTest::newRow("reversed") << 1000.0 << 0.0 << 6
                              << std::vector<double>{0, 200, 400, 600, 800, 1000};
    QTest::newRow("profits") << 6012.4 << 7140.0 << 6
                             << std::vector<double>{6000, 6500, 7000, 7500};
}

void TestCompareText::niceTicks() {
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(int, maxTicks);
    QFETCH(std::vector<double>, ticks);
    const std::vector<double> got = nv::ui::niceTicks(low, high, maxTicks);
    QCOMPARE(got.size(), ticks.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        QVERIFY2(std::abs(got[i] - ticks[i]) < 1e-9, qPrintable(QString::number(got[i])));
    }
}

void TestCompareText::rulesReportWithoutSummary() {
    const nv::Expectations e = nv::exactExpectations(parameters(testing::kSkewed));
    const ReportTable table = rulesReport(e, nullptr);
    QCOMPARE(table.columns.size(), qsizetype(kRulesColumns));
    QCOMPARE(table.rows.size(), qsizetype(kRulesRows));
    QCOMPARE(table.rows[row(RulesRow::ExpectedTotalProfit)],
             QStringLiteral("Expected total profit (250 days)"));
    QVERIFY(table.columns[2].contains(QStringLiteral("(60 units)")));
    for (const nv::AnalysisRule rule : nv::kAllAnalysisRules) {
        const auto &expected = e.rule(rule);
        const std::size_t c = nv::ruleIndex(rule);
        QCOMPARE(table.cells[row(RulesRow::ExpectedTotalProfit)][c].value, expected.run.profit);
        QCOMPARE(table.cells[row(RulesRow::ExpectedOrder)][c].value, expected.run.order / 250);
        QCOMPARE(table.cells[row(RulesRow::ExpectedFillRate)][c].kind, ReportKind::Share);
        QCOMPARE(table.cells[row(RulesRow::MeanTotalProfit)][c].kind, ReportKind::Empty);
    }
    QCOMPARE(table.cells[row(RulesRow::ExpectedTotalProfit)][kPerfectInformationColumn].value,
             e.perfectInformation.run.profit);
    QCOMPARE(reportCellText(table.cells[row(RulesRow::MeanTotalProfit)][0], groupedC()), QString());
}

void TestCompareText::rulesReportWithSummary() {
    const nv::AnalysisParameters p = parameters();
    const nv::Expectations e = nv::exactExpectations(p);
    nv::ReplicationOptions options;
    options.replications = 1;
    options.seed = 3;
    auto one = nv::runReplications(p, options);
    QVERIFY(one.ok());
    const ReportTable table = rulesReport(e, &*one);
    for (const nv::AnalysisRule rule : nv::kAllAnalysisRules) {
        const std::size_t c = nv::ruleIndex(rule);
        QCOMPARE(table.cells[row(RulesRow::MeanTotalProfit)][c].value, one->rule(rule).meanProfit);
        // One replication: no spread, no interval (a dash, not a number).
        QCOMPARE(table.cells[row(RulesRow::ProfitInterval)][c].kind, ReportKind::NotAvailable);
        QCOMPARE(reportCellText(table.cells[row(RulesRow::ProfitInterval)][c], groupedC()),
                 QStringLiteral("\u2014"));
    }
    // Perfect information is not simulated.
    QCOMPARE(table.cells[row(RulesRow::MeanTotalProfit)][kPerfectInformationColumn].kind,
             ReportKind::Empty);
}

void TestCompareText::pairsReport() {
    QCOMPARE(nv::ui::pairsReport(nullptr).cells[0][0].kind, ReportKind::Empty);
    const nv::AnalysisParameters p = parameters(testing::kSkewed);
    nv::ReplicationOptions options;
    options.replications = 40;
    options.seed = 11;
    auto summary = nv::runReplications(p, options);
    QVERIFY(summary.ok());
    const ReportTable table = nv::ui::pairsReport(&*summary);
    QCOMPARE(table.columns.size(), qsizetype(nv::kRulePairs));
    for (std::size_t pair = 0; pair < nv::kRulePairs; ++pair) {
        const nv::PairSummary &s = summary->pairs[pair];
        QCOMPARE(table.cells[row(PairsRow::MeanDifference)][pair].value, s.meanDifference);
        const ReportCell &paired = table.cells[row(PairsRow::PairedInterval)][pair];
        QCOMPARE(paired.kind, ReportKind::MoneyInterval);
        QCOMPARE(paired.value, s.interval->low);
        QCOMPARE(paired.high, s.interval->high);
        QCOMPARE(table.cells[row(PairsRow::IndependentInterval)][pair].value,
                 s.independentInterval->low);
        QCOMPARE(table.cells[row(PairsRow::FirstWins)][pair].value, s.firstWinShare);
        QCOMPARE(table.cells[row(PairsRow::Ties)][pair].value, s.tieShare);
    }
}

QTEST_APPLESS_MAIN(TestCompareText)
#include "tst_compare_text.moc"
