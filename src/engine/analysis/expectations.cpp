// Exact expectations: the run's daily amounts weighed with the frequencies.
#include "engine/analysis/expectations.h"

#include "engine/analysis/order_quantity.h"

namespace nv {

namespace {

ExactDecimal frequency(const AnalysisParameters &parameters, std::size_t cls) noexcept {
    return ExactDecimal::of(parameters.distribution().frequency(cls).value_or(Currency{}));
}

// One day whose order is row `row` every day, demand drawn.
ExpectedAmounts dayWithOrderRow(const AnalysisParameters &parameters, std::size_t row) noexcept {
    const OrderFigures figures = rowFigures(parameters, row);
    ExpectedAmounts day;
    day.demand = figures.exact.demand;
    day.order = ExactDecimal::of(figures.order);
    day.sales = figures.exact.sales;
    day.leftover = figures.exact.leftover;
    day.unmet = figures.exact.unmet;
    day.profit = figures.exact.profit;
    day.lossDays = figures.exact.lossProbability;
    return day;
}

// first + times x later, amount by amount.
ExpectedAmounts plusTimes(const ExpectedAmounts &first, const ExpectedAmounts &later,
                          const ExactDecimal &times) noexcept {
    ExpectedAmounts sum;
    sum.demand = first.demand + times * later.demand;
    sum.order = first.order + times * later.order;
    sum.sales = first.sales + times * later.sales;
    sum.leftover = first.leftover + times * later.leftover;
    sum.unmet = first.unmet + times * later.unmet;
    sum.profit = first.profit + times * later.profit;
    sum.lossDays = first.lossDays + times * later.lossDays;
    return sum;
}

RuleExpectation ruleExpectation(const ExpectedAmounts &first, const ExpectedAmounts &later,
                                std::int32_t days) noexcept {
    RuleExpectation rule;
    rule.firstDay = first;
    rule.laterDay = later;
    rule.run = plusTimes(first, later, ExactDecimal::whole(days - 1));
    // Every demand is at least 30 units, so a run of at least one day has one.
    rule.fillRate = rule.run.sales.toDouble() / rule.run.demand.toDouble();
    rule.lossDayShare = rule.run.lossDays.dividedBy(days);
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
    // the day before, independent of today's draw, so it is the day of that
    // class's order row weighed by the class's frequency.
    const ExpectedAmounts yesterdayFirst =
        dayWithOrderRow(parameters, AnalysisParameters::kFirstYesterdayRow);
    ExpectedAmounts yesterdayLater;
    for (std::size_t before = 0; before < kDemandClasses; ++before) {
        yesterdayLater = plusTimes(yesterdayLater, dayWithOrderRow(parameters, before),
                                   frequency(parameters, before));
    }
    e.rules[ruleIndex(AnalysisRule::Yesterday)] =
        ruleExpectation(yesterdayFirst, yesterdayLater, days);

    const ExpectedAmounts annual = dayWithOrderRow(parameters, AnalysisParameters::kMeanRow);
    e.rules[ruleIndex(AnalysisRule::Annual)] = ruleExpectation(annual, annual, days);

    const ExpectedAmounts fixed = dayWithOrderRow(parameters, parameters.fixedClass());
    e.rules[ruleIndex(AnalysisRule::FixedFractile)] = ruleExpectation(fixed, fixed, days);

    // Perfect information orders each day's demand: class j's own day.
    ExpectedAmounts perfect;
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        const DayOutcome &day = parameters.outcome(cls, cls);
        ExpectedAmounts own;
        own.demand = ExactDecimal::of(day.demand);
        own.order = ExactDecimal::of(day.order);
        own.sales = ExactDecimal::of(day.sales);
        own.leftover = ExactDecimal::of(day.leftover);
        own.unmet = ExactDecimal::of(day.unmet);
        own.profit = ExactDecimal::of(day.dailyProfit);
        own.lossDays = ExactDecimal::whole(day.dailyProfit < Currency{} ? 1 : 0);
        perfect = plusTimes(perfect, own, frequency(parameters, cls));
    }
    e.perfectInformation = ruleExpectation(perfect, perfect, days);
    return e;
}

}  // namespace nv
