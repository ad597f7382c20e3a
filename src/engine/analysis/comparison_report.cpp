// The comparison's report: built once, shown by every view.
#include "engine/analysis/comparison_report.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace nv {

namespace {

ReportScalar interval(const std::optional<Interval> &value) {
    if (!value) {
        return Absent{};
    }
    return *value;
}

void addInputs(Report &report, const AnalysisParameters &p, const ReplicationSummary *summary,
               const ComparisonReportInputs &extra) {
    ReportGroup &inputs = addInputsSection(report, p);
    addCriticalRatio(inputs, p.criticalRatio());
    addCheckedPolicy(inputs, extra.checkedPolicy);
    inputs.add("seed", "Seed of the replications", ReportKind::Count,
               summary != nullptr ? ReportScalar{summary->seed} : ReportScalar{Absent{}});
    inputs.add("seed_from_clock", "Seed taken from the clock", ReportKind::Flag,
               extra.seedFromClock);
    inputs.add("replications", "Replications", ReportKind::Count,
               summary != nullptr ? ReportScalar{summary->replications} : ReportScalar{Absent{}});
}

void addExpected(ReportSection &section, std::string key, std::string title, std::string name,
                 const RuleExpectation &e, ReportScalar orderQuantity, std::int64_t days) {
    ReportGroup &g = section.addGroup(std::move(key), std::move(title));
    g.add("name", "Rule", ReportKind::Text, std::move(name));
    g.add("order_quantity", "Order every day (units)", ReportKind::Units, orderQuantity);
    g.add("daily_demand", "Expected demand per day (units)", ReportKind::Units,
          e.run.demand.dividedBy(days));
    g.add("daily_order", "Expected order per day (units)", ReportKind::Units,
          e.run.order.dividedBy(days));
    g.add("daily_sales", "Expected sales per day (units)", ReportKind::Units,
          e.run.sales.dividedBy(days));
    g.add("daily_leftover", "Expected leftover per day (units)", ReportKind::Units,
          e.run.leftover.dividedBy(days));
    g.add("daily_unmet", "Expected unmet demand per day (units)", ReportKind::Units,
          e.run.unmet.dividedBy(days));
    g.add("daily_profit", "Expected profit per day ($)", ReportKind::Money,
          e.run.profit.dividedBy(days));
    g.add("total_profit", "Expected total profit over the run ($)", ReportKind::Money,
          e.run.profit);
    g.add("fill_rate", "Expected fill rate (sales / demand)", ReportKind::Share,
          reportNumber(e.fillRate));
    g.add("loss_day_share", "Expected share of days with a loss", ReportKind::Share,
          e.lossDayShare);
}

void addExpectations(Report &report, const AnalysisParameters &p, const Expectations &e) {
    ReportSection &section = report.addSection("expected", "Exact expectations");
    const std::int64_t days = p.days();
    for (const AnalysisRule rule : kAllAnalysisRules) {
        ReportScalar quantity = Absent{};
        std::string title(ruleName(rule));
        if (rule == AnalysisRule::Annual) {
            quantity = p.meanDemand();
        } else if (rule == AnalysisRule::FixedFractile) {
            quantity = p.fixedOrder();
            title += " (" + std::to_string(kClassDemand[p.fixedClass()]) + " units)";
        }
        addExpected(section, std::string(ruleKey(rule)), std::move(title),
                    std::string(ruleName(rule)), e.rule(rule), quantity, days);
    }
    addExpected(section, std::string(kPerfectInformationKey), std::string(kPerfectInformationName),
                std::string(kPerfectInformationName), e.perfectInformation, Absent{}, days);
    section.addGroup("", "").add(
        "value_of_information",
        "Value of information: Perfect Information less Best Fixed Order, over the run ($)",
        ReportKind::Money, e.valueOfInformation());
}

void addSimulated(Report &report, const AnalysisParameters &p, const ReplicationSummary *s) {
    ReportSection &section = report.addSection("simulated", "Replications");
    const auto days = static_cast<double>(p.days());
    const bool spread = s != nullptr && s->replications >= 2;
    for (const AnalysisRule rule : kAllAnalysisRules) {
        ReportGroup &g = section.addGroup(std::string(ruleKey(rule)), std::string(ruleName(rule)));
        g.add("name", "Rule", ReportKind::Text, std::string(ruleName(rule)));
        const RuleSummary *r = s != nullptr ? &s->rule(rule) : nullptr;
        const auto figure = [r](double RuleSummary::*field) -> ReportScalar {
            return r != nullptr ? reportNumber(r->*field) : ReportScalar{Absent{}};
        };
        g.add("mean_total_profit", "Mean total profit per run ($)", ReportKind::Money,
              figure(&RuleSummary::meanProfit));
        g.add("sd_total_profit", "Standard deviation of total profit ($)", ReportKind::Money,
              spread ? figure(&RuleSummary::profitStandardDeviation) : ReportScalar{Absent{}});
        g.add("total_profit_ci95", "95% interval of the mean total profit ($)", ReportKind::Money,
              r != nullptr ? interval(r->profitInterval) : ReportScalar{Absent{}});
        g.add("mean_daily_demand", "Mean demand per day (units)", ReportKind::Units,
              r != nullptr ? reportNumber((r->meanSales + r->meanLostSales) / days)
                           : ReportScalar{Absent{}});
        g.add("mean_sales", "Mean sales per run (units)", ReportKind::Units,
              figure(&RuleSummary::meanSales));
        g.add("mean_lost_sales", "Mean lost sales per run (units)", ReportKind::Units,
              figure(&RuleSummary::meanLostSales));
        g.add("mean_leftover", "Mean leftover per run (units)", ReportKind::Units,
              figure(&RuleSummary::meanLeftover));
        g.add("fill_rate", "Fill rate (units sold / units demanded)", ReportKind::Share,
              figure(&RuleSummary::fillRate));
        g.add("loss_day_share", "Share of days with a loss", ReportKind::Share,
              figure(&RuleSummary::lossDayShare));
    }
}

void addPairs(Report &report, const ReplicationSummary *s) {
    ReportSection &section = report.addSection("pairs", "Differences in total profit");
    const bool spread = s != nullptr && s->replications >= 2;
    for (std::size_t index = 0; index < kRulePairs; ++index) {
        const AnalysisRule first = kAnalysisPairs[index][0];
        const AnalysisRule second = kAnalysisPairs[index][1];
        const std::string name = pairName(first, second);
        ReportGroup &g = section.addGroup(pairKey(first, second), name);
        g.add("name", "Pair", ReportKind::Text, name);
        g.add("first", "First rule", ReportKind::Text, std::string(ruleKey(first)));
        g.add("second", "Second rule", ReportKind::Text, std::string(ruleKey(second)));
        const PairSummary *pair = s != nullptr ? &s->pairs[index] : nullptr;
        const auto figure = [pair](double PairSummary::*field) -> ReportScalar {
            return pair != nullptr ? reportNumber(pair->*field) : ReportScalar{Absent{}};
        };
        g.add("mean_difference", "Mean difference in total profit ($)", ReportKind::Money,
              figure(&PairSummary::meanDifference));
        g.add("sd_difference", "Standard deviation of the difference ($)", ReportKind::Money,
              spread ? figure(&PairSummary::differenceStandardDeviation) : ReportScalar{Absent{}});
        g.add("difference_ci95", "Paired 95% interval of the mean difference ($)",
              ReportKind::Money,
              pair != nullptr ? interval(pair->interval) : ReportScalar{Absent{}});
        g.add("independent_ci95", "Unpaired 95% interval, as two independent samples give ($)",
              ReportKind::Money,
              pair != nullptr ? interval(pair->independentInterval) : ReportScalar{Absent{}});
        g.add("first_win_share", "Share of replications the first rule wins", ReportKind::Share,
              figure(&PairSummary::firstWinShare));
        g.add("tie_share", "Share of replications with equal totals", ReportKind::Share,
              figure(&PairSummary::tieShare));
        g.add("second_win_share", "Share of replications the second rule wins", ReportKind::Share,
              pair != nullptr
                  ? reportNumber(std::max(0.0, 1.0 - pair->firstWinShare - pair->tieShare))
                  : ReportScalar{Absent{}});
    }
}

}  // namespace

std::string pairName(AnalysisRule first, AnalysisRule second) {
    return std::string(ruleName(first)) + " - " + std::string(ruleName(second));
}

std::string pairKey(AnalysisRule first, AnalysisRule second) {
    return std::string(ruleKey(first)) + "_" + std::string(ruleKey(second));
}

Report comparisonReport(const AnalysisParameters &parameters, const Expectations &expectations,
                        const ReplicationSummary *summary, const ComparisonReportInputs &extra) {
    Report report;
    report.title = "Comparing the ordering rules";
    addInputs(report, parameters, summary, extra);
    addExpectations(report, parameters, expectations);
    addSimulated(report, parameters, summary);
    addPairs(report, summary);
    return report;
}

}  // namespace nv
