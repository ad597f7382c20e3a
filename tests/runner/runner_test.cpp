// The whole runner in one process: command line in, exit status and the two
// streams out. The bad-input matrix of the three list fields and the
// frequencies runs here, through the same path as a real command line.
#include "runner/runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/validation.h"
#include "runner/runner_options.h"

namespace nv::runner {
namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

Outcome runWith(const std::vector<std::string> &args, const std::string &input = {},
                const NumberLocale &locale = {}) {
    std::vector<std::string_view> views(args.begin(), args.end());
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    Outcome outcome;
    outcome.status = runRunner(views, in, out, err, locale);
    outcome.out = out.str();
    outcome.err = err.str();
    return outcome;
}

std::vector<std::string> lines(const std::string &text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        result.push_back(line);
    }
    return result;
}

const std::string kHeader = "Day\tDemand\tOrder\tSales\tDaily Profit\tCumulative Profit";

// A complete run, tsv, fixed seed; each case replaces one option.
std::vector<std::string> completeRun(const std::string &option, const std::string &value) {
    std::vector<std::string> args = {"--runs",   "250",       "--price", "4.60",
                                     "--cost",   "2.20",      "--freq",  "0.1,0.2,0.4,0.2,0.1",
                                     "--policy", "yesterday", "--seed",  "1",
                                     "--format", "tsv"};
    const auto at = std::find(args.begin(), args.end(), option);
    if (at != args.end()) {
        *(at + 1) = value;
    } else {
        args.push_back(option);
        args.push_back(value);
    }
    return args;
}

std::string refusalLine(Refusal refusal) {
    return std::string(refusalMessage(refusal)) + "\n";
}

// ---- The bad-input matrix: the three list fields --------------------------------

struct FieldCase {
    std::string name;
    const char *option;
    std::string text;
    std::optional<Refusal> refusal;  // nullopt: the run completes
    int dayRows;                     // grid rows after the header when it completes
};

class ListFieldInput : public ::testing::TestWithParam<FieldCase> {};

TEST_P(ListFieldInput, IsRefusedWithItsMessageOrRuns) {
    const FieldCase &c = GetParam();
    const Outcome outcome = runWith(completeRun(c.option, c.text));
    if (c.refusal) {
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.err, refusalLine(*c.refusal));
        EXPECT_EQ(outcome.out, "");
    } else {
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(outcome.err, "");
        const auto rows = lines(outcome.out);
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(c.dayRows) + 1);
        EXPECT_EQ(rows.front(), kHeader);
    }
}

using R = Refusal;
constexpr std::optional<Refusal> kRuns = std::nullopt;

// Texts every field refuses as not a number.
const std::vector<std::string> kNotNumbers = {
    "   ",
    "abc",
    "1,5",
    "nan",
    "inf",
    "0x10",
    "&H10",
    ".",
    "-",
    "--5",
    "1 000",
    "\xD9\xA1\xD9\xA0",          // Arabic-Indic 10
    "\xEF\xBC\x91\xEF\xBC\x90",  // fullwidth 10
    "\xED\xA0\x80",              // a lone surrogate, encoded
    "1\xFF",
    "\xC0\xB1",  // invalid UTF-8, overlong "1"
};

std::vector<FieldCase> notNumberCases(const char *prefix, const char *option, Refusal refusal) {
    std::vector<FieldCase> cases;
    for (std::size_t i = 0; i < kNotNumbers.size(); ++i) {
        cases.push_back(FieldCase{std::string(prefix) + "NotANumber" + std::to_string(i), option,
                                  kNotNumbers[i], refusal, 0});
    }
    return cases;
}

