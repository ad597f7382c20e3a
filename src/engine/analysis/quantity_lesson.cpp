// The payoff table and the lesson's figures, each from the run's own amounts.
#include "engine/analysis/quantity_lesson.h"

#include <optional>

namespace nv {

Result<PayoffTable, Refusal> payoffTable(const AnalysisParameters &parameters) noexcept {
    PayoffTable table;
    for (std::size_t row = 0; row < PayoffTable::kRows; ++row) {
        // The parameters' checks have made every row's days fit the range.
        const Currency order =
            row == AnalysisParameters::kMeanRow ? parameters.meanDemand() : classDemand(row);
        const std::optional<OrderFigures> figures = orderFigures(parameters, order);
        if (!figures) {
            return Failure{Refusal::AmountsOutOfRange};
        }
        table.orders[row] = order;
        table.expectedProfit[row] = figures->exact.profit;
        table.expectedOpportunityLoss[row] = figures->exact.opportunityLoss;
        for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
            const Currency cell = parameters.outcome(row, cls).dailyProfit;
            const Currency demandOrdered = parameters.outcome(cls, cls).dailyProfit;
            const Currency best = demandOrdered > Currency{} ? demandOrdered : Currency{};
            const std::optional<Currency> loss = checkedSubtract(best, cell);
            if (!loss) {
                return Failure{Refusal::AmountsOutOfRange};
            }
            table.profit[row][cls] = cell;
            table.opportunityLoss[row][cls] = *loss;
        }
    }
    return table;
}

Result<QuantityLesson, Refusal> quantityLesson(const AnalysisParameters &parameters,
                                               const AmountRange &curveOrders) {
    const Result<BestOrders, Refusal> best = bestOrders(parameters);
    if (!best) {
        return Failure{best.error()};
    }
    Result<std::vector<OrderFigures>, Refusal> curve = orderCurve(parameters, curveOrders);
    if (!curve) {
        return Failure{curve.error()};
    }
    Result<PayoffTable, Refusal> payoff = payoffTable(parameters);
    if (!payoff) {
        return Failure{payoff.error()};
    }
    QuantityLesson lesson;
    lesson.criticalRatio = parameters.criticalRatio();
    lesson.best = *best;
    lesson.curve = std::move(curve).value();
    lesson.payoff = *payoff;
    // The low end is 0 or a class demand: its days fit the range.
    lesson.evpi =
        orderFigures(parameters, best->low).value_or(OrderFigures{}).exact.opportunityLoss;
    lesson.rules = ruleProfits(parameters, *best);
    return lesson;
}

}  // namespace nv
