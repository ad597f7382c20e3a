// Exact expectations: the run's daily amounts weighed with the frequencies.
#include "engine/analysis/expectations.h"

namespace nv {

namespace {

void addWeighted(ExpectedAmounts &sum, const DayOutcome &day, double weight) noexcept {
    sum.demand += weight * day.demand.toDouble();
    sum.order += weight * day.order.toDouble();
    sum.sales += weight * day.sales.toDouble();
    sum.leftover += weight * day.leftover.toDouble();
    sum.unmet += weight * day.unmet.toDouble();
    sum.profit += weight * day.dailyProfit.toDouble();
    if (day.dailyProfit < Currency{}) {
        sum.lossDays += weight;
    }
}

// One day whose order is row `row` every day, demand drawn.
ExpectedAmounts dayWithOrderRow(const AnalysisParameters &parameters, std::size_t row) noexcept {
    ExpectedAmounts sum;
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        addWeighted(sum, parameters.outcome(row, cls), parameters.probability(cls));
    }
    return sum;
}

ExpectedAmounts combine(const ExpectedAmounts &first, const ExpectedAmounts &later,
                        double laterDays) noexcept {
    ExpectedAmounts run;
    run.demand = first.demand + laterDays * later.demand;
    run.order = first.order + laterDays * later.order;
    run.sales = first.sales + laterDays * later.sales;
    run.leftover = first.leftover + laterDays * later.leftover;
    run.unmet = first.unmet + laterDays * later.unmet;
    run.profit = first.profit + laterDays * later.profit;
    run.lossDays = first.lossDays + laterDays * later.lossDays;
    return run;
}

RuleExpectation ruleExpectation(const ExpectedAmounts &first, const ExpectedAmounts &later,
                                std::int32_t days) noexcept {
    RuleExpectation rule;
    rule.firstDay = first;
    rule.laterDay = later;
    rule.run = combine(first, later, static_cast<double>(days - 1));
    // Every demand is at least 30 units, so a run of at least one day has one.
    rule.fillRate = rule.run.sales / rule.run.demand;
    rule.lossDayShare = rule.run.lossDays / static_cast<double>(days);
    return rule;
}

}  // namespace

Expectations exactExpectations(const AnalysisParameters &parameters) noexcept {
    Expectations e;
    const std::int32_t days = parameters.days();
    e.days = days;
    e.criticalRatio = parameters.criticalRatio();
    e.fixedClass = parameters.fixedClass();
    e.fixedOrder = parameters.fixedOrder().toDouble();

    // Yesterday's Demand: day 1 orders 50; a later day orders the class drawn
    // the day before, independent of today's draw.
    const ExpectedAmounts yesterdayFirst =
        dayWithOrderRow(parameters, AnalysisParameters::kFirstYesterdayRow);
    ExpectedAmounts yesterdayLater;
    for (std::size_t before = 0; before < kDemandClasses; ++before) {
        const double pBefore = parameters.probability(before);
        for (std::size_t today = 0; today < kDemandClasses; ++today) {
            addWeighted(yesterdayLater, parameters.outcome(before, today),
                        pBefore * parameters.probability(today));
        }
    }
    e.rules[ruleIndex(AnalysisRule::Yesterday)] =
        ruleExpectation(yesterdayFirst, yesterdayLater, days);

    const ExpectedAmounts annual = dayWithOrderRow(parameters, AnalysisParameters::kMeanRow);
    e.rules[ruleIndex(AnalysisRule::Annual)] = ruleExpectation(annual, annual, days);

    const ExpectedAmounts fixed = dayWithOrderRow(parameters, parameters.fixedClass());
    e.rules[ruleIndex(AnalysisRule::FixedFractile)] = ruleExpectation(fixed, fixed, days);

    ExpectedAmounts perfect;
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        addWeighted(perfect, parameters.outcome(cls, cls), parameters.probability(cls));
    }
    e.perfectInformation = ruleExpectation(perfect, perfect, days);
    return e;
}

}  // namespace nv
