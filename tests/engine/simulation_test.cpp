#include "engine/simulation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "common/case_names.h"
#include "common/test_inputs.h"
#include "engine/validation.h"
#include "support/random_source.h"
#include "ui/toolkit/memory_grid.h"

namespace nv {
namespace {

using test::PrintTo;

using test::runInputs;
using test::units;
using Row = ui::MemoryGrid::Row;

// Draws that pick each class under the bell-shaped distribution (bounds 0.1,
// 0.3, 0.7, 0.9).
float drawFor(std::int64_t demand) {
    switch (demand) {
        case 30:
            return 0.05f;
        case 40:
            return 0.2f;
        case 50:
            return 0.5f;
        case 60:
            return 0.8f;
        default:
            return 0.95f;
    }
}

std::vector<float> drawsFor(const std::vector<std::int64_t> &demands) {
    std::vector<float> draws;
    for (std::int64_t d : demands) {
        draws.push_back(drawFor(d));
    }
    return draws;
}

// Runs the Run command on fresh views with a fixed sequence of draws.
struct Harness {
    ui::MemoryRunViews views;
    ui::RecordingMessages messages;

    RunOutcome run(const RunInputs &in, SequenceSource &random) {
        ui::RunViews v = views.views();
        return startRun(in, v, messages, random, NumberLocale{});
    }
    RunOutcome run(const RunInputs &in, const std::vector<float> &draws) {
        SequenceSource random(draws);
        const RunOutcome outcome = run(in, random);
        EXPECT_FALSE(random.overrun());
        EXPECT_EQ(random.used(), random.size()) << "one draw per day";
        return outcome;
    }
};

// ---- The rows of worked days ---------------------------------------------

struct RowsCase {
    const char *name;
    OrderPolicy policy;
    std::array<std::int64_t, 5> freq;
    const char *price;
    const char *cost;
    std::vector<float> draws;
    std::vector<Row> rows;  // rows 1 and up
};

class DayRowsTest : public ::testing::TestWithParam<RowsCase> {};

TEST_P(DayRowsTest, CellsReadAsFormatted) {
    const RowsCase &c = GetParam();
    Harness h;
    const std::string runs = std::to_string(c.rows.size());
    ASSERT_EQ(h.run(runInputs(c.freq, runs, c.price, c.cost, c.policy), c.draws),
              RunOutcome::Completed);
    ASSERT_EQ(h.views.grid.rowCount(), static_cast<int>(c.rows.size()) + 1);
    for (std::size_t d = 0; d < c.rows.size(); ++d) {
        EXPECT_EQ(h.views.grid.rows()[d + 1], c.rows[d]) << "day " << d + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Worked, DayRowsTest,
    ::testing::Values(
        RowsCase{"yesterdayTwoDays",
                 OrderPolicy::Yesterday,
                 test::kBellShaped,
                 "4.50",
                 "2.20",
                 drawsFor({40, 60}),
                 {{"1", "40", "50", "40", "$70", "$70"}, {"2", "60", "40", "40", "$92", "$162"}}},
        // Order 48.5 every day; bounds 0.15, 0.40, 0.70, 0.90.
        RowsCase{"annualHalfOrder",
                 OrderPolicy::Annual,
                 test::kTextbook,
                 "4.50",
                 "2.20",
                 {0.5f, 0.05f},
                 {{"1", "50", "49", "49", "$112", "$112"}, {"2", "30", "49", "30", "$28", "$140"}}},
        // Day 2 orders day 1's demand 60 and sells 30: 132 - 132 = 0.
        RowsCase{"profitZeroShowsDollarAlone",
                 OrderPolicy::Yesterday,
                 test::kBellShaped,
                 "4.40",
                 "2.20",
                 drawsFor({60, 30}),
                 {{"1", "60", "50", "50", "$110", "$110"}, {"2", "30", "60", "30", "$", "$110"}}},
        // Day 2: 30 x 4.30 - 70 x 2.60 = -53.
        RowsCase{"negativeProfit",
                 OrderPolicy::Yesterday,
                 test::kBellShaped,
                 "4.30",
                 "2.60",
                 drawsFor({70, 30}),
                 {{"1", "70", "50", "50", "$85", "$85"}, {"2", "30", "70", "30", "-$53", "$32"}}},
        // Every draw gives 70; 70 x 2.10 - 70 x 4.90 = -196 a day, grouped.
        RowsCase{"lossesGrouped",
                 OrderPolicy::Annual,
                 {0, 0, 0, 0, 10000},
                 "2.10",
                 "4.90",
                 std::vector<float>(6, 0.0f),
                 {{"1", "70", "70", "70", "-$196", "-$196"},
                  {"2", "70", "70", "70", "-$196", "-$392"},
                  {"3", "70", "70", "70", "-$196", "-$588"},
                  {"4", "70", "70", "70", "-$196", "-$784"},
                  {"5", "70", "70", "70", "-$196", "-$980"},
                  {"6", "70", "70", "70", "-$196", "-$1,176"}}},
        // The cumulative profit adds the unrounded daily amounts: 0.399 a
        // day shows "$", but two of them make 0.798, "$1".
        RowsCase{"cumulativeAddsUnrounded",
                 OrderPolicy::Annual,
                 {10000, 0, 0, 0, 0},
                 "2.2133",
                 "2.20",
                 {0.1f, 0.2f, 0.3f},
                 {{"1", "30", "30", "30", "$", "$"},
                  {"2", "30", "30", "30", "$", "$1"},
                  {"3", "30", "30", "30", "$", "$1"}}}),
    test::CaseName{});

TEST(SimulateDayTest, ProductsRoundToFourDecimals) {
    // 48.5 x 2.2133 = 107.34505 rounds to 107.3450; 48.5 x 2.20 = 106.7.
    const auto day =
        simulateDay(3, units(485'000), units(700'000), units(22'133), units(22'000), units(10'000));
    ASSERT_TRUE(day.has_value());
    EXPECT_EQ(day->day, 3);
    EXPECT_EQ(day->sales, units(485'000));
    EXPECT_EQ(day->dailyProfit, units(6'450));
    EXPECT_EQ(day->cumulativeProfit, units(16'450));
}

TEST(SimulateDayTest, OverflowIsReportedNotWrapped) {
    const Currency max = Currency::max();
    EXPECT_FALSE(simulateDay(1, units(500'000), units(500'000), max, units(0), units(0)));
    EXPECT_FALSE(
        simulateDay(1, units(500'000), units(500'000), units(10'000), units(0), max).has_value());
    EXPECT_TRUE(simulateDay(1, units(500'000), units(500'000), units(10'000), units(0),
                            units(max.units() - 500'000))
                    .has_value());
}

// ---- Grid rows, progress, completion -------------------------------------

TEST(RunGridTest, DayThousandIsGrouped) {
    Harness h;
    ASSERT_EQ(h.run(runInputs(test::kBellShaped, "1000", "4.60", "2.20", OrderPolicy::Yesterday),
                    std::vector<float>(1000, 0.5f)),
              RunOutcome::Completed);
    EXPECT_EQ(h.views.grid.rowCount(), 1001);
    EXPECT_EQ(h.views.grid.cell(999, 0), "999");
    EXPECT_EQ(h.views.grid.cell(1000, 0), "1,000");
    EXPECT_EQ(h.views.grid.cell(1000, 5), "$120,000");  // 50 x 4.60 - 50 x 2.20 a day
}

TEST(RunGridTest, ShorterRunDropsLeftoverRows) {
    Harness h;
    const auto in = [](const char *runs) {
        return runInputs(test::kBellShaped, runs, "4.60", "2.20", OrderPolicy::Yesterday);
    };
    ASSERT_EQ(h.run(in("1000"), std::vector<float>(1000, 0.95f)), RunOutcome::Completed);
    ASSERT_EQ(h.run(in("100"), std::vector<float>(100, 0.05f)), RunOutcome::Completed);
    EXPECT_EQ(h.views.grid.rowCount(), 101);
    EXPECT_EQ(h.views.grid.cell(100, 0), "100");
    EXPECT_EQ(h.views.grid.cell(100, 1), "30");
    EXPECT_EQ(h.views.grid.cell(2, 2), "30");  // ordered after this run's day 1
}

TEST(RunGridTest, RunWithoutDaysKeepsOnlyTheHeaderRow) {
    Harness h;
    h.views.progress.setValue(37.0f);
    SequenceSource random({0.5f});
    ASSERT_EQ(
        h.run(runInputs(test::kBellShaped, "0", "4.60", "2.20", OrderPolicy::Yesterday), random),
        RunOutcome::Completed);
    EXPECT_EQ(h.views.grid.rowCount(), 1);
    EXPECT_EQ(h.views.grid.writes(), 0);
    EXPECT_EQ(h.views.progress.sets(), 1);  // only the 37 above
    EXPECT_EQ(h.views.progress.value(), 37.0f);
    EXPECT_TRUE(h.views.showResults.enabled());
    EXPECT_FALSE(h.views.pointer.busy());
    EXPECT_EQ(h.views.pointer.busyCalls(), 1);
    EXPECT_EQ(random.used(), 0u);
}

TEST(RunGridTest, LargestRunFillsEveryRow) {
    Harness h;
    ASSERT_EQ(h.run(runInputs(test::kBellShaped, "32766", "4.60", "2.20", OrderPolicy::Annual),
                    std::vector<float>(32766, 0.5f)),
              RunOutcome::Completed);
    EXPECT_EQ(h.views.grid.rowCount(), 32767);
    EXPECT_EQ(h.views.grid.cell(32766, 0), "32,766");
    EXPECT_EQ(h.views.grid.writes(), 6L * 32766);
    EXPECT_EQ(h.views.progress.value(), 100.0f);
}

TEST(RunGridTest, LargestAcceptedAmountsRunToTheEnd) {
    // 50 x 13e9 on day 1, then 70 x 13e9 a day: 909,740,000,000,000 after 1000 days.
    Harness h;
    ASSERT_EQ(
        h.run(runInputs({0, 0, 0, 0, 10000}, "1000", "13000000000", "0", OrderPolicy::Yesterday),
              std::vector<float>(1000, 0.0f)),
        RunOutcome::Completed);
    EXPECT_EQ(h.views.grid.cell(1000, 5), "$909,740,000,000,000");
    EXPECT_EQ(h.views.grid.writes(), 6000);
}

TEST(RunGridTest, ConsecutiveRunsContinueOneSequence) {
    Harness h;
    SequenceSource random(drawsFor({30, 40, 50, 60, 70}));
    const auto in = runInputs(test::kBellShaped, "2", "4.60", "2.20", OrderPolicy::Yesterday);
    ASSERT_EQ(h.run(in, random), RunOutcome::Completed);
    ASSERT_EQ(h.run(in, random), RunOutcome::Completed);
    EXPECT_EQ(random.used(), 4u);
    EXPECT_EQ(h.views.grid.cell(1, 1), "50");
    EXPECT_EQ(h.views.grid.cell(1, 2), "50");  // yesterday's demand starts again at 50
    EXPECT_EQ(h.views.grid.cell(2, 1), "60");
    EXPECT_EQ(h.views.pointer.busyCalls(), 2);
}

// Records every value the bar is given.
class ProgressLog final : public ui::ProgressBar {
public:
    void setValue(float value) override { values.push_back(value); }
    std::vector<float> values;
};

std::vector<float> progressOf(const char *runs, std::size_t days) {
    ui::MemoryGrid grid;
    ProgressLog progress;
    ui::RecordingButton show;
    ui::RecordingPointer pointer;
    ui::RunViews views{grid, progress, show, pointer};
    ui::RecordingMessages messages;
    SequenceSource random(std::vector<float>(days, 0.5f));
    EXPECT_EQ(startRun(runInputs(test::kBellShaped, runs, "4.60", "2.20", OrderPolicy::Yesterday),
                       views, messages, random, NumberLocale{}),
              RunOutcome::Completed);
    EXPECT_EQ(random.used(), days);
    return progress.values;
}

TEST(ProgressTest, AdvancesOncePerDayToHundred) {
    const std::vector<float> values = progressOf("250", 250);
    ASSERT_EQ(values.size(), 250u);
    EXPECT_EQ(values.front(), 0.4f);
    EXPECT_EQ(values[124], 50.0f);
    EXPECT_EQ(values.back(), 100.0f);
    for (std::size_t i = 1; i < values.size(); ++i) {
        ASSERT_LT(values[i - 1], values[i]);
    }
}

TEST(ProgressTest, FractionalRunsDivideTheDays) {
    // 2 days out of 2.4 runs.
    const std::vector<float> values = progressOf("2.4", 2);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_NEAR(values[0], 41.66667f, 1e-4f);
    EXPECT_NEAR(values[1], 83.33333f, 1e-4f);
    EXPECT_NEAR(progressOf("250.4", 250).back(), 99.84026f, 1e-4f);
}

TEST(ProgressTest, NeverPassesTheBarsRange) {
    // "0.6" is one day for 0.6 runs, "100.6" is 101 days for 100.6 runs.
    EXPECT_EQ(progressOf("0.6", 1), std::vector<float>{100.0f});
    const std::vector<float> values = progressOf("100.6", 101);
    ASSERT_EQ(values.size(), 101u);
    EXPECT_LT(values[99], 100.0f);
    EXPECT_EQ(values.back(), 100.0f);
}

TEST(FormatDayRowTest, UsesTheLocalesGroupSeparator) {
    DayResult day;
    day.day = 1234;
    day.demand = units(700'000);
    day.order = units(485'000);
    day.sales = units(485'000);
    day.dailyProfit = units(-12'345'678'9);
    day.cumulativeProfit = units(15'000'000);
    std::array<CellText, 6> cells;
    cells[4].append("stale");
    formatDayRow(day, NumberLocale{"\u202f", ","}, cells);
    std::vector<std::string> texts;
    for (const CellText &cell : cells) {
        texts.emplace_back(cell.view());
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"1\u202f234", "70", "49", "49", "-$12\u202f346",
                                               "$1\u202f500"}));
}

}  // namespace
}  // namespace nv
