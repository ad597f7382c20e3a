// Sweeps: every point checked and worked out as a lesson of its own.
#include "engine/analysis/quantity_sweep.h"

#include <cstddef>
#include <cstdint>

#include "engine/simulation_parameters.h"

namespace nv {

namespace {

Result<SweepPoint, Refusal> pointOf(const AnalysisParameters &parameters, Currency value) noexcept {
    const Result<BestOrders, Refusal> best = bestOrders(parameters);
    if (!best) {
        return Failure{best.error()};
    }
    SweepPoint point;
    point.value = value;
    point.best = *best;
    point.criticalRatio = parameters.criticalRatio();
    point.rules = ruleProfits(parameters, *best);
    return point;
}

// A point of a price or cost sweep: the base's inputs with one changed,
// checked again.
Result<SweepPoint, Refusal> inputPoint(const AnalysisParameters &base, SweepInput input,
                                       Currency value) noexcept {
    SimulationParameters run;
    run.distribution = base.distribution();
    // The base's days passed the run's checks, so they fit 16 bits.
    run.days = static_cast<std::int16_t>(base.days());
    run.price = input == SweepInput::Price ? value : base.price();
    run.cost = input == SweepInput::Cost ? value : base.cost();
    const Result<AnalysisParameters, Refusal> checked = AnalysisParameters::fromRun(run);
    if (!checked) {
        return Failure{checked.error()};
    }
    return pointOf(*checked, value);
}

Result<std::vector<SweepPoint>, Refusal> orderSweep(const AnalysisParameters &base,
                                                    const AmountRange &values, std::int64_t count) {
    if (values.from < Currency{}) {
        return Failure{Refusal::OrderNegative};
    }
    const Result<SweepPoint, Refusal> fixed = pointOf(base, Currency{});
    if (!fixed) {
        return Failure{fixed.error()};
    }
    std::vector<SweepPoint> points;
    points.reserve(static_cast<std::size_t>(count));
    for (std::int64_t index = 0; index < count; ++index) {
        SweepPoint point = *fixed;
        point.value = rangePoint(values, index);
        const std::optional<OrderFigures> figures = orderFigures(base, point.value);
        if (!figures) {
            return Failure{Refusal::AmountsOutOfRange};
        }
        point.orderProfit = figures->exact.profit;
        points.push_back(point);
    }
    return points;
}

}  // namespace

std::string_view sweepInputKey(SweepInput input) noexcept {
    switch (input) {
        case SweepInput::Price:
            return "price";
        case SweepInput::Cost:
            return "cost";
        case SweepInput::Order:
            return "order";
    }
    return {};
}

Result<std::vector<SweepPoint>, Refusal> quantitySweep(const AnalysisParameters &base,
                                                       SweepInput input,
                                                       const AmountRange &values) {
    const Result<std::int64_t, Refusal> count = rangePoints(values);
    if (!count) {
        return Failure{count.error()};
    }
    if (input == SweepInput::Order) {
        return orderSweep(base, values, *count);
    }
    // The last point has the largest amounts: refuse a range too wide for
    // them before working out the others.
    if (const auto last = inputPoint(base, input, rangePoint(values, *count - 1)); !last) {
        return Failure{last.error()};
    }
    std::vector<SweepPoint> points;
    points.reserve(static_cast<std::size_t>(*count));
    for (std::int64_t index = 0; index < *count; ++index) {
        Result<SweepPoint, Refusal> point = inputPoint(base, input, rangePoint(values, index));
        if (!point) {
            return Failure{point.error()};
        }
        points.push_back(*point);
    }
    return points;
}

}  // namespace nv
