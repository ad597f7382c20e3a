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

struct ReadCase {
    const char *name;
    std::string text;
    std::vector<CsvRecord> records;
};

class CsvRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(CsvRead, GivesTheRecordsOfTheText) {
    EXPECT_EQ(readCsv(GetParam().text), GetParam().records);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CsvRead,
    ::testing::Values(
        ReadCase{"Empty", "", {}},
        ReadCase{"CrLfAndNoFinalLineEnd", "day,demand\r\n1,40", {{"day", "demand"}, {"1", "40"}}},
        ReadCase{"LfAndLoneCr", "a\nb\rc\n", {{"a"}, {"b"}, {"c"}}},
        ReadCase{"ByteOrderMark",
                 "\xEF\xBB\xBF"
                 "day\r\n",
                 {{"day"}}},
        ReadCase{"BlankLinesAreRecords", "a\r\n\r\n", {{"a"}, {""}}},
        ReadCase{"EmptyFields", ",a,\n", {{"", "a", ""}}},
        ReadCase{"QuotedCommaQuoteAndLineEnd",
                 "\"$1,234.50\",\"say \"\"hi\"\"\",\"two\r\nlines\"\r\n",
                 {{"$1,234.50", "say \"hi\"", "two\r\nlines"}}},
        ReadCase{"StrayQuoteInsideAFieldIsText", "ab\"c,d", {{"ab\"c", "d"}}},
        ReadCase{"TextAfterAClosingQuoteIsAppended", "\"ab\"c,d", {{"abc", "d"}}},
        ReadCase{"UnclosedQuoteRunsToTheEnd", "a,\"b,c\nd", {{"a", "b,c\nd"}}},
        ReadCase{"WhatTheWriterWrites",
                 csvText(std::vector<std::array<std::string, 2>>{{"-$1,234", "a\"b"}, {" 5", ""}}),
                 {{"-$1,234", "a\"b"}, {" 5", ""}}}),
    [](const auto &param) { return std::string(param.param.name); });

}  // namespace
}  // namespace nv
