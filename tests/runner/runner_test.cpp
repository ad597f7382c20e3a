// The whole runner in one process: command line in, exit status and the two
// streams out. One row per refusal kind goes through the same path as a real
// command line (the whole bad-input matrix is the engine's own test).
#include "runner/runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <limits>
#include <optional>
#include <sstream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "engine/validation.h"
#include "runner/output_buffer.h"
#include "runner/user_locale.h"

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
const std::string kHelpHint = "Run 'newsvendor-run --help' for more information.\n";

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

// ---- One row per refusal kind, and texts that reach the run ----------------------

struct FieldCase {
    std::string name;
    const char *option;
    std::string text;
    std::optional<Refusal> refusal;  // nullopt: the run completes
    int dayRows;                     // rows after the header when it completes
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

INSTANTIATE_TEST_SUITE_P(
    Runner, ListFieldInput,
    ::testing::Values(
        FieldCase{"FrequenciesNotOne", "--freq", "0.2,0.2,0.2,0.2,0.1999", R::FrequenciesNotOne, 0},
        FieldCase{"MissingParameter", "--runs", "", R::MissingParameter, 0},
        FieldCase{"CostNotANumber", "--cost", "1,5", R::CostNotANumber, 0},
        FieldCase{"CostOutOfRange", "--cost", "922337203685477.5808", R::CostOutOfRange, 0},
        FieldCase{"PriceNotANumber", "--price", "\xED\xA0\x80", R::PriceNotANumber, 0},
        FieldCase{"PriceOutOfRange", "--price", "-1e309", R::PriceOutOfRange, 0},
        FieldCase{"RunsNotANumber", "--runs", "\xFF", R::RunsNotANumber, 0},
        FieldCase{"RunsOutOfRange", "--runs", "32767", R::RunsOutOfRange, 0},
        FieldCase{"RunsNotWhole", "--runs", "2.5", R::RunsNotWhole, 0},
        FieldCase{"AmountsOutOfRange", "--price", "1e12", R::AmountsOutOfRange, 0},
        // A negative price is a value, not an option: the run takes it.
        FieldCase{"PriceNegative", "--price", "-4.60", kRuns, 250},
        FieldCase{"RunsMostDays", "--runs", "32766", kRuns, 32766},
        FieldCase{"RunsZero", "--runs", "0", kRuns, 0}),
    [](const auto &testCase) { return testCase.param.name; });

TEST(RunnerChecks, TheMeanIsCheckedUnderAverageAnnualDemand) {
    auto args = completeRun("--policy", "annual");
    // Each frequency is held exactly and they add to 1, but 30 x 2^49 is
    // beyond the amounts.
    *(std::find(args.begin(), args.end(), "--freq") + 1) = "562949953421312,-562949953421312,1,0,0";
    const Outcome outcome = runWith(args);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, refusalLine(R::MeanOutOfRange));
}

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

// A stream that takes `room` bytes and then fails, as a full disk does.
class FullDisk final : public std::streambuf {
public:
    explicit FullDisk(std::size_t room) : m_room(room) {}
    std::size_t taken = 0;

protected:
    std::streamsize xsputn(const char *, std::streamsize n) override {
        const std::size_t take = std::min(static_cast<std::size_t>(n), m_room - taken);
        taken += take;
        return static_cast<std::streamsize>(take);
    }
    int_type overflow(int_type) override { return traits_type::eof(); }

private:
    std::size_t m_room;
};

struct WriteFailureCase {
    const char *name;
    const char *format;
    std::size_t room;
    std::size_t written;  // what reached the stream before it failed
};

class RunnerWriteFailure : public ::testing::TestWithParam<WriteFailureCase> {};

TEST_P(RunnerWriteFailure, IsNotASuccess) {
    const std::vector<std::string> args = {"--runs",   "32766",          "--freq", "1,0,0,0,0",
                                           "--policy", "annual",         "--seed", "1",
                                           "--format", GetParam().format};
    const std::vector<std::string_view> views(args.begin(), args.end());
    std::istringstream in;
    FullDisk disk(GetParam().room);
    std::ostream out(&disk);
    std::ostringstream err;
    EXPECT_EQ(runRunner(views, in, out, err, {}), 1);
    EXPECT_EQ(err.str(), "Cannot write the results\n");
    EXPECT_EQ(disk.taken, GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Runner, RunnerWriteFailure,
    ::testing::Values(WriteFailureCase{"NothingWritten", "tsv", 0, 0},
                      // Rows go out a buffer-full at a time: the first was taken whole.
                      WriteFailureCase{"AfterABufferFull", "tsv", 300'000, 300'000},
                      WriteFailureCase{"Table", "table", 1000, 1000}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

// ---- The separators of the user's locale ----------------------------------------------

TEST(RunnerLocale, ALocaleWithoutSeparatorsKeepsTheCommaAndDot) {
    for (const auto &[thousands, point, group, decimal] :
         std::vector<std::array<std::string, 4>>{{"", "", ",", "."},
                                                 {".", ",", ".", ","},
                                                 {"\xE2\x80\xAF", ",", "\xE2\x80\xAF", ","}}) {
        const NumberLocale locale = numberLocaleOf(thousands, point);
        EXPECT_EQ(locale.groupSeparator, group);
        EXPECT_EQ(locale.decimalSeparator, decimal);
    }
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
        const std::string path =
            ::testing::TempDir() + "runner_test_" + std::to_string(::getpid()) + "_" + name;
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
                               "': No such file or directory\n" + kHelpHint);
    EXPECT_EQ(outcome.out, "");

    const Outcome directory = runWith(args(::testing::TempDir()));
    EXPECT_EQ(directory.status, 2);
    EXPECT_TRUE(directory.err.starts_with("Cannot read the draws file '")) << directory.err;
    EXPECT_TRUE(directory.err.ends_with("\n" + kHelpHint));
}

// ---- Usage -----------------------------------------------------------------------------------

TEST(RunnerUsage, UsageErrorsComeBeforeTheRunsChecks) {
    const Outcome outcome = runWith({"--freq", "1,2,3"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.err,
              "--freq needs five frequencies separated by commas, not 3\n" + kHelpHint);
}

}  // namespace
}  // namespace nv::runner
