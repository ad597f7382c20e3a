// The Order Quantity page, opened as the parameter window's Analyze menu
// opens it: what it shows for hand-worked inputs, the curve's keyboard
// cursor and its read-out, the what-if control moving the best order, and
// the texts a screen reader is given.
#include <QAccessible>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/application_windows.h"
#include "compare_test_support.h"
#include "ui/analysis/analysis_text.h"
#include "ui/analysis/frm_analysis.h"
#include "ui/analysis/payoff_table_model.h"
#include "ui/analysis/quantity_charts.h"
#include "ui/analysis/quantity_page.h"
#include "ui/toolkit/qt/report_table_view.h"

using namespace nv::ui;

namespace {

using Frequencies = std::array<std::int64_t, 5>;

QuantityPage &shownPage(ApplicationWindows &windows, const nv::RunInputs &inputs) {
    windows.showOrderQuantity(inputs);
    FrmAnalysis *analysis = windows.analysisWindow();
    if (analysis == nullptr || analysis->currentPage() != &analysis->quantityPage()) {
        qFatal("the Order Quantity page is not shown");
    }
    return analysis->quantityPage();
}

// The first label of the page whose text a screen reader would not read as
// shown, or "" when each reads as shown.
QString unspokenLabel(QuantityPage &page) {
    for (QLabel *label : {&page.lblParameters(), &page.lblBest(), &page.lblCursor(),
                          &page.lblEvpi(), &page.lblStatus(), &page.lblValueMessage()}) {
        QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(label);
        if (spoken == nullptr || spoken->text(QAccessible::Name) != label->text()) {
            return label->objectName();
        }
    }
    return {};
}

void typeValue(QuantityPage &page, const QString &text) {
    page.spnValue().selectAll();
    QTest::keyClicks(&page.spnValue(), text);
    QTest::keyClick(&page.spnValue(), Qt::Key_Return);
}

int bestRows(const PayoffTableModel &model) {
    int count = 0;
    for (int row = 0; row < model.rowCount(); ++row) {
        count += model.bestRow(row) ? 1 : 0;
    }
    return count;
}

}  // namespace

class TestQuantityPage : public QObject {
    Q_OBJECT

private slots:
    void showsTheLessonAndReadsOutTheCursor_data();
    void showsTheLessonAndReadsOutTheCursor();
    void whatIfMovesTheBestOrder();
    void curveMarksTheBestOrders_data();
    void curveMarksTheBestOrders();
    void exportsTablesAndCharts();
    void whatIfValueShowsThroughout_data();
    void whatIfValueShowsThroughout();
    void typedValueOutOfRangeIsRefused_data();
    void typedValueOutOfRangeIsRefused();
    void enterAppliesTheValueAfterTabbingPastReset();
    void refusedInputsAreSpoken();
};

void TestQuantityPage::showsTheLessonAndReadsOutTheCursor_data() {
    QTest::addColumn<Frequencies>("frequencies");
    QTest::addColumn<QString>("price");
    QTest::addColumn<double>("bestLow");
    QTest::addColumn<double>("bestHigh");
    QTest::addColumn<int>("markedRows");  // of 30, 40, 50, 60, 70 and the mean
    QTest::addColumn<double>("evpi");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QString>("cursorOrder");

    // Ratio 0.52: F(40) = 0.3, F(50) = 0.7. Perfect 120, best 101.60.
    QTest::newRow("symmetric") << Frequencies{1000, 2000, 4000, 2000, 1000} << "4.60" << 50.0
                               << 50.0 << 2 << 18.4 << int(Qt::Key_Right) << 2 << "52";
    // Ratio 0.5 = F(40): flat from 40 to 60; perfect 110 less best 88.
    QTest::newRow("interval") << Frequencies{0, 5000, 0, 5000, 0} << "4.40" << 40.0 << 60.0 << 4
                              << 22.0 << int(Qt::Key_Left) << 3 << "37";
    // Price below cost: order nothing; no row of the table is best.
    QTest::newRow("loss") << Frequencies{1000, 2000, 4000, 2000, 1000} << "2.00" << 0.0 << 0.0 << 0
                          << 0.0 << int(Qt::Key_Left) << 1 << "0";
    // All weight on 50: nothing to learn from knowing the demand.
    QTest::newRow("one class") << Frequencies{0, 0, 10000, 0, 0} << "4.60" << 50.0 << 50.0 << 2
                               << 0.0 << int(Qt::Key_End) << 1 << "80";
}

