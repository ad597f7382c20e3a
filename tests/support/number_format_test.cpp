#include "support/number_format.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <ostream>
#include <random>
#include <string>

namespace nv {
namespace {

enum class Pattern { Whole, Dollars, TwoDecimals };

struct FormatCase {
    Pattern pattern;
    std::int64_t units;
    std::string text;
    NumberLocale locale{};
};

std::string format(Pattern pattern, Currency value, const NumberLocale &locale) {
    switch (pattern) {
        case Pattern::Whole:
            return formatWhole(value, locale);
        case Pattern::Dollars:
            return formatDollars(value, locale);
        case Pattern::TwoDecimals:
            return formatTwoDecimals(value, locale);
    }
    return {};
}

void formatTo(Pattern pattern, Currency value, const NumberLocale &locale, CellText &out) {
    switch (pattern) {
        case Pattern::Whole:
            return formatWholeTo(value, locale, out);
        case Pattern::Dollars:
            return formatDollarsTo(value, locale, out);
        case Pattern::TwoDecimals:
            return formatTwoDecimalsTo(value, locale, out);
    }
}

void PrintTo(const FormatCase &c, std::ostream *os) {
    *os << "pattern " << static_cast<int>(c.pattern) << ", units " << c.units << " -> \"" << c.text
        << "\"";
}

class Format : public testing::TestWithParam<FormatCase> {};

TEST_P(Format, GivesThePatternText) {
    const auto &[pattern, units, text, locale] = GetParam();
    EXPECT_EQ(format(pattern, Currency::fromUnits(units), locale), text) << units;
    // The fixed-capacity form gives the same text and replaces what was there.
    CellText cell;
    cell.append("left over from before");
    formatTo(pattern, Currency::fromUnits(units), locale, cell);
    EXPECT_EQ(cell.view(), text) << units;
}

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
const NumberLocale kNarrowSpace{"\xE2\x80\xAF", ","};  // U+202F, decimal comma
const NumberLocale kEightBytes{"<group!>", "<point!>"};
const NumberLocale kNoGrouping{"", "."};

INSTANTIATE_TEST_SUITE_P(
    Whole, Format,
    testing::Values(FormatCase{Pattern::Whole, 10000, "1"},
                    FormatCase{Pattern::Whole, 10'000'000, "1,000"},
                    FormatCase{Pattern::Whole, 485000, "49"},
                    FormatCase{Pattern::Whole, 482500, "48"}, FormatCase{Pattern::Whole, 5000, "1"},
                    FormatCase{Pattern::Whole, -5000, "-1"}, FormatCase{Pattern::Whole, 4999, ""},
                    FormatCase{Pattern::Whole, 0, ""}, FormatCase{Pattern::Whole, -3000, ""},
                    FormatCase{Pattern::Whole, -12'340'000, "-1,234"},
                    FormatCase{Pattern::Whole, 9'999'995'000, "1,000,000"},
                    FormatCase{Pattern::Whole, 1'000'000'000, "100,000"},
                    FormatCase{Pattern::Whole, 12'345'670'000,
                               "1\xE2\x80\xAF"
                               "234\xE2\x80\xAF"
                               "567",
                               kNarrowSpace},
                    FormatCase{Pattern::Whole, 12'345'670'000, "1234567", kNoGrouping},
                    FormatCase{Pattern::Whole, kMax, "922,337,203,685,478"},
                    FormatCase{Pattern::Whole, kMin, "-922,337,203,685,478"}));

INSTANTIATE_TEST_SUITE_P(
    Dollars, Format,
    testing::Values(FormatCase{Pattern::Dollars, 700000, "$70"},
                    FormatCase{Pattern::Dollars, 15'000'000, "$1,500"},
                    FormatCase{Pattern::Dollars, -530000, "-$53"},
                    FormatCase{Pattern::Dollars, 1'115'500, "$112"},
                    FormatCase{Pattern::Dollars, 0, "$"}, FormatCase{Pattern::Dollars, 4000, "$"},
                    FormatCase{Pattern::Dollars, -3000, "$"},
                    FormatCase{Pattern::Dollars, -5000, "-$1"},
                    FormatCase{Pattern::Dollars, -15'000'000,
                               "-$1\xE2\x80\xAF"
                               "500",
                               kNarrowSpace},
                    FormatCase{Pattern::Dollars, kMax, "$922,337,203,685,478"},
                    FormatCase{Pattern::Dollars, kMin,
                               "-$922<group!>337<group!>203<group!>685<group!>478", kEightBytes}));

INSTANTIATE_TEST_SUITE_P(
    TwoDecimals, Format,
    testing::Values(FormatCase{Pattern::TwoDecimals, 1250, "0.13"},
                    FormatCase{Pattern::TwoDecimals, 0, "0.00"},
                    FormatCase{Pattern::TwoDecimals, -15000, "-1.50"},
                    FormatCase{Pattern::TwoDecimals, 9990, "1.00"},
                    FormatCase{Pattern::TwoDecimals, 9950, "1.00"},
                    FormatCase{Pattern::TwoDecimals, 9949, "0.99"},
                    FormatCase{Pattern::TwoDecimals, -40, "0.00"},
                    FormatCase{Pattern::TwoDecimals, -50, "-0.01"},
                    FormatCase{Pattern::TwoDecimals, 20000, "2.00"},
                    FormatCase{Pattern::TwoDecimals, 12'345'000, "1234.50"},
                    FormatCase{Pattern::TwoDecimals, 1250, "0,13", kNarrowSpace},
                    FormatCase{Pattern::TwoDecimals, kMax, "922337203685477.58"},
                    FormatCase{Pattern::TwoDecimals, kMin, "-922337203685477<point!>58",
                               kEightBytes}));

TEST(CellText, CutsWhatDoesNotFitAndSaysSo) {
    CellText cell;
    EXPECT_TRUE(cell.append(std::string(CellText::kCapacity - 1, 'x')));
    EXPECT_FALSE(cell.append("yz"));
    EXPECT_EQ(cell.size(), CellText::kCapacity);
    EXPECT_EQ(cell.view().back(), 'y');
    EXPECT_FALSE(cell.append('!'));
    cell.clear();
    EXPECT_TRUE(cell.append('!'));
    EXPECT_EQ(cell.view(), "!");
}

TEST(FormatCount, GroupsDigitsInThrees) {
    EXPECT_EQ(formatCount(0), "0");
    EXPECT_EQ(formatCount(999), "999");
    EXPECT_EQ(formatCount(1000), "1,000");
    EXPECT_EQ(formatCount(100'000), "100,000");
    EXPECT_EQ(formatCount(1'000'000), "1,000,000");
    EXPECT_EQ(formatCount(-1234), "-1,234");
    EXPECT_EQ(formatCount(1234567, NumberLocale{"\u202F", ","}), "1\u202F234\u202F567");
    EXPECT_EQ(formatCount(std::numeric_limits<std::int64_t>::min()), "-9,223,372,036,854,775,808");
}

// ---- Plain decimal texts ---------------------------------------------------------------

struct ShortestCase {
    const char *name;
    double value;
    const char *text;
};

class ShortestDecimal : public ::testing::TestWithParam<ShortestCase> {};

TEST_P(ShortestDecimal, IsTheShortestForm) {
    EXPECT_EQ(shortestDecimal(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Doubles, ShortestDecimal,
    ::testing::Values(ShortestCase{"Tenth", 0.1, "0.1"}, ShortestCase{"Whole", 25400.0, "25400"},
                      ShortestCase{"Negative", -2291.33, "-2291.33"},
                      ShortestCase{"NegativeZero", -0.0, "0"}, ShortestCase{"Large", 1e21, "1e+21"},
                      ShortestCase{"Small", 5e-7, "5e-07"},
                      ShortestCase{"Denormal", 5e-324, "5e-324"},
                      ShortestCase{"NaN", std::numeric_limits<double>::quiet_NaN(), "nan"},
                      ShortestCase{"Infinity", std::numeric_limits<double>::infinity(), "inf"}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(ShortestDecimalText, EveryFiniteDoubleReadsBackExactly) {
    std::mt19937_64 random(11);
    for (int round = 0; round < 50000; ++round) {
        const double value = std::bit_cast<double>(random());
        if (!std::isfinite(value)) {
            continue;
        }
        const std::string text = shortestDecimal(value);
        double read = 1.0;
        const auto result = std::from_chars(text.data(), text.data() + text.size(), read);
        ASSERT_EQ(result.ptr, text.data() + text.size()) << text;
        EXPECT_EQ(read, value == 0.0 ? 0.0 : value) << text;
    }
}

TEST(ExactDecimal, IsExactWithoutTrailingZeros) {
    const std::map<std::int64_t, std::string> cases = {
        {0, "0"},
        {46'000, "4.6"},
        {22'000, "2.2"},
        {500'000, "50"},
        {10'001, "1.0001"},
        {-1, "-0.0001"},
        {-10'000, "-1"},
        {1'234'500, "123.45"},
        {std::numeric_limits<std::int64_t>::max(), "922337203685477.5807"},
        {std::numeric_limits<std::int64_t>::min(), "-922337203685477.5808"},
    };
    for (const auto &[units, text] : cases) {
        EXPECT_EQ(exactDecimal(Currency::fromUnits(units)), text) << units;
    }
}

TEST(FixedDecimal, RoundsTheBinaryValueAndNeverShowsMinusZero) {
    EXPECT_EQ(fixedDecimal(1234.5, 2), "1234.50");
    EXPECT_EQ(fixedDecimal(2.675, 2), "2.67");  // 2.67499999... in binary
    EXPECT_EQ(fixedDecimal(-0.004, 2), "0.00");
    EXPECT_EQ(fixedDecimal(-0.0, 1), "0.0");
    EXPECT_EQ(fixedDecimal(-0.006, 2), "-0.01");
    EXPECT_EQ(fixedDecimal(1e20, 0), "100000000000000000000");
    EXPECT_EQ(fixedDecimal(std::numeric_limits<double>::quiet_NaN(), 2), "nan");
}

}  // namespace
}  // namespace nv
