// The intervals of random numbers of the five demand classes, and the exact
// lookup of a number.
#include "engine/worksheet/interval_table.h"

namespace nv {

Result<IntervalTable, Refusal> IntervalTable::fromDistribution(
    const DemandDistribution &distribution, std::optional<int> digits) noexcept {
    // The analysis's order: the total first, then the signs.
    const std::optional<Currency> total = distribution.total();
    if (!total || *total != Currency::fromCount(1)) {
        return Failure{Refusal::FrequenciesNotOne};
    }
    bool hundredths = true;
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        // The total exists, so every frequency does.
        const Currency frequency = distribution.frequency(cls).value_or(Currency{});
        if (frequency < Currency{}) {
            return Failure{Refusal::NegativeFrequency};
        }
        if (frequency.units() % 100 != 0) {
            hundredths = false;
        }
    }

    if (digits == 2 && !hundredths) {
        return Failure{Refusal::WorksheetDigitsTooFew};
    }
    hundredths = hundredths && digits.value_or(2) == 2;

    IntervalTable table;
    table.m_digits = hundredths ? 2 : 4;
    table.m_numberCount = hundredths ? 100 : 10'000;
    table.m_scale = hundredths ? 100 : 1;
    // Every partial sum lies in 0..1: the frequencies are not negative and
    // add to 1.
    std::int64_t before = 0;
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        IntervalRow &row = table.m_rows[cls];
        row.demand = classDemand(cls);
        row.frequency = distribution.frequency(cls).value_or(Currency{});
        const std::int64_t bound = before + row.frequency.units();
        row.cumulative = Currency::fromUnits(bound);
        const auto first = static_cast<std::uint32_t>(before / table.m_scale);
        const std::uint32_t end = cls + 1 == kDemandClasses
                                      ? table.m_numberCount
                                      : static_cast<std::uint32_t>(bound / table.m_scale);
        if (first < end) {
            row.first = first;
            row.last = end - 1;
        }
        before = bound;
    }
    return table;
}

std::size_t IntervalTable::classOf(std::uint32_t number) const noexcept {
    // u / 10^k < bound(i)  <=>  u x 10^(4-k) < bound(i) in ten-thousandths.
    const std::int64_t scaled = static_cast<std::int64_t>(number) * m_scale;
    for (std::size_t cls = 0; cls + 1 < kDemandClasses; ++cls) {
        if (scaled < m_rows[cls].cumulative.units()) {
            return cls;
        }
    }
    return kDemandClasses - 1;
}

std::optional<std::uint32_t> IntervalTable::readNumber(std::string_view digits) const noexcept {
    if (digits.size() != static_cast<std::size_t>(m_digits)) {
        return std::nullopt;
    }
    std::uint32_t number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        number = number * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return number;
}

std::optional<Currency> IntervalTable::demandOf(std::string_view digits) const noexcept {
    const std::optional<std::uint32_t> number = readNumber(digits);
    if (!number) {
        return std::nullopt;
    }
    return m_rows[classOf(*number)].demand;
}

std::string IntervalTable::numberText(std::uint32_t number) const {
    std::string text = std::to_string(number);
    if (text.size() < static_cast<std::size_t>(m_digits)) {
        text.insert(0, static_cast<std::size_t>(m_digits) - text.size(), '0');
    }
    return text;
}

}  // namespace nv
