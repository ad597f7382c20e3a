// The checks of the Run command and the further checks that keep an accepted
// run inside the ranges of its 16-bit day counter, its grid and Currency.
#include "engine/validation.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

#include "support/text_conversion.h"
#include "support/wide_int.h"

namespace nv {

namespace {

struct RefusalText {
    Refusal refusal;
    std::string_view text;
};

// Every refusal's message, in the order of the enum.
constexpr auto kRefusalTexts = std::to_array<RefusalText>({
    {Refusal::FrequenciesNotOne, "Relative Frequencies must add to 1.00"},
    {Refusal::MissingParameter, "You must supply values for all parameters"},
    {Refusal::NoOrderPolicy, "You must select an Order Policy"},
    {Refusal::CostNotANumber, "Cost must be a number"},
    {Refusal::CostOutOfRange, "Cost is out of range"},
    {Refusal::PriceNotANumber, "Price must be a number"},
    {Refusal::PriceOutOfRange, "Price is out of range"},
    {Refusal::MeanOutOfRange, "The mean daily demand is out of range"},
    {Refusal::RunsNotANumber, "Number of Runs must be a number"},
    {Refusal::RunsOutOfRange, "Number of Runs must be from 0 to 32766"},
    {Refusal::RunsNotWhole, "Number of Runs must be a whole number"},
    {Refusal::AmountsOutOfRange, "Price and Cost are too large for this Number of Runs"},
    {Refusal::NegativeFrequency, "Relative Frequencies must not be negative for the analysis"},
    {Refusal::PriceNotPositive, "Price must be greater than 0 for the analysis"},
    {Refusal::NoDays, "Number of Runs must be at least 1 for the analysis"},
    {Refusal::ReplicationsOutOfRange, "Replications must be from 1 to 1,000,000"},
    {Refusal::Cancelled, "The analysis was cancelled"},
    {Refusal::CostNotPositive, "Cost must be greater than 0 for the order-quantity analysis"},
    {Refusal::OrderNegative, "Order quantities must not be negative"},
    {Refusal::RangeReversed, "The end of a range must not be below its start"},
    {Refusal::StepNotPositive, "The step of a range must be greater than 0"},
    {Refusal::TooManyPoints, "A range may hold at most 100,001 points"},
    {Refusal::WorksheetDaysOutOfRange, "A worksheet has from 1 to 1,000 days"},
    {Refusal::WorksheetDigitsTooFew,
     "Frequencies finer than hundredths need 4-digit random numbers"},
    {Refusal::GameDaysOutOfRange, "The game must have from 1 to 365 days"},
    {Refusal::OrderNotANumber, "The order must be a number"},
    {Refusal::OrderOutOfRange, "The order must be a whole number from 0 to 1,000"},
});

constexpr bool textsInEnumOrder() {
    for (std::size_t i = 0; i < kRefusalTexts.size(); ++i) {
        if (static_cast<std::size_t>(kRefusalTexts[i].refusal) != i) {
            return false;
        }
    }
    return true;
}
static_assert(textsInEnumOrder());

// The last day the 16-bit day counter can run: after it the counter still
// reaches days + 1 without passing 32,767.
constexpr std::int16_t kMaxDays = std::numeric_limits<std::int16_t>::max() - 1;

// The largest demand a day can draw, in ten-thousandths.
constexpr std::int64_t kMaxDemandUnits = kClassDemand.back() * Currency::kUnitsPerWhole;

// Wide enough for a product of two 64-bit magnitudes, and then some.
using Wide = UInt128;

constexpr Wide magnitude(Currency c) noexcept {
    return nv::magnitude(c.units());
}

// Whether every amount of a run of `days` days stays in the Currency range:
// each of the two daily products, the daily profit and the cumulative profit.
// maxOrder and maxSales are bounds on |order| and |sales| in ten-thousandths.
// A Currency product is rounded to four decimals, so each product's magnitude
// is at most floor(|a| x |b| / 10,000) + 1 in ten-thousandths.
bool amountsFit(std::int16_t days, Wide maxOrder, Wide maxSales, Currency price,
                Currency cost) noexcept {
    if (days < 1) {
        return true;
    }
    const Wide unitsPerWhole = static_cast<Wide>(Currency::kUnitsPerWhole);
    // Each operand is at most 2^63, so each product is at most 2^126 and the
    // sum of two at most 2^127: no overflow in 128 unsigned bits.
    const Wide revenue = maxSales * magnitude(price) / unitsPerWhole + 1;
    const Wide outlay = maxOrder * magnitude(cost) / unitsPerWhole + 1;
    const Wide daily = revenue + outlay;
    const Wide limit = static_cast<Wide>(std::numeric_limits<std::int64_t>::max());
    if (daily > limit) {
        return false;
    }
    // daily <= 2^63 and days < 2^15: the product fits.
    return daily * static_cast<Wide>(days) <= limit;
}

}  // namespace

std::string_view refusalMessage(Refusal refusal) noexcept {
    const auto index = static_cast<std::size_t>(refusal);
    if (index >= kRefusalTexts.size()) {
        return {};
    }
    return kRefusalTexts[index].text;
}

std::optional<Refusal> validateParameters(const DemandDistribution &frequencies,
                                          std::string_view runsText, std::string_view priceText,
                                          std::string_view costText, bool yesterdaySelected,
                                          bool annualSelected) noexcept {
    const std::optional<Currency> total = frequencies.total();
    if (!total || *total != Currency::fromUnits(Currency::kUnitsPerWhole)) {
        return Refusal::FrequenciesNotOne;
    }
    if (runsText.empty() || priceText.empty() || costText.empty()) {
        return Refusal::MissingParameter;
    }
    if (!yesterdaySelected && !annualSelected) {
        return Refusal::NoOrderPolicy;
    }
    return std::nullopt;
}

Result<SimulationParameters, Refusal> checkRun(const RunInputs &inputs) noexcept {
    if (const std::optional<Refusal> refusal =
            validateParameters(inputs.distribution, inputs.runsText, inputs.priceText,
                               inputs.costText, inputs.yesterdaySelected, inputs.annualSelected)) {
        return Failure{*refusal};
    }

    SimulationParameters parameters;
    parameters.distribution = inputs.distribution;
    parameters.policy = inputs.yesterdaySelected ? OrderPolicy::Yesterday : OrderPolicy::Annual;

    const Result<Currency, ConversionError> cost = parseCurrency(inputs.costText);
    if (!cost) {
        return Failure{cost.error() == ConversionError::NotANumber ? Refusal::CostNotANumber
                                                                   : Refusal::CostOutOfRange};
    }
    parameters.cost = *cost;

    const Result<Currency, ConversionError> price = parseCurrency(inputs.priceText);
    if (!price) {
        return Failure{price.error() == ConversionError::NotANumber ? Refusal::PriceNotANumber
                                                                    : Refusal::PriceOutOfRange};
    }
    parameters.price = *price;

    // Under Yesterday's Demand the mean is never used, so a mean that cannot
    // be represented does not stop the run.
    const std::optional<Currency> mean = inputs.distribution.mean();
    if (parameters.policy == OrderPolicy::Annual && !mean) {
        return Failure{Refusal::MeanOutOfRange};
    }
    parameters.meanDemand = mean.value_or(Currency{});

    const Result<double, ConversionError> runs = parseDouble(inputs.runsText);
    if (!runs) {
        return Failure{runs.error() == ConversionError::NotANumber ? Refusal::RunsNotANumber
                                                                   : Refusal::RunsOutOfRange};
    }
    parameters.runs = *runs;

    // The grid needs its header row.
    const Result<std::int32_t, ConversionError> gridRows = roundToInt32(*runs + 1.0);
    if (!gridRows || *gridRows < 1) {
        return Failure{Refusal::RunsOutOfRange};
    }
    parameters.gridRows = *gridRows;

    const Result<std::int16_t, ConversionError> days = parseInt16(inputs.runsText);
    if (!days || *days > kMaxDays) {
        return Failure{Refusal::RunsOutOfRange};
    }
    parameters.days = *days;

    // Both readings round half to even, so they part at an exact half: "1.5"
    // gives 2 days but round(2.5) = 2 rows, one of them the header, and day 2
    // would have no row; "2.5" gives 2 days but round(3.5) = 4 rows, and row
    // 3 would go on showing a cell of an earlier run.
    if (parameters.gridRows != static_cast<std::int32_t>(parameters.days) + 1) {
        return Failure{Refusal::RunsNotWhole};
    }

    // Under Yesterday's Demand the order is 50 on day 1 and a drawn demand
    // after, never above 70; under Average Annual Demand it is the mean. Sales
    // are the smaller of demand and order, so never above max(70, |order|).
    const Wide maxOrder = parameters.policy == OrderPolicy::Yesterday
                              ? static_cast<Wide>(kMaxDemandUnits)
                              : magnitude(parameters.meanDemand);
    const Wide maxSales = std::max(static_cast<Wide>(kMaxDemandUnits), maxOrder);
    if (!amountsFit(parameters.days, maxOrder, maxSales, parameters.price, parameters.cost)) {
        return Failure{Refusal::AmountsOutOfRange};
    }

    return parameters;
}

}  // namespace nv
