// The table a hand simulation starts from: for each demand class its demand,
// relative frequency, cumulative frequency and the interval of random numbers
// that stands for it.
//
// The random numbers have k digits (digits()): 2 when every frequency is a
// whole number of hundredths, else 4 (a frequency holds four decimals), so
// every bound falls on a whole number. With bound(i) the cumulative frequency
// of classes 0..i and bound(-1) = 0, class i takes the numbers u with
//     10^k x bound(i-1) <= u < 10^k x bound(i),
// and the last class takes every number at or above 10^k x bound(3). That is
// the run's sampling rule (a draw r belongs to the first class with
// r < bound(i), the last class taking the rest) for r = u / 10^k, decided on
// whole numbers: no draw ever goes through a float, whose nearest value to
// 0.70 lies below 0.7 and would pick the class before. A class of frequency 0
// has no interval.
//
// A table is made only for frequencies the analysis accepts: none negative,
// their sum exactly 1. Anything else would make intervals that overlap or
// leave numbers without a class, so it is refused with the analysis's own
// refusals (Refusal::NegativeFrequency, Refusal::FrequenciesNotOne).
//
// A teacher may ask for 4 digits where 2 would do (0.10 takes 0000..0999);
// asking for 2 where a frequency has more than two decimals is refused
// (Refusal::WorksheetDigitsTooFew): no interval of 2-digit numbers holds it.
//
//     auto table = nv::IntervalTable::fromDistribution(distribution);  // 0.1 0.2 0.4 0.2 0.1
//     table->digits();              // 2
//     table->row(2).first;          // 30 (class 50 takes 30..69)
//     table->demandOf("70");        // 60 units
//     table->numberText(7);         // "07"
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/demand_distribution.h"
#include "engine/validation.h"
#include "support/currency.h"
#include "support/result.h"

namespace nv {

struct IntervalRow {
    Currency demand;      // 30, 40, 50, 60 or 70 units
    Currency frequency;   // exact, four decimals
    Currency cumulative;  // bound(i): frequencies of classes 0..i added in order
    // The class's random numbers first..last; both nullopt for frequency 0.
    std::optional<std::uint32_t> first;
    std::optional<std::uint32_t> last;

    friend bool operator==(const IntervalRow &, const IntervalRow &) = default;
};

class IntervalTable {
public:
    // Refuses negative frequencies (NegativeFrequency) and frequencies whose
    // total is not exactly 1 or cannot be formed (FrequenciesNotOne), then
    // 2 digits for frequencies finer than hundredths (WorksheetDigitsTooFew).
    // digits: 2 or 4; nullopt takes what the frequencies need.
    [[nodiscard]] static Result<IntervalTable, Refusal> fromDistribution(
        const DemandDistribution &distribution, std::optional<int> digits = std::nullopt) noexcept;

    // k: 2 or 4.
    [[nodiscard]] int digits() const noexcept { return m_digits; }
    // 10^k: the random numbers are 0 .. numberCount() - 1.
    [[nodiscard]] std::uint32_t numberCount() const noexcept { return m_numberCount; }
    [[nodiscard]] const IntervalRow &row(std::size_t cls) const noexcept { return m_rows[cls]; }
    [[nodiscard]] const std::array<IntervalRow, kDemandClasses> &rows() const noexcept {
        return m_rows;
    }

    // The class (0..4) of a random number; a number of numberCount() or more
    // belongs to the last class, as every r at or above bound(3) does.
    [[nodiscard]] std::size_t classOf(std::uint32_t number) const noexcept;
    // The number a text of exactly k ASCII digits stands for; nullopt for any
    // other text (no sign, no blanks, no point).
    [[nodiscard]] std::optional<std::uint32_t> readNumber(std::string_view digits) const noexcept;
    // The demand a k-digit text stands for; nullopt when readNumber refuses it.
    [[nodiscard]] std::optional<Currency> demandOf(std::string_view digits) const noexcept;
    // The number as k digits with leading zeros: 7 -> "07" (k = 2).
    [[nodiscard]] std::string numberText(std::uint32_t number) const;

    friend bool operator==(const IntervalTable &, const IntervalTable &) = default;

private:
    IntervalTable() noexcept = default;

    int m_digits = 2;
    std::uint32_t m_numberCount = 100;
    // Ten-thousandths per random-number step: 100 for k = 2, 1 for k = 4.
    std::int64_t m_scale = 100;
    std::array<IntervalRow, kDemandClasses> m_rows{};
};

}  // namespace nv
