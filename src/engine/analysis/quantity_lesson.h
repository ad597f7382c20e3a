// Everything the order-quantity lesson shows for one set of inputs: the best
// orders, the curve of expected figures, the payoff table and the value of
// perfect information, all from the distribution alone.
//
// The payoff table has a row for each order 30, 40, 50, 60 and 70 and one for
// the Average Annual Demand order (the mean), a column for each demand; a
// cell is that day's profit as the run computes it. A cell's opportunity
// loss is the best profit the column's demand allows (ordering the demand, or
// nothing when price < cost) less the cell.
//
// The expected value of perfect information (EVPI) is the smallest expected
// opportunity loss of any order Q >= 0, reached by the best orders; it equals
// the perfect-information profit less the best expected profit (both per day).
//
//     auto lesson = nv::quantityLesson(parameters, nv::kDefaultCurveRange);
//     if (!lesson) show(nv::refusalMessage(lesson.error()));
//     else         use(lesson->best.low, lesson->evpi);   // 50, 21.7
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "engine/analysis/analysis_parameters.h"
#include "engine/analysis/exact_decimal.h"
#include "engine/analysis/order_quantity.h"
#include "support/currency.h"
#include "support/result.h"

namespace nv {

struct PayoffTable {
    static constexpr std::size_t kRows = AnalysisParameters::kOrderRows;
    using Cells = std::array<std::array<Currency, kDemandClasses>, kRows>;

    std::array<Currency, kRows> orders{};  // 30 .. 70, then the mean
    Cells profit{};
    std::array<ExactDecimal, kRows> expectedProfit{};
    Cells opportunityLoss{};
    std::array<ExactDecimal, kRows> expectedOpportunityLoss{};

    friend bool operator==(const PayoffTable &, const PayoffTable &) = default;
};

// AmountsOutOfRange when an opportunity loss leaves the Currency range.
[[nodiscard]] Result<PayoffTable, Refusal> payoffTable(
    const AnalysisParameters &parameters) noexcept;

struct QuantityLesson {
    double criticalRatio = 0;
    BestOrders best;
    std::vector<OrderFigures> curve;
    PayoffTable payoff;
    ExactDecimal evpi;  // $ per day
    RuleProfits rules;

    friend bool operator==(const QuantityLesson &, const QuantityLesson &) = default;
};

// Refused as bestOrders, orderCurve and payoffTable refuse, in that order.
[[nodiscard]] Result<QuantityLesson, Refusal> quantityLesson(const AnalysisParameters &parameters,
                                                             const AmountRange &curveOrders);

}  // namespace nv
