// The analysis's checks, the Best Fixed Order and the table of a day's
// amounts for every order and demand class.
#include "engine/analysis/analysis_parameters.h"

#include <limits>
#include <optional>

#include "engine/simulation.h"
#include "support/wide_int.h"

namespace nv {

namespace {

// Wide enough for a product of a Currency and a frequency in ten-thousandths.
using Wide = Int128;

// The smallest class whose cumulative frequency reaches (price - cost) / price,
// compared exactly: cumulative x price >= (price - cost) x 1. Precondition:
// price > 0 and the frequencies are not negative and add to 1.
std::size_t criticalFractileClass(const DemandDistribution &distribution, Currency price,
                                  Currency cost) noexcept {
    const Wide one = Currency::kUnitsPerWhole;
    const Wide margin = (static_cast<Wide>(price.units()) - static_cast<Wide>(cost.units())) * one;
    Wide cumulative = 0;
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        cumulative += distribution.frequency(cls).value_or(Currency{}).units();
        if (cumulative * price.units() >= margin) {
            return cls;
        }
    }
    // Only a negative cost puts the ratio above 1.
    return kDemandClasses - 1;
}

}  // namespace

std::string_view ruleName(AnalysisRule rule) noexcept {
    switch (rule) {
        case AnalysisRule::Yesterday:
            return "Yesterday's Demand";
        case AnalysisRule::Annual:
            return "Average Annual Demand";
        case AnalysisRule::FixedFractile:
            return "Best Fixed Order";
    }
    return {};
}

std::string_view ruleKey(AnalysisRule rule) noexcept {
    switch (rule) {
        case AnalysisRule::Yesterday:
            return "yesterday";
        case AnalysisRule::Annual:
            return "annual";
        case AnalysisRule::FixedFractile:
            return "fixed";
    }
    return {};
}

Result<AnalysisParameters, Refusal> AnalysisParameters::fromInputs(
    const RunInputs &inputs) noexcept {
    Result<SimulationParameters, Refusal> run = checkRun(inputs);
    if (!run) {
        return Failure{run.error()};
    }
    return fromRun(*run);
}

Result<AnalysisParameters, Refusal> AnalysisParameters::fromRun(
    const SimulationParameters &run) noexcept {
    const DemandDistribution &distribution = run.distribution;
    // checkRun has made sure the frequencies are representable and add to 1.
    const std::optional<Currency> total = distribution.total();
    if (!total || *total != Currency::fromCount(1)) {
        return Failure{Refusal::FrequenciesNotOne};
    }
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        if (distribution.frequency(cls).value_or(Currency{}) < Currency{}) {
            return Failure{Refusal::NegativeFrequency};
        }
    }
    if (run.price <= Currency{}) {
        return Failure{Refusal::PriceNotPositive};
    }
    if (run.days < 1) {
        return Failure{Refusal::NoDays};
    }
    // With frequencies from 0 to 1 the mean lies between 30 and 70.
    const std::optional<Currency> mean = distribution.mean();
    if (!mean) {
        return Failure{Refusal::MeanOutOfRange};
    }

    AnalysisParameters parameters;
    parameters.m_days = run.days;
    parameters.m_price = run.price;
    parameters.m_cost = run.cost;
    parameters.m_distribution = distribution;
    parameters.m_meanDemand = *mean;
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        parameters.m_probability[cls] = distribution.frequency(cls).value_or(Currency{}).toDouble();
    }
    parameters.m_criticalRatio =
        (run.price.toDouble() - run.cost.toDouble()) / run.price.toDouble();
    parameters.m_fixedClass = criticalFractileClass(distribution, run.price, run.cost);

    // Every day of every rule is one of these outcomes, so the largest daily
    // profit in magnitude bounds every cumulative profit of the run.
    std::int64_t largestDaily = 0;
    for (std::size_t row = 0; row < kOrderRows; ++row) {
        const Currency order = row == kMeanRow ? *mean : classDemand(row);
        for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
            const Currency demand = classDemand(cls);
            const std::optional<DayResult> day =
                simulateDay(1, order, demand, run.price, run.cost, Currency{});
            if (!day || day->dailyProfit == Currency::min()) {
                return Failure{Refusal::AmountsOutOfRange};
            }
            DayOutcome &outcome = parameters.m_outcomes[row][cls];
            outcome.order = order;
            outcome.demand = demand;
            outcome.sales = day->sales;
            outcome.dailyProfit = day->dailyProfit;
            // Both differences lie within 0..40 units.
            outcome.leftover = Currency::fromUnits(order.units() - day->sales.units());
            outcome.unmet = Currency::fromUnits(demand.units() - day->sales.units());
            const std::int64_t units = day->dailyProfit.units();
            const std::int64_t magnitude = units < 0 ? -units : units;
            if (magnitude > largestDaily) {
                largestDaily = magnitude;
            }
        }
    }
    if (largestDaily > std::numeric_limits<std::int64_t>::max() / parameters.m_days) {
        return Failure{Refusal::AmountsOutOfRange};
    }
    return parameters;
}

std::uint64_t replicationSeed(std::uint64_t seed, std::int64_t index) noexcept {
    // The (index + 1)-th output of SplitMix64 started at seed.
    std::uint64_t state = seed + 0x9e3779b97f4a7c15ULL * static_cast<std::uint64_t>(index);
    return splitMix64(state);
}

}  // namespace nv
