#include "engine/validation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "common/case_names.h"
#include "common/test_inputs.h"
#include "engine/simulation.h"
#include "support/random_source.h"
#include "ui/toolkit/memory_grid.h"

namespace nv {
namespace {

using test::PrintTo;

using test::distributionOf;
using test::runInputs;
using test::units;

constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();
// Adds to 1, but 30 x curFreq1 cannot be represented.
constexpr std::array<std::int64_t, 5> kHugeMean = {kInt64Max / 20, 0, 0, 0,
                                                   10'000 - kInt64Max / 20};

// ---- The three checks of the Run command, in order ----------------------

struct OrderCase {
    const char *name;
    std::array<std::int64_t, 5> freq;
    const char *runs;
    const char *price;
    const char *cost;
    bool yesterday;
    bool annual;
    std::optional<Refusal> expected;
};

class ValidationOrderTest : public ::testing::TestWithParam<OrderCase> {};

TEST_P(ValidationOrderTest, FirstFailingCheckAnswers) {
    const OrderCase &c = GetParam();
    EXPECT_EQ(
        validateParameters(distributionOf(c.freq), c.runs, c.price, c.cost, c.yesterday, c.annual),
        c.expected);
}

constexpr std::array<std::int64_t, 5> kNone = {0, 0, 0, 0, 0};
constexpr std::array<std::int64_t, 5> kFifths = {2000, 2000, 2000, 2000, 2000};

INSTANTIATE_TEST_SUITE_P(
    Checks, ValidationOrderTest,
    ::testing::Values(
        // Check 1 masks the other two.
        OrderCase{"noFrequencyMasksAll", kNone, "", "", "", false, false,
                  Refusal::FrequenciesNotOne},
        OrderCase{"justShort",
                  {3333, 3333, 3333, 0, 0},
                  "250",
                  "4.60",
                  "2.20",
                  true,
                  false,
                  Refusal::FrequenciesNotOne},
        OrderCase{"justOver",
                  {3333, 3333, 3335, 0, 0},
                  "250",
                  "4.60",
                  "2.20",
                  true,
                  false,
                  Refusal::FrequenciesNotOne},
        OrderCase{"thirdsPass",
                  {3333, 3333, 3334, 0, 0},
                  "250",
                  "4.60",
                  "2.20",
                  true,
                  false,
                  std::nullopt},
        OrderCase{"fifthsPass", kFifths, "250", "4.60", "2.20", false, true, std::nullopt},
        OrderCase{"negativeAddingToOne",
                  {15000, -5000, 0, 0, 0},
                  "1",
                  "1",
                  "1",
                  true,
                  false,
                  std::nullopt},
        // Check 2 masks check 3; any one empty text fails.
        OrderCase{"emptyPrice", kFifths, "250", "", "2.20", true, false, Refusal::MissingParameter},
        OrderCase{"emptyRuns", kFifths, "", "4.60", "2.20", true, false, Refusal::MissingParameter},
        OrderCase{"emptyCostNoPolicy", kFifths, "250", "4.60", "", false, false,
                  Refusal::MissingParameter},
        // Only emptiness counts here.
        OrderCase{"blanksAndLettersPass", kFifths, " ", "abc", "-", true, false, std::nullopt},
        OrderCase{"noPolicy", kFifths, "250", "4.60", "2.20", false, false,
                  Refusal::NoOrderPolicy}),
    test::CaseName{});

TEST(ValidationOrderTest, UnrepresentableFrequencyFailsTheSum) {
    DemandDistribution d = distributionOf({10000, 0, 0, 0, 0});
    d.setFrequency(4, std::nullopt);
    EXPECT_EQ(validateParameters(d, "250", "4.60", "2.20", true, false),
              Refusal::FrequenciesNotOne);
    // A partial sum out of range, too.
    EXPECT_EQ(validateParameters(distributionOf({kInt64Max, 1, -kInt64Max, 0, 0}), "250", "4.60",
                                 "2.20", true, false),
              Refusal::FrequenciesNotOne);
}

// ---- Accepted runs: what the record holds ---------------------------------

struct AcceptCase {
    const char *name;
    const char *runs;
    const char *price;
    const char *cost;
    OrderPolicy policy;
    std::int16_t days;
    std::int32_t gridRows;
};

class AcceptedRunTest : public ::testing::TestWithParam<AcceptCase> {};

TEST_P(AcceptedRunTest, RecordHoldsDaysAndRows) {
    const AcceptCase &c = GetParam();
    const auto checked = checkRun(runInputs(test::kBellShaped, c.runs, c.price, c.cost, c.policy));
    ASSERT_TRUE(checked.ok()) << refusalMessage(checked.error());
    EXPECT_EQ(checked->days, c.days);
    EXPECT_EQ(checked->gridRows, c.gridRows);
}

INSTANTIATE_TEST_SUITE_P(
    RunsTexts, AcceptedRunTest,
    ::testing::Values(
        AcceptCase{"listed100", "100", "4.60", "2.20", OrderPolicy::Yesterday, 100, 101},
        AcceptCase{"largest", "32766", "4.60", "2.20", OrderPolicy::Yesterday, 32766, 32767},
        AcceptCase{"zero", "0", "4.60", "2.20", OrderPolicy::Yesterday, 0, 1},
        AcceptCase{"smallNegative", "-0.4", "4.60", "2.20", OrderPolicy::Annual, 0, 1},
        AcceptCase{"fractionBelowHalf", "250.4", "4.60", "2.20", OrderPolicy::Yesterday, 250, 251},
        AcceptCase{"blanksAround", " 100 ", "4.60", "2.20", OrderPolicy::Yesterday, 100, 101},
        AcceptCase{"exponent", "1e2", "4.60", "2.20", OrderPolicy::Yesterday, 100, 101},
        // The reach of the amounts, just inside: 1000 x 70 x 13e9 < 922e12.
        AcceptCase{"largePrice", "1000", "13000000000", "2.20", OrderPolicy::Yesterday, 1000, 1001},
        AcceptCase{"largeCostOneDay", "1", "4.60", "10000000000000", OrderPolicy::Annual, 1, 2},
        // Without days no amount is computed.
        AcceptCase{"hugePriceNoDays", "0", "900000000000000", "2.20", OrderPolicy::Yesterday, 0,
                   1}),
    test::CaseName{});

TEST(AcceptedRunTest, RecordHoldsConvertedAmounts) {
    const auto annual =
        checkRun(runInputs(test::kTextbook, "250", "4.30", "2.60", OrderPolicy::Annual));
    ASSERT_TRUE(annual.ok());
    EXPECT_EQ(annual->price, units(43'000));
    EXPECT_EQ(annual->cost, units(26'000));
    EXPECT_EQ(annual->meanDemand, units(485'000));
    EXPECT_DOUBLE_EQ(annual->runs, 250.0);
    EXPECT_EQ(annual->policy, OrderPolicy::Annual);
    EXPECT_EQ(annual->distribution, distributionOf(test::kTextbook));

    // Under Yesterday's Demand a mean that cannot be represented is not used.
    const auto yesterday =
        checkRun(runInputs(kHugeMean, "10", "4.60", "2.20", OrderPolicy::Yesterday));
    ASSERT_TRUE(yesterday.ok());
    EXPECT_EQ(yesterday->meanDemand, Currency{});
    EXPECT_EQ(yesterday->policy, OrderPolicy::Yesterday);
}

// ---- Refused runs: one message, nothing else changes ----------------------

struct ViewState {
    std::vector<ui::MemoryGrid::Row> rows;
    long writes = 0;
    float progress = 0;
    long progressSets = 0;
    bool showEnabled = false;
    bool busy = false;
    int busyCalls = 0;
    std::size_t drawsUsed = 0;
    friend bool operator==(const ViewState &, const ViewState &) = default;
};

ViewState snapshot(const ui::MemoryRunViews &v, const SequenceSource &random) {
    return ViewState{
        v.grid.rows(),           v.grid.writes(),  v.progress.value(),    v.progress.sets(),
        v.showResults.enabled(), v.pointer.busy(), v.pointer.busyCalls(), random.used()};
}

struct RefusalCase {
    const char *name;
    RunInputs in;
    Refusal refusal;
    const char *message;
};

class RefusedRunTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RefusedRunTest, ShowsItsMessageAndChangesNothing) {
    const RefusalCase &c = GetParam();
    EXPECT_EQ(refusalMessage(c.refusal), c.message);

    // The views as a completed 3-day run and a click on Show Results left them.
    ui::MemoryRunViews views;
    ui::RunViews runViews = views.views();
    ui::RecordingMessages messages;
    SequenceSource random({0.2f, 0.5f, 0.8f, 0.1f, 0.1f});
    const auto completed =
        checkAndRun(runInputs(test::kBellShaped, "3", "4.60", "2.20", OrderPolicy::Yesterday),
                    runViews, messages, random, NumberLocale{});
    // The record the run used comes back with it.
    ASSERT_TRUE(completed.ok());
    EXPECT_EQ(completed->days, 3);
    EXPECT_EQ(completed->price, Currency::fromUnits(46000));
    views.showResults.setEnabled(false);
    views.progress.setValue(0);
    const ViewState before = snapshot(views, random);

    const auto checked = checkRun(c.in);
    ASSERT_FALSE(checked.ok());
    EXPECT_EQ(checked.error(), c.refusal);

    const auto refused = checkAndRun(c.in, runViews, messages, random, NumberLocale{});
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error(), c.refusal);
    EXPECT_EQ(messages.messages(), std::vector<std::string>{c.message});
    EXPECT_TRUE(snapshot(views, random) == before);
}

RunInputs yesterday(const char *runs, const char *price = "4.60", const char *cost = "2.20") {
    return runInputs(test::kBellShaped, runs, price, cost, OrderPolicy::Yesterday);
}
RunInputs annual(const char *runs, const char *price = "4.60", const char *cost = "2.20",
                 const std::array<std::int64_t, 5> &freq = test::kBellShaped) {
    return runInputs(freq, runs, price, cost, OrderPolicy::Annual);
}
RunInputs withoutPolicy() {
    RunInputs in = yesterday("250");
    in.yesterdaySelected = false;
    return in;
}

constexpr const char *kRunsRange = "Number of Runs must be from 0 to 32766";
constexpr const char *kTooLarge = "Price and Cost are too large for this Number of Runs";

INSTANTIATE_TEST_SUITE_P(
    Refusals, RefusedRunTest,
    ::testing::Values(
        RefusalCase{"frequencies", runInputs(kNone, "", "", "", OrderPolicy::Yesterday),
                    Refusal::FrequenciesNotOne, "Relative Frequencies must add to 1.00"},
        RefusalCase{"missingText", yesterday("250", ""), Refusal::MissingParameter,
                    "You must supply values for all parameters"},
        RefusalCase{"noPolicy", withoutPolicy(), Refusal::NoOrderPolicy,
                    "You must select an Order Policy"},
        // Cost is read before price.
        RefusalCase{"costNotNumber", yesterday("250", "x", "2,20"), Refusal::CostNotANumber,
                    "Cost must be a number"},
        RefusalCase{"costBlank", yesterday("250", "4.60", " "), Refusal::CostNotANumber,
                    "Cost must be a number"},
        RefusalCase{"costOutOfRange", yesterday("250", "x", "1e15"), Refusal::CostOutOfRange,
                    "Cost is out of range"},
        RefusalCase{"priceNotNumber", yesterday("x", "4.30$"), Refusal::PriceNotANumber,
                    "Price must be a number"},
        RefusalCase{"priceOutOfRange", yesterday("x", "-1e16"), Refusal::PriceOutOfRange,
                    "Price is out of range"},
        // The mean is checked before Number of Runs.
        RefusalCase{"meanOutOfRange", annual("abc", "4.60", "2.20", kHugeMean),
                    Refusal::MeanOutOfRange, "The mean daily demand is out of range"},
        RefusalCase{"runsLetters", yesterday("abc"), Refusal::RunsNotANumber,
                    "Number of Runs must be a number"},
        RefusalCase{"runsGrouped", yesterday("1,000"), Refusal::RunsNotANumber,
                    "Number of Runs must be a number"},
        RefusalCase{"runsCounterWouldPass", yesterday("32767"), Refusal::RunsOutOfRange,
                    kRunsRange},
        RefusalCase{"runsBeyond16Bits", yesterday("32768"), Refusal::RunsOutOfRange, kRunsRange},
        RefusalCase{"runsRoundsTo32767", yesterday("32766.6"), Refusal::RunsOutOfRange, kRunsRange},
        RefusalCase{"runsNoHeaderRow", yesterday("-0.5"), Refusal::RunsOutOfRange, kRunsRange},
        RefusalCase{"runsNegative", yesterday("-1"), Refusal::RunsOutOfRange, kRunsRange},
        RefusalCase{"runsBeyond32Bits", yesterday("1e10"), Refusal::RunsOutOfRange, kRunsRange},
        RefusalCase{"runsBeyondDouble", yesterday("1e400"), Refusal::RunsOutOfRange, kRunsRange},
        RefusalCase{"runsOddHalf", yesterday("1.5"), Refusal::RunsNotWhole,
                    "Number of Runs must be a whole number"},
        RefusalCase{"runsOtherOddHalf", yesterday("3.5"), Refusal::RunsNotWhole,
                    "Number of Runs must be a whole number"},
        // 2 days and round(3.5) = 4 rows: row 3 would keep an earlier run's cells.
        RefusalCase{"runsEvenHalf", yesterday("2.5"), Refusal::RunsNotWhole,
                    "Number of Runs must be a whole number"},
        RefusalCase{"runsHalfNoDays", yesterday("0.5"), Refusal::RunsNotWhole,
                    "Number of Runs must be a whole number"},
        RefusalCase{"priceTooLarge", yesterday("1000", "14000000000"), Refusal::AmountsOutOfRange,
                    kTooLarge},
        RefusalCase{"negativePriceTooLarge", yesterday("1000", "-14000000000"),
                    Refusal::AmountsOutOfRange, kTooLarge},
        RefusalCase{"priceTooLargeForOneDay", yesterday("1", "900000000000000"),
                    Refusal::AmountsOutOfRange, kTooLarge},
        RefusalCase{"costTooLargeForTwoDays", annual("2", "4.60", "10000000000000"),
                    Refusal::AmountsOutOfRange, kTooLarge}),
    test::CaseName{});

TEST(RefusalMessageTest, EveryRefusalHasItsOwnText) {
    std::vector<std::string> texts;
    for (int i = 0; i <= static_cast<int>(Refusal::AmountsOutOfRange); ++i) {
        const std::string_view text = refusalMessage(static_cast<Refusal>(i));
        EXPECT_FALSE(text.empty()) << i;
        texts.emplace_back(text);
    }
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(std::adjacent_find(texts.begin(), texts.end()), texts.end());
}

}  // namespace
}  // namespace nv
