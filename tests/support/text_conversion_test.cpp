#include "support/text_conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

namespace nv {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Some texts are a megabyte long: test listings and failures show their start.
std::string shortened(const std::string &text) {
    return text.size() <= 40
               ? text
               : text.substr(0, 40) + "... (" + std::to_string(text.size()) + " bytes)";
}

struct LeadingCase {
    std::string text;
    double value;
};

void PrintTo(const LeadingCase &c, std::ostream *os) {
    *os << '"' << shortened(c.text) << '"';
}

class LeadingNumber : public testing::TestWithParam<LeadingCase> {};

TEST_P(LeadingNumber, ReadsTheLeadingNumber) {
    const double got = leadingNumber(GetParam().text);
    // Exact comparison, also of the sign of a zero.
    EXPECT_EQ(got, GetParam().value) << shortened(GetParam().text);
    EXPECT_EQ(std::signbit(got), std::signbit(GetParam().value)) << shortened(GetParam().text);
}

const std::string kMillionOnes(1'000'000, '1');

INSTANTIATE_TEST_SUITE_P(
    Readings, LeadingNumber,
    testing::Values(
        LeadingCase{"", 0}, LeadingCase{".", 0}, LeadingCase{".5", 0.5}, LeadingCase{"5.", 5},
        LeadingCase{"007", 7}, LeadingCase{"0.25abc", 0.25}, LeadingCase{"1,5", 1},
        LeadingCase{"0.5.5", 0.5}, LeadingCase{" - 1 2", -12}, LeadingCase{"1 2", 12},
        LeadingCase{"\t1\n2 . 5", 12.5}, LeadingCase{"1 e 3", 1000}, LeadingCase{"1e3", 1000},
        LeadingCase{"2E-2", 0.02}, LeadingCase{"+5", 5}, LeadingCase{"1e", 1},
        LeadingCase{"1e+", 1}, LeadingCase{"1e-x", 1}, LeadingCase{"&H10", 0},
        LeadingCase{"0x10", 0}, LeadingCase{"abc", 0}, LeadingCase{"--5", 0}, LeadingCase{"-", 0},
        LeadingCase{"-.e5", 0}, LeadingCase{"\r5", 0},
        LeadingCase{"\xD9\xA1\xD9\xA2", 0},  // Arabic-Indic 1 2
        LeadingCase{"\xEF\xBC\x91", 0},      // fullwidth 1
        LeadingCase{"5\xEF\xBC\x91", 5}, LeadingCase{"1e309", kInf}, LeadingCase{"-1e309", -kInf},
        LeadingCase{"1.8e308", kInf},
        LeadingCase{"1.7976931348623157e308", std::numeric_limits<double>::max()},
        LeadingCase{"4.9e-324", std::numeric_limits<double>::denorm_min()},
        LeadingCase{"2e-324", 0}, LeadingCase{"-1e-400", -0.0},
        LeadingCase{"0.1000000000000000055511151231257827021181583404541015625", 0.1},
        // 2^53 + 1 is halfway between two doubles: the even one wins unless
        // a non-zero digit follows, however far behind.
        LeadingCase{"9007199254740993", 9007199254740992.0},
        LeadingCase{"9007199254740993." + std::string(2000, '0'), 9007199254740992.0},
        LeadingCase{"9007199254740993." + std::string(2000, '0') + "1", 9007199254740994.0},
        // Huge texts: a million digits, exponents of thousands of digits.
        LeadingCase{kMillionOnes, kInf}, LeadingCase{"0." + kMillionOnes + "e1000000", kInf},
        LeadingCase{"0." + std::string(1'000'000, '0') + "1", 0},
        LeadingCase{"1" + std::string(400, '0') + "e-400", 1},
        LeadingCase{"1e" + std::string(5000, '9'), kInf},
        LeadingCase{"1e-" + std::string(5000, '9'), 0},
        LeadingCase{"0e" + std::string(5000, '9'), 0},
        LeadingCase{"1e" + std::string(5000, '0') + "3", 1000}));

// Texts that are not a number under the whole-text grammar.
const std::vector<std::string> kNotNumbers = {"",
                                              "  ",
                                              "\t",
                                              "abc",
                                              "1,5",
                                              "0x10",
                                              "&H10",
                                              "nan",
                                              "NaN",
                                              "inf",
                                              "-inf",
                                              "infinity",
                                              ".",
                                              "-",
                                              "+",
                                              "--5",
                                              "+-5",
                                              "1e",
                                              "1e+",
                                              "e5",
                                              "1 2",
                                              "- 1",
                                              "1\n",
                                              "\n1",
                                              "1.2.3",
                                              "5 abc",
                                              "\xD9\xA1",
                                              "\xEF\xBC\x91",
                                              "\xFF"
                                              "5",
                                              "5\x80",
                                              std::string("5\0", 2)};

class WholeTextRejects : public testing::TestWithParam<std::string> {};

TEST_P(WholeTextRejects, EveryConversion) {
    const std::string &text = GetParam();
    const auto d = parseDouble(text);
    const auto c = parseCurrency(text);
    const auto i = parseInt16(text);
    ASSERT_FALSE(d);
    ASSERT_FALSE(c);
    ASSERT_FALSE(i);
    EXPECT_EQ(d.error(), ConversionError::NotANumber);
    EXPECT_EQ(c.error(), ConversionError::NotANumber);
    EXPECT_EQ(i.error(), ConversionError::NotANumber);
}

INSTANTIATE_TEST_SUITE_P(BadInputs, WholeTextRejects, testing::ValuesIn(kNotNumbers));

struct DoubleCase {
    std::string text;
    double value;  // NaN marks OutOfRange
};

void PrintTo(const DoubleCase &c, std::ostream *os) {
    *os << '"' << c.text << '"';
}

class ParseDouble : public testing::TestWithParam<DoubleCase> {};

TEST_P(ParseDouble, ReadsTheWholeText) {
    const auto r = parseDouble(GetParam().text);
    if (std::isnan(GetParam().value)) {
        ASSERT_FALSE(r);
        EXPECT_EQ(r.error(), ConversionError::OutOfRange);
    } else {
        ASSERT_TRUE(r) << shortened(GetParam().text);
        EXPECT_EQ(*r, GetParam().value);
    }
}

constexpr double kOut = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(Cases, ParseDouble,
                         testing::Values(DoubleCase{" 1.5 ", 1.5}, DoubleCase{"\t-2e3\t", -2000},
                                         DoubleCase{"+5", 5}, DoubleCase{"5.", 5},
                                         DoubleCase{".5", 0.5}, DoubleCase{"250", 250},
                                         DoubleCase{"1e-400", 0}, DoubleCase{"1e309", kOut},
                                         DoubleCase{"-1e309", kOut}, DoubleCase{"1.8e308", kOut}));

struct CurrencyCase {
    std::string text;
    std::int64_t units;
    bool outOfRange = false;
};

void PrintTo(const CurrencyCase &c, std::ostream *os) {
    *os << '"' << shortened(c.text) << '"';
}

class ParseCurrency : public testing::TestWithParam<CurrencyCase> {};

TEST_P(ParseCurrency, RoundsTheExactDecimalHalfToEven) {
    const auto r = parseCurrency(GetParam().text);
    if (GetParam().outOfRange) {
        ASSERT_FALSE(r) << shortened(GetParam().text);
        EXPECT_EQ(r.error(), ConversionError::OutOfRange);
    } else {
        ASSERT_TRUE(r) << shortened(GetParam().text);
        EXPECT_EQ(r->units(), GetParam().units) << shortened(GetParam().text);
    }
}

constexpr std::int64_t kMaxUnits = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMinUnits = std::numeric_limits<std::int64_t>::min();

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseCurrency,
    testing::Values(
        CurrencyCase{"4.30", 43000}, CurrencyCase{"2.20", 22000}, CurrencyCase{"0.00005", 0},
        CurrencyCase{"0.00015", 2}, CurrencyCase{"0.00025", 2}, CurrencyCase{"0.000250001", 3},
        CurrencyCase{"-0.00015", -2}, CurrencyCase{"-0.00005", 0}, CurrencyCase{"-0", 0},
        CurrencyCase{"0.00004999999999999999999", 0},
        CurrencyCase{"0.00005" + std::string(1000, '0') + "1", 1}, CurrencyCase{"1e3", 10'000'000},
        CurrencyCase{"1E0003", 10'000'000}, CurrencyCase{"12345e-8", 1}, CurrencyCase{".5", 5000},
        CurrencyCase{"5.", 50000}, CurrencyCase{"+5", 50000}, CurrencyCase{" 4.6\t", 46000},
        CurrencyCase{"1e-9999", 0}, CurrencyCase{"922337203685477.5807", kMaxUnits},
        CurrencyCase{"922337203685477.58074999", kMaxUnits},
        CurrencyCase{"-922337203685477.5808", kMinUnits},
        CurrencyCase{"922337203685477.5808", 0, true},
        CurrencyCase{"922337203685477.58075", 0, true},  // rounds up past the limit
        CurrencyCase{"-922337203685477.5809", 0, true}, CurrencyCase{"1e15", 0, true},
        CurrencyCase{"9999999999999999.99995", 0, true},
        CurrencyCase{std::string(30, '9'), 0, true},
        CurrencyCase{"1e" + std::string(3000, '9'), 0, true}));

