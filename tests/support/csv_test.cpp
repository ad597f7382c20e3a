#include "support/csv.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace nv {
namespace {

struct CsvCase {
    const char *text;
    const char *field;
};

class CsvField : public ::testing::TestWithParam<CsvCase> {};

TEST_P(CsvField, QuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(csvField(GetParam().text), GetParam().field);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CsvField,
    ::testing::Values(CsvCase{"", ""}, CsvCase{"70", "70"}, CsvCase{"$", "$"},
                      CsvCase{"-$53", "-$53"}, CsvCase{"Daily Profit", "Daily Profit"},
                      CsvCase{"1.500", "1.500"}, CsvCase{"$1,500", "\"$1,500\""},
                      CsvCase{"-$1,234", "\"-$1,234\""}, CsvCase{"a\"b", "\"a\"\"b\""},
                      CsvCase{"\"", "\"\"\"\""}, CsvCase{"say \"hi\"", "\"say \"\"hi\"\"\""},
                      CsvCase{"a\nb", "\"a\nb\""}, CsvCase{"a\rb", "\"a\rb\""},
                      CsvCase{" 5", "\" 5\""}, CsvCase{"5 ", "\"5 \""},
                      // Group separators of U+202F and U+00A0 pass through byte for byte.
                      CsvCase{"1\xE2\x80\xAF"
                              "500",
                              "1\xE2\x80\xAF"
                              "500"},
                      CsvCase{"\xE2\x82\xAC"
                              "1\xC2\xA0"
                              "500",
                              "\xE2\x82\xAC"
                              "1\xC2\xA0"
                              "500"}));

TEST(CsvText, OneRecordPerRowEachEndedByCrLf) {
    const std::vector<std::array<std::string, 3>> rows = {
        {"Day", "Demand", "Daily Profit"}, {"1", "40", "$1,500"}, {"2", "", "-$8"}};
    EXPECT_EQ(csvText(rows), "Day,Demand,Daily Profit\r\n1,40,\"$1,500\"\r\n2,,-$8\r\n");
    EXPECT_EQ(csvText(std::vector<std::array<std::string, 3>>{}), "");
}

}  // namespace
}  // namespace nv
