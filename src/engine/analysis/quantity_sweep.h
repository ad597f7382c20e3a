// What-if sweeps of the order-quantity lesson: one input (the price, the cost
// or the order) runs through a range while the others stay as checked, and
// each point gets its best orders, its critical ratio and the expected daily
// profits of the rules (Yesterday's Demand from day 2 on, Average Annual
// Demand, the best order, perfect information).
//
// A point of a price or cost sweep is checked as an analysis is
// (AnalysisParameters::fromRun with the point's price or cost) and then as
// the lesson is (bestOrders). A sweep of the order leaves every rule as it is
// and adds the expected profit of ordering the point's quantity.
//
// Refused, as a value: the range's refusals (StepNotPositive, RangeReversed,
// TooManyPoints beyond kMaxRangePoints); for the order OrderNegative when it
// starts below 0, AmountsOutOfRange when it ends too large; for the price or
// the cost the refusal of the last point (the largest amounts), else of the
// first point refused (PriceNotPositive, CostNotPositive, AmountsOutOfRange).
// Nothing is kept of a refused sweep.
//
//     nv::AmountRange costs{*nv::Currency::fromDouble(0.2), *nv::Currency::fromDouble(4.4),
//                           *nv::Currency::fromDouble(0.2)};
//     auto points = nv::quantitySweep(parameters, nv::SweepInput::Cost, costs);
//     if (points) use((*points)[0].best.low, (*points)[0].rules.best);
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "engine/analysis/analysis_parameters.h"
#include "engine/analysis/order_quantity.h"
#include "support/currency.h"
#include "support/result.h"

namespace nv {

enum class SweepInput { Price, Cost, Order };

// "price", "cost", "order".
[[nodiscard]] std::string_view sweepInputKey(SweepInput input) noexcept;

struct SweepPoint {
    Currency value;  // the varied input
    BestOrders best;
    double criticalRatio = 0;
    RuleProfits rules;
    std::optional<ExactDecimal> orderProfit;  // a sweep of the order: ordering `value`, $ per day

    friend bool operator==(const SweepPoint &, const SweepPoint &) = default;
};

[[nodiscard]] Result<std::vector<SweepPoint>, Refusal> quantitySweep(const AnalysisParameters &base,
                                                                     SweepInput input,
                                                                     const AmountRange &values);

}  // namespace nv
