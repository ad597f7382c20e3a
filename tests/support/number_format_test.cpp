#include "support/number_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
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

}  // namespace
}  // namespace nv
