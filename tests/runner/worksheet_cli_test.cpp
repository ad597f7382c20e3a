// End-to-end tests of "newsvendor-run worksheet" through the real executable:
// the key worked out by hand, the blank sheet, the marking of a filled sheet,
// the scenario's defaults and the refusals, each with its exit status and
// both streams.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include <nlohmann/json.hpp>

#include "child_process.h"

namespace {

using nv::runner::testing::Outcome;
using nv::runner::testing::runExecutable;

// A file in the test's temporary folder, one per process: ctest runs the
// cases in parallel.
std::string tempFile(const std::string &name, const std::string &content) {
    const std::string path =
        ::testing::TempDir() + "worksheet_cli_" + std::to_string(::getpid()) + "_" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

const std::string kHint = "Run 'newsvendor-run worksheet --help' for more information.\n";
const std::string kCsvHeader =
    "day,random_number,demand,order,sales,daily_profit,cumulative_profit\r\n";
// Price 4.60, cost 2.20, Yesterday's Demand. Day 1: 07 is demand 30, order 50,
// 138.00 - 110.00 = 28.00. Day 2: 70 is demand 60 (not 50), order 30, sales
// 30, 138.00 - 66.00 = 72.00.
const std::string kNumbers = "07\n70\n";
const std::string kKey = kCsvHeader + "1,07,30,50,30,28,28\r\n2,70,60,30,30,72,100\r\n";
const std::string kStudentHeader = "day,demand,order,sales,daily_profit,cumulative_profit\n";

std::vector<std::string> sheet(std::vector<std::string> more) {
    std::vector<std::string> args = {
        "worksheet", "--freq", "0.1,0.2,0.4,0.2,0.1", "--policy", "yesterday", "--days", "2"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

struct SheetCase {
    const char *name;
    std::vector<std::string> args;
    std::string input;  // standard input
    int status;
    std::string out;  // the whole of standard output, or with outPart a part of it
    std::string err;
    bool outPart = false;
};

class WorksheetExecutable : public ::testing::TestWithParam<SheetCase> {};

TEST_P(WorksheetExecutable, ExitsWithItsStatusAndOutput) {
    const SheetCase &c = GetParam();
    const Outcome outcome = runExecutable(c.args, c.input);
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.err, c.err);
    if (c.outPart) {
        EXPECT_NE(outcome.out.find(c.out), std::string::npos) << outcome.out;
    } else {
        EXPECT_EQ(outcome.out, c.out);
    }
}

const std::string kNumbersFile = tempFile("numbers.txt", kNumbers);

INSTANTIATE_TEST_SUITE_P(
    Runner, WorksheetExecutable,
    ::testing::Values(
        SheetCase{"KeyByHand", sheet({"--random-numbers", "-", "--answers", "--format", "csv"}),
                  kNumbers, 0, kKey, ""},
        SheetCase{"BlankSheet", sheet({"--random-numbers", "-", "--format", "csv"}), kNumbers, 0,
                  kCsvHeader + "1,07,,,,,\r\n2,70,,,,,\r\n", ""},
        SheetCase{"KeyAsATable", sheet({"--random-numbers", "-", "--answers"}), kNumbers, 0,
                  "      2             70              60             30             30        "
                  "     72.00                 100.00\n",
                  "", true},
        SheetCase{"CheckAllRight", sheet({"--random-numbers", kNumbersFile, "--check", "-"}),
                  kStudentHeader + "1,30,50,30,$28.00,28\n2,60,30,30,72,$100\n", 0,
                  "  Score (cells right / cells marked)  100.0%\n  Wrong cells\n    Day  Column",
                  "", true},
        SheetCase{
            "CheckMarksThePlantedCell", sheet({"--random-numbers", kNumbersFile, "--check", "-"}),
            kStudentHeader + "1,30,50,30,28,28\n2,50,30,30,72,100\n", 1,
            "  Score (cells right / cells marked)  90.0%\n  Wrong cells\n"
            "    Day  Column  Written by the student  Right value (units; $ for the profits)\n"
            "      2  demand                      50                                      60\n",
            "", true},
        SheetCase{"NotADigitLine", sheet({"--random-numbers", "-"}), "07\n7x\n", 1, "",
                  "Line 2 of the random numbers is not a 2-digit number: 7x\n"},
        SheetCase{"TooFewNumbers",
                  {"worksheet", "--freq", "1,0,0,0,0", "--policy", "annual", "--runs", "3",
                   "--random-numbers", "-"},
                  kNumbers,
                  1,
                  "",
                  "The random numbers file has 2 numbers but the worksheet has 3 days\n"},
        SheetCase{"TwoDigitsTooFew",
                  {"worksheet", "--freq", "0.1234,0.2,0.4,0.2,0.0766", "--policy", "annual",
                   "--digits", "2"},
                  "",
                  1,
                  "",
                  "Frequencies finer than hundredths need 4-digit random numbers\n"},
        SheetCase{"RunsAndDays", sheet({"--runs", "2"}), "", 2, "",
                  "--runs and --days cannot be used together\n" + kHint},
        SheetCase{"NoDays",
                  {"worksheet", "--freq", "1,0,0,0,0", "--policy", "annual", "--days", "0"},
                  "",
                  1,
                  "",
                  "A worksheet has from 1 to 1,000 days\n"},
        SheetCase{"SeedAndNumbers", sheet({"--seed", "1", "--random-numbers", "-"}), kNumbers, 2,
                  "", "--seed and --random-numbers cannot be used together\n" + kHint},
        SheetCase{"UnreadableNumbers", sheet({"--random-numbers", "/nonexistent/n.txt"}), "", 2, "",
                  "Cannot read the random numbers file '/nonexistent/n.txt': No such file or "
                  "directory\n" +
                      kHint}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(WorksheetJson, HasTheDocumentedKeysAndNullsOnABlankSheet) {
    const Outcome outcome =
        runExecutable(sheet({"--random-numbers", "-", "--format", "json"}), kNumbers);
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const auto json = nlohmann::ordered_json::parse(outcome.out);
    EXPECT_EQ(json["format_version"], 1);
    EXPECT_EQ(json["digits"], 2);
    EXPECT_EQ(json["intervals"][2].dump(),
              R"({"demand":50,"frequency":0.4,"cumulative":0.7,"first":"30","last":"69"})");
    EXPECT_EQ(json["days"][1].dump(),
              R"({"day":2,"random_number":"70","demand":null,"order":null,"sales":null,)"
              R"("daily_profit":null,"cumulative_profit":null})");
}

TEST(WorksheetScenario, GivesTheSheetsDaysAndSeedUnlessOptionsWin) {
    const std::string scenario = tempFile(
        "s.nvscenario",
        R"({"format": "newsvendor-scenario", "format_version": 1, "runs": "250",)"
        R"( "price": "4.60", "cost": "2.20", "frequencies": ["0.1","0.2","0.4","0.2","0.1"],)"
        R"( "policy": "annual", "seed": 5, "worksheet_days": 3, "worksheet_seed": 77})");
    const auto csv = [](std::vector<std::string> args) {
        args.insert(args.begin(), {"worksheet", "--answers", "--format", "csv"});
        const Outcome outcome = runExecutable(args);
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        return outcome.out;
    };
    const std::string fromScenario = csv({"--scenario", scenario});
    EXPECT_EQ(fromScenario, csv({"--freq", "0.1,0.2,0.4,0.2,0.1", "--policy", "annual", "--days",
                                 "3", "--seed", "77"}));
    // Options win in any order.
    EXPECT_EQ(csv({"--policy", "yesterday", "--scenario", scenario, "--days", "2", "--seed", "1"}),
              csv({"--freq", "0.1,0.2,0.4,0.2,0.1", "--policy", "yesterday", "--days", "2",
                   "--seed", "1"}));
}

}  // namespace
