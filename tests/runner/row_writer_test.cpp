// The runner's output: rows as tsv, csv or an aligned table, written through
// the one buffer, and a user's text shown inside a message.
#include "runner/row_writer.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "runner/output_buffer.h"
#include "runner/runner_text.h"
#include "support/utf8.h"

namespace nv::runner {
namespace {

using Row = std::array<std::string, kResultsColumns>;

const std::vector<Row> kDays = {
    Row{"1", "40", "50", "40", "$70", "$70"},
    Row{"2", "60", "40", "40", "-$53", "$1,500"},
};

// The header and the rows, as the engine writes them, in one format.
std::string written(const std::vector<Row> &rows, OutputFormat format) {
    std::ostringstream out;
    OutputBuffer buffer(out, 16);  // small: the text crosses many flushes
    RowWriter writer(format, buffer);
    writer.writeHeader();
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < kResultsColumns; ++c) {
            writer.setCellText(static_cast<int>(r) + 1, c, rows[r][static_cast<std::size_t>(c)]);
        }
    }
    writer.finish();
    EXPECT_TRUE(buffer.flush());
    return out.str();
}

TEST(RunnerOutput, TsvJoinsCellsWithOneTab) {
    EXPECT_EQ(written(kDays, OutputFormat::Tsv),
              "Day\tDemand\tOrder\tSales\tDaily Profit\tCumulative Profit\n"
              "1\t40\t50\t40\t$70\t$70\n"
              "2\t60\t40\t40\t-$53\t$1,500\n");
}

TEST(RunnerOutput, CsvQuotesAndEndsLinesWithCrlf) {
    EXPECT_EQ(written({kDays[1], Row{" 3", "a\"b", "", "", "", ""}}, OutputFormat::Csv),
              "Day,Demand,Order,Sales,Daily Profit,Cumulative Profit\r\n"
              "2,60,40,40,-$53,\"$1,500\"\r\n"
              "\" 3\",\"a\"\"b\",,,,\r\n");
}

TEST(RunnerOutput, TableRightAlignsEachColumnToItsWidestCellInCodePoints) {
    // A locale that groups with U+202F: three bytes, one column.
    const std::string nnbsp = "\xE2\x80\xAF";
    EXPECT_EQ(
        written({kDays[0], Row{"1" + nnbsp + "000", "50", "50", "50", "$", "$1" + nnbsp + "000"}},
                OutputFormat::Table),
        "  Day  Demand  Order  Sales  Daily Profit  Cumulative Profit\n"
        "    1      40     50     40           $70                $70\n"
        "1" +
            nnbsp + "000      50     50     50             $             $1" + nnbsp + "000\n");
}

TEST(RunnerOutput, CellsLeftOutAreEmptyAndAFinishedRowIsNotWrittenAgain) {
    std::ostringstream out;
    OutputBuffer buffer(out);
    RowWriter writer(OutputFormat::Tsv, buffer);
    writer.setCellText(1, 1, "a");
    writer.setCellText(1, 3, "b");
    writer.setCellText(2, 5, "c");
    writer.setCellText(3, 0, "d");
    for (int c = 1; c < kResultsColumns; ++c) {
        writer.setCellText(3, c, "e");
    }
    writer.setCellText(3, 2, "again");
    writer.finish();
    ASSERT_TRUE(buffer.flush());
    EXPECT_EQ(out.str(), "\ta\t\tb\t\t\n\t\t\t\t\tc\nd\te\te\te\te\te\n");
}

// A stream that takes `room` bytes and then fails.
class FullDisk final : public std::streambuf {
public:
    explicit FullDisk(std::size_t room) : m_room(room) {}
    std::string taken;

protected:
    std::streamsize xsputn(const char *s, std::streamsize n) override {
        const auto take = std::min(static_cast<std::size_t>(n), m_room - taken.size());
        taken.append(s, take);
        return static_cast<std::streamsize>(take);
    }
    int_type overflow(int_type) override { return traits_type::eof(); }

private:
    std::size_t m_room;
};

TEST(RunnerOutput, AFailedWriteIsRememberedAndLaterTextDropped) {
    FullDisk disk(10);
    std::ostream out(&disk);
    OutputBuffer buffer(out, 8);
    buffer.append("0123456789");  // more than the buffer holds: one write of 8
    EXPECT_TRUE(buffer.ok());
    buffer.append("abcdefgh");  // the second write fills the disk
    EXPECT_FALSE(buffer.ok());
    buffer.append("more");
    EXPECT_FALSE(buffer.flush());
    EXPECT_EQ(disk.taken, "0123456789");
}

// ---- A user's text in a message -----------------------------------------------

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
    EXPECT_EQ(codePointCount("\xF0\x9F\x98\x80"), 1u);
}

}  // namespace
}  // namespace nv::runner
