#include "support/lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nv {
namespace {

std::vector<std::string> linesOf(std::string_view text) {
    std::vector<std::string> lines;
    LineReader reader(text);
    while (const auto line = reader.next()) {
        lines.emplace_back(*line);
        EXPECT_EQ(reader.number(), lines.size());
    }
    return lines;
}

TEST(LineReader, EndsLinesAtLfOrCrLfAndNeedsNoFinalLineEnd) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(linesOf(""), Lines{});
    EXPECT_EQ(linesOf("a"), Lines{"a"});
    EXPECT_EQ(linesOf("a\n"), Lines{"a"});
    EXPECT_EQ(linesOf("a\r\n\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(linesOf("a\rb\n\n"), (Lines{"a\rb", ""}));
    EXPECT_TRUE(isBlankLine(" \t"));
    EXPECT_FALSE(isBlankLine(" x"));
}

}  // namespace
}  // namespace nv
