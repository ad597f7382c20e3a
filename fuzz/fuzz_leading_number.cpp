// Fuzzes the leading-number reading of the frequency boxes against a plain
// reference reader: drop every blank, take the longest prefix that fits the
// number pattern, and hand it to strtod.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "support/text_conversion.h"

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The longest prefix of `s` of the form [sign] digits [. digits] [E [sign] digits]
// with at least one mantissa digit; empty when there is none.
std::string matchedPrefix(const std::string &s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return {};
    }
    std::size_t end = i;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            ++j;
        }
        if (j < s.size() && isDigit(s[j])) {
            while (j < s.size() && isDigit(s[j])) {
                ++j;
            }
            end = j;
        }
    }
    return s.substr(0, end);
}

double referenceReading(std::string_view text) {
    std::string stripped;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            stripped.push_back(c);
        }
    }
    const std::string prefix = matchedPrefix(stripped);
    if (prefix.empty()) {
        return 0.0;
    }
    // The prefix holds only signs, digits, a point and E: strtod's C-locale
    // reading of it is the correctly rounded value.
    return std::strtod(prefix.c_str(), nullptr);
}

bool sameDouble(double a, double b) {
    return (a == b && std::signbit(a) == std::signbit(b)) || (std::isnan(a) && std::isnan(b));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const double got = nv::leadingNumber(text);
    const double expected = referenceReading(text);
    if (!sameDouble(got, expected)) {
        std::fprintf(stderr, "leadingNumber gave %.17g, reference %.17g\n", got, expected);
        std::abort();
    }
    return 0;
}
