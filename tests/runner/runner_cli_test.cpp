// End-to-end tests of the real newsvendor-run executable: started with
// posix_spawn, fed through a pipe, its exit status and both output streams
// checked exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "child_process.h"

namespace {

using nv::runner::testing::Outcome;
using nv::runner::testing::runExecutable;

std::vector<std::string> lines(const std::string &text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        result.push_back(line);
    }
    return result;
}

const std::string kHelpHint = "Run 'newsvendor-run --help' for more information.\n";
const std::string kHeader = "Day\tDemand\tOrder\tSales\tDaily Profit\tCumulative Profit";
const std::vector<std::string> kComplete = {
    "--freq", "0.10,0.20,0.40,0.20,0.10", "--policy", "yesterday", "--seed", "1", "--format",
    "tsv"};

std::vector<std::string> with(std::vector<std::string> args, const std::vector<std::string> &more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// A folder of this test process in the temporary folder, removed when the
// process ends: test processes running side by side never share a file.
class ProcessFolder {
public:
    ProcessFolder() : m_path(::testing::TempDir() + "runner_cli_" + std::to_string(::getpid())) {
        std::filesystem::create_directories(m_path);
    }
    ~ProcessFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ProcessFolder(const ProcessFolder &) = delete;
    ProcessFolder &operator=(const ProcessFolder &) = delete;
    [[nodiscard]] const std::string &path() const { return m_path; }

private:
    std::string m_path;
};

const std::string &processFolder() {
    static const ProcessFolder folder;
    return folder.path();
}

// A draws file in the test process's folder, removed afterwards.
class DrawsFile {
public:
    DrawsFile(const std::string &name, const std::string &content)
        : m_path(processFolder() + "/runner_cli_" + name) {
        std::ofstream(m_path, std::ios::binary) << content;
    }
    ~DrawsFile() { std::remove(m_path.c_str()); }
    DrawsFile(const DrawsFile &) = delete;
    DrawsFile &operator=(const DrawsFile &) = delete;
    [[nodiscard]] const std::string &path() const { return m_path; }

private:
    std::string m_path;
};

// ---- A complete run ------------------------------------------------------------------

TEST(RunnerExecutable, CompleteExampleGivesTheHeaderAnd250Days) {
    const Outcome outcome = runExecutable(kComplete);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");
    const auto rows = lines(outcome.out);
    ASSERT_EQ(rows.size(), 251u);
    EXPECT_EQ(rows.front(), kHeader);
    EXPECT_TRUE(rows[1].starts_with("1\t")) << rows[1];
    EXPECT_TRUE(rows.back().starts_with("250\t")) << rows.back();
    for (std::size_t i = 1; i < rows.size(); ++i) {
        // Six cells, none empty: under Yesterday's Demand every amount is
        // at least 30 units, and a profit cell shows at least "$".
        const auto tabs = std::count(rows[i].begin(), rows[i].end(), '\t');
        EXPECT_EQ(tabs, 5) << rows[i];
        EXPECT_EQ(rows[i].find("\t\t"), std::string::npos) << rows[i];
    }
}

TEST(RunnerExecutable, SameSeedTwiceGivesTheSameRows) {
    const Outcome first = runExecutable(kComplete);
    const Outcome second = runExecutable(kComplete);
    ASSERT_EQ(first.status, 0);
    EXPECT_EQ(first.out, second.out);
    const Outcome otherSeed = runExecutable({"--freq", "0.10,0.20,0.40,0.20,0.10", "--policy",
                                             "yesterday", "--seed", "2", "--format", "tsv"});
    EXPECT_NE(first.out, otherSeed.out);
}

TEST(RunnerExecutable, DrawsFileReproducesTheWorkedRows) {
    const DrawsFile draws("worked", "0.2\n0.8\n");
    const Outcome outcome = runExecutable({"--runs", "2", "--price", "4.50", "--cost", "2.20",
                                           "--freq", "0.1,0.2,0.4,0.2,0.1", "--policy", "yesterday",
                                           "--draws", draws.path(), "--format", "tsv"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.out, kHeader +
                               "\n"
                               "1\t40\t50\t40\t$70\t$70\n"
                               "2\t60\t40\t40\t$92\t$162\n");
}

TEST(RunnerExecutable, DrawsFromStandardInput) {
    const Outcome outcome =
        runExecutable({"--runs", "2", "--price", "4.50", "--freq", "0.1,0.2,0.4,0.2,0.1",
                       "--policy", "yesterday", "--draws", "-", "--format", "tsv"},
                      "0.2\r\n0.8\r\n");
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, kHeader + "\n1\t40\t50\t40\t$70\t$70\n2\t60\t40\t40\t$92\t$162\n");
}

// ---- Refused runs: exit 1, the message alone on stderr, nothing on stdout -------------

struct RefusalCase {
    const char *name;
    std::vector<std::string> args;
    std::string message;
};

class RefusedRun : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RefusedRun, PrintsOnlyItsMessage) {
    const Outcome outcome = runExecutable(GetParam().args);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, GetParam().message + "\n");
    EXPECT_EQ(outcome.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Runner, RefusedRun,
    ::testing::Values(
        RefusalCase{"NothingGiven", {}, "Relative Frequencies must add to 1.00"},
        RefusalCase{"EmptyPrice",
                    {"--freq", "0.2,0.2,0.2,0.2,0.2", "--policy", "annual", "--price", ""},
                    "You must supply values for all parameters"},
        RefusalCase{
            "NoPolicy", {"--freq", "0.2,0.2,0.2,0.2,0.2"}, "You must select an Order Policy"},
        RefusalCase{"PriceInvalidUtf8",
                    {"--freq", "0.2,0.2,0.2,0.2,0.2", "--policy", "annual", "--price", "4.5\xFF"},
                    "Price must be a number"},
        RefusalCase{"CostInvalidUtf8",
                    {"--freq", "0.2,0.2,0.2,0.2,0.2", "--policy", "annual", "--cost", "\xC0\xB2"},
                    "Cost must be a number"},
        RefusalCase{"RunsBeyondTheDayCounter",
                    {"--freq", "0.2,0.2,0.2,0.2,0.2", "--policy", "annual", "--runs", "32767"},
                    "Number of Runs must be from 0 to 32766"},
        RefusalCase{"RunsNotANumber",
                    {"--freq", "0.2,0.2,0.2,0.2,0.2", "--policy", "annual", "--runs", "\xFF"},
                    "Number of Runs must be a number"}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

// ---- Usage errors: exit 2, a message and where to find help on stderr --------------------

struct UsageCase {
    const char *name;
    std::vector<std::string> args;
    std::string message;
};

class UsageError : public ::testing::TestWithParam<UsageCase> {};

TEST_P(UsageError, PrintsItsMessageAndWhereToFindHelp) {
    const Outcome outcome = runExecutable(GetParam().args);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.err, GetParam().message + "\n" + kHelpHint);
    EXPECT_EQ(outcome.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Runner, UsageError,
    ::testing::Values(
        UsageCase{"UnknownOption", {"--days", "5"}, "Unknown option '--days'"},
        UsageCase{"MissingValue", {"--policy"}, "Option --policy needs a value"},
        UsageCase{"GivenTwice", {"--cost", "1", "--cost=2"}, "Option --cost is given twice"},
        UsageCase{"BadPolicy",
                  {"--policy", "tomorrow"},
                  "Unknown order policy 'tomorrow': use yesterday or annual"},
        UsageCase{"BadFormat", {"--format", "xml"}, "Unknown format 'xml': use table, tsv or csv"},
        UsageCase{"BadFrequencyCount",
                  {"--freq", "0.5,0.5"},
                  "--freq needs five frequencies separated by commas, not 2"},
        UsageCase{"BadSeed",
                  {"--seed", "one"},
                  "Bad seed 'one': use a whole number from 0 to 18446744073709551615"},
        UsageCase{"SeedWithDraws",
                  {"--seed", "1", "--draws", "-"},
                  "--seed and --draws cannot be used together"},
        UsageCase{"UnreadableDrawsFile",
                  {"--freq", "1,0,0,0,0", "--policy", "annual", "--draws",
                   "/nonexistent/runner/draws.txt"},
                  "Cannot read the draws file '/nonexistent/runner/draws.txt': No such file or "
                  "directory"}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(RunnerExecutable, HelpAndVersionPrintOnStandardOutput) {
    const Outcome help = runExecutable({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("Simulates the trade")) << help.out;
    EXPECT_NE(help.out.find("\nUsage: newsvendor-run [OPTIONS] [SUBCOMMAND]\n"), std::string::npos);
    EXPECT_EQ(help.err, "");
    const Outcome shortHelp = runExecutable({"-h"});
    EXPECT_EQ(shortHelp.status, 0);
    EXPECT_EQ(shortHelp.out, help.out);

    const Outcome version = runExecutable({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "newsvendor-run " NV_PROJECT_VERSION "\n");
    EXPECT_EQ(version.err, "");
}

// A runner that ends without reading its standard input (version, a usage
// error, a run with no --draws -) leaves far more than a pipe holds unread:
// the writer sees EPIPE, and the test process lives on to check the outcome.
struct UnreadInput {
    const char *name;
    std::vector<std::string> args;
    int status;
};

class InputLeftUnread : public ::testing::TestWithParam<UnreadInput> {};

TEST_P(InputLeftUnread, IsANormalOutcome) {
    const std::string input(8 << 20, '7');
    const Outcome outcome = runExecutable(GetParam().args, input);
    EXPECT_EQ(outcome.status, GetParam().status) << outcome.err;
}

INSTANTIATE_TEST_SUITE_P(
    Runner, InputLeftUnread,
    ::testing::Values(UnreadInput{"Version", {"--version"}, 0},
                      UnreadInput{"UsageError", {"--no-such-option"}, 2},
                      UnreadInput{"RunWithItsOwnSeed", with(kComplete, {"--runs", "3"}), 0}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

// ---- Output formats and the locale -------------------------------------------------------

// Nine days of demand 50 at 4.50 and 2.20: $115 a day, $1,035 on day 9.
const std::vector<std::string> kNineDays = {"--runs", "9",         "--price",  "4.50",
                                            "--freq", "0,0,1,0,0", "--policy", "yesterday",
                                            "--seed", "1"};

TEST(RunnerExecutable, CsvQuotesACellWithAComma) {
    const Outcome outcome = runExecutable(with(kNineDays, {"--format", "csv"}));
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out,
              "Day,Demand,Order,Sales,Daily Profit,Cumulative Profit\r\n"
              "1,50,50,50,$115,$115\r\n"
              "2,50,50,50,$115,$230\r\n"
              "3,50,50,50,$115,$345\r\n"
              "4,50,50,50,$115,$460\r\n"
              "5,50,50,50,$115,$575\r\n"
              "6,50,50,50,$115,$690\r\n"
              "7,50,50,50,$115,$805\r\n"
              "8,50,50,50,$115,$920\r\n"
              "9,50,50,50,$115,\"$1,035\"\r\n");
}

TEST(RunnerExecutable, TheCLocaleGroupsWithAComma) {
    const Outcome outcome =
        runExecutable(with(kNineDays, {"--format", "tsv"}), {}, {{"LC_ALL", "C"}});
    ASSERT_EQ(outcome.status, 0);
    EXPECT_EQ(lines(outcome.out).back(), "9\t50\t50\t50\t$115\t$1,035");
}

// The German locale compiled into the test process's folder (LOCPATH), so
// the test needs no locale installed on the machine and no other test
// process reads a half-written one; empty when localedef or the locale's
// source is missing.
std::string germanLocales() {
    static const std::string folder = [] {
        const std::string path = processFolder() + "/locales";
        const std::string command = "mkdir -p '" + path + "' && localedef -i de_DE -f UTF-8 '" +
                                    path + "/de_DE.UTF-8' >/dev/null 2>&1";
        return std::system(command.c_str()) == 0 ? path : std::string();
    }();
    return folder;
}

TEST(RunnerExecutable, TheUsersLocaleGivesTheGroupSeparator) {
    const std::string locales = germanLocales();
    if (locales.empty()) {
        GTEST_SKIP() << "localedef cannot build de_DE.UTF-8 (Debian package locales)";
    }
    // LC_ALL overrides LANG; LC_NUMERIC applies when LC_ALL is not set.
    for (auto locale : std::vector<std::map<std::string, std::string>>{
             {{"LC_ALL", "de_DE.UTF-8"}, {"LANG", "en_US.UTF-8"}},
             {{"LC_NUMERIC", "de_DE.UTF-8"}},
             {{"LANG", "de_DE.UTF-8"}}}) {
        locale["LOCPATH"] = locales;
        const Outcome outcome = runExecutable(with(kNineDays, {"--format", "tsv"}), {}, locale);
        ASSERT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(lines(outcome.out).back(), "9\t50\t50\t50\t$115\t$1.035")
            << locale.begin()->first << "=" << locale.begin()->second;
    }
    // A locale that is not installed is the C locale's.
    const Outcome missing = runExecutable(with(kNineDays, {"--format", "tsv"}), {},
                                          {{"LC_ALL", "xx_XX.UTF-8"}, {"LOCPATH", locales}});
    EXPECT_EQ(lines(missing.out).back(), "9\t50\t50\t50\t$115\t$1,035");
}

TEST(RunnerExecutable, TableIsTheDefault) {
    const Outcome outcome = runExecutable(kNineDays);
    ASSERT_EQ(outcome.status, 0);
    const auto rows = lines(outcome.out);
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[0], "Day  Demand  Order  Sales  Daily Profit  Cumulative Profit");
    EXPECT_EQ(rows[9], "  9      50     50     50          $115             $1,035");
}

// ---- Draws files ------------------------------------------------------------------------------

const std::vector<std::string> kThreeDays = {
    "--runs", "3", "--freq", "0.1,0.2,0.4,0.2,0.1", "--policy", "yesterday", "--format", "tsv"};

TEST(RunnerExecutable, DrawsWithCrlfAndBlankLines) {
    const DrawsFile lf("lf", "0.2\n0.8\n0.5\n");
    const DrawsFile crlf("crlf", "0.2\r\n\r\n \t\r\n0.8\r\n0.5\r\n\r\n");
    const Outcome fromLf = runExecutable(with(kThreeDays, {"--draws", lf.path()}));
    const Outcome fromCrlf = runExecutable(with(kThreeDays, {"--draws", crlf.path()}));
    EXPECT_EQ(fromLf.status, 0);
    EXPECT_EQ(fromCrlf.status, 0);
    EXPECT_EQ(fromCrlf.err, "");
    EXPECT_EQ(fromLf.out, kHeader +
                              "\n1\t40\t50\t40\t$74\t$74\n2\t60\t40\t40\t$96\t$170\n"
                              "3\t50\t60\t50\t$98\t$268\n");
    EXPECT_EQ(fromCrlf.out, fromLf.out);
}

struct BadDrawsCase {
    const char *name;
    std::string content;
    std::string message;
};

class BadDraws : public ::testing::TestWithParam<BadDrawsCase> {};

TEST_P(BadDraws, RefuseTheRun) {
    const DrawsFile draws(GetParam().name, GetParam().content);
    const Outcome outcome = runExecutable(with(kThreeDays, {"--draws", draws.path()}));
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, GetParam().message + "\n");
    EXPECT_EQ(outcome.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Runner, BadDraws,
    ::testing::Values(
        BadDrawsCase{"TooFewLines", "0.2\n\n0.8\n",
                     "The draws file has 2 draws but the run needs 3"},
        BadDrawsCase{"Empty", "", "The draws file has 0 draws but the run needs 3"},
        BadDrawsCase{"Letters", "0.2\nabc\n0.5\n", "Line 2 of the draws file is not a number: abc"},
        BadDrawsCase{"One", "0.2\n0.8\n1\n", "Line 3 of the draws file is outside [0, 1): 1"},
        BadDrawsCase{"RoundsToOne", "0.99999999\n0.2\n0.2\n",
                     "Line 1 of the draws file is outside [0, 1): 0.99999999"},
        BadDrawsCase{"InvalidUtf8", "0.2\r\n\xFF\r\n0.5\r\n",
                     "Line 2 of the draws file is not a number: \\xFF"},
        BadDrawsCase{"LoneSurrogate", "0.2\n0.3\n\xED\xB0\x80\n",
                     "Line 3 of the draws file is not a number: \\xED\\xB0\\x80"}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

}  // namespace

// ---- --scenario ----------------------------------------------------------------------

// A scenario's values are defaults: a command with --scenario prints what the
// same command prints with its values spelled out as options, options given
// beside it (before or after) override them, and --seed overrides its seed.
const std::string kScenario =
    R"({"format": "newsvendor-scenario", "format_version": 1, "runs": "12", "price": "4.90",
        "cost": "2.60", "frequencies": ["0.05", "0.25", "0.3", "0.3", "0.1"],
        "policy": "annual", "seed": 77})";

struct ScenarioCase {
    const char *name;
    std::vector<std::string> withScenario;  // "FILE" stands for the scenario's path
    std::vector<std::string> spelledOut;
};

class ScenarioOption : public ::testing::TestWithParam<ScenarioCase> {};

TEST_P(ScenarioOption, ActsAsItsValuesSpelledOut) {
    const DrawsFile scenario(std::string(GetParam().name) + ".nvscenario", kScenario);
    std::vector<std::string> args = GetParam().withScenario;
    std::replace(args.begin(), args.end(), std::string("FILE"), scenario.path());
    const Outcome viaScenario = runExecutable(args);
    const Outcome spelled = runExecutable(GetParam().spelledOut);
    EXPECT_EQ(viaScenario.status, 0) << viaScenario.err;
    EXPECT_EQ(viaScenario.err, "");
    EXPECT_FALSE(viaScenario.out.empty());
    EXPECT_EQ(viaScenario.out, spelled.out);
}

const std::vector<std::string> kSpelled = {"--runs",   "12",    "--price", "4.90",
                                           "--cost",   "2.60",  "--freq",  "0.05,0.25,0.3,0.3,0.1",
                                           "--policy", "annual"};

INSTANTIATE_TEST_SUITE_P(
    Runner, ScenarioOption,
    ::testing::Values(
        ScenarioCase{"Run",
                     {"--scenario", "FILE", "--format", "tsv"},
                     with(kSpelled, {"--seed", "77", "--format", "tsv"})},
        ScenarioCase{"OptionsOverrideInAnyOrder",
                     {"--price", "5", "--scenario", "FILE", "--policy", "yesterday", "--seed", "3"},
                     {"--runs", "12", "--price", "5", "--cost", "2.60", "--freq",
                      "0.05,0.25,0.3,0.3,0.1", "--policy", "yesterday", "--seed", "3"}},
        ScenarioCase{"Analyze",
                     {"analyze", "--scenario", "FILE", "--replications", "4", "--format", "json"},
                     with(with({"analyze"}, kSpelled),
                          {"--seed", "77", "--replications", "4", "--format", "json"})}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(ScenarioOption, UnusableFileIsAUsageErrorNamingTheFileAndTheProblem) {
    const DrawsFile scenario("lacks-price.nvscenario",
                             R"({"format": "newsvendor-scenario", "format_version": 1,
                                 "runs": "5", "cost": "1", "frequencies": ["1", "0", "0", "0", "0"],
                                 "policy": null})");
    for (const std::string command : {"", "analyze "}) {
        std::vector<std::string> args = {"--scenario", scenario.path()};
        if (!command.empty()) {
            args.insert(args.begin(), "analyze");
        }
        const Outcome outcome = runExecutable(args);
        EXPECT_EQ(outcome.status, 2) << command;
        EXPECT_EQ(outcome.err,
                  "The scenario 'runner_cli_lacks-price.nvscenario' lacks the key "
                  "\"price\"\nRun 'newsvendor-run " +
                      command + "--help' for more information.\n")
            << command;
        EXPECT_EQ(outcome.out, "");
    }
}
