// Expected figures of a fixed order, the best orders and the rules' expected
// daily profits, as exact sums of the run's own daily amounts.
#include "engine/analysis/order_quantity.h"

#include <array>
#include <cmath>
#include <cstddef>

#include "engine/simulation.h"
#include "support/wide_int.h"

namespace nv {

namespace {

using Wide = Int128;
using Days = std::array<DayOutcome, kDemandClasses>;

constexpr Wide kOne = Currency::kUnitsPerWhole;  // a frequency of 1 in ten-thousandths
constexpr int kPlaces = ExactDecimal::kCurrencyPlaces;
// A sum of frequency units times Currency units is in units of 10^-8.
constexpr int kWeighedPlaces = 2 * kPlaces;
constexpr double kWeighedUnits = static_cast<double>(kOne * kOne);

Wide frequencyUnits(const AnalysisParameters &parameters, std::size_t cls) noexcept {
    return parameters.distribution().frequency(cls).value_or(Currency{}).units();
}

template <class Sum>
ExactDecimal exact(Sum sum, int places) noexcept {
    return ExactDecimal::fromUnits(static_cast<Wide>(sum), places);
}

// The best profit a day with demand class cls allows: ordering the demand
// (the run's own amount), or nothing when that loses.
Wide bestDayProfit(const AnalysisParameters &parameters, std::size_t cls) noexcept {
    const std::int64_t demandOrdered = parameters.outcome(cls, cls).dailyProfit.units();
    return demandOrdered > 0 ? demandOrdered : 0;
}

// The figures with sums of type Sum: 64 bits when every amount is small
// enough (narrowEnough), 128 bits otherwise.
template <class Sum>
OrderFigures summarizeIn(const AnalysisParameters &parameters, Currency order,
                         const Days &days) noexcept {
    Sum demand = 0;
    Sum sales = 0;
    Sum leftover = 0;
    Sum unmet = 0;
    Sum profit = 0;
    Sum regret = 0;
    Sum losing = 0;
    std::array<Sum, kDemandClasses> f{};
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        f[cls] = static_cast<Sum>(frequencyUnits(parameters, cls));
        const DayOutcome &day = days[cls];
        demand += f[cls] * day.demand.units();
        sales += f[cls] * day.sales.units();
        leftover += f[cls] * day.leftover.units();
        unmet += f[cls] * day.unmet.units();
        profit += f[cls] * day.dailyProfit.units();
        regret +=
            f[cls] * (static_cast<Sum>(bestDayProfit(parameters, cls)) - day.dailyProfit.units());
        if (day.dailyProfit < Currency{}) {
            losing += f[cls];
        }
    }
    OrderFigures figures;
    figures.order = order;
    ExactDayFigures &e = figures.exact;
    e.demand = exact(demand, kWeighedPlaces);
    e.sales = exact(sales, kWeighedPlaces);
    e.leftover = exact(leftover, kWeighedPlaces);
    e.unmet = exact(unmet, kWeighedPlaces);
    e.profit = exact(profit, kWeighedPlaces);
    e.opportunityLoss = exact(regret, kWeighedPlaces);
    e.lossProbability = exact(losing, kPlaces);
    figures.demand = e.demand.toDouble();
    figures.sales = e.sales.toDouble();
    figures.leftover = e.leftover.toDouble();
    figures.unmet = e.unmet.toDouble();
    figures.profit = e.profit.toDouble();
    figures.opportunityLoss = e.opportunityLoss.toDouble();
    figures.lossProbability = e.lossProbability.toDouble();
    // Every demand is at least 30 units, so the expected demand is too.
    figures.fillRate = static_cast<double>(sales) / static_cast<double>(demand);
    // Each day's distance from the mean, exact in units of 10^-8, squared in
    // double precision.
    double variance = 0;
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        if (f[cls] == 0) {
            continue;
        }
        const Sum distance = static_cast<Sum>(kOne) * days[cls].dailyProfit.units() - profit;
        const double d = static_cast<double>(distance) / kWeighedUnits;
        variance += exact(f[cls], kPlaces).toDouble() * d * d;
    }
    figures.profitSd = std::sqrt(variance);
    return figures;
}

// Whether every sum of summarizeIn fits 64 bits: with the frequencies adding
// to 10^4 ten-thousandths, each sum and each distance from the mean is at
// most 2 x 10^4 times the largest amount (an opportunity loss is at most two
// amounts). Sales and leftover are at most the order, unmet demand at most 70.
bool narrowEnough(const AnalysisParameters &parameters, Currency order, const Days &days) noexcept {
    constexpr std::uint64_t kLimit =
        (std::uint64_t{1} << 62U) / (4U * static_cast<std::uint64_t>(Currency::kUnitsPerWhole));
    if (magnitude(order.units()) >= kLimit) {
        return false;
    }
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        if (magnitude(days[cls].dailyProfit.units()) >= kLimit ||
            magnitude(parameters.outcome(cls, cls).dailyProfit.units()) >= kLimit) {
            return false;
        }
    }
    return true;
}

OrderFigures summarize(const AnalysisParameters &parameters, Currency order,
                       const Days &days) noexcept {
    if (narrowEnough(parameters, order, days)) {
        return summarizeIn<std::int64_t>(parameters, order, days);
    }
    return summarizeIn<Wide>(parameters, order, days);
}

Days rowDays(const AnalysisParameters &parameters, std::size_t row) noexcept {
    Days days;
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        days[cls] = parameters.outcome(row, cls);
    }
    return days;
}

}  // namespace

