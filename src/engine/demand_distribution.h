// DemandDistribution: five demand classes with the fixed demands 30, 40, 50,
// 60 and 70 units and user-given relative frequencies curFreq1..curFreq5.
//
// A class's frequency may be "unrepresentable": the frequency box held a
// number outside the Currency range. Such a distribution has no total, so the
// run's sum check refuses it.
//
//     DemandDistribution d;
//     d.setFrequency(0, Currency::fromUnits(1000));   // curFreq1 = 0.1
//     d.total();                                      // 0.1
//     d.sample(0.05f);                                // 30
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "support/currency.h"

namespace nv {

inline constexpr std::size_t kDemandClasses = 5;
inline constexpr std::array<std::int32_t, kDemandClasses> kClassDemand = {30, 40, 50, 60, 70};

// The demand of class cls (0..4) as an amount: 30, 40, 50, 60 or 70 units.
[[nodiscard]] constexpr Currency classDemand(std::size_t cls) noexcept {
    return Currency::fromCount(kClassDemand[cls]);
}

// What a frequency box stores for its text: the leading number of the text
// (support/text_conversion.h) as Currency, x 10,000 rounded half to even;
// nullopt when it does not fit the Currency range.
//     storedFrequency("0.12345") -> 0.1234    storedFrequency("abc") -> 0
[[nodiscard]] std::optional<Currency> storedFrequency(std::string_view text) noexcept;

class DemandDistribution {
public:
    DemandDistribution() noexcept = default;

    // cls is 0..4 (curFreq1..curFreq5); nullopt marks an unrepresentable value.
    void setFrequency(std::size_t cls, std::optional<Currency> frequency) noexcept;
    [[nodiscard]] std::optional<Currency> frequency(std::size_t cls) const noexcept;

    // curFreq1 + ... + curFreq5, added in that order; nullopt when a frequency
    // is unrepresentable or a partial sum leaves the range.
    [[nodiscard]] std::optional<Currency> total() const noexcept;
    // 30 x curFreq1 + ... + 70 x curFreq5, left to right, exact; nullopt when
    // it cannot be represented.
    [[nodiscard]] std::optional<Currency> mean() const noexcept;
    // Inverse-cumulative lookup with strict comparisons. Precondition: total()
    // has a value (so every cumulative bound is representable).
    [[nodiscard]] Currency sample(float r) const noexcept;

    friend bool operator==(const DemandDistribution &, const DemandDistribution &) = default;

private:
    std::array<std::optional<Currency>, kDemandClasses> m_freq{Currency{}, Currency{}, Currency{},
                                                               Currency{}, Currency{}};
};

// The cumulative bounds of a distribution, as doubles, ready for one draw a
// day; gives the same answer as DemandDistribution::sample.
class DemandSampler {
public:
    // Precondition: distribution.total() has a value.
    explicit DemandSampler(const DemandDistribution &distribution) noexcept;
    // Index of the class (0..4) that r stands for: the first whose bound is
    // above r. Without branches, as a random draw would defeat them: a bit
    // per bound that lies above r, and the lowest bit set.
    [[nodiscard]] std::size_t sampleClass(float r) const noexcept {
        const double x = static_cast<double>(r);
        unsigned above = 1U << (kDemandClasses - 1);
        for (std::size_t i = 0; i < kDemandClasses - 1; ++i) {
            above |= static_cast<unsigned>(x < m_bounds[i]) << i;
        }
        return static_cast<std::size_t>(std::countr_zero(above));
    }

private:
    std::array<double, kDemandClasses - 1> m_bounds{};
};

}  // namespace nv
