// The analysis output's text helpers (JSON strings and numbers, exact
// amounts, fixed decimals, grouped counts), the agreement of its csv and json
// forms, and the terminal progress line.
#include "runner/analysis_output.h"

#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <map>
#include <random>
#include <sstream>
#include <string>

#include "json_reader.h"
#include "runner/analyze.h"
#include "support/utf8.h"

namespace nv::runner {
namespace {

using testing::JsonValue;
using testing::readCsv;
using testing::readJson;

// ---- JSON strings ---------------------------------------------------------------------

struct StringCase {
    const char *name;
    std::string text;
    std::string json;
};

class JsonStringText : public ::testing::TestWithParam<StringCase> {};

TEST_P(JsonStringText, EscapesWhatJsonRequires) {
    EXPECT_EQ(jsonString(GetParam().text), GetParam().json);
}

INSTANTIATE_TEST_SUITE_P(
    Runner, JsonStringText,
    ::testing::Values(StringCase{"Plain", "Yesterday's Demand", "\"Yesterday's Demand\""},
                      StringCase{"Empty", "", "\"\""}, StringCase{"Quote", "a\"b", "\"a\\\"b\""},
                      StringCase{"Backslash", "a\\b", "\"a\\\\b\""},
                      StringCase{"ShortEscapes", "\b\f\n\r\t", "\"\\b\\f\\n\\r\\t\""},
                      StringCase{"OtherControls", std::string("\x01\x1f", 2) + std::string(1, '\0'),
                                 "\"\\u0001\\u001f\\u0000\""},
                      StringCase{"DelAndSlashStay", "\x7f/", "\"\x7f/\""},
                      StringCase{"Utf8Kept", "\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80",
                                 "\"\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\""},
                      StringCase{"LoneByte",
                                 "a\xFF"
                                 "b",
                                 "\"a\\ufffdb\""},
                      StringCase{"CutSequenceThenValid", "\xE2\x82 \xC3\xA9",
                                 "\"\\ufffd\\ufffd \xC3\xA9\""},
                      StringCase{"Surrogate", "\xED\xA0\x80", "\"\\ufffd\\ufffd\\ufffd\""},
                      StringCase{"Overlong", "\xC0\xAF", "\"\\ufffd\\ufffd\""}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(JsonString, AnyBytesGiveValidJsonThatReadsBackWhenTheyWereUtf8) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> length(0, 12);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int n = length(random);
        for (int i = 0; i < n; ++i) {
            text += static_cast<char>(byte(random));
        }
        const std::string json = jsonString(text);
        testing::JsonError error;
        const auto read = readJson(json, &error);
        ASSERT_TRUE(read.has_value()) << displayText(text) << ": " << error.what;
        ASSERT_EQ(read->kind, JsonValue::Kind::String);
        if (isValidUtf8(text)) {
            EXPECT_EQ(read->text, text) << displayText(text);
        }
    }
}

// ---- csv and json hold the same items --------------------------------------------------

AnalysisReport smallReport(std::int64_t replications) {
    RunInputs inputs{"30", "4.60", "2.20", DemandDistribution{}, true, false};
    const std::array<std::int64_t, kDemandClasses> units = {1000, 2000, 4000, 2000, 1000};
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        inputs.distribution.setFrequency(cls, Currency::fromUnits(units[cls]));
    }
    auto parameters = AnalysisParameters::fromInputs(inputs);
    EXPECT_TRUE(parameters.ok());
    ReplicationOptions options;
    options.replications = replications;
    options.seed = 5;
    options.threads = 1;
    auto summary = runReplications(*parameters, options);
    EXPECT_TRUE(summary.ok());
    return AnalysisReport{*parameters, exactExpectations(*parameters), *summary, "yesterday",
                          false};
}

std::string written(const AnalysisReport &report, AnalysisFormat format) {
    std::ostringstream out;
    writeAnalysis(report, format, out);
    return out.str();
}

// Every item of the json document as "section/group/item" -> its text as
// the csv would hold it (an interval as two items, null as empty).
void flatten(const JsonValue &value, const std::string &path,
             std::map<std::string, std::string> &items) {
    switch (value.kind) {
        case JsonValue::Kind::Object:
            if (value.keys.size() == 2 && value.keys[0] == "low" && value.keys[1] == "high") {
                items[path + "_low"] = value.values[0].text;
                items[path + "_high"] = value.values[1].text;
                return;
            }
            for (std::size_t i = 0; i < value.keys.size(); ++i) {
                flatten(value.values[i], path.empty() ? value.keys[i] : path + "/" + value.keys[i],
                        items);
            }
            return;
        case JsonValue::Kind::Null:
            if (path.ends_with("_ci95")) {  // no interval: both ends empty in csv
                items[path + "_low"] = "";
                items[path + "_high"] = "";
            } else {
                items[path] = "";
            }
            return;
        case JsonValue::Kind::Bool:
            items[path] = value.boolean ? "true" : "false";
            return;
        default:
            items[path] = value.text;
            return;
    }
}

TEST(AnalysisOutput, CsvAndJsonHoldTheSameItems) {
    for (const std::int64_t replications : {1, 40}) {
        const AnalysisReport report = smallReport(replications);
        const auto json = readJson(written(report, AnalysisFormat::Json));
        ASSERT_TRUE(json.has_value());
        std::map<std::string, std::string> fromJson;
        flatten(*json, "", fromJson);
        ASSERT_EQ(fromJson.erase("format_version"), 1u);

        const auto csv = readCsv(written(report, AnalysisFormat::Csv));
        ASSERT_TRUE(csv.has_value());
        ASSERT_FALSE(csv->empty());
        EXPECT_EQ(csv->front(),
                  (std::vector<std::string>{"section", "rule", "item", "value", "label"}));
        std::map<std::string, std::string> fromCsv;
        for (std::size_t r = 1; r < csv->size(); ++r) {
            const auto &record = (*csv)[r];
            ASSERT_EQ(record.size(), 5u) << r;
            EXPECT_FALSE(record[4].empty()) << r;
            const std::string key =
                record[0] + (record[1].empty() ? "" : "/" + record[1]) + "/" + record[2];
            EXPECT_TRUE(fromCsv.emplace(key, record[3]).second) << key << " twice";
        }
        EXPECT_EQ(fromCsv, fromJson) << replications << " replications";
    }
}

TEST(AnalysisOutput, OneReplicationHasNoSpreadAndNoInterval) {
    const auto json = readJson(written(smallReport(1), AnalysisFormat::Json));
    ASSERT_TRUE(json.has_value());
    const JsonValue *yesterday = json->find("simulated")->find("yesterday");
    ASSERT_NE(yesterday, nullptr);
    EXPECT_EQ(yesterday->find("sd_total_profit")->kind, JsonValue::Kind::Null);
    EXPECT_EQ(yesterday->find("total_profit_ci95")->kind, JsonValue::Kind::Null);
    EXPECT_EQ(yesterday->find("mean_total_profit")->kind, JsonValue::Kind::Number);
    const JsonValue *pair = json->find("pairs")->find("yesterday_annual");
    ASSERT_NE(pair, nullptr);
    EXPECT_EQ(pair->find("difference_ci95")->kind, JsonValue::Kind::Null);
}

TEST(AnalysisOutput, TableShowsTheInputsAndEveryRule) {
    const std::string table = written(smallReport(40), AnalysisFormat::Table);
    for (const char *text :
         {"Days                  30\n", "Price                 4.60\n", "Seed                  5\n",
          "Yesterday's Demand", "Average Annual Demand", "Best Fixed Order (50 units)",
          "Perfect Information", "Yesterday's Demand - Best Fixed Order"}) {
        EXPECT_NE(table.find(text), std::string::npos) << text;
    }
    EXPECT_EQ(table.find('\r'), std::string::npos);
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

}  // namespace
}  // namespace nv::runner
