// The run proper: one row of the results grid per simulated day.
//
//     nv::SeededSource random(42);
//     auto checked = nv::checkRun(inputs);
//     if (checked) nv::runSimulation(*checked, views, random, nv::NumberLocale{});
//
// checkAndRun is the Run command's logic without the windows: the checks, the
// message of a refused run (which then changes nothing), the busy pointer,
// and the run; it hands back the checked record the run used, so that what
// comes after the run (the comparison of the ordering rules) starts from it
// instead of checking the same texts again. startRun tells only the outcome.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "engine/simulation_parameters.h"
#include "engine/validation.h"
#include "support/currency.h"
#include "support/number_format.h"
#include "support/random_source.h"
#include "support/result.h"
#include "ui/toolkit/views.h"

namespace nv {

struct DayResult {
    std::int16_t day = 0;
    Currency demand;
    Currency order;
    Currency sales;
    Currency dailyProfit;
    Currency cumulativeProfit;
    friend bool operator==(const DayResult &, const DayResult &) = default;
};

// One day's amounts: sales = min(demand, order), dailyProfit = sales x price
// - order x cost (Currency products), cumulativeProfit = before + daily.
// nullopt when an amount leaves the Currency range; checkRun guarantees that
// an accepted run never gets there.
[[nodiscard]] std::optional<DayResult> simulateDay(std::int16_t day, Currency order,
                                                   Currency demand, Currency price, Currency cost,
                                                   Currency cumulativeBefore) noexcept;

// The six cell texts of a day's row: "#,###" for day, demand, order, sales;
// "$#,###" for the two profits.
void formatDayRow(const DayResult &day, const NumberLocale &locale,
                  std::array<CellText, 6> &cells) noexcept;

// Runs the checked parameters: sets the grid's rows, writes every day's row,
// advances the progress bar, and at the end enables Show Results and puts the
// pointer back to the default. The caller has set the busy pointer.
void runSimulation(const SimulationParameters &parameters, ui::RunViews &views,
                   UniformSource &random, const NumberLocale &locale);

enum class RunOutcome { Completed, Refused };

// The Run command: checks, then either shows the refusal's message and
// returns the refusal with nothing else touched, or sets the busy pointer,
// runs, and returns the checked record of the completed run.
[[nodiscard]] Result<SimulationParameters, Refusal> checkAndRun(const RunInputs &inputs,
                                                                ui::RunViews &views,
                                                                ui::MessageSink &messages,
                                                                UniformSource &random,
                                                                const NumberLocale &locale);

// checkAndRun, told as Completed or Refused.
RunOutcome startRun(const RunInputs &inputs, ui::RunViews &views, ui::MessageSink &messages,
                    UniformSource &random, const NumberLocale &locale);

}  // namespace nv
