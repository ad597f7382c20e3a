// The json view: its number rules (exact amounts spliced in as decimals,
// whole doubles as integers), null, intervals, and the document's shape.
#include "io/report_json.h"

#include <gtest/gtest.h>

#include <limits>
#include <nlohmann/json.hpp>
#include <string>

#include "sample_report.h"

namespace nv::io {
namespace {

using Json = nlohmann::ordered_json;

// The json text of one value, as the document writes it.
std::string valueText(const ReportScalar &value) {
    Report report;
    report.addSection("", "").addGroup("", "").add("v", "V", ReportKind::Money, value);
    const std::string json = reportJson(report, 1);
    const std::string key = "\"v\": ";
    const std::size_t start = json.find(key) + key.size();
    return json.substr(start, json.find('\n', start) - start);
}

struct NumberCase {
    const char *name;
    ReportScalar value;
    std::string json;
};

class JsonNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(JsonNumber, IsWrittenWithoutLosingADigit) {
    EXPECT_EQ(valueText(GetParam().value), GetParam().json);
}

INSTANTIATE_TEST_SUITE_P(
    Io, JsonNumber,
    ::testing::Values(
        // No double holds these decimals: they are spliced into the text.
        NumberCase{"AmountBeyondDoubles", Currency::fromUnits(1'234'567'890'123'456'789),
                   "123456789012345.6789"},
        NumberCase{"LargestAmount", Currency::max(), "922337203685477.5807"},
        NumberCase{"SmallestAmount", Currency::min(), "-922337203685477.5808"},
        NumberCase{"AmountAsDouble", Currency::fromUnits(46'000), "4.6"},
        NumberCase{"TenThousandth", Currency::fromUnits(-1), "-0.0001"},
        NumberCase{"WholeAmount", Currency::fromUnits(500'000), "50"},
        NumberCase{"ExactBeyondDoubles", ExactDecimal::fromUnits(92'425'205'479'452'054, 15),
                   "92.425205479452054"},
        NumberCase{"ExactAsDouble", ExactDecimal::fromUnits(85'695, 3), "85.695"},
        NumberCase{"ExactWhole", ExactDecimal::fromUnits(254'000'000'000, 7), "25400"},
        NumberCase{"WholeDouble", 50.0, "50"}, NumberCase{"NegativeZero", -0.0, "0"},
        NumberCase{"LargestExactWhole", 9007199254740992.0, "9007199254740992"},
        NumberCase{"Fraction", 0.1, "0.1"},
        NumberCase{"Shortest", 0.5217391304347825, "0.5217391304347825"},
        NumberCase{"Absent", Absent{}, "null"},
        NumberCase{"LargestSeed", std::numeric_limits<std::uint64_t>::max(),
                   "18446744073709551615"},
        NumberCase{"Flag", true, "true"}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(ReportJson, AWholeDoubleBeyondTwoToThe53IsStillTheSameNumber) {
    const double value = 9007199254740994.0 * 4;
    const Json read = Json::parse(valueText(value));
    ASSERT_TRUE(read.is_number_float());
    EXPECT_EQ(read.get<double>(), value);
}

TEST(ReportJson, AMarkerInTheReportsOwnTextsIsLeftAlone) {
    Report report;
    ReportGroup &group = report.addSection("", "").addGroup("", "");
    group.add("text", "Text", ReportKind::Text, std::string("\"nv-exact:0\""));
    group.add("nv-exact:0", "Key", ReportKind::Money,
              Currency::fromUnits(1'234'567'890'123'456'789));
    const std::string json = reportJson(report, 1);
    EXPECT_NE(json.find("\"nv-exact:0\": 123456789012345.6789"), std::string::npos) << json;
    EXPECT_EQ(Json::parse(json)["text"], "\"nv-exact:0\"");
}

TEST(ReportJson, SectionsGroupsAndShapes) {
    const std::string text = reportJson(testing::sampleReport(), 7);
    EXPECT_TRUE(text.starts_with("{\n  \"format_version\": 7,\n  \"days\": 30,\n")) << text;
    EXPECT_TRUE(text.ends_with("}\n"));
    const Json json = Json::parse(text);
    std::vector<std::string> keys;
    for (const auto &[key, value] : json.items()) {
        keys.push_back(key);
    }
    EXPECT_EQ(keys,
              (std::vector<std::string>{"format_version", "days", "inputs", "rules", "shapes"}));
    EXPECT_EQ(json["inputs"], Json::parse(R"({"price": 4.6, "share": 0.25})"));
    EXPECT_EQ(json["rules"]["a"], Json::parse(R"({"name": "Rule A", "profit": 1234.5,
                                                  "range": {"low": -1.5, "high": 2}})"));
    EXPECT_EQ(json["rules"]["b"]["range"], nullptr);
    EXPECT_EQ(json["shapes"], Json::parse(R"({"counts": [1, 2], "grid": [[0.5, 1], [null, 2.5]],
        "points": [{"order": 40, "profit": 12.25},
                   {"order": 50, "profit": {"low": 1, "high": 3.5}}]})"));
}

TEST(ReportJson, BytesThatAreNotUtf8BecomeTheReplacementCharacter) {
    Report report;
    report.addSection("", "").addGroup("", "").add("t", "T", ReportKind::Text,
                                                   std::string("a\xFF"
                                                               "b"));
    EXPECT_EQ(Json::parse(reportJson(report, 1))["t"],
              "a\xEF\xBF\xBD"
              "b");
}

}  // namespace
}  // namespace nv::io
