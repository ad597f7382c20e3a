// The charts painted into images: each rule's colour appears in the plot
// where its data are, and nowhere without data; the legend's names whole at
// any width.
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <array>

#include "compare_test_support.h"
#include "engine/analysis/replications.h"
#include "ui/analysis/chart_legend.h"
#include "ui/analysis/chart_painting.h"
#include "ui/analysis/chart_widgets.h"

using namespace nv::ui;
using Frequencies = std::array<std::int64_t, 5>;

namespace {

const QSize kSize(800, 400);

nv::AnalysisParameters parameters(Frequencies frequencies) {
    auto checked = nv::AnalysisParameters::fromInputs(testing::runInputs(frequencies));
    if (!checked) {
        qFatal("inputs refused");
    }
    return *checked;
}

// Pixels of `colour` (give or take antialiasing's blending at the edges)
// above the legend row: the plot and its frame.
bool near(QRgb pixel, const QColor &colour) {
    constexpr int kTolerance = 24;
    return std::abs(qRed(pixel) - colour.red()) <= kTolerance &&
           std::abs(qGreen(pixel) - colour.green()) <= kTolerance &&
           std::abs(qBlue(pixel) - colour.blue()) <= kTolerance;
}

int pixelsOf(const QImage &image, const QColor &colour, const QWidget &chart) {
    const QRect legend = chartGeometry(image.rect(), QFontMetrics(chart.font()), 0).legend;
    int count = 0;
    for (int y = 0; y < legend.top(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (near(image.pixel(x, y), colour)) {
                ++count;
            }
        }
    }
    return count;
}

// Pixels of `colour` anywhere in the image.
int allPixelsOf(const QImage &image, const QColor &colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += near(image.pixel(x, y), colour) ? 1 : 0;
        }
    }
    return count;
}

}  // namespace

class TestCompareCharts : public QObject {
    Q_OBJECT

private slots:
    void emptyChartsHaveNoRuleColour();
    void profitLinesOfEveryRule_data();
    void profitLinesOfEveryRule();
    void histogramBarsOfEveryRule();
    void imageFollowsTheData();
    void legendNamesAreWhole_data();
    void legendNamesAreWhole();
};

void TestCompareCharts::emptyChartsHaveNoRuleColour() {
    ProfitChart profit;
    HistogramChart histogram;
    for (const ChartWidget *chart : {static_cast<const ChartWidget *>(&profit),
                                     static_cast<const ChartWidget *>(&histogram)}) {
        QVERIFY(!chart->hasData());
        const QImage image = chart->renderImage(kSize);
        QCOMPARE(image.size(), kSize);
        for (const nv::AnalysisRule rule : nv::kAllAnalysisRules) {
            QCOMPARE(allPixelsOf(image, ruleColour(rule)), 0);
        }
    }
}

void TestCompareCharts::profitLinesOfEveryRule_data() {
    QTest::addColumn<Frequencies>("frequencies");
    QTest::newRow("rules differ") << nv::test::kHighDemand;
    // Symmetric: Average Annual Demand and Best Fixed Order both order 50 and
    // draw the same line; the wider one below must still show.
    QTest::newRow("two rules coincide") << Frequencies{1000, 2000, 4000, 2000, 1000};
}

void TestCompareCharts::profitLinesOfEveryRule() {
    QFETCH(Frequencies, frequencies);
    const nv::ProfitPaths paths = nv::profitPaths(parameters(frequencies), 99, 0);
    const ProfitSeries series = profitSeries(paths);
    QCOMPARE(series.days, 250);
    QCOMPARE(series.cumulative[0].front(), 0.0);
    QCOMPARE(series.cumulative[0].back(), paths.days[0].back().cumulativeProfit.toDouble());

    ProfitChart chart;
    chart.setSeries(series, QStringLiteral("Cumulative profit"));
    const QImage image = chart.renderImage(kSize);
    for (const nv::AnalysisRule rule : nv::kAllAnalysisRules) {
        QVERIFY2(pixelsOf(image, ruleColour(rule), chart) > 100, nv::ruleName(rule).data());
    }
}

void TestCompareCharts::histogramBarsOfEveryRule() {
    nv::ReplicationOptions options;
    options.replications = 300;
    options.seed = 5;
    auto summary = nv::runReplications(parameters(nv::test::kHighDemand), options);
    QVERIFY(summary.ok());
    HistogramChart chart;
    chart.setHistogram(nv::profitHistogram(*summary, 20), QStringLiteral("Total profit"));
    const QImage image = chart.renderImage(kSize);
    for (const nv::AnalysisRule rule : nv::kAllAnalysisRules) {
        QVERIFY2(pixelsOf(image, ruleColour(rule), chart) > 200, nv::ruleName(rule).data());
    }
}

void TestCompareCharts::imageFollowsTheData() {
    // A path only one rule has data in: the others paint nothing in the plot.
    ProfitSeries series;
    series.days = 3;
    series.cumulative[0] = {0, 10, 20, 30};
    ProfitChart chart;
    chart.setSeries(series, QStringLiteral("One rule"));
    const QImage image = chart.renderImage(kSize);
    QVERIFY(pixelsOf(image, ruleColour(nv::AnalysisRule::Yesterday), chart) > 100);
    QCOMPARE(pixelsOf(image, ruleColour(nv::AnalysisRule::Annual), chart), 0);
    // Clearing the data clears the picture.
    chart.setSeries(std::nullopt, QStringLiteral("None"));
    QCOMPARE(allPixelsOf(chart.renderImage(kSize), ruleColour(nv::AnalysisRule::Yesterday)), 0);
}

void TestCompareCharts::legendNamesAreWhole_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("wraps");
    QTest::newRow("wide: one row") << 900 << false;
    QTest::newRow("narrowest chart: rows") << ProfitChart().minimumSizeHint().width() << true;
}

void TestCompareCharts::legendNamesAreWhole() {
    QFETCH(int, width);
    QFETCH(bool, wraps);
    const ProfitChart chart;
    const QFontMetrics metrics(chart.font());
    const ChartGeometry geometry = chartGeometry(QRect(0, 0, width, 400), metrics, 40);
    QCOMPARE(geometry.legend.height() > legendRowHeight(metrics), wraps);
    QVERIFY(geometry.plot.bottom() < geometry.legend.top());
    const std::vector<LegendEntry> entries = legendEntries(geometry.legend, metrics);
    QCOMPARE(entries.size(), nv::kAnalysisRules);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const QString name = QString::fromUtf8(nv::ruleName(entries[i].rule).data());
        QVERIFY2(geometry.legend.contains(entries[i].name), qPrintable(name));
        QVERIFY(entries[i].name.width() >= metrics.horizontalAdvance(name));
        for (std::size_t j = 0; j < i; ++j) {
            QVERIFY(!entries[i].name.intersects(entries[j].name));
            QVERIFY(!entries[i].swatch.intersects(entries[j].name));
        }
    }
}

QTEST_MAIN(TestCompareCharts)
#include "tst_compare_charts.moc"