void TestQuantityPage::showsTheLessonAndReadsOutTheCursor() {
    QFETCH(Frequencies, frequencies);
    QFETCH(QString, price);
    QFETCH(double, bestLow);
    QFETCH(double, bestHigh);
    QFETCH(int, markedRows);
    QFETCH(double, evpi);
    QFETCH(int, key);
    QFETCH(int, presses);
    QFETCH(QString, cursorOrder);

    nv::RunInputs inputs = testing::runInputs(frequencies);
    inputs.priceText = price.toStdString();
    ApplicationWindows windows;
    QuantityPage &page = shownPage(windows, inputs);
    QVERIFY2(page.lesson().has_value(), qPrintable(page.lblStatus().text()));
    const nv::QuantityLesson &lesson = *page.lesson();
    QCOMPARE(lesson.best.low.toDouble(), bestLow);
    QCOMPARE(lesson.best.high.toDouble(), bestHigh);
    QCOMPARE(bestRows(page.payoffModel()), markedRows);
    QCOMPARE(page.payoffModel().rowCount(), 6);
    QVERIFY(std::abs(lesson.evpi - evpi) < 1e-9);
    QVERIFY(std::abs(lesson.evpi - (lesson.rules.perfect - lesson.rules.best)) < 1e-9);
    QVERIFY(page.lblEvpi().text().contains(moneyText(evpi)));

    // The cursor starts at the best order and moves by whole units.
    OrderCurveChart &chart = page.chtCurve();
    chart.setFocus();
    QVERIFY(page.lblCursor().text().startsWith(
        QStringLiteral("Order %1 units").arg(bestLow, 0, 'g', 15)));
    for (int i = 0; i < presses; ++i) {
        QTest::keyClick(&chart, Qt::Key(key));
    }
    const QString readOut = page.lblCursor().text();
    QVERIFY2(
        readOut.startsWith(QStringLiteral("Order %1 units: expected profit ").arg(cursorOrder)),
        qPrintable(readOut));
    QCOMPARE(chart.accessibleDescription(), readOut);
    // The read-out is the curve's figure for that order.
    const nv::OrderFigures *at = chart.cursorFigures();
    QVERIFY(at != nullptr);
    const auto exact = nv::orderFigures(*page.parameters(), at->order);
    QVERIFY(exact.has_value());
    QVERIFY(readOut.contains(moneyText(exact->profit)));
}

void TestQuantityPage::whatIfMovesTheBestOrder() {
    ApplicationWindows windows;
    QuantityPage &page = shownPage(windows, testing::runInputs());
    QCOMPARE(page.lesson()->best.low.toDouble(), 50.0);
    const double annualBefore = page.lesson()->rules.annual;

    page.cboVary().setCurrentIndex(1);  // Cost
    QCOMPARE(page.spnValue().value(), 2.20);
    QCOMPARE(page.sldValue().value(), 220);
    // A cheaper item: ratio 0.78, past F(50) = 0.7.
    page.spnValue().setValue(1.00);
    QCOMPARE(page.lesson()->best.low.toDouble(), 60.0);
    QCOMPARE(page.sldValue().value(), 100);
    QCOMPARE(page.chtCurve().data()->best.low.toDouble(), 60.0);
    QVERIFY(page.lesson()->rules.annual > annualBefore);
    QCOMPARE(page.chtSweep().points().size(), std::size_t(QuantityPage::kSweepPoints));
    // The slider moves the spin box and the answer: ratio 0.13, below F(40) = 0.3.
    page.sldValue().setValue(400);
    QCOMPARE(page.spnValue().value(), 4.00);
    QCOMPARE(page.lesson()->best.low.toDouble(), 40.0);
    // Past the price nothing is worth ordering.
    page.spnValue().setValue(5.00);
    QCOMPARE(page.lesson()->best.high.toDouble(), 0.0);
    QTest::mouseClick(&page.cmdReset(), Qt::LeftButton);
    QCOMPARE(page.spnValue().value(), 2.20);
    QCOMPARE(page.lesson()->best.low.toDouble(), 50.0);
}

