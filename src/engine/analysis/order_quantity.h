// How much to order: what ordering the same quantity Q every day is expected
// to give, and which Q is best, worked out from the distribution alone
// (nothing is simulated).
//
// A day's amounts for an order Q and a class demand are those the run
// computes (simulateDay): sales = min(Q, demand), profit = sales x price -
// Q x cost, each product rounded to four decimals, half to even. The figures
// weigh them with the relative frequencies. The sums are exact (whole
// ten-thousandths times frequencies in ten-thousandths, in 128 bits) and are
// kept as exact decimals (OrderFigures::exact, what the reports write); the
// doubles beside them are their nearest doubles, for charts. So the figure
// for Q is what a run ordering Q makes on average, and equal sums compare
// equal.
//
// Expected profit is concave and piecewise linear in Q with corners at the
// class demands. Between two corners a decimal Q's figure lies on the line
// up to the rounding of its two products (at most 0.0001 a day).
//
// The best orders are the Q >= 0 with the largest expected profit, exactly:
// with F the cumulative frequency and r = (price - cost) / price,
//   - low  = the smallest class demand with F >= r (0 when price <= cost);
//   - high = low, unless F at low equals r exactly: then the expected profit
//     is flat up to the next class demand with a positive frequency, which is
//     high. With price equal to cost every order up to the smallest demand
//     with a positive frequency breaks even: [0, that demand].
// All is decided in whole ten-thousandths, as the Best Fixed Order is. A cost
// of 0 or below is refused (Refusal::CostNotPositive): a negative cost makes
// the expected profit grow without bound, a cost of 0 makes every order from
// the largest demand up best.
//
// The opportunity loss of Q on a day is the best profit that day's demand
// allows (ordering the demand, or nothing when price < cost) less Q's.
//
//     auto best = nv::bestOrders(parameters);                          // [50, 50]
//     auto at = nv::orderFigures(parameters, *nv::Currency::fromDouble(48.5));
//     at->profit;                                                      // 93.86
//     auto curve = nv::orderCurve(parameters, nv::kDefaultCurveRange); // 41 points
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/analysis/analysis_parameters.h"
#include "engine/analysis/exact_decimal.h"
#include "engine/validation.h"
#include "support/currency.h"
#include "support/result.h"

namespace nv {

// The exact expected amounts of one day: units (demand, sales, leftover,
// unmet), $ (profit, opportunity loss) and the probability of a loss.
struct ExactDayFigures {
    ExactDecimal demand;
    ExactDecimal sales;
    ExactDecimal leftover;
    ExactDecimal unmet;
    ExactDecimal profit;
    ExactDecimal opportunityLoss;
    ExactDecimal lossProbability;

    friend bool operator==(const ExactDayFigures &, const ExactDayFigures &) = default;
};

// Expected figures of one day that orders `order`.
struct OrderFigures {
    Currency order;
    double demand = 0;           // units
    double sales = 0;            // units
    double leftover = 0;         // units
    double unmet = 0;            // units
    double profit = 0;           // $
    double fillRate = 0;         // sales / demand
    double lossProbability = 0;  // P(profit < 0)
    double profitSd = 0;         // $, standard deviation of the day's profit
    double opportunityLoss = 0;  // $, expected best profit for the demand less profit
    ExactDayFigures exact;       // the figures above but the two ratios, exactly

    friend bool operator==(const OrderFigures &, const OrderFigures &) = default;
};

// The closed interval of best orders.
struct BestOrders {
    Currency low;
    Currency high;

    [[nodiscard]] constexpr bool contains(Currency order) const noexcept {
        return low <= order && order <= high;
    }
    friend constexpr bool operator==(const BestOrders &, const BestOrders &) = default;
};

// The amounts from, from + step, from + 2 step, ... up to `to` (which is a
// point only when to - from is a multiple of step).
struct AmountRange {
    Currency from;
    Currency to;
    Currency step;

    friend constexpr bool operator==(const AmountRange &, const AmountRange &) = default;
};

inline constexpr std::int64_t kMaxRangePoints = 100'001;
inline constexpr AmountRange kDefaultCurveRange{Currency::fromCount(30), Currency::fromCount(70),
                                                Currency::fromCount(1)};

// How many points the range holds; refused in this order: StepNotPositive,
// RangeReversed, TooManyPoints (more than kMaxRangePoints).
[[nodiscard]] Result<std::int64_t, Refusal> rangePoints(const AmountRange &range) noexcept;
// Point `index` (0 .. points - 1): from + index x step, exact.
[[nodiscard]] constexpr Currency rangePoint(const AmountRange &range, std::int64_t index) noexcept {
    return Currency::fromUnits(range.from.units() + index * range.step.units());
}

// CostNotPositive when cost <= 0.
[[nodiscard]] Result<BestOrders, Refusal> bestOrders(const AnalysisParameters &parameters) noexcept;

// nullopt when the order is below 0 or a day's amount leaves the Currency range.
[[nodiscard]] std::optional<OrderFigures> orderFigures(const AnalysisParameters &parameters,
                                                       Currency order) noexcept;

// The figures of every order of the range. Refused: the range's refusals,
// then OrderNegative (from below 0), then AmountsOutOfRange (an order too
// large for the price and cost).
[[nodiscard]] Result<std::vector<OrderFigures>, Refusal> orderCurve(
    const AnalysisParameters &parameters, const AmountRange &orders);

// The figures of a day that orders row `row`'s order (the class demand, or
// the mean for AnalysisParameters::kMeanRow), from the parameters' own days.
[[nodiscard]] OrderFigures rowFigures(const AnalysisParameters &parameters,
                                      std::size_t row) noexcept;

// Expected daily profits of the ordering rules and of the best orders, exact.
struct RuleProfits {
    ExactDecimal yesterday;  // Yesterday's Demand from day 2 on (every later day alike)
    ExactDecimal annual;     // Average Annual Demand
    ExactDecimal best;       // any best order
    ExactDecimal perfect;    // the best profit each day's demand allows

    friend bool operator==(const RuleProfits &, const RuleProfits &) = default;
};

[[nodiscard]] RuleProfits ruleProfits(const AnalysisParameters &parameters,
                                      const BestOrders &best) noexcept;

}  // namespace nv
