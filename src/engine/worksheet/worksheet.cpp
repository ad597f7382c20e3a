// The checked inputs of a worksheet, its random numbers and its answer key.
#include "engine/worksheet/worksheet.h"

#include <cassert>
#include <cstddef>

namespace nv {

namespace {

constexpr std::int32_t kFirstYesterdayOrder = 50;

}  // namespace

Result<WorksheetPlan, Refusal> WorksheetPlan::fromInputs(const WorksheetInputs &inputs) {
    if (inputs.days < 1 || inputs.days > kMaxWorksheetDays) {
        return Failure{Refusal::WorksheetDaysOutOfRange};
    }
    RunInputs run = inputs.run;
    run.runsText = std::to_string(inputs.days);
    const Result<SimulationParameters, Refusal> checked = checkRun(run);
    if (!checked) {
        return Failure{checked.error()};
    }
    const Result<AnalysisParameters, Refusal> parameters = AnalysisParameters::fromRun(*checked);
    if (!parameters) {
        return Failure{parameters.error()};
    }
    // The analysis has made the same checks of the frequencies.
    const Result<IntervalTable, Refusal> table =
        IntervalTable::fromDistribution(parameters->distribution(), inputs.digits);
    if (!table) {
        return Failure{table.error()};
    }
    return WorksheetPlan(*parameters, *table, checked->policy);
}

std::vector<std::uint32_t> drawRandomNumbers(std::uint64_t seed, std::int32_t count, int digits) {
    std::uint64_t modulus = 1;
    for (int i = 0; i < digits; ++i) {
        modulus *= 10;
    }
    // 2^64 mod modulus: skipping the outputs below it leaves a whole number of
    // runs of 0..modulus-1.
    const std::uint64_t skipBelow = (0 - modulus) % modulus;
    SeededSource source(seed);
    std::vector<std::uint32_t> numbers;
    numbers.reserve(count > 0 ? static_cast<std::size_t>(count) : 0);
    while (static_cast<std::int64_t>(numbers.size()) < count) {
        const std::uint64_t bits = source.nextBits();
        if (bits >= skipBelow) {
            numbers.push_back(static_cast<std::uint32_t>(bits % modulus));
        }
    }
    return numbers;
}

Worksheet Worksheet::fromSeed(const WorksheetPlan &plan, std::uint64_t seed) {
    const std::vector<std::uint32_t> numbers =
        drawRandomNumbers(seed, plan.days(), plan.table().digits());
    return Worksheet(plan, numbers, seed);
}

std::optional<Worksheet> Worksheet::fromNumbers(const WorksheetPlan &plan,
                                                std::span<const std::uint32_t> numbers) {
    const auto days = static_cast<std::size_t>(plan.days());
    if (numbers.size() < days) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < days; ++i) {
        if (numbers[i] >= plan.table().numberCount()) {
            return std::nullopt;
        }
    }
    return Worksheet(plan, numbers.first(days), std::nullopt);
}

Worksheet::Worksheet(const WorksheetPlan &plan, std::span<const std::uint32_t> numbers,
                     std::optional<std::uint64_t> seed)
    : m_plan(plan), m_seed(seed) {
    const AnalysisParameters &p = plan.parameters();
    m_days.reserve(numbers.size());
    Currency yesterday = Currency::fromCount(kFirstYesterdayOrder);
    Currency cumulative;
    std::int16_t day = 1;
    for (const std::uint32_t number : numbers) {
        const Currency order = plan.policy() == OrderPolicy::Yesterday ? yesterday : p.meanDemand();
        const Currency demand = plan.table().row(plan.table().classOf(number)).demand;
        const std::optional<DayResult> result =
            simulateDay(day, order, demand, p.price(), p.cost(), cumulative);
        // The analysis's checks keep every amount of the sheet's days in range.
        assert(result.has_value());
        if (!result) {
            break;
        }
        m_days.push_back(WorksheetDay{number, *result});
        cumulative = result->cumulativeProfit;
        yesterday = demand;
        day = static_cast<std::int16_t>(day + 1);
    }
}

}  // namespace nv