void TestQuantityPage::exportsTablesAndCharts() {
    ApplicationWindows windows;
    QuantityPage &page = shownPage(windows, testing::runInputs());
    // The regret table as a file: headings on one line, the best row named,
    // the figures as shown.
    const QString csv = QString::fromStdString(page.tblRegret().csvText());
    const QStringList lines = csv.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 7);
    QVERIFY2(lines[0].startsWith(QStringLiteral(",Demand 30,Demand 40,")), qPrintable(lines[0]));
    QVERIFY2(lines[3].startsWith(QStringLiteral("Order 50 (best),")), qPrintable(lines[3]));
    QVERIFY(lines[3].contains(moneyText(18.4)));

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("lesson.png"));
    page.setSaveFileChooser(
        [&](QWidget *, const QString &, const QString &, const QString &) { return path; });
    page.setErrorReporter([](const QString &message) { QFAIL(qPrintable(message)); });
    QTest::mouseClick(&page.cmdSaveChart(), Qt::LeftButton);
    const QImage saved(path);
    QCOMPARE(saved.size(), QuantityPage::kSavedChartSize);
    QVERIFY(page.lblStatus().text().contains(QStringLiteral("lesson.png")));
}

void TestQuantityPage::curveMarksTheBestOrders_data() {
    QTest::addColumn<Frequencies>("frequencies");
    QTest::addColumn<QString>("price");
    QTest::addColumn<int>("bandColumns");  // in a plot about 700 pixels wide for 80 units
    QTest::newRow("one best order") << Frequencies{1000, 2000, 4000, 2000, 1000} << "4.60" << 0;
    QTest::newRow("40 to 60") << Frequencies{0, 5000, 0, 5000, 0} << "4.40" << 175;
}

// An interval of best orders is a faint band over it; a single best order
// is a line, no band.
void TestQuantityPage::curveMarksTheBestOrders() {
    QFETCH(Frequencies, frequencies);
    QFETCH(QString, price);
    QFETCH(int, bandColumns);
    nv::RunInputs inputs = testing::runInputs(frequencies);
    inputs.priceText = price.toStdString();
    ApplicationWindows windows;
    const QImage image = shownPage(windows, inputs).chtCurve().renderImage({800, 400});
    // The band's colour: the best order's green at alpha 60 over white.
    const auto isBand = [](QRgb pixel) {
        return std::abs(qRed(pixel) - 205) <= 3 && std::abs(qGreen(pixel) - 233) <= 3 &&
               std::abs(qBlue(pixel) - 205) <= 3;
    };
    int columns = 0;
    for (int x = 0; x < image.width(); ++x) {
        int hits = 0;
        for (int y = 0; y < image.height(); ++y) {
            hits += isBand(image.pixel(x, y)) ? 1 : 0;
        }
        columns += hits > image.height() / 4 ? 1 : 0;
    }
    QVERIFY2(std::abs(columns - bandColumns) <= 15, qPrintable(QString::number(columns)));
}

void TestQuantityPage::whatIfValueShowsThroughout_data() {
    QTest::addColumn<int>("varied");  // the Vary box's index
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("topLine");
    QTest::addColumn<double>("bestHigh");
    QTest::addColumn<QString>("sentence");
    // Ratio 0.2667, below F(40) = 0.3.
    QTest::newRow("price") << 0 << 3.0 << "For a price of $3.00 (given $4.60), a cost of $2.20"
                           << 40.0 << "Best order: 40 units, where the cumulative frequency";
    QTest::newRow("cost above") << 1 << 5.0 << "For a price of $4.60, a cost of $5.00 (given $2.20)"
                                << 0.0
                                << "No order can earn a profit: the cost $5.00 is above the "
                                   "price $4.60, so the best order is 0 units. Expected";
    QTest::newRow("price below") << 0 << 2.0 << "For a price of $2.00 (given $4.60)" << 0.0
                                 << "No order can earn a profit: the cost $2.20 is above the "
                                    "price $2.00, so the best order is 0 units. Expected";
    // Every order up to the smallest demand breaks even.
    QTest::newRow("equal") << 1 << 4.6 << "For a price of $4.60, a cost of $4.60 (given $2.20)"
                           << 30.0
                           << "No order can earn a profit: the cost equals the price $4.60, so "
                              "the best order is 0 units; any order up to 30 units breaks even.";
}

