#include "runner/draws.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace nv::runner {
namespace {

// ---- Files that read ---------------------------------------------------------

struct ReadCase {
    const char *name;
    std::string text;
    std::vector<float> draws;
};

class DrawsThatRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(DrawsThatRead, GiveTheirValuesInOrder) {
    const auto parsed = parseDraws(GetParam().text);
    ASSERT_TRUE(parsed.ok()) << drawsErrorMessage(parsed.error());
    EXPECT_EQ(*parsed, GetParam().draws);
}

INSTANTIATE_TEST_SUITE_P(
    Runner, DrawsThatRead,
    ::testing::Values(ReadCase{"Empty", "", {}}, ReadCase{"OnlyBlankLines", "\n \n\t\n\r\n", {}},
                      ReadCase{"OneLineWithoutLineEnd", "0.5", {0.5f}},
                      ReadCase{"LfLines", "0.2\n0.8\n", {0.2f, 0.8f}},
                      ReadCase{"CrlfLines", "0.2\r\n0.8\r\n", {0.2f, 0.8f}},
                      ReadCase{"MixedLineEnds", "0.2\r\n0.4\n0.8", {0.2f, 0.4f, 0.8f}},
                      ReadCase{"BlankLinesSkipped", "\n0.2\n\n   \n\t\r\n0.8\n\n", {0.2f, 0.8f}},
                      ReadCase{"BlanksAroundTheNumber", "  0.25\t\r\n\t0.75  \n", {0.25f, 0.75f}},
                      ReadCase{"Zero", "0\n-0\n0.0e5\n", {0.0f, -0.0f, 0.0f}},
                      ReadCase{"DecimalForms", ".5\n5e-1\n+0.5\n0.5E0\n", {0.5f, 0.5f, 0.5f, 0.5f}},
                      // Rounded to the nearest single-precision value.
                      ReadCase{"NearestFloat", "0.1\n0.3\n", {0.1f, 0.3f}},
                      ReadCase{"LargestFloatBelowOne",
                               "0.99999994\n0.99999997\n0.9999999701976",
                               {0.99999994f, 0.99999994f, 0.99999994f}},
                      ReadCase{"UnderflowReadsAsZero", "1e-400\n", {0.0f}},
                      ReadCase{"TinyButNotZero", "1e-40\n", {1e-40f}}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

// ---- Files that do not ------------------------------------------------------------

struct ErrorCase {
    const char *name;
    std::string text;
    DrawsError error;
    std::string message;
};

class DrawsThatFail : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(DrawsThatFail, NameTheLine) {
    const ErrorCase &c = GetParam();
    const auto parsed = parseDraws(c.text);
    ASSERT_FALSE(parsed.ok());
    EXPECT_EQ(parsed.error(), c.error);
    EXPECT_EQ(drawsErrorMessage(parsed.error()), c.message);
}

using K = DrawsErrorKind;

INSTANTIATE_TEST_SUITE_P(
    Runner, DrawsThatFail,
    ::testing::Values(ErrorCase{"Letters",
                                "0.1\n0.2\nabc\n0.3\n",
                                {K::NotANumber, 3, "abc"},
                                "Line 3 of the draws file is not a number: abc"},
                      ErrorCase{"BlankLinesCount",
                                "\n\n0.1\r\n\r\nx\r\n",
                                {K::NotANumber, 5, "x"},
                                "Line 5 of the draws file is not a number: x"},
                      ErrorCase{"DecimalComma",
                                "0,5\n",
                                {K::NotANumber, 1, "0,5"},
                                "Line 1 of the draws file is not a number: 0,5"},
                      ErrorCase{"TwoNumbersOnALine",
                                "0.1 0.2\n",
                                {K::NotANumber, 1, "0.1 0.2"},
                                "Line 1 of the draws file is not a number: 0.1 0.2"},
                      ErrorCase{"Nan",
                                "nan\n",
                                {K::NotANumber, 1, "nan"},
                                "Line 1 of the draws file is not a number: nan"},
                      ErrorCase{"Hex",
                                "0x0.8\n",
                                {K::NotANumber, 1, "0x0.8"},
                                "Line 1 of the draws file is not a number: 0x0.8"},
                      ErrorCase{"LoneCrInsideALine",
                                "0.1\r0.2\n",
                                {K::NotANumber, 1, "0.1\r0.2"},
                                "Line 1 of the draws file is not a number: 0.1\\x0D0.2"},
                      ErrorCase{"InvalidUtf8",
                                "0.5\n\xFF\xFE\n",
                                {K::NotANumber, 2, "\xFF\xFE"},
                                "Line 2 of the draws file is not a number: \\xFF\\xFE"},
                      ErrorCase{"LoneSurrogate",
                                "\xED\xA0\x80"
                                "0.5\n",
                                {K::NotANumber, 1,
                                 "\xED\xA0\x80"
                                 "0.5"},
                                "Line 1 of the draws file is not a number: \\xED\\xA0\\x800.5"},
                      ErrorCase{"ArabicIndicDigits",
                                "\xD9\xA0.\xD9\xA5\n",
                                {K::NotANumber, 1, "\xD9\xA0.\xD9\xA5"},
                                "Line 1 of the draws file is not a number: \xD9\xA0.\xD9\xA5"},
                      ErrorCase{"NulByte",
                                std::string("0.5\0\n", 5),
                                {K::NotANumber, 1, std::string("0.5\0", 4)},
                                "Line 1 of the draws file is not a number: 0.5\\x00"},
                      ErrorCase{"One",
                                "0.5\n1\n",
                                {K::OutOfRange, 2, "1"},
                                "Line 2 of the draws file is outside [0, 1): 1"},
                      ErrorCase{"AboveOne",
                                "1.5",
                                {K::OutOfRange, 1, "1.5"},
                                "Line 1 of the draws file is outside [0, 1): 1.5"},
                      ErrorCase{"Negative",
                                "-0.1\n",
                                {K::OutOfRange, 1, "-0.1"},
                                "Line 1 of the draws file is outside [0, 1): -0.1"},
                      ErrorCase{"SmallestNegative",
                                "-1e-320\n",
                                {K::OutOfRange, 1, "-1e-320"},
                                "Line 1 of the draws file is outside [0, 1): -1e-320"},
                      // Below 1 as a double, but the nearest float is 1.
                      ErrorCase{"RoundsUpToOne",
                                "0.99999999\n",
                                {K::OutOfRange, 1, "0.99999999"},
                                "Line 1 of the draws file is outside [0, 1): 0.99999999"},
                      ErrorCase{"PastTheMidpointRoundsToOne",
                                "0.99999998\n",
                                {K::OutOfRange, 1, "0.99999998"},
                                "Line 1 of the draws file is outside [0, 1): 0.99999998"},
                      ErrorCase{"BeyondFloat",
                                "1e300\n",
                                {K::OutOfRange, 1, "1e300"},
                                "Line 1 of the draws file is outside [0, 1): 1e300"},
                      ErrorCase{"BeyondDouble",
                                "1e309\n",
                                {K::OutOfRange, 1, "1e309"},
                                "Line 1 of the draws file is outside [0, 1): 1e309"},
                      ErrorCase{"NegativeBeyondDouble",
                                "-1e309\n",
                                {K::OutOfRange, 1, "-1e309"},
                                "Line 1 of the draws file is outside [0, 1): -1e309"},
                      ErrorCase{"BlanksKeptInErrorButTrimmedInMessage",
                                "\t 2 \r\n",
                                {K::OutOfRange, 1, "\t 2 "},
                                "Line 1 of the draws file is outside [0, 1): 2"},
                      ErrorCase{"FirstBadLineWins",
                                "0.1\n7\nabc\n",
                                {K::OutOfRange, 2, "7"},
                                "Line 2 of the draws file is outside [0, 1): 7"}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(RunnerDraws, ALongFileReadsEveryLine) {
    std::string text;
    for (int i = 0; i < 32766; ++i) {
        text += (i % 2 == 0) ? "0.25\r\n" : "0.75\n";
    }
    const auto parsed = parseDraws(text);
    ASSERT_TRUE(parsed.ok());
    ASSERT_EQ(parsed->size(), 32766u);
    EXPECT_EQ(parsed->front(), 0.25f);
    EXPECT_EQ(parsed->back(), 0.75f);
}

TEST(RunnerDraws, ALineNumberPastTheFirstThousands) {
    std::string text(100'000, '\n');
    text += "x";
    const auto parsed = parseDraws(text);
    ASSERT_FALSE(parsed.ok());
    EXPECT_EQ(parsed.error().line, 100'001u);
}

TEST(RunnerDraws, TooFewDrawsMessageCountsBoth) {
    EXPECT_EQ(tooFewDrawsMessage(10, 250), "The draws file has 10 draws but the run needs 250");
    EXPECT_EQ(tooFewDrawsMessage(1, 2), "The draws file has 1 draw but the run needs 2");
    EXPECT_EQ(tooFewDrawsMessage(0, 1), "The draws file has 0 draws but the run needs 1");
}

}  // namespace
}  // namespace nv::runner
