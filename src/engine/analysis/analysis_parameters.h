// The inputs of an analysis of the ordering rules, checked once.
//
// An analysis compares three ways of ordering on the same demand:
//   - Yesterday's Demand: 50 on day 1, afterwards the demand of the day before;
//   - Average Annual Demand: the distribution's mean (as Currency) every day;
//   - Best Fixed Order: the critical-fractile quantity every day, the smallest
//     demand class whose cumulative frequency reaches (price - cost) / price.
// Perfect information (order = demand) is the yardstick of the exact
// expectations.
//
// AnalysisParameters::fromInputs makes the run's own checks first (checkRun,
// same refusals, same messages), then the analysis's checks in this order:
//   1. no relative frequency is negative (a pasted value can make a class
//      negative while the total is still exactly 1);
//   2. the price is above 0 (the critical ratio divides by it);
//   3. there is at least one day;
//   4. a day's amounts for every order from 30 to 70 and for the mean, and
//      their sum over the run's days, stay inside the Currency range (refused
//      as the run refuses it: Refusal::AmountsOutOfRange).
// A price below the cost (critical ratio below 0) and a price equal to it
// (ratio 0) are accepted: the Best Fixed Order is then class 1 (30 units), the
// smallest loss among the five demands; ordering nothing at all would lose
// nothing, but it is not one of the demands the program orders. A negative
// cost (ratio above 1) makes no class reach the ratio: the order is 70.
//
//     auto checked = nv::AnalysisParameters::fromInputs(inputs);
//     if (!checked) show(nv::refusalMessage(checked.error()));
//     else          use(checked->fixedOrder());     // e.g. 50
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/demand_distribution.h"
#include "engine/simulation_parameters.h"
#include "engine/validation.h"
#include "support/currency.h"
#include "support/random_source.h"
#include "support/result.h"

namespace nv {

// The rules an analysis compares, in the order of every per-rule array.
enum class AnalysisRule : std::size_t { Yesterday = 0, Annual = 1, FixedFractile = 2 };
inline constexpr std::size_t kAnalysisRules = 3;
inline constexpr std::array<AnalysisRule, kAnalysisRules> kAllAnalysisRules = {
    AnalysisRule::Yesterday, AnalysisRule::Annual, AnalysisRule::FixedFractile};

[[nodiscard]] constexpr std::size_t ruleIndex(AnalysisRule rule) noexcept {
    return static_cast<std::size_t>(rule);
}

// "Yesterday's Demand", "Average Annual Demand", "Best Fixed Order".
[[nodiscard]] std::string_view ruleName(AnalysisRule rule) noexcept;
// Stable lower-case keys for machine-readable output: "yesterday", "annual",
// "fixed".
[[nodiscard]] std::string_view ruleKey(AnalysisRule rule) noexcept;
inline constexpr std::string_view kPerfectInformationName = "Perfect Information";
inline constexpr std::string_view kPerfectInformationKey = "perfect";

// What one day gives for an order and a drawn demand, computed by the run's
// own simulateDay (Currency products, exact differences).
struct DayOutcome {
    Currency order;
    Currency demand;
    Currency sales;
    Currency dailyProfit;
    Currency leftover;  // order - sales
    Currency unmet;     // demand - sales

    friend constexpr bool operator==(const DayOutcome &, const DayOutcome &) = default;
};

class AnalysisParameters {
public:
    // Order rows of the outcome table: rows 0..4 order the demand of class
    // 0..4 (30..70 units), row kMeanRow orders the mean.
    static constexpr std::size_t kMeanRow = kDemandClasses;
    static constexpr std::size_t kOrderRows = kDemandClasses + 1;
    // The first order under Yesterday's Demand (50 units) is row 2.
    static constexpr std::size_t kFirstYesterdayRow = 2;

    // The run's checks, then the analysis's (header comment).
    [[nodiscard]] static Result<AnalysisParameters, Refusal> fromInputs(
        const RunInputs &inputs) noexcept;
    // The analysis's checks on a record that checkRun has accepted.
    [[nodiscard]] static Result<AnalysisParameters, Refusal> fromRun(
        const SimulationParameters &run) noexcept;

    [[nodiscard]] std::int32_t days() const noexcept { return m_days; }
    [[nodiscard]] Currency price() const noexcept { return m_price; }
    [[nodiscard]] Currency cost() const noexcept { return m_cost; }
    [[nodiscard]] const DemandDistribution &distribution() const noexcept { return m_distribution; }
    // The relative frequency of class cls (0..4) as a double.
    [[nodiscard]] double probability(std::size_t cls) const noexcept { return m_probability[cls]; }
    // The Average Annual Demand order: the distribution's mean as Currency.
    [[nodiscard]] Currency meanDemand() const noexcept { return m_meanDemand; }
    // (price - cost) / price.
    [[nodiscard]] double criticalRatio() const noexcept { return m_criticalRatio; }
    // The class (0..4) of the Best Fixed Order, decided exactly in Currency.
    [[nodiscard]] std::size_t fixedClass() const noexcept { return m_fixedClass; }
    [[nodiscard]] Currency fixedOrder() const noexcept {
        return Currency::fromUnits(kClassDemand[m_fixedClass] * Currency::kUnitsPerWhole);
    }
    // The day for order row `row` (0..kMeanRow) and demand class cls (0..4).
    [[nodiscard]] const DayOutcome &outcome(std::size_t row, std::size_t cls) const noexcept {
        return m_outcomes[row][cls];
    }

private:
    AnalysisParameters() noexcept = default;

    std::int32_t m_days = 0;
    Currency m_price;
    Currency m_cost;
    DemandDistribution m_distribution;
    std::array<double, kDemandClasses> m_probability{};
    Currency m_meanDemand;
    double m_criticalRatio = 0;
    std::size_t m_fixedClass = 0;
    std::array<std::array<DayOutcome, kDemandClasses>, kOrderRows> m_outcomes{};
};

// The seed of replication `index` of an analysis seeded with `seed`: the
// (index + 1)-th output of SplitMix64 started at `seed`. Every replication has
// its own stream, so results depend on the seed alone, never on how the
// replications are shared among threads.
[[nodiscard]] std::uint64_t replicationSeed(std::uint64_t seed, std::int64_t index) noexcept;

// The demand stream of one replication (one draw a day, sampled as the run
// samples: DemandSampler on SeededSource::next()).
[[nodiscard]] inline SeededSource replicationSource(std::uint64_t seed,
                                                    std::int64_t index) noexcept {
    return SeededSource(replicationSeed(seed, index));
}

}  // namespace nv
