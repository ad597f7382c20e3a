// The analysis's checks, the Best Fixed Order and the table of a day's
// amounts for every order and demand class.
#include "engine/analysis/analysis_parameters.h"

#include <limits>
#include <optional>

#include "engine/simulation.h"

namespace nv {

namespace {

// Wide enough for a product of a Currency and a frequency in ten-thousandths.
__extension__ typedef __int128 Wide;

constexpr Currency wholeUnits(std::int64_t whole) noexcept {
    return Currency::fromUnits(whole * Currency::kUnitsPerWhole);
}

constexpr AnalysisFailure failure(AnalysisError error) noexcept {
    return AnalysisFailure{error, RunRefusal::FrequenciesNotOne};
}

constexpr AnalysisFailure runFailure(RunRefusal refusal) noexcept {
    return AnalysisFailure{AnalysisError::RunRefused, refusal};
}

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

std::string_view analysisMessage(const AnalysisFailure &failure) noexcept {
    switch (failure.error) {
        case AnalysisError::RunRefused:
            return refusalMessage(failure.runRefusal);
        case AnalysisError::NegativeFrequency:
            return "Relative Frequencies must not be negative for the analysis";
        case AnalysisError::PriceNotPositive:
            return "Price must be greater than 0 for the analysis";
        case AnalysisError::NoDays:
            return "Number of Runs must be at least 1 for the analysis";
        case AnalysisError::ReplicationsOutOfRange:
            return "Replications must be from 1 to 1,000,000";
        case AnalysisError::Cancelled:
            return "The analysis was cancelled";
    }
    return {};
}

Result<AnalysisParameters, AnalysisFailure> AnalysisParameters::fromInputs(
    const RunInputs &inputs) noexcept {
    Result<SimulationParameters, RunRefusal> run = checkRun(inputs);
    if (!run) {
        return Failure{runFailure(run.error())};
    }
    return fromRun(*run);
}

Result<AnalysisParameters, AnalysisFailure> AnalysisParameters::fromRun(
    const SimulationParameters &run) noexcept {
    const DemandDistribution &distribution = run.distribution;
    // checkRun has made sure the frequencies are representable and add to 1.
    const std::optional<Currency> total = distribution.total();
    if (!total || *total != wholeUnits(1)) {
        return Failure{runFailure(RunRefusal::FrequenciesNotOne)};
    }
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        if (distribution.frequency(cls).value_or(Currency{}) < Currency{}) {
            return Failure{failure(AnalysisError::NegativeFrequency)};
        }
    }
    if (run.price <= Currency{}) {
        return Failure{failure(AnalysisError::PriceNotPositive)};
    }
    if (run.days < 1) {
        return Failure{failure(AnalysisError::NoDays)};
    }
    // With frequencies from 0 to 1 the mean lies between 30 and 70.
    const std::optional<Currency> mean = distribution.mean();
    if (!mean) {
        return Failure{runFailure(RunRefusal::MeanOutOfRange)};
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
        const Currency order = row == kMeanRow ? *mean : wholeUnits(kClassDemand[row]);
        for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
            const Currency demand = wholeUnits(kClassDemand[cls]);
            const std::optional<DayResult> day =
                simulateDay(1, order, demand, run.price, run.cost, Currency{});
            if (!day || day->dailyProfit == Currency::min()) {
                return Failure{runFailure(RunRefusal::AmountsOutOfRange)};
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
        return Failure{runFailure(RunRefusal::AmountsOutOfRange)};
    }
    return parameters;
}

std::uint64_t replicationSeed(std::uint64_t seed, std::int64_t index) noexcept {
    std::uint64_t z = seed + 0x9e3779b97f4a7c15ULL * (static_cast<std::uint64_t>(index) + 1);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

}  // namespace nv