Result<std::int64_t, Refusal> rangePoints(const AmountRange &range) noexcept {
    if (range.step <= Currency{}) {
        return Failure{Refusal::StepNotPositive};
    }
    if (range.to < range.from) {
        return Failure{Refusal::RangeReversed};
    }
    // The span may exceed 64 bits when the ends have opposite signs.
    const Wide span = static_cast<Wide>(range.to.units()) - range.from.units();
    const Wide points = span / range.step.units() + 1;
    if (points > kMaxRangePoints) {
        return Failure{Refusal::TooManyPoints};
    }
    return static_cast<std::int64_t>(points);
}

Result<BestOrders, Refusal> bestOrders(const AnalysisParameters &parameters) noexcept {
    const Wide price = parameters.price().units();
    const Wide cost = parameters.cost().units();
    if (cost <= 0) {
        return Failure{Refusal::CostNotPositive};
    }
    std::array<Wide, kDemandClasses> cumulative{};
    Wide running = 0;
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        running += frequencyUnits(parameters, cls);
        cumulative[cls] = running;
    }
    // Ordering one more unit beyond Q gains price x P(D > Q) - cost: the
    // expected profit stops rising at the first corner where
    // F x price >= price - cost, and stops being flat at the first corner
    // where (1 - F) x price < cost. Both compared in units of 10^-8.
    BestOrders best;
    if (price > cost) {
        const Wide margin = (price - cost) * kOne;
        std::size_t cls = 0;
        // With a cost above 0 the last class always reaches the margin.
        while (cls + 1 < kDemandClasses && cumulative[cls] * price < margin) {
            ++cls;
        }
        best.low = classDemand(cls);
    }
    if (price >= cost) {
        // Below the smallest demand the gain is price - cost >= 0; past class
        // cls it is (1 - F(cls)) x price - cost.
        std::size_t next = 0;
        while (next + 1 < kDemandClasses && (kOne - cumulative[next]) * price >= cost * kOne) {
            ++next;
        }
        best.high = classDemand(next);
    }
    return best;
}

std::optional<OrderFigures> orderFigures(const AnalysisParameters &parameters,
                                         Currency order) noexcept {
    if (order < Currency{}) {
        return std::nullopt;
    }
    Days days;
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        const Currency demand = classDemand(cls);
        const std::optional<DayResult> day =
            simulateDay(1, order, demand, parameters.price(), parameters.cost(), Currency{});
        if (!day || day->dailyProfit == Currency::min()) {
            return std::nullopt;
        }
        // Both differences lie between 0 and the order or the demand.
        days[cls] = DayOutcome{order,
                               demand,
                               day->sales,
                               day->dailyProfit,
                               Currency::fromUnits(order.units() - day->sales.units()),
                               Currency::fromUnits(demand.units() - day->sales.units())};
    }
    return summarize(parameters, order, days);
}

Result<std::vector<OrderFigures>, Refusal> orderCurve(const AnalysisParameters &parameters,
                                                      const AmountRange &orders) {
    const Result<std::int64_t, Refusal> points = rangePoints(orders);
    if (!points) {
        return Failure{points.error()};
    }
    if (orders.from < Currency{}) {
        return Failure{Refusal::OrderNegative};
    }
    // A day's amounts grow with the order: the last one tells whether all fit.
    if (!orderFigures(parameters, rangePoint(orders, *points - 1))) {
        return Failure{Refusal::AmountsOutOfRange};
    }
    std::vector<OrderFigures> curve;
    curve.reserve(static_cast<std::size_t>(*points));
    for (std::int64_t index = 0; index < *points; ++index) {
        std::optional<OrderFigures> figures = orderFigures(parameters, rangePoint(orders, index));
        if (!figures) {
            return Failure{Refusal::AmountsOutOfRange};
        }
        curve.push_back(*figures);
    }
    return curve;
}

OrderFigures rowFigures(const AnalysisParameters &parameters, std::size_t row) noexcept {
    return summarize(parameters, parameters.outcome(row, 0).order, rowDays(parameters, row));
}

RuleProfits ruleProfits(const AnalysisParameters &parameters, const BestOrders &best) noexcept {
    RuleProfits profits;
    // Yesterday's Demand from day 2 on: yesterday's class orders, today's
    // class demands, independently drawn.
    Wide yesterday = 0;
    Wide perfect = 0;
    for (std::size_t before = 0; before < kDemandClasses; ++before) {
        const Wide fBefore = frequencyUnits(parameters, before);
        for (std::size_t today = 0; today < kDemandClasses; ++today) {
            yesterday += fBefore * frequencyUnits(parameters, today) *
                         parameters.outcome(before, today).dailyProfit.units();
        }
        perfect += fBefore * bestDayProfit(parameters, before);
    }
    profits.yesterday = exact(yesterday, kWeighedPlaces + kPlaces);
    profits.perfect = exact(perfect, kWeighedPlaces);
    profits.annual = rowFigures(parameters, AnalysisParameters::kMeanRow).exact.profit;
    // The low end is 0 (nothing sold, nothing spent) or a class demand.
    if (best.low > Currency{}) {
        for (std::size_t row = 0; row < kDemandClasses; ++row) {
            if (classDemand(row) == best.low) {
                profits.best = rowFigures(parameters, row).exact.profit;
            }
        }
    }
    return profits;
}

}  // namespace nv
