// A hand-simulation worksheet: the days, the random number of each day and
// the answer key (demand, order, sales, daily and cumulative profit), worked
// out by the run's own one-day computation (simulateDay).
//
// The inputs are a run's (price, cost, frequencies, the order policy) and the
// sheet's number of days, 1 to 1,000 (20 unless chosen). They are checked as
// an analysis checks them (AnalysisParameters::fromInputs, with the sheet's
// days as Number of Runs), so every amount of the key stays in range and the
// frequencies make an interval table.
//
// The order of day d is what the run orders: under Yesterday's Demand 50 units
// on day 1, then the demand of day d - 1; under Average Annual Demand the
// distribution's mean every day (48.5 units for 0.15 0.25 0.3 0.2 0.1).
//
// Random numbers drawn from a seed (drawRandomNumbers): the i-th number is the
// next 64-bit output of SeededSource(seed).nextBits() (xoshiro256** seeded
// through SplitMix64) taken modulo 10^k, outputs below 2^64 mod 10^k being
// skipped so every number is equally likely. Only integer arithmetic is
// involved: a seed gives the same numbers on every machine.
//
//     nv::WorksheetInputs inputs{runInputs, 20};
//     auto plan = nv::WorksheetPlan::fromInputs(inputs);
//     if (!plan) show(nv::refusalMessage(plan.error()));
//     nv::Worksheet sheet = nv::Worksheet::fromSeed(*plan, 42);
//     sheet.days()[0].answer.cumulativeProfit;
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engine/analysis/analysis_parameters.h"
#include "engine/simulation.h"
#include "engine/simulation_parameters.h"
#include "engine/validation.h"
#include "engine/worksheet/interval_table.h"
#include "support/result.h"

namespace nv {

inline constexpr std::int32_t kDefaultWorksheetDays = 20;
inline constexpr std::int32_t kMaxWorksheetDays = 1000;

struct WorksheetInputs {
    // Price, cost, frequencies and the order policy; runsText is not read:
    // the sheet's days stand in its place.
    RunInputs run;
    std::int32_t days = kDefaultWorksheetDays;
    // Digits of a random number, 2 or 4; nullopt: what the frequencies need
    // (IntervalTable::fromDistribution).
    std::optional<int> digits;
};

// The checked inputs of a sheet.
class WorksheetPlan {
public:
    // The days first (Refusal::WorksheetDaysOutOfRange), then the analysis's
    // checks (header comment), then the digits asked for.
    [[nodiscard]] static Result<WorksheetPlan, Refusal> fromInputs(const WorksheetInputs &inputs);

    [[nodiscard]] std::int32_t days() const noexcept { return m_parameters.days(); }
    [[nodiscard]] OrderPolicy policy() const noexcept { return m_policy; }
    [[nodiscard]] const AnalysisParameters &parameters() const noexcept { return m_parameters; }
    [[nodiscard]] const IntervalTable &table() const noexcept { return m_table; }

private:
    WorksheetPlan(AnalysisParameters parameters, IntervalTable table, OrderPolicy policy) noexcept
        : m_parameters(parameters), m_table(table), m_policy(policy) {}

    AnalysisParameters m_parameters;
    IntervalTable m_table;
    OrderPolicy m_policy;
};

// `count` random numbers of `digits` digits (2 or 4) from a seed (header
// comment).
[[nodiscard]] std::vector<std::uint32_t> drawRandomNumbers(std::uint64_t seed, std::int32_t count,
                                                           int digits);

struct WorksheetDay {
    std::uint32_t number = 0;  // the day's random number, below 10^k
    DayResult answer;          // day, demand, order, sales, daily and cumulative profit

    friend bool operator==(const WorksheetDay &, const WorksheetDay &) = default;
};

class Worksheet {
public:
    // The sheet of a seed's numbers.
    [[nodiscard]] static Worksheet fromSeed(const WorksheetPlan &plan, std::uint64_t seed);
    // The sheet of given numbers (a teacher's list): the first plan.days() of
    // them are used; nullopt when there are fewer, or one of those is 10^k or
    // more.
    [[nodiscard]] static std::optional<Worksheet> fromNumbers(
        const WorksheetPlan &plan, std::span<const std::uint32_t> numbers);

    [[nodiscard]] const WorksheetPlan &plan() const noexcept { return m_plan; }
    // nullopt when the numbers were given.
    [[nodiscard]] std::optional<std::uint64_t> seed() const noexcept { return m_seed; }
    // One per day, day 1 first.
    [[nodiscard]] const std::vector<WorksheetDay> &days() const noexcept { return m_days; }

private:
    Worksheet(const WorksheetPlan &plan, std::span<const std::uint32_t> numbers,
              std::optional<std::uint64_t> seed);

    WorksheetPlan m_plan;
    std::optional<std::uint64_t> m_seed;
    std::vector<WorksheetDay> m_days;
};

}  // namespace nv
