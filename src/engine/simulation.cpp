// The day loop: order, draw, sales, profits, one grid row and the progress
// value per simulated day.
#include "engine/simulation.h"

#include <cassert>
#include <cstdint>

#include "engine/validation.h"

namespace nv {

namespace {

constexpr std::int32_t kFirstOrder = 50;
constexpr float kProgressMax = 100.0f;

}  // namespace

std::optional<DayResult> simulateDay(std::int16_t day, Currency order, Currency demand,
                                     Currency price, Currency cost,
                                     Currency cumulativeBefore) noexcept {
    DayResult result;
    result.day = day;
    result.demand = demand;
    result.order = order;
    result.sales = demand <= order ? demand : order;
    // The checked operations without std::optional in between: this runs
    // once a simulated day.
    Currency revenue;
    Currency outlay;
    std::int64_t daily = 0;
    std::int64_t cumulative = 0;
    if (!checkedMultiplyTo(result.sales, price, revenue) ||
        !checkedMultiplyTo(order, cost, outlay) ||
        __builtin_sub_overflow(revenue.units(), outlay.units(), &daily) ||
        __builtin_add_overflow(cumulativeBefore.units(), daily, &cumulative)) {
        return std::nullopt;
    }
    result.dailyProfit = Currency::fromUnits(daily);
    result.cumulativeProfit = Currency::fromUnits(cumulative);
    return result;
}

void formatDayRow(const DayResult &day, const NumberLocale &locale,
                  std::array<CellText, 6> &cells) noexcept {
    // Each formatter replaces the text of its cell.
    formatWholeTo(Currency::fromCount(day.day), locale, cells[0]);
    formatWholeTo(day.demand, locale, cells[1]);
    formatWholeTo(day.order, locale, cells[2]);
    formatWholeTo(day.sales, locale, cells[3]);
    formatDollarsTo(day.dailyProfit, locale, cells[4]);
    formatDollarsTo(day.cumulativeProfit, locale, cells[5]);
}

void runSimulation(const SimulationParameters &parameters, ui::RunViews &views,
                   UniformSource &random, const NumberLocale &locale) {
    // Preparation. The texts were converted by the checks, before the busy
    // pointer went on.
    Currency yesterdaysDemand = Currency::fromCount(kFirstOrder);
    views.grid.setRowCount(parameters.gridRows);
    const std::int16_t days = parameters.days;
    Currency cumulativeProfit;

    // The checks guarantee a row for every day and a counter that never
    // passes 32,767; a record built by hand that breaks this stops at the
    // last row rather than writing outside the grid.
    assert(days < parameters.gridRows);
    assert(days < INT16_MAX);
    const std::int32_t lastRow = parameters.gridRows - 1;

    const DemandSampler sampler(parameters.distribution);
    std::array<CellText, 6> cells;

    for (std::int16_t day = 1; day <= days && day <= lastRow && day < INT16_MAX;
         day = static_cast<std::int16_t>(day + 1)) {
        const Currency order =
            parameters.policy == OrderPolicy::Yesterday ? yesterdaysDemand : parameters.meanDemand;
        const Currency demand = classDemand(sampler.sampleClass(random.next()));
        const std::optional<DayResult> result =
            simulateDay(day, order, demand, parameters.price, parameters.cost, cumulativeProfit);
        // checkRun bounds every amount of an accepted run.
        assert(result.has_value());
        if (!result) {
            break;
        }
        cumulativeProfit = result->cumulativeProfit;

        formatDayRow(*result, locale, cells);
        for (int column = 0; column < 6; ++column) {
            views.grid.setCellText(day, column, cells[static_cast<std::size_t>(column)].view());
        }

        yesterdaysDemand = demand;

        // day / runs x 100 in double, stored as float. A text such as "0.6"
        // gives one day for 0.6 runs; the bar's range ends at 100.
        const float progress =
            static_cast<float>(static_cast<double>(day) / parameters.runs * 100.0);
        views.progress.setValue(progress < kProgressMax ? progress : kProgressMax);
    }

    views.showResults.setEnabled(true);
    views.pointer.setDefault();
}

Result<SimulationParameters, Refusal> checkAndRun(const RunInputs &inputs, ui::RunViews &views,
                                                  ui::MessageSink &messages, UniformSource &random,
                                                  const NumberLocale &locale) {
    Result<SimulationParameters, Refusal> checked = checkRun(inputs);
    if (!checked) {
        messages.showInformation(refusalMessage(checked.error()));
        return checked;
    }
    views.pointer.setBusy();
    runSimulation(*checked, views, random, locale);
    return checked;
}

RunOutcome startRun(const RunInputs &inputs, ui::RunViews &views, ui::MessageSink &messages,
                    UniformSource &random, const NumberLocale &locale) {
    return checkAndRun(inputs, views, messages, random, locale) ? RunOutcome::Completed
                                                                : RunOutcome::Refused;
}

}  // namespace nv
