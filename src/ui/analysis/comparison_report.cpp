// The comparison window's tables as data.
#include "ui/analysis/comparison_report.h"

#include <QCoreApplication>
#include <QLocale>

#include "ui/analysis/analysis_text.h"

namespace nv::ui {

namespace {

QString tr(const char *text) {
    return QCoreApplication::translate("nv::ui::ComparisonReport", text);
}

ReportCell money(double value) {
    return {ReportKind::Money, value, 0};
}
ReportCell units(double value) {
    return {ReportKind::Units, value, 0};
}
ReportCell share(double value) {
    return {ReportKind::Share, value, 0};
}
ReportCell interval(const std::optional<Interval> &value) {
    if (!value) {
        return {ReportKind::NotAvailable, 0, 0};
    }
    return {ReportKind::MoneyInterval, value->low, value->high};
}

// The exact rows of one column: amounts per day as the run's average.
void fillExpected(ReportTable &table, std::size_t column, const RuleExpectation &e, double days) {
    const auto perDay = [days](double total) { return days > 0 ? total / days : 0.0; };
    table.cells[row(RulesRow::ExpectedDemand)][column] = units(perDay(e.run.demand));
    table.cells[row(RulesRow::ExpectedOrder)][column] = units(perDay(e.run.order));
    table.cells[row(RulesRow::ExpectedSales)][column] = units(perDay(e.run.sales));
    table.cells[row(RulesRow::ExpectedLeftover)][column] = units(perDay(e.run.leftover));
    table.cells[row(RulesRow::ExpectedUnmet)][column] = units(perDay(e.run.unmet));
    table.cells[row(RulesRow::ExpectedProfit)][column] = money(perDay(e.run.profit));
    table.cells[row(RulesRow::ExpectedTotalProfit)][column] = money(e.run.profit);
    table.cells[row(RulesRow::ExpectedFillRate)][column] = share(e.fillRate);
    table.cells[row(RulesRow::ExpectedLossDayShare)][column] = share(e.lossDayShare);
}

void fillReplications(ReportTable &table, std::size_t column, const RuleSummary &s) {
    table.cells[row(RulesRow::MeanTotalProfit)][column] = money(s.meanProfit);
    table.cells[row(RulesRow::ProfitStandardDeviation)][column] = money(s.profitStandardDeviation);
    table.cells[row(RulesRow::ProfitInterval)][column] = interval(s.profitInterval);
    table.cells[row(RulesRow::MeanLostSales)][column] = units(s.meanLostSales);
    table.cells[row(RulesRow::MeanLeftover)][column] = units(s.meanLeftover);
    table.cells[row(RulesRow::FillRate)][column] = share(s.fillRate);
    table.cells[row(RulesRow::LossDayShare)][column] = share(s.lossDayShare);
}

}  // namespace

QString ruleHeading(AnalysisRule rule, double fixedOrder) {
    switch (rule) {
        case AnalysisRule::Yesterday:
            return tr("Yesterday's\nDemand");
        case AnalysisRule::Annual:
            return tr("Average Annual\nDemand");
        case AnalysisRule::FixedFractile:
            return tr("Best Fixed Order\n(%1 units)")
                .arg(displayLocale().toString(fixedOrder, 'f', 0));
    }
    return {};
}

ReportTable rulesReport(const Expectations &expectations, const ReplicationSummary *summary) {
    ReportTable table;
    for (const AnalysisRule rule : kAllAnalysisRules) {
        table.columns << ruleHeading(rule, expectations.fixedOrder);
    }
    table.columns << tr("Perfect\nInformation");

    const QString days = displayLocale().toString(expectations.days);
    table.rows << tr("Expected demand per day") << tr("Expected order per day")
               << tr("Expected sales per day") << tr("Expected leftover per day")
               << tr("Expected unmet demand per day") << tr("Expected profit per day")
               << tr("Expected total profit (%1 days)").arg(days) << tr("Expected fill rate")
               << tr("Expected share of loss days") << tr("Mean total profit")
               << tr("Standard deviation of total profit") << tr("95% interval of the mean")
               << tr("Mean lost sales per run") << tr("Mean leftover per run") << tr("Fill rate")
               << tr("Share of loss days");
    table.cells.assign(kRulesRows, std::vector<ReportCell>(kRulesColumns));

    const auto dayCount = static_cast<double>(expectations.days);
    for (const AnalysisRule rule : kAllAnalysisRules) {
        fillExpected(table, ruleIndex(rule), expectations.rule(rule), dayCount);
        if (summary != nullptr) {
            fillReplications(table, ruleIndex(rule), summary->rule(rule));
        }
    }
    fillExpected(table, kPerfectInformationColumn, expectations.perfectInformation, dayCount);
    return table;
}

ReportTable pairsReport(const ReplicationSummary *summary) {
    ReportTable table;
    const auto shortName = [](AnalysisRule rule) {
        switch (rule) {
            case AnalysisRule::Yesterday:
                return tr("Yesterday's");
            case AnalysisRule::Annual:
                return tr("Average Annual");
            case AnalysisRule::FixedFractile:
                return tr("Best Fixed");
        }
        return QString();
    };
    for (const auto &pair : kAnalysisPairs) {
        table.columns << tr("%1\n\u2212 %2").arg(shortName(pair[0]), shortName(pair[1]));
    }
    table.rows << tr("Mean difference in total profit") << tr("Paired 95% interval")
               << tr("Unpaired 95% interval") << tr("First rule wins") << tr("Ties");
    table.cells.assign(kPairsRows, std::vector<ReportCell>(kRulePairs));
    if (summary == nullptr) {
        return table;
    }
    for (std::size_t p = 0; p < kRulePairs; ++p) {
        const PairSummary &s = summary->pairs[p];
        table.cells[row(PairsRow::MeanDifference)][p] = money(s.meanDifference);
        table.cells[row(PairsRow::PairedInterval)][p] = interval(s.interval);
        table.cells[row(PairsRow::IndependentInterval)][p] = interval(s.independentInterval);
        table.cells[row(PairsRow::FirstWins)][p] = share(s.firstWinShare);
        table.cells[row(PairsRow::Ties)][p] = share(s.tieShare);
    }
    return table;
}

QString reportCellText(const ReportCell &cell, const QLocale &locale) {
    switch (cell.kind) {
        case ReportKind::Empty:
            return {};
        case ReportKind::NotAvailable:
            return QStringLiteral("\u2014");
        case ReportKind::Money:
            return moneyText(cell.value, 2, locale);
        case ReportKind::Units:
            return unitsText(cell.value, locale);
        case ReportKind::Share:
            return shareText(cell.value, locale);
        case ReportKind::MoneyInterval:
            return intervalText({cell.value, cell.high}, locale, 0);
    }
    return {};
}

QString reportCellDetail(const ReportCell &cell, const QLocale &locale) {
    if (cell.kind == ReportKind::MoneyInterval) {
        return intervalText({cell.value, cell.high}, locale, 2);
    }
    return reportCellText(cell, locale);
}

}  // namespace nv::ui