struct Int16Case {
    std::string text;
    int value;
    bool outOfRange = false;
};

void PrintTo(const Int16Case &c, std::ostream *os) {
    *os << '"' << c.text << '"';
}

class ParseInt16 : public testing::TestWithParam<Int16Case> {};

TEST_P(ParseInt16, RoundsHalfToEvenWithinRange) {
    const auto r = parseInt16(GetParam().text);
    if (GetParam().outOfRange) {
        ASSERT_FALSE(r) << shortened(GetParam().text);
        EXPECT_EQ(r.error(), ConversionError::OutOfRange);
    } else {
        ASSERT_TRUE(r) << shortened(GetParam().text);
        EXPECT_EQ(*r, GetParam().value) << shortened(GetParam().text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseInt16,
    testing::Values(Int16Case{"-0.5", 0}, Int16Case{"0.5", 0}, Int16Case{"1.5", 2},
                    Int16Case{"2.5", 2}, Int16Case{"3.5", 4}, Int16Case{"-0.4", 0},
                    Int16Case{"-0.6", -1}, Int16Case{"1e3", 1000}, Int16Case{"32766", 32766},
                    Int16Case{"32767", 32767}, Int16Case{"32767.5", 0, true},
                    Int16Case{"32768", 0, true}, Int16Case{"-32768", -32768},
                    Int16Case{"-32768.5", -32768}, Int16Case{"-32768.6", 0, true},
                    Int16Case{"1e309", 0, true}, Int16Case{"-1e309", 0, true}));

struct Int32Case {
    double value;
    std::int32_t rounded;
    bool outOfRange = false;
};

void PrintTo(const Int32Case &c, std::ostream *os) {
    *os << c.value;
}

class RoundToInt32 : public testing::TestWithParam<Int32Case> {};

TEST_P(RoundToInt32, RoundsHalfToEvenWithinRange) {
    const auto r = roundToInt32(GetParam().value);
    if (GetParam().outOfRange) {
        ASSERT_FALSE(r) << GetParam().value;
        EXPECT_EQ(r.error(), ConversionError::OutOfRange);
    } else {
        ASSERT_TRUE(r) << GetParam().value;
        EXPECT_EQ(*r, GetParam().rounded) << GetParam().value;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoundToInt32,
    testing::Values(Int32Case{251.0, 251}, Int32Case{250.5, 250}, Int32Case{251.5, 252},
                    Int32Case{-0.5, 0}, Int32Case{-1.5, -2}, Int32Case{0.49999999999999994, 0},
                    Int32Case{2147483647.0, 2147483647}, Int32Case{2147483647.5, 0, true},
                    Int32Case{-2147483648.5, -2147483648}, Int32Case{-2147483649.0, 0, true},
                    Int32Case{kInf, 0, true}, Int32Case{-kInf, 0, true},
                    Int32Case{std::numeric_limits<double>::quiet_NaN(), 0, true}));

}  // namespace
}  // namespace nv
