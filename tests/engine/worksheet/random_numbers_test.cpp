// Reading the teacher's list of random numbers.
#include "engine/worksheet/random_numbers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace nv {
namespace {

TEST(RandomNumbersFile, TakesCrLfAByteOrderMarkAndEmptyLinesAtTheEnd) {
    EXPECT_EQ(*readRandomNumbers("07\r\n70\r\n", 2, 2), (std::vector<std::uint32_t>{7, 70}));
    EXPECT_EQ(*readRandomNumbers("07\n70", 2, 1), (std::vector<std::uint32_t>{7, 70}));
    EXPECT_EQ(*readRandomNumbers("\xEF\xBB\xBF"
                                 "0009\n9999\n\n\r\n",
                                 4, 2),
              (std::vector<std::uint32_t>{9, 9999}));
    // Blanks around a number, as a spreadsheet column pastes it.
    EXPECT_EQ(*readRandomNumbers("07 \n\t70\t\r\n \n", 2, 2), (std::vector<std::uint32_t>{7, 70}));
}

struct RefusalCase {
    std::string text;
    int digits;
    std::int32_t days;
    const char *message;
};

class RandomNumbersRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RandomNumbersRefusal, NamesTheLine) {
    const RefusalCase &c = GetParam();
    const auto read = readRandomNumbers(c.text, c.digits, c.days);
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(randomNumbersMessage(read.error()), c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RandomNumbersRefusal,
    ::testing::Values(
        RefusalCase{"07\n70\n7\n", 2, 3, "Line 3 of the random numbers is not a 2-digit number: 7"},
        RefusalCase{"0700\n07\n", 4, 2, "Line 2 of the random numbers is not a 4-digit number: 07"},
        RefusalCase{"07\n\n70\n", 2, 2,
                    "Line 2 of the random numbers is empty; it should hold a 2-digit number"},
        RefusalCase{"07\n70\nx\n", 2, 1, "Line 3 of the random numbers is not a 2-digit number: x"},
        RefusalCase{"07\n" + std::string(50, '1') + "\tz\n", 2, 1,
                    "Line 2 of the random numbers is not a 2-digit number: "
                    "1111111111111111111111111111111111111111..."},
        RefusalCase{"0\x1b\n", 2, 1, "Line 1 of the random numbers is not a 2-digit number: 0?"},
        RefusalCase{"07\n\t\n70\n", 2, 2,
                    "Line 2 of the random numbers holds only blanks (1 tab); it should hold a "
                    "2-digit number"},
        RefusalCase{"07\n  \t\n70\n", 2, 2,
                    "Line 2 of the random numbers holds only blanks (2 spaces and 1 tab); it "
                    "should hold a 2-digit number"},
        RefusalCase{"0\t7\n", 2, 1,
                    "Line 1 of the random numbers is not a 2-digit number: 0[tab]7"},
        RefusalCase{"07\n70\n", 2, 20,
                    "The random numbers file has 2 numbers but the worksheet has 20 days"},
        RefusalCase{"", 2, 1,
                    "The random numbers file has 0 numbers but the worksheet has 1 day"}));

}  // namespace
}  // namespace nv
