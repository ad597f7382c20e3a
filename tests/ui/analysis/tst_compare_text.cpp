// The comparison's pieces that need no window: number texts, axis ticks, and
// a report as a table model.
#include <QTest>
#include <array>
#include <string>
#include <vector>

#include "compare_test_support.h"
#include "engine/analysis/report.h"
#include "ui/analysis/analysis_text.h"
#include "ui/analysis/chart_painting.h"
#include "ui/toolkit/qt/report_table_model.h"

using namespace nv::ui;

namespace {

// Two sections with keyed groups that partly match, and an item directly in
// a section (no column of its own).
nv::Report smallReport() {
    nv::Report report;
    nv::ReportSection &a = report.addSection("a", "A");
    nv::ReportGroup &x = a.addGroup("x", "First Rule");
    x.add("money", "Money ($)", nv::ReportKind::Money, 1234.5);
    x.add("range", "Range ($)", nv::ReportKind::Money, nv::Interval{27395.4, 27486.6});
    x.add("spread", "Spread ($)", nv::ReportKind::Money, nv::Absent{});
    a.addGroup("y", "Second Rule (60 units)")
        .add("money", "Money ($)", nv::ReportKind::Money, nv::Currency::fromUnits(46025));
    a.addGroup("", "").add("loose", "Loose", nv::ReportKind::Count, std::int64_t{3});
    nv::ReportSection &b = report.addSection("b", "B");
    b.addGroup("x", "First").add("share", "Share", nv::ReportKind::Share, 0.9234);
    b.addGroup("z", "Third").add("share", "Share", nv::ReportKind::Share, 0.5);
    return report;
}

ReportTableModel smallModel() {
    return ReportTableModel({{"a", {"money", "range", "spread"}}, {"b", {"share"}}});
}

// An English text ("1,234.50") in the separators of the window's style.
QString windowNumber(const QString &english) {
    const nv::NumberLocale separators = windowTextStyle().locale;
    QString text = english;
    text.replace(QLatin1Char(','), QLatin1Char('\x01'))
        .replace(QLatin1Char('.'), QLatin1Char('\x02'));
    text.replace(QLatin1Char('\x01'), QString::fromStdString(separators.groupSeparator));
    return text.replace(QLatin1Char('\x02'), QString::fromStdString(separators.decimalSeparator));
}

}  // namespace

class TestCompareText : public QObject {
    Q_OBJECT

private slots:
    void money_data();
    void money();
    void countHasDigitGroups();
    void niceTicks_data();
    void niceTicks();
    void twoLineHeadings_data();
    void twoLineHeadings();
    void reportTableHeaders();
    void reportTableCells_data();
    void reportTableCells();
    void pendingSectionIsNotSimulated();
};

void TestCompareText::money_data() {
    QTest::addColumn<double>("amount");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::newRow("grouped") << 1234.5 << 2 << "$1,234.50";
    QTest::newRow("negative") << -1234.5 << 2 << "-$1,234.50";
    QTest::newRow("rounds to zero: no sign") << -0.001 << 2 << "$0.00";
    QTest::newRow("whole") << 1234.56 << 0 << "$1,235";
    QTest::newRow("millions") << 1234567.0 << 0 << "$1,234,567";
}

void TestCompareText::money() {
    QFETCH(double, amount);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(moneyText(amount, decimals), windowNumber(text));
}

void TestCompareText::countHasDigitGroups() {
    QCOMPARE(countText(1000000), windowNumber(QStringLiteral("1,000,000")));
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

void TestCompareText::twoLineHeadings_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("heading");
    QTest::newRow("one space") << "Yesterday's Demand"
                               << "Yesterday's\nDemand";
    QTest::newRow("tie: the later space") << "Best Fixed Order (60 units)"
                                          << "Best Fixed Order\n(60 units)";
    QTest::newRow("a dash starts the second line") << "Yesterday's Demand - Average Annual Demand"
                                                   << "Yesterday's Demand\n- Average Annual Demand";
    QTest::newRow("no space") << "Ties"
                              << "Ties";
}

void TestCompareText::twoLineHeadings() {
    QFETCH(QString, title);
    QFETCH(QString, heading);
    QCOMPARE(twoLineHeading(title), heading);
}

void TestCompareText::reportTableHeaders() {
    ReportTableModel model = smallModel();
    model.setReport(smallReport());
    // A column per keyed group, titled by its first group; a row per item shown.
    QCOMPARE(model.columnCount(), 3);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("First\nRule"));
    QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::AccessibleTextRole).toString(),
             QStringLiteral("Second Rule (60 units)"));
    QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Third"));
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(model.headerData(model.row("a", "range"), Qt::Vertical).toString(),
             QStringLiteral("Range ($)"));
    QCOMPARE(model.row("a", "loose"), -1);
    model.clear();
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnCount(), 0);
}

void TestCompareText::reportTableCells_data() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("detail");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("money") << "a"
                           << "money"
                           << "x"
                           << "$1,234.50"
                           << "$1,234.50" << QVariant(1234.5);
    QTest::newRow("exact amount") << "a"
                                  << "money"
                                  << "y"
                                  << "$4.6025"
                                  << "$4.6025" << QVariant(4.6025);
    QTest::newRow("interval: whole dollars, cents in the detail")
        << "a"
        << "range"
        << "x"
        << "$27,395 to $27,487"
        << "$27,395.40 to $27,486.60" << QVariant(27395.4);
    QTest::newRow("absent") << "a"
                            << "spread"
                            << "x"
                            << "\u2014"
                            << "not simulated" << QVariant();
    QTest::newRow("share") << "b"
                           << "share"
                           << "z"
                           << "50.0%"
                           << "50.0%" << QVariant(0.5);
    QTest::newRow("no such group in the section") << "b"
                                                  << "share"
                                                  << "y"
                                                  << "\u2014"
                                                  << "not simulated" << QVariant();
    QTest::newRow("item not in the group") << "a"
                                           << "range"
                                           << "z"
                                           << "\u2014"
                                           << "not simulated" << QVariant();
}

void TestCompareText::reportTableCells() {
    QFETCH(QString, section);
    QFETCH(QString, item);
    QFETCH(QString, group);
    QFETCH(QString, text);
    QFETCH(QString, detail);
    QFETCH(QVariant, value);
    ReportTableModel model = smallModel();
    model.setReport(smallReport());
    const QModelIndex cell = model.index(model.row(section.toStdString(), item.toStdString()),
                                         model.column(group.toStdString()));
    QVERIFY(cell.isValid());
    QCOMPARE(cell.data().toString(), windowNumber(text));
    QCOMPARE(cell.data(Qt::ToolTipRole).toString(), windowNumber(detail));
    QCOMPARE(cell.data(Qt::AccessibleTextRole).toString(), windowNumber(detail));
    QCOMPARE(cell.data(ReportTableModel::kValueRole), value);
}

void TestCompareText::pendingSectionIsNotSimulated() {
    ReportTableModel model = smallModel();
    model.setReport(smallReport(), {"b"});
    const QModelIndex pending = model.index(model.row("b", "share"), model.column("z"));
    QCOMPARE(pending.data().toString(), QStringLiteral("\u2014"));
    QCOMPARE(pending.data(Qt::AccessibleTextRole).toString(), QStringLiteral("not simulated"));
    QCOMPARE(pending.data(ReportTableModel::kValueRole), QVariant());
    QCOMPARE(
        model.index(model.row("a", "range"), model.column("x")).data(ReportTableModel::kHighRole),
        QVariant(27486.6));
}

QTEST_APPLESS_MAIN(TestCompareText)
#include "tst_compare_text.moc"
