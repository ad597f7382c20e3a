// Pattern formatting of Currency values, with the separators of the user's
// locale passed in as UTF-8 strings (some locales group with U+00A0 or
// U+202F). The default NumberLocale is the C locale's: "," and ".".
//
// "#,###"  (formatWhole): rounded to a whole number, an exact half away from
//          zero; digits grouped in threes from the right; no decimal point;
//          a value that rounds to 0 gives the empty text.
//            1 -> "1"   1000 -> "1,000"   48.5 -> "49"   48.25 -> "48"   -1234 -> "-1,234"
// "$#,###" (formatDollars): a dollar sign before the same digits; a minus
//          sign before the dollar sign; a value that rounds to 0 gives "$".
//            70 -> "$70"   1500 -> "$1,500"   -53 -> "-$53"   0.4 -> "$"   -0.3 -> "$"
// "0.00"   (formatTwoDecimals): at least one digit before the decimal
//          separator and exactly two after it, no grouping, rounded to two
//          decimals with a half away from zero, a leading minus for a
//          negative value (none when it rounds to 0.00).
//            0.125 -> "0.13"   0 -> "0.00"   -1.5 -> "-1.50"   0.999 -> "1.00"
//
// The *To forms write into a caller's CellText without touching the heap; the
// std::string forms are for callers that want a string.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "support/copy_bytes.h"
#include "support/currency.h"

namespace nv {

struct NumberLocale {
    std::string groupSeparator = ",";
    std::string decimalSeparator = ".";
};

// A fixed-capacity text: big enough for any formatted Currency with
// separators of up to 8 bytes each.
class CellText {
public:
    static constexpr std::size_t kCapacity = 96;

    [[nodiscard]] std::string_view view() const noexcept { return {m_data, m_size}; }
    [[nodiscard]] std::size_t size() const noexcept { return m_size; }
    void clear() noexcept { m_size = 0; }
    // Appends as much of text as fits; returns false if it was cut.
    bool append(std::string_view text) noexcept {
        const std::size_t room = kCapacity - m_size;
        const std::size_t taken = text.size() < room ? text.size() : room;
        copyBytes(m_data + m_size, text.data(), taken);
        m_size += taken;
        return taken == text.size();
    }
    bool append(char c) noexcept;
    // Room for n more bytes at the end, for the caller to fill; nullptr (and
    // nothing changed) when they do not fit.
    [[nodiscard]] char *extend(std::size_t n) noexcept {
        if (n > kCapacity - m_size) {
            return nullptr;
        }
        char *room = m_data + m_size;
        m_size += n;
        return room;
    }

private:
    char m_data[kCapacity] = {};
    std::size_t m_size = 0;
};

void formatWholeTo(Currency value, const NumberLocale &locale, CellText &out) noexcept;
void formatDollarsTo(Currency value, const NumberLocale &locale, CellText &out) noexcept;
void formatTwoDecimalsTo(Currency value, const NumberLocale &locale, CellText &out) noexcept;

[[nodiscard]] std::string formatWhole(Currency value, const NumberLocale &locale = {});
[[nodiscard]] std::string formatDollars(Currency value, const NumberLocale &locale = {});
[[nodiscard]] std::string formatTwoDecimals(Currency value, const NumberLocale &locale = {});

// Numbers as plain decimal text, never in the locale: "." as the point and no
// grouping (the forms csv and json files and the runner's tables use).
//   exactDecimal      a Currency exactly, without trailing zeros:
//                       4.6 -> "4.6"   50 -> "50"   -0.0001 -> "-0.0001"
//   shortestDecimal   the shortest text that reads back to the same double;
//                     -0 as "0":  0.1 -> "0.1"   25400 -> "25400"   1e21 -> "1e+21"
//   fixedDecimal      `decimals` digits after the point, the binary value
//                     rounded, never "-0.00": 2.675 -> "2.67"   -0.004 -> "0.00"
// shortestDecimal and fixedDecimal write "nan", "inf" or "-inf" for a value
// that is not finite.
[[nodiscard]] std::string exactDecimal(Currency value);
[[nodiscard]] std::string shortestDecimal(double value);
[[nodiscard]] std::string fixedDecimal(double value, int decimals);

// A whole count, digits grouped in threes: 12345 -> "12,345", -5 -> "-5", 0 -> "0".
[[nodiscard]] std::string formatCount(std::int64_t value, const NumberLocale &locale = {});

}  // namespace nv