void TestQuantityPage::whatIfValueShowsThroughout() {
    QFETCH(int, varied);
    QFETCH(double, value);
    QFETCH(QString, topLine);
    QFETCH(double, bestHigh);
    QFETCH(QString, sentence);
    ApplicationWindows windows;
    QuantityPage &page = shownPage(windows, testing::runInputs());
    page.cboVary().setCurrentIndex(varied);
    page.spnValue().setValue(value);
    QVERIFY2(page.lblParameters().text().startsWith(topLine),
             qPrintable(page.lblParameters().text()));
    QVERIFY2(page.lesson().has_value(), qPrintable(page.lblStatus().text()));
    QCOMPARE(page.lesson()->best.high.toDouble(), bestHigh);
    QVERIFY2(page.lblBest().text().startsWith(sentence), qPrintable(page.lblBest().text()));
    QCOMPARE(page.chtCumulative().accessibleDescription().contains(
                 QStringLiteral("no order can earn a profit")),
             bestHigh < 40);
    QVERIFY2(unspokenLabel(page).isEmpty(), qPrintable(unspokenLabel(page)));
    QTest::mouseClick(&page.cmdReset(), Qt::LeftButton);
    QVERIFY(!page.lblParameters().text().contains(QStringLiteral("given")));
}

void TestQuantityPage::typedValueOutOfRangeIsRefused_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("too large") << "99999999"
                               << "$99,999,999.00 is not taken: the price goes from $0.01 to "
                                  "$9.20.";
    QTest::newRow("negative") << "-5"
                              << "-$5.00 is not taken: the price goes from $0.01 to $9.20.";
    QTest::newRow("zero") << "0"
                          << "$0.00 is not taken: the price goes from $0.01 to $9.20.";
}

void TestQuantityPage::typedValueOutOfRangeIsRefused() {
    QFETCH(QString, typed);
    QFETCH(QString, message);
    ApplicationWindows windows;
    QuantityPage &page = shownPage(windows, testing::runInputs());
    typeValue(page, typed);
    // Nothing is taken: the figures stay for the given price.
    QCOMPARE(page.spnValue().value(), 4.60);
    QCOMPARE(page.parameters()->price().toDouble(), 4.60);
    QCOMPARE(page.lblValueMessage().text(), message);
    QVERIFY(page.lblValueMessage().isVisibleTo(&page));
    QCOMPARE(page.spnValue().accessibleDescription(), message);
    QVERIFY2(unspokenLabel(page).isEmpty(), qPrintable(unspokenLabel(page)));
    // A value in range is taken and the message goes.
    typeValue(page, QStringLiteral("3"));
    QCOMPARE(page.parameters()->price().toDouble(), 3.0);
    QVERIFY(!page.lblValueMessage().isVisibleTo(&page));
    QVERIFY(page.spnValue().accessibleDescription().isEmpty());
}

void TestQuantityPage::enterAppliesTheValueAfterTabbingPastReset() {
    ApplicationWindows windows;
    QuantityPage &page = shownPage(windows, testing::runInputs());
    QVERIFY(QTest::qWaitForWindowActive(windows.analysisWindow()));
    page.cmdReset().setFocus();
    QTest::keyClick(&page.cmdReset(), Qt::Key_Tab);
    QVERIFY(!page.cmdReset().hasFocus());
    page.spnValue().setFocus();
    typeValue(page, QStringLiteral("9.00"));
    QCOMPARE(page.spnValue().value(), 9.00);
    QCOMPARE(page.parameters()->price().toDouble(), 9.00);
    QVERIFY(page.lblParameters().text().contains(QStringLiteral("$9.00 (given $4.60)")));
}

// The status line and the empty charts say why, to a screen reader too.
void TestQuantityPage::refusedInputsAreSpoken() {
    ApplicationWindows windows;
    QuantityPage &page = shownPage(windows, testing::runInputs());
    nv::RunInputs refused = testing::runInputs();
    refused.priceText = "abc";
    page.setRunInputs(refused);
    QVERIFY(!page.lesson().has_value());
    QVERIFY(!page.lblStatus().text().isEmpty());
    QVERIFY2(unspokenLabel(page).isEmpty(), qPrintable(unspokenLabel(page)));
    for (QWidget *chart : std::initializer_list<QWidget *>{&page.chtCurve(), &page.chtCumulative(),
                                                           &page.chtSweep()}) {
        QVERIFY2(
            chart->accessibleDescription().endsWith(QStringLiteral(": the inputs were refused.")),
            qPrintable(chart->accessibleDescription()));
    }
}

QTEST_MAIN(TestQuantityPage)
#include "tst_quantity_page.moc"
