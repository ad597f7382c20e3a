// Scenario files: what a good file gives, and one message for each way a
// file from someone else's machine can be unusable.
#include "io/scenario.h"
#include "common/case_names.h"
#include "common/test_inputs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace nv {
namespace {

using test::PrintTo;

constexpr const char *kGood = R"({
  "format": "newsvendor-scenario",
  "format_version": 1,
  "title": "Week 3: bell-shaped demand",
  "notes": "Shown when the scenario is opened.",
  "runs": "250",
  "price": "4.60",
  "cost": "2.20",
  "frequencies": ["0.10", "0.20", "0.40", "0.20", "0.10"],
  "policy": "yesterday",
  "seed": 12345
}
)";

// kGood with `from` replaced by `to`.
std::string variant(const std::string &from, const std::string &to) {
    std::string text = kGood;
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

TEST(Scenario, ReadsEveryKeyAndWritesItBack) {
    const auto scenario = parseScenario(kGood);
    ASSERT_TRUE(scenario.ok()) << scenarioMessage("f", scenario.error());
    EXPECT_EQ(scenario->title, "Week 3: bell-shaped demand");
    EXPECT_EQ(scenario->runs, "250");
    EXPECT_EQ(scenario->frequencies[2], "0.40");
    EXPECT_EQ(scenario->policy, OrderPolicy::Yesterday);
    EXPECT_EQ(scenario->seed, 12345u);
    EXPECT_FALSE(scenario->worksheetDays);
    const std::string written = scenarioJson(*scenario);
    EXPECT_TRUE(written.starts_with("{\n  \"format\": \"newsvendor-scenario\",\n")) << written;
    EXPECT_EQ(parseScenario(written).value(), *scenario);

    const RunInputs inputs = scenarioRunInputs(*scenario);
    EXPECT_EQ(inputs.priceText, "4.60");
    EXPECT_EQ(inputs.distribution.frequency(2), Currency::fromUnits(4000));
    EXPECT_TRUE(inputs.yesterdaySelected);
    EXPECT_FALSE(inputs.annualSelected);
}

TEST(Scenario, OptionalKeysNullsUnknownKeysAndTheLargestSeed) {
    const auto scenario =
        parseScenario(variant("\"seed\": 12345",
                              "\"seed\": 18446744073709551615, \"worksheet_days\": 20, "
                              "\"title\": null, \"later\": {\"x\": [1]}")
                          .replace(0, 0, "\xEF\xBB\xBF"));
    ASSERT_TRUE(scenario.ok()) << scenarioMessage("f", scenario.error());
    EXPECT_EQ(scenario->seed, 18446744073709551615u);
    EXPECT_EQ(scenario->worksheetDays, 20);
    // The later null wins over the earlier text, as JSON readers do.
    EXPECT_FALSE(scenario->title);
    const auto noPolicy = parseScenario(variant("\"yesterday\"", "null"));
    ASSERT_TRUE(noPolicy.ok());
    EXPECT_FALSE(noPolicy->policy);
    EXPECT_FALSE(scenarioRunInputs(*noPolicy).yesterdaySelected);
}

struct BadCase {
    const char *name;
    std::string bytes;
    const char *message;
};

class BadScenario : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadScenario, IsRefusedWithOneMessage) {
    const auto scenario = parseScenario(GetParam().bytes);
    ASSERT_FALSE(scenario.ok());
    EXPECT_EQ(scenarioMessage("w3.nvscenario", scenario.error()), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadScenario,
    ::testing::Values(
        BadCase{"Empty", "", "The scenario 'w3.nvscenario' is not valid JSON (line 1, column 1)"},
        BadCase{"NotJson", "{\n  \"runs\": 250,\n  oops",
                "The scenario 'w3.nvscenario' is not valid JSON (line 3, column 3)"},
        BadCase{"NotUtf8", variant("Week 3", "Week \xFF"),
                "The scenario 'w3.nvscenario' is not UTF-8 text"},
        BadCase{"TooLarge", std::string(kMaxScenarioBytes + 1, ' '),
                "The scenario 'w3.nvscenario' is larger than 1 MiB"},
        BadCase{"Array", "[1, 2]", "The scenario 'w3.nvscenario' does not hold a JSON object"},
        BadCase{"OtherFormat", variant("newsvendor-scenario", "spreadsheet"),
                "The file 'w3.nvscenario' is not a Newsvendor Simulation scenario"},
        BadCase{"NewerVersion", variant("\"format_version\": 1", "\"format_version\": 2"),
                "The scenario 'w3.nvscenario' has format_version 2; this program reads "
                "version 1"},
        BadCase{"VersionNotWhole", variant("\"format_version\": 1", "\"format_version\": 1.5"),
                "In the scenario 'w3.nvscenario', \"format_version\" must be a whole number"},
        BadCase{"MissingPrice", variant("\"price\": \"4.60\",", ""),
                "The scenario 'w3.nvscenario' lacks the key \"price\""},
        BadCase{"MissingPolicy", variant(",\n  \"policy\": \"yesterday\"", ""),
                "The scenario 'w3.nvscenario' lacks the key \"policy\""},
        BadCase{"PriceNumber", variant("\"4.60\"", "4.6"),
                "In the scenario 'w3.nvscenario', \"price\" must be a text"},
        BadCase{"FourFrequencies", variant(", \"0.10\"]", "]"),
                "In the scenario 'w3.nvscenario', \"frequencies\" must be a list of five texts"},
        BadCase{"FrequencyNumber", variant("\"0.40\"", "0.4"),
                "In the scenario 'w3.nvscenario', \"frequencies\" must be a list of five texts"},
        BadCase{"OtherPolicy", variant("\"yesterday\"", "\"weekly\""),
                "In the scenario 'w3.nvscenario', \"policy\" must be \"yesterday\", \"annual\" "
                "or null"},
        BadCase{"NegativeSeed", variant("12345", "-1"),
                "In the scenario 'w3.nvscenario', \"seed\" must be a whole number from 0 to "
                "18446744073709551615"},
        BadCase{"SeedTooLarge", variant("12345", "18446744073709551616"),
                "In the scenario 'w3.nvscenario', \"seed\" must be a whole number from 0 to "
                "18446744073709551615"},
        BadCase{"TitleNumber", variant("\"Week 3: bell-shaped demand\"", "3"),
                "In the scenario 'w3.nvscenario', \"title\" must be a text"},
        BadCase{"WorksheetDays", variant("\"seed\": 12345", "\"worksheet_days\": 0"),
                "In the scenario 'w3.nvscenario', \"worksheet_days\" must be a whole number "
                "from 1 to 1000"}));

TEST(ScenarioFile, AMissingFileSaysWhy) {
    const auto scenario = readScenarioFile("/nonexistent/w3.nvscenario");
    ASSERT_FALSE(scenario.ok());
    EXPECT_EQ(scenarioMessage("w3.nvscenario", scenario.error()),
              "Cannot read the scenario 'w3.nvscenario': No such file or directory");
}

TEST(ScenarioFile, ReadsWhatWasWritten) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("nv_scenario_test_" + std::to_string(::getpid()) + ".nvscenario");
    Scenario written;
    written.frequencies = {"0", "0.5", "0", "0.5", "0"};
    written.policy = OrderPolicy::Annual;
    written.worksheetSeed = 7;
    std::ofstream(path, std::ios::binary) << scenarioJson(written);
    const auto read = readScenarioFile(path);
    std::filesystem::remove(path);
    ASSERT_TRUE(read.ok()) << scenarioMessage("f", read.error());
    EXPECT_EQ(*read, written);
}

}  // namespace
}  // namespace nv
