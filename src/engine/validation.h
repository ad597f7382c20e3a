// The checks a run makes before it starts, and the messages they answer with.
//
// validateParameters makes the three checks of the Run command, in order:
//   1. the stored frequencies, added in class order, are exactly 1;
//   2. none of the three list texts is empty;
//   3. an order policy is selected.
// checkRun makes those three and then the further checks that keep an
// accepted run from failing midway, in the order the run's preparation reads
// its inputs: cost, price, the mean daily demand (Average Annual Demand only),
// Number of Runs, and the reach of the run's amounts. It builds the
// SimulationParameters record when all pass.
#pragma once

#include <optional>
#include <string_view>

#include "engine/demand_distribution.h"
#include "engine/simulation_parameters.h"
#include "support/result.h"

namespace nv {

// Why a run or an analysis is not carried out: the run's own checks first,
// then those of the analyses. One type for every refusal, so a caller shows
// refusalMessage() whichever check refused.
enum class Refusal {
    FrequenciesNotOne,  // "Relative Frequencies must add to 1.00"
    MissingParameter,   // "You must supply values for all parameters"
    NoOrderPolicy,      // "You must select an Order Policy"
    CostNotANumber,     // "Cost must be a number"
    CostOutOfRange,     // "Cost is out of range"
    PriceNotANumber,    // "Price must be a number"
    PriceOutOfRange,    // "Price is out of range"
    MeanOutOfRange,     // "The mean daily demand is out of range" (Annual only)
    RunsNotANumber,     // "Number of Runs must be a number"
    // "Number of Runs must be from 0 to 32766": out of the double range, or
    // fewer than one grid row, or more than 32,766 days.
    RunsOutOfRange,
    // "Number of Runs must be a whole number": the rounded days and the
    // rounded rows (runs + 1) do not match, as for "1.5" or "2.5".
    RunsNotWhole,
    // "Price and Cost are too large for this Number of Runs": some daily
    // product, daily profit or the cumulative profit could leave the range.
    AmountsOutOfRange,

    // The analyses' checks, made after the run's.
    NegativeFrequency,       // "Relative Frequencies must not be negative for the analysis"
    PriceNotPositive,        // "Price must be greater than 0 for the analysis"
    NoDays,                  // "Number of Runs must be at least 1 for the analysis"
    ReplicationsOutOfRange,  // "Replications must be from 1 to 1,000,000"
    Cancelled,               // "The analysis was cancelled" (not a check: the user stopped it)

    // The order-quantity analysis's checks and the checks of its ranges (a
    // curve of orders, a sweep of one input).
    // "Cost must be greater than 0 for the order-quantity analysis": with a
    // negative cost the expected profit grows without bound as the order
    // grows; with a cost of 0 every order from the largest demand up is best,
    // so there is no largest best order.
    CostNotPositive,
    OrderNegative,    // "Order quantities must not be negative"
    RangeReversed,    // "The end of a range must not be below its start"
    StepNotPositive,  // "The step of a range must be greater than 0"
    TooManyPoints,    // "A range may hold at most 100,001 points"

    // Hand-simulation worksheets.
    WorksheetDaysOutOfRange,  // "A worksheet has from 1 to 1,000 days"
    // "Frequencies finer than hundredths need 4-digit random numbers": 2 digits asked for.
    WorksheetDigitsTooFew,

    // Playing the newsvendor.
    GameDaysOutOfRange,  // "The game must have from 1 to 365 days"
    OrderNotANumber,     // "The order must be a number"
    OrderOutOfRange,     // "The order must be a whole number from 0 to 1,000"
};

// The message text a refusal is shown with.
[[nodiscard]] std::string_view refusalMessage(Refusal refusal) noexcept;

// The three checks; nullopt when all pass.
[[nodiscard]] std::optional<Refusal> validateParameters(
    const DemandDistribution &frequencies, std::string_view runsText, std::string_view priceText,
    std::string_view costText, bool yesterdaySelected, bool annualSelected) noexcept;

// Every check, and the record of an accepted run.
[[nodiscard]] Result<SimulationParameters, Refusal> checkRun(const RunInputs &inputs) noexcept;

}  // namespace nv
