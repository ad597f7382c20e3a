// Fuzzes the three format patterns: each text is rebuilt from an __int128
// reference rounding with the separators inserted from the left, the
// fixed-capacity form must agree with the string form, and a "0.00" or
// ungrouped "#,###" text must read back as the rounded value.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "support/number_format.h"
#include "support/text_conversion.h"

namespace {

__extension__ typedef __int128 Int128;

[[noreturn]] void fail(const char *what, std::int64_t units, const std::string &got,
                       const std::string &expected) {
    std::fprintf(stderr, "%s for %lld units: got \"%s\", expected \"%s\"\n", what,
                 static_cast<long long>(units), got.c_str(), expected.c_str());
    std::abort();
}

// value / divisor rounded to the nearest integer, a half away from zero,
// using floor division (a different route from the formatter's).
Int128 roundHalfAway(Int128 value, Int128 divisor) {
    Int128 q = value / divisor;
    Int128 r = value % divisor;
    if (r < 0) {
        r += divisor;
        q -= 1;
    }
    // value = q * divisor + r with 0 <= r < divisor.
    if (2 * r > divisor || (2 * r == divisor && value > 0)) {
        q += 1;
    }
    return q;
}

std::string decimal(Int128 n) {  // n >= 0
    std::string s;
    do {
        s.insert(s.begin(), static_cast<char>('0' + static_cast<int>(n % 10)));
        n /= 10;
    } while (n != 0);
    return s;
}

std::string grouped(const std::string &digits, const std::string &separator) {
    std::string out;
    std::size_t head = digits.size() % 3;
    if (head == 0) {
        head = 3;
    }
    out = digits.substr(0, head);
    for (std::size_t i = head; i < digits.size(); i += 3) {
        out += separator;
        out += digits.substr(i, 3);
    }
    return out;
}

const char *const kSeparators[] = {",",        ".",       " ", "", "'", "\xC2\xA0", "\xE2\x80\xAF",
                                   "\xD9\xAB", "<group!>"};
constexpr std::size_t kSeparatorCount = sizeof kSeparators / sizeof kSeparators[0];

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    std::uint8_t bytes[10] = {};
    std::memcpy(bytes, data, size < sizeof bytes ? size : sizeof bytes);
    std::int64_t units = 0;
    std::memcpy(&units, bytes, sizeof units);
    nv::NumberLocale locale;
    locale.groupSeparator = kSeparators[bytes[8] % kSeparatorCount];
    locale.decimalSeparator = kSeparators[bytes[9] % kSeparatorCount];
    const nv::Currency value = nv::Currency::fromUnits(units);

    const Int128 whole = roundHalfAway(units, 10000);
    const Int128 hundredths = roundHalfAway(units, 100);
    const std::string wholeDigits =
        grouped(decimal(whole < 0 ? -whole : whole), locale.groupSeparator);
    const std::string sign = whole < 0 ? "-" : "";

    const std::string expectedWhole = whole == 0 ? "" : sign + wholeDigits;
    const std::string expectedDollars = whole == 0 ? "$" : sign + "$" + wholeDigits;
    const Int128 h = hundredths < 0 ? -hundredths : hundredths;
    const std::string cents = decimal(h % 100);
    const std::string expectedTwo = (hundredths < 0 ? "-" : "") + decimal(h / 100) +
                                    locale.decimalSeparator + (cents.size() < 2 ? "0" : "") + cents;

    nv::CellText cell;
    const std::string gotWhole = nv::formatWhole(value, locale);
    nv::formatWholeTo(value, locale, cell);
    if (gotWhole != expectedWhole || cell.view() != expectedWhole) {
        fail("#,###", units, gotWhole, expectedWhole);
    }
    const std::string gotDollars = nv::formatDollars(value, locale);
    nv::formatDollarsTo(value, locale, cell);
    if (gotDollars != expectedDollars || cell.view() != expectedDollars) {
        fail("$#,###", units, gotDollars, expectedDollars);
    }
    const std::string gotTwo = nv::formatTwoDecimals(value, locale);
    nv::formatTwoDecimalsTo(value, locale, cell);
    if (gotTwo != expectedTwo || cell.view() != expectedTwo) {
        fail("0.00", units, gotTwo, expectedTwo);
    }

    // Reading back: with a plain point, "0.00" gives the value rounded to
    // cents; without grouping, "#,###" gives the whole number (or reports
    // that it no longer fits in Currency).
    const nv::NumberLocale plain{"", "."};
    const auto cents2 = nv::parseCurrency(nv::formatTwoDecimals(value, plain));
    if (!cents2 || cents2->units() != static_cast<std::int64_t>(hundredths * 100)) {
        fail("0.00 does not read back", units, nv::formatTwoDecimals(value, plain), "");
    }
    const std::string wholeText = nv::formatWhole(value, plain);
    if (!wholeText.empty()) {
        const auto back = nv::parseCurrency(wholeText);
        const Int128 backUnits = whole * 10000;
        const bool fits = backUnits >= std::numeric_limits<std::int64_t>::min() &&
                          backUnits <= std::numeric_limits<std::int64_t>::max();
        if (fits ? !(back && back->units() == static_cast<std::int64_t>(backUnits))
                 : (back || back.error() != nv::ConversionError::OutOfRange)) {
            fail("#,### does not read back", units, wholeText, "");
        }
    }
    return 0;
}