std::vector<FieldCase> listFieldCases() {
    std::vector<FieldCase> cases = {
        // Number of Runs
        {"RunsEmpty", "--runs", "", R::MissingParameter, 0},
        {"RunsBlanksAround", "--runs", " 100 ", kRuns, 100},
        {"RunsExponent", "--runs", "1e3", kRuns, 1000},
        {"RunsPlus", "--runs", "+5", kRuns, 5},
        {"RunsZero", "--runs", "0", kRuns, 0},
        {"RunsMostDays", "--runs", "32766", kRuns, 32766},
        {"RunsDayCounterWouldPass", "--runs", "32767", R::RunsOutOfRange, 0},
        {"RunsBeyond16Bits", "--runs", "32768", R::RunsOutOfRange, 0},
        {"RunsHugeNumber", "--runs", "1e309", R::RunsOutOfRange, 0},
        {"RunsHugeNegative", "--runs", "-1e309", R::RunsOutOfRange, 0},
        {"RunsNegative", "--runs", "-1", R::RunsOutOfRange, 0},
        // -0.5 + 1 rounds to the even 0 grid rows: no header row.
        {"RunsMinusHalf", "--runs", "-0.5", R::RunsOutOfRange, 0},
        {"RunsMinusFourTenths", "--runs", "-0.4", kRuns, 0},
        {"RunsOneAndAHalf", "--runs", "1.5", R::RunsNotWhole, 0},
        // 2.5 days round to 2, but 3.5 rows to 4.
        {"RunsTwoAndAHalf", "--runs", "2.5", R::RunsNotWhole, 0},
        // Price
        {"PriceEmpty", "--price", "", R::MissingParameter, 0},
        {"PriceBlanksAround", "--price", "  4.50\t", kRuns, 250},
        {"PriceExponent", "--price", "1e3", kRuns, 250},
        {"PricePlus", "--price", "+5", kRuns, 250},
        {"PriceNegative", "--price", "-4.60", kRuns, 250},
        {"PriceBelowAUnit", "--price", "0.00005", kRuns, 250},
        {"PriceHugeNumber", "--price", "1e309", R::PriceOutOfRange, 0},
        {"PriceHugeNegative", "--price", "-1e309", R::PriceOutOfRange, 0},
        {"PriceCurrencyMaximum", "--price", "922337203685477.5807", R::AmountsOutOfRange, 0},
        {"PriceAboveCurrency", "--price", "922337203685477.5808", R::PriceOutOfRange, 0},
        {"PriceCurrencyMinimum", "--price", "-922337203685477.5808", R::AmountsOutOfRange, 0},
        {"PriceBelowCurrency", "--price", "-922337203685477.5809", R::PriceOutOfRange, 0},
        {"PriceLargeButFits", "--price", "1e10", kRuns, 250},
        {"PriceTooLargeForTheRun", "--price", "1e12", R::AmountsOutOfRange, 0},
        // Cost
        {"CostEmpty", "--cost", "", R::MissingParameter, 0},
        {"CostBlanksAround", "--cost", " 2.20 ", kRuns, 250},
        {"CostHugeNumber", "--cost", "1e309", R::CostOutOfRange, 0},
        {"CostAboveCurrency", "--cost", "922337203685477.5808", R::CostOutOfRange, 0},
        {"CostCurrencyMaximum", "--cost", "922337203685477.5807", R::AmountsOutOfRange, 0},
        {"CostExponent", "--cost", "1e3", kRuns, 250},
        {"CostPlus", "--cost", "+5", kRuns, 250},
        {"CostHugeNegative", "--cost", "-1e309", R::CostOutOfRange, 0},
        {"CostCurrencyMinimum", "--cost", "-922337203685477.5808", R::AmountsOutOfRange, 0},
        {"CostBelowCurrency", "--cost", "-922337203685477.5809", R::CostOutOfRange, 0},
    };
    for (const auto &more : {notNumberCases("Runs", "--runs", R::RunsNotANumber),
                             notNumberCases("Price", "--price", R::PriceNotANumber),
                             notNumberCases("Cost", "--cost", R::CostNotANumber)}) {
        cases.insert(cases.end(), more.begin(), more.end());
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Runner, ListFieldInput, ::testing::ValuesIn(listFieldCases()),
                         [](const auto &testCase) { return testCase.param.name; });

TEST(RunnerChecks, CostIsReadBeforePriceAndPriceBeforeRuns) {
    auto args = completeRun("--cost", "abc");
    *(std::find(args.begin(), args.end(), "--price") + 1) = "xyz";
    *(std::find(args.begin(), args.end(), "--runs") + 1) = "many";
    EXPECT_EQ(runWith(args).err, refusalLine(R::CostNotANumber));
    *(std::find(args.begin(), args.end(), "--cost") + 1) = "2.20";
    EXPECT_EQ(runWith(args).err, refusalLine(R::PriceNotANumber));
    *(std::find(args.begin(), args.end(), "--price") + 1) = "4.60";
    EXPECT_EQ(runWith(args).err, refusalLine(R::RunsNotANumber));
}

TEST(RunnerChecks, TheThreeChecksComeInTheirOrder) {
    // Nothing given: the frequencies are all 0.
    Outcome outcome = runWith({"--runs", "", "--format", "csv"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "Relative Frequencies must add to 1.00\n");
    EXPECT_EQ(outcome.out, "");

    outcome = runWith({"--runs", "", "--freq", "0.2,0.2,0.2,0.2,0.2"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "You must supply values for all parameters\n");
    EXPECT_EQ(outcome.out, "");

    outcome = runWith({"--freq", "0.2,0.2,0.2,0.2,0.2", "--runs", "abc"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "You must select an Order Policy\n");
    EXPECT_EQ(outcome.out, "");
}

// ---- The bad-input matrix: the five frequencies ------------------------------------

struct FrequencyCase {
    const char *name;
    std::string freq;
    bool runs;  // false: "Relative Frequencies must add to 1.00"
};

class FrequencyInput : public ::testing::TestWithParam<FrequencyCase> {};

TEST_P(FrequencyInput, IsStoredAsABoxStoresIt) {
    const Outcome outcome = runWith(completeRun("--freq", GetParam().freq));
    if (GetParam().runs) {
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(lines(outcome.out).size(), 251u);
    } else {
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.err, "Relative Frequencies must add to 1.00\n");
        EXPECT_EQ(outcome.out, "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Runner, FrequencyInput,
    ::testing::Values(
        FrequencyCase{"FiveFifths", "0.2,0.2,0.2,0.2,0.2", true},
        FrequencyCase{"ThreeThirds", "0.3333,0.3333,0.3334,0,0", true},
        FrequencyCase{"JustBelowOne", "0.2,0.2,0.2,0.2,0.1999", false},
        FrequencyCase{"JustAboveOne", "0.2,0.2,0.2,0.2,0.2001", false},
        FrequencyCase{"RoundedToEvenFirst", "0.12345,0.8766,0,0,0", true},  // 0.1234 + 0.8766
        FrequencyCase{"RoundedAwayWouldFail", "0.12345,0.8765,0,0,0", false},
        FrequencyCase{"AllEmpty", ",,,,", false}, FrequencyCase{"EmptyReadsZero", "1,,,,", true},
        FrequencyCase{"BlanksSkipped", " 0. 5 , 0 ,\t0,0, 0.5", true},
        FrequencyCase{"TrailingLettersIgnored", "0.5abc,0,0,0,0.5xyz", true},
        FrequencyCase{"LettersReadZero", "abc,1,nan,inf,0x10", true},
        FrequencyCase{"AmpersandHexReadsZero", "&H10,1,0,0,0", true},
        FrequencyCase{"LonePointReadsZero", ".,1,.,.,.", true},
        FrequencyCase{"BlanksOnlyReadZero", "   ,1,\t, , ", true},
        FrequencyCase{"SignedTextsAddUp", "+5,-4,0,0,0", true},
        FrequencyCase{"LoneMinusReadsZero", "-,1,-,--5,0", true},
        FrequencyCase{"ExponentTooLarge", "1e3,0,0,0,0", false},
        FrequencyCase{"Exponent", "1e-1,9e-1,0,0,0", true},
        FrequencyCase{"PlusSign", "+0.5,+0.5,0,0,0", true},
        FrequencyCase{"NegativeAndAboveOne", "-1,2,0,0,0", true},
        FrequencyCase{"BeyondCurrency", "1e309,0,0,0,1", false},
        FrequencyCase{"BeyondCurrencyBothWays", "1e309,-1e309,0,0,1", false},
        FrequencyCase{"PartialSumBeyondCurrency", "900000000000000,900000000000000,0,0,1", false},
        FrequencyCase{"UnicodeDigitsReadZero", "\xD9\xA1,\xEF\xBC\x91,1,0,0", true},
        FrequencyCase{"InvalidUtf8EndsTheNumber",
                      "0.5\xFF,0.5\xED\xA0\x80,\xFF"
                      "1,0,0",
                      true}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(RunnerFrequencies, OneMegabyteOfDigitsIsRefusedNotCrashed) {
    // As if 1 MB of digits were pasted into the first box: beyond Currency.
    const std::string digits(1 << 20, '9');
    const Outcome outcome = runWith(completeRun("--freq", digits + ",0,0,0,1"));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "Relative Frequencies must add to 1.00\n");
    EXPECT_EQ(outcome.out, "");
}

TEST(RunnerFrequencies, OneMegabyteOfZerosReadsAsZero) {
    const std::string zeros = "0." + std::string(1 << 20, '0') + "1";
    const Outcome outcome = runWith(completeRun("--freq", zeros + ",0,0,0,1"));
    EXPECT_EQ(outcome.status, 0) << outcome.err;
}

// ---- The run and its output ------------------------------------------------------

TEST(RunnerRun, WorkedRowUnderAverageAnnualDemand) {
    const Outcome outcome = runWith(
        {"--runs", "1", "--price", "4.50", "--cost", "2.20", "--freq", "0.15,0.25,0.30,0.20,0.10",
         "--policy", "annual", "--draws", "-", "--format", "tsv"},
        "0.5\n");
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, kHeader + "\n1\t50\t49\t49\t$112\t$112\n");
}

TEST(RunnerRun, DrawsBeyondTheRunAreReadAndChecked) {
    const auto args = std::vector<std::string>{
        "--runs",    "1",        "--price",   "4.50",    "--cost", "2.20",     "--freq",
        "1,0,0,0,0", "--policy", "yesterday", "--draws", "-",      "--format", "tsv"};
    const Outcome outcome = runWith(args, "0.5\n0.6\nnot even read as far as the run goes\n");
    // The whole file is checked: a bad line past the last day still refuses.
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err,
              "Line 3 of the draws file is not a number: not even read as far as "
              "the run goes\n");
    const Outcome fine = runWith(args, "0.5\n0.6\n0.7\n");
    EXPECT_EQ(fine.status, 0) << fine.err;
    EXPECT_EQ(fine.out, kHeader + "\n1\t30\t50\t30\t$25\t$25\n");
}

TEST(RunnerRun, ZeroDaysGiveTheHeaderRowAlone) {
    const Outcome outcome = runWith(completeRun("--runs", "0"));
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, kHeader + "\n");
}

TEST(RunnerRun, CellsUseTheGivenSeparators) {
    const NumberLocale german{".", ","};
    const Outcome outcome = runWith(completeRun("--runs", "1000"), {}, german);
    ASSERT_EQ(outcome.status, 0);
    const auto rows = lines(outcome.out);
    ASSERT_EQ(rows.size(), 1001u);
    EXPECT_TRUE(rows.back().starts_with("1.000\t")) << rows.back();

    const NumberLocale english{",", "."};
    const auto englishRows = lines(runWith(completeRun("--runs", "1000"), {}, english).out);
    EXPECT_TRUE(englishRows.back().starts_with("1,000\t")) << englishRows.back();
}

TEST(RunnerRun, TableAlignsAMultibyteGroupSeparator) {
    const NumberLocale french{"\xE2\x80\xAF", ","};
    const Outcome outcome =
        runWith({"--runs", "1000", "--freq", "0,0,1,0,0", "--policy", "yesterday", "--seed", "1"},
                {}, french);
    ASSERT_EQ(outcome.status, 0);
    const auto rows = lines(outcome.out);
    ASSERT_EQ(rows.size(), 1001u);
    EXPECT_TRUE(
        rows.back().starts_with("1\xE2\x80\xAF"
                                "000  "))
        << rows.back();
    EXPECT_TRUE(
        rows.back().ends_with("$120\xE2\x80\xAF"
                              "000"))
        << rows.back();
    EXPECT_TRUE(rows[1].starts_with("    1  ")) << rows[1];
}

TEST(RunnerRun, AFailedWriteIsNotASuccess) {
    std::vector<std::string_view> args = {"--runs",   "1",      "--freq", "1,0,0,0,0",
                                          "--policy", "annual", "--seed", "1"};
    std::istringstream in;
    std::ostream out(nullptr);  // every write fails
    std::ostringstream err;
    EXPECT_EQ(runRunner(args, in, out, err, {}), 1);
    EXPECT_EQ(err.str(), "Cannot write the results\n");
}

// ---- The draws file ---------------------------------------------------------------------

class RunnerDrawsFile : public ::testing::Test {
protected:
    std::vector<std::string> args(const std::string &path, const std::string &runs = "3") {
        return {"--runs",   runs,        "--freq",  "0.1,0.2,0.4,0.2,0.1",
                "--policy", "yesterday", "--draws", path,
                "--format", "tsv"};
    }
    std::string write(const std::string &name, const std::string &content) {
        const std::string path = ::testing::TempDir() + "runner_test_" + name;
        std::ofstream(path, std::ios::binary) << content;
        m_files.push_back(path);
        return path;
    }
    void TearDown() override {
        for (const auto &path : m_files) {
            std::remove(path.c_str());
        }
    }

private:
    std::vector<std::string> m_files;
};

TEST_F(RunnerDrawsFile, EmptyFileForARunWithoutDays) {
    const Outcome outcome = runWith(args(write("empty", ""), "0"));
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, kHeader + "\n");
}

TEST_F(RunnerDrawsFile, TheRunsOwnChecksComeFirst) {
    // No order policy, and a draws file that would fail: the run's message.
    const Outcome outcome = runWith({"--runs", "3", "--freq", "0.1,0.2,0.4,0.2,0.1", "--draws",
                                     write("bad_for_refused", "abc\n")});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "You must select an Order Policy\n");
    EXPECT_EQ(outcome.out, "");
}

TEST_F(RunnerDrawsFile, AnUnreadableFileIsAUsageError) {
    const std::string missing = ::testing::TempDir() + "runner_test_no_such_file";
    const Outcome outcome = runWith(args(missing));
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.err, "Cannot read the draws file '" + missing +
                               "': No such file or directory\n" + std::string(usageText()));
    EXPECT_EQ(outcome.out, "");

    const Outcome directory = runWith(args(::testing::TempDir()));
    EXPECT_EQ(directory.status, 2);
    EXPECT_TRUE(directory.err.starts_with("Cannot read the draws file '")) << directory.err;
    EXPECT_TRUE(directory.err.ends_with(std::string(usageText())));
}

// ---- Usage -----------------------------------------------------------------------------------

TEST(RunnerUsage, UsageErrorsComeBeforeTheRunsChecks) {
    const Outcome outcome = runWith({"--freq", "1,2,3"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_TRUE(
        outcome.err.starts_with("--freq needs five frequencies separated by commas, not 3\n"));
}

}  // namespace
}  // namespace nv::runner
