// "newsvendor-run analyze" in one process: it refuses what a run refuses with
// the run's own message, then what only the analysis refuses, then the
// replications out of range; and the seed decides the output.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "runner/analyze.h"
#include "runner/runner.h"

namespace nv::runner {
namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

Outcome runWith(const std::vector<std::string> &args, const std::string &input = {}) {
    std::vector<std::string_view> views(args.begin(), args.end());
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    Outcome outcome;
    outcome.status = runRunner(views, in, out, err, NumberLocale{});
    outcome.out = out.str();
    outcome.err = err.str();
    return outcome;
}

const std::vector<std::string> kValid = {"--freq", "0.1,0.2,0.4,0.2,0.1", "--seed", "3"};

std::vector<std::string> joined(std::vector<std::string> a, const std::vector<std::string> &b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// ---- The run's refusals, word for word --------------------------------------------

struct RefusalCase {
    const char *name;
    std::vector<std::string> args;  // parameter options; the policy is added below
    const char *policy;             // given to both; "": the run gets yesterday, analyze none
};

class AnalyzeRefusesAsTheRun : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(AnalyzeRefusesAsTheRun, WithTheRunsMessageAndStatus) {
    const std::string policy = GetParam().policy;
    const std::vector<std::string> policyArgs = {"--policy", policy.empty() ? "yesterday" : policy};
    const Outcome run = runWith(joined(joined(GetParam().args, policyArgs), {"--seed", "1"}));
    ASSERT_EQ(run.status, 1) << "the run itself must refuse: " << run.err;

    std::vector<std::string> analyzeArgs = joined({"analyze"}, GetParam().args);
    if (!policy.empty()) {
        analyzeArgs = joined(analyzeArgs, {"--policy", policy});
    }
    const Outcome analysis = runWith(joined(analyzeArgs, {"--seed", "1", "--replications", "0"}));
    EXPECT_EQ(analysis.status, 1);
    EXPECT_EQ(analysis.err, run.err);
    EXPECT_EQ(analysis.out, "");
}

const std::vector<std::string> kFreq = {"--freq", "0.1,0.2,0.4,0.2,0.1"};

INSTANTIATE_TEST_SUITE_P(
    Runner, AnalyzeRefusesAsTheRun,
    ::testing::Values(RefusalCase{"NoFrequencies", {}, ""},
                      RefusalCase{"EmptyRuns", joined(kFreq, {"--runs", ""}), ""},
                      RefusalCase{"CostNotANumber", joined(kFreq, {"--cost", "x"}), ""},
                      RefusalCase{"CostOutOfRange", joined(kFreq, {"--cost", "1e15"}), ""},
                      RefusalCase{"PriceNotANumber", joined(kFreq, {"--price", "4.30$"}), ""},
                      RefusalCase{"PriceOutOfRange", joined(kFreq, {"--price", "-1e16"}), "annual"},
                      RefusalCase{"RunsNotANumber", joined(kFreq, {"--runs", "abc"}), ""},
                      RefusalCase{"RunsAboveTheCounter", joined(kFreq, {"--runs", "32767"}), ""},
                      RefusalCase{"RunsHalf", joined(kFreq, {"--runs", "2.5"}), ""},
                      RefusalCase{"AmountsTooLarge",
                                  joined(kFreq, {"--price", "900000000000000", "--cost", "0"}), ""},
                      // Under Average Annual Demand the run orders the mean (here far below
                      // 0), so the run's own checks refuse the amounts; the same frequencies
                      // checked as for Yesterday's Demand reach the analysis's own check
                      // (AnalysisRefusals below).
                      RefusalCase{"AnnualOrderOutOfReach",
                                  {"--freq", "4000000000000,0,0,0,-3999999999999"},
                                  "annual"}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

// ---- The analysis's own refusals, after the run's checks ---------------------------------

struct AnalysisRefusalCase {
    const char *name;
    std::vector<std::string> args;  // after "analyze"
    std::string message;
};

class AnalysisRefusal : public ::testing::TestWithParam<AnalysisRefusalCase> {};

TEST_P(AnalysisRefusal, PrintsOnlyItsMessage) {
    const Outcome outcome = runWith(joined({"analyze"}, GetParam().args));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, GetParam().message + "\n");
    EXPECT_EQ(outcome.out, "");
}

const std::string kReplicationsRange = "Replications must be from 1 to 1,000,000";

INSTANTIATE_TEST_SUITE_P(
    Runner, AnalysisRefusal,
    ::testing::Values(
        AnalysisRefusalCase{"NegativeFrequency",
                            {"--freq", "4000000000000,0,0,0,-3999999999999"},
                            "Relative Frequencies must not be negative for the analysis"},
        AnalysisRefusalCase{"PriceZero", joined(kFreq, {"--price", "0", "--cost", "0"}),
                            "Price must be greater than 0 for the analysis"},
        AnalysisRefusalCase{"NoDays", joined(kFreq, {"--runs", "0"}),
                            "Number of Runs must be at least 1 for the analysis"},
        // The inputs are checked before the replications.
        AnalysisRefusalCase{"InputsBeforeReplications",
                            joined(kFreq, {"--runs", "0", "--replications", "0"}),
                            "Number of Runs must be at least 1 for the analysis"},
        AnalysisRefusalCase{"ZeroReplications", joined(kValid, {"--replications", "0"}),
                            kReplicationsRange},
        AnalysisRefusalCase{"BeyondInt64",
                            joined(kValid, {"--replications", "-99999999999999999999"}),
                            kReplicationsRange}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

// The words of the table's line that starts with label, after the label.
std::vector<std::string> cellsAfter(const std::string &table, const std::string &label) {
    const std::size_t start = table.find("\n  " + label + " ");
    if (start == std::string::npos) {
        ADD_FAILURE() << "no line " << label << " in\n" << table;
        return {};
    }
    const std::size_t from = start + 3 + label.size();
    std::istringstream line(table.substr(from, table.find('\n', from) - from));
    std::vector<std::string> cells;
    for (std::string cell; line >> cell;) {
        cells.push_back(cell);
    }
    return cells;
}

TEST(AnalyzeInProcess, OneReplicationHasNoSpread) {
    const Outcome one = runWith(joined({"analyze"}, joined(kValid, {"--replications", "1"})));
    EXPECT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(one.err, "");
    EXPECT_EQ(cellsAfter(one.out, "Replications"), std::vector<std::string>{"1"});
    // No standard deviation and no interval for any rule.
    const std::vector<std::string> none = {"-", "-", "-"};
    EXPECT_EQ(cellsAfter(one.out, "Standard deviation of total profit ($)"), none);
    EXPECT_EQ(cellsAfter(one.out, "95% interval of the mean total profit ($)"), none);
    EXPECT_EQ(cellsAfter(one.out, "Paired 95% interval of the mean difference ($)"), none);
}

TEST(AnalyzeInProcess, TheTableShowsTheJsonFiguresForAPerson) {
    const std::vector<std::string> args = joined({"analyze", "--replications", "40"}, kValid);
    const Outcome table = runWith(args);
    ASSERT_EQ(table.status, 0) << table.err;
    for (const char *text :
         {"Comparing the ordering rules\n",
          "  Price ($)                                       4.60\n", "Best Fixed Order (50 units)",
          "Perfect Information",
          "  Expected fill rate (sales / demand)                  88.0%                  92.0%"}) {
        EXPECT_NE(table.out.find(text), std::string::npos) << text << "\n" << table.out;
    }
    EXPECT_EQ(table.out.find('\r'), std::string::npos);
}

TEST(AnalyzeInProcess, TheSeedAloneDecidesTheOutput) {
    const std::vector<std::string> args =
        joined({"analyze", "--format", "csv", "--replications", "300"}, kValid);
    const Outcome first = runWith(args);
    const Outcome second = runWith(args);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, second.out);
    const Outcome other = runWith({"analyze", "--format", "csv", "--replications", "300", "--freq",
                                   "0.1,0.2,0.4,0.2,0.1", "--seed", "4"});
    ASSERT_EQ(other.status, 0);
    EXPECT_NE(first.out, other.out);
}

TEST(AnalyzeInProcess, WithoutASeedTheClockSeedIsPrinted) {
    const Outcome outcome = runWith(
        {"analyze", "--freq", "0.1,0.2,0.4,0.2,0.1", "--replications", "2", "--format", "csv"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(outcome.out.find("\r\ninputs,,seed,"), std::string::npos);
    EXPECT_NE(outcome.out.find("\r\ninputs,,seed_from_clock,true,"), std::string::npos);
}

// ---- The progress line ---------------------------------------------------------------

using Clock = TerminalProgress::Clock;
Clock::time_point g_now;

Clock::time_point fakeNow() {
    return g_now;
}

void at(int milliseconds) {
    g_now = Clock::time_point{} + std::chrono::milliseconds(milliseconds);
}

TEST(TerminalProgress, ShowsNothingWhenNotEnabled) {
    std::ostringstream err;
    TerminalProgress progress(err, false, &fakeNow);
    for (int t = 0; t <= 10'000; t += 500) {
        at(t);
        EXPECT_FALSE(progress.report(t, 10'000));
    }
    EXPECT_EQ(err.str(), "");
}

TEST(TerminalProgress, ShowsNothingForAnAnalysisUnderASecond) {
    std::ostringstream err;
    TerminalProgress progress(err, true, &fakeNow);
    at(0);
    EXPECT_FALSE(progress.report(0, 100));
    at(900);
    EXPECT_FALSE(progress.report(90, 100));
    at(990);
    EXPECT_FALSE(progress.report(100, 100));
    EXPECT_EQ(err.str(), "");
}

TEST(TerminalProgress, ShowsTheCountsAFewTimesASecondThenErasesTheLine) {
    std::ostringstream err;
    TerminalProgress progress(err, true, &fakeNow);
    at(5'000);  // the clock need not start at zero
    EXPECT_FALSE(progress.report(0, 100'000));
    at(6'000);
    EXPECT_FALSE(progress.report(9'999, 100'000));
    at(6'100);
    EXPECT_FALSE(progress.report(12'000, 100'000));  // too soon after the last
    at(6'200);
    EXPECT_FALSE(progress.report(12'345, 100'000));
    at(6'250);
    EXPECT_FALSE(progress.report(100'000, 100'000));
    const std::string first = "Replications: 9,999 / 100,000";
    const std::string second = "Replications: 12,345 / 100,000";
    EXPECT_EQ(err.str(),
              "\r" + first + "\r" + second + "\r" + std::string(second.size(), ' ') + "\r");
}

// ---- Exact figures in json, for inputs whose doubles miss ----------------------

struct ExactFigure {
    const char *name;
    std::vector<std::string> args;
    const char *orders;  // standard input: a debrief's orders
    const char *group;   // the object holding the line; "": anywhere
    const char *line;    // a line of the json, without its indent
};

class ExactFigureInJson : public ::testing::TestWithParam<ExactFigure> {};

TEST_P(ExactFigureInJson, IsItsExactDecimal) {
    const ExactFigure &c = GetParam();
    const Outcome outcome = runWith(joined(c.args, {"--format", "json"}), c.orders);
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    std::string_view json = outcome.out;
    if (*c.group != '\0') {
        json.remove_prefix(std::min(json.size(), json.find('"' + std::string(c.group) + "\": {")));
        json = json.substr(0, json.find('}'));
    }
    EXPECT_NE(json.find(std::string(" ") + c.line + "\n"), std::string_view::npos) << outcome.out;
}

const std::vector<std::string> kBellAnalysis = {
    "analyze", "--freq", "0.1,0.2,0.4,0.2,0.1", "--replications", "2", "--seed", "3"};

INSTANTIATE_TEST_SUITE_P(
    Runner, ExactFigureInJson,
    ::testing::Values(
        // Doubles: 50.00000000000001, 25399.999999999996, 4600.000000000004.
        ExactFigure{"YesterdayOrder", kBellAnalysis, "", "yesterday", "\"daily_order\": 50,"},
        ExactFigure{"FixedTotal", kBellAnalysis, "", "fixed", "\"total_profit\": 25400,"},
        ExactFigure{"ValueOfInformation", kBellAnalysis, "", "", "\"value_of_information\": 4600"},
        // 656 / 7 does not end: rounded at the 18th place, not at a double's.
        ExactFigure{"WeekAverage", joined(kBellAnalysis, {"--runs", "7"}), "", "yesterday",
                    "\"daily_profit\": 93.714285714285714286,"},
        // Doubles: -60.94999999999993.
        ExactFigure{
            "DebriefLuck",
            {"debrief", "--freq", "0.15,0.25,0.30,0.20,0.10", "--seed", "7", "--orders", "-"},
            "48\n55\n60\n40\n50\n52\n47\n61\n33\n70\n",
            "player",
            "\"luck\": -60.95,"}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace nv::runner
