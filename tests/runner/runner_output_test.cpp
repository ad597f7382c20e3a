#include "runner/runner_output.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/utf8.h"

namespace nv::runner {
namespace {

using Row = ui::MemoryGrid::Row;

const std::vector<Row> kGrid = {
    Row{"Day", "Demand", "Order", "Sales", "Daily Profit", "Cumulative Profit"},
    Row{"1", "40", "50", "40", "$70", "$70"}, Row{"2", "60", "40", "40", "-$53", "$1,500"},
    Row{"", "", "", "", "", ""},  // a row the run did not write
};

std::string written(const std::vector<Row> &rows, OutputFormat format) {
    std::ostringstream out;
    writeGrid(rows, format, out);
    return out.str();
}

// ---- Text helpers ----------------------------------------------------------------

struct DisplayCase {
    const char *name;
    std::string text;
    std::string shown;
    bool valid;
};

class DisplayedText : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(DisplayedText, KeepsPrintableUtf8AndEscapesTheRest) {
    EXPECT_EQ(displayText(GetParam().text, 8), GetParam().shown);
    EXPECT_EQ(isValidUtf8(GetParam().text), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    Runner, DisplayedText,
    ::testing::Values(
        DisplayCase{"Ascii", "abc", "abc", true}, DisplayCase{"Empty", "", "", true},
        DisplayCase{"Tab", "a\tb", "a\\x09b", true},
        DisplayCase{"Escape", "\x1b[2J", "\\x1B[2J", true},
        DisplayCase{"Delete", "\x7f", "\\x7F", true},
        DisplayCase{"C1Control",
                    "\xC2\x9B"
                    "1m",
                    "\\xC2\\x9B1m", true},
        DisplayCase{"NoBreakSpace",
                    "1\xC2\xA0"
                    "000",
                    "1\xC2\xA0"
                    "000",
                    true},
        DisplayCase{"NarrowNoBreakSpace",
                    "1\xE2\x80\xAF"
                    "000",
                    "1\xE2\x80\xAF"
                    "000",
                    true},
        DisplayCase{"FourByteCharacter", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80", true},
        DisplayCase{"LoneSurrogate", "\xED\xA0\x80", "\\xED\\xA0\\x80", false},
        DisplayCase{"Overlong", "\xC0\xAE", "\\xC0\\xAE", false},
        DisplayCase{"OverlongThreeBytes", "\xE0\x80\xAE", "\\xE0\\x80\\xAE", false},
        DisplayCase{"AboveUnicode", "\xF4\x90\x80\x80", "\\xF4\\x90\\x80\\x80", false},
        DisplayCase{"CutSequence", "a\xE2\x80", "a\\xE2\\x80", false},
        DisplayCase{"StrayContinuation", "\x80", "\\x80", false},
        DisplayCase{"CutAfterEightCodePoints", "123456789", "12345678...", true},
        DisplayCase{"CutCountsCodePoints",
                    "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9",
                    "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9...", true},
        DisplayCase{"ExactlyEightIsNotCut", "12345678", "12345678", true}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(RunnerText, CodePointsOfGroupSeparators) {
    EXPECT_EQ(codePointCount(""), 0u);
    EXPECT_EQ(codePointCount("$1,500"), 6u);
    EXPECT_EQ(codePointCount("$1\xC2\xA0"
                             "500"),
              6u);
    EXPECT_EQ(codePointCount("$1\xE2\x80\xAF"
                             "500"),
              6u);
    EXPECT_EQ(codePointCount("\xF0\x9F\x98\x80"), 1u);
}

// ---- The three formats --------------------------------------------------------------

TEST(RunnerOutput, TsvJoinsCellsWithOneTab) {
    EXPECT_EQ(written(kGrid, OutputFormat::Tsv),
              "Day\tDemand\tOrder\tSales\tDaily Profit\tCumulative Profit\n"
              "1\t40\t50\t40\t$70\t$70\n"
              "2\t60\t40\t40\t-$53\t$1,500\n"
              "\t\t\t\t\t\n");
}

TEST(RunnerOutput, CsvQuotesAndEndsLinesWithCrlf) {
    EXPECT_EQ(written(kGrid, OutputFormat::Csv),
              "Day,Demand,Order,Sales,Daily Profit,Cumulative Profit\r\n"
              "1,40,50,40,$70,$70\r\n"
              "2,60,40,40,-$53,\"$1,500\"\r\n"
              ",,,,,\r\n");
}

TEST(RunnerOutput, TableRightAlignsEachColumnToItsWidestCell) {
    EXPECT_EQ(written(kGrid, OutputFormat::Table),
              "Day  Demand  Order  Sales  Daily Profit  Cumulative Profit\n"
              "  1      40     50     40           $70                $70\n"
              "  2      60     40     40          -$53             $1,500\n"
              "                                                          \n");
}

TEST(RunnerOutput, TableCountsCodePointsNotBytes) {
    // A locale that groups with U+202F: three bytes, one column.
    const std::string nnbsp = "\xE2\x80\xAF";
    const std::vector<Row> rows = {
        Row{"Day", "Demand", "Order", "Sales", "Daily Profit", "Cumulative Profit"},
        Row{"1" + nnbsp + "000", "50", "50", "50", "$120", "$120" + nnbsp + "000" + nnbsp + "000"},
        Row{"999", "30", "70", "30", "$", "$1" + nnbsp + "000"},
    };
    const std::string table = written(rows, OutputFormat::Table);
    std::istringstream lines(table);
    std::string line;
    std::vector<std::size_t> widths;
    while (std::getline(lines, line)) {
        widths.push_back(codePointCount(line));
    }
    ASSERT_EQ(widths.size(), 3u);
    EXPECT_EQ(widths[0], widths[1]);
    EXPECT_EQ(widths[0], widths[2]);
    EXPECT_NE(table.find("  999  "), std::string::npos);
    EXPECT_NE(table.find("1" + nnbsp + "000  "), std::string::npos);
}

TEST(RunnerOutput, HeaderOnlyGrid) {
    const std::vector<Row> rows(kGrid.begin(), kGrid.begin() + 1);
    EXPECT_EQ(written(rows, OutputFormat::Tsv),
              "Day\tDemand\tOrder\tSales\tDaily Profit\tCumulative Profit\n");
    EXPECT_EQ(written(rows, OutputFormat::Table),
              "Day  Demand  Order  Sales  Daily Profit  Cumulative Profit\n");
}

}  // namespace
}  // namespace nv::runner
