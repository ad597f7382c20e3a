// The five-class demand distribution: its total, its mean and the
// inverse-cumulative lookup of one uniform draw.
#include "engine/demand_distribution.h"

#include <cassert>

#include "support/text_conversion.h"

namespace nv {

namespace {

// Cumulative bounds 1 to 4 as doubles. A frequency that cannot be represented,
// or a partial sum outside the range, breaks the precondition; in that case
// the remaining bounds stay at the last one that could be formed, so the
// lookup still answers one of the five classes.
std::array<double, kDemandClasses - 1> cumulativeBounds(
    const DemandDistribution &distribution) noexcept {
    std::array<double, kDemandClasses - 1> bounds{};
    Currency running;
    bool valid = true;
    for (std::size_t i = 0; i < kDemandClasses - 1; ++i) {
        const std::optional<Currency> frequency = distribution.frequency(i);
        if (valid && frequency) {
            if (const std::optional<Currency> next = checkedAdd(running, *frequency)) {
                running = *next;
            } else {
                valid = false;
            }
        } else {
            valid = false;
        }
        bounds[i] = running.toDouble();
    }
    assert(valid && "DemandSampler needs a distribution whose total exists");
    return bounds;
}

}  // namespace

std::optional<Currency> storedFrequency(std::string_view text) noexcept {
    return Currency::fromDouble(leadingNumber(text));
}

void DemandDistribution::setFrequency(std::size_t cls, std::optional<Currency> frequency) noexcept {
    assert(cls < kDemandClasses);
    if (cls < kDemandClasses) {
        m_freq[cls] = frequency;
    }
}

std::optional<Currency> DemandDistribution::frequency(std::size_t cls) const noexcept {
    assert(cls < kDemandClasses);
    if (cls >= kDemandClasses) {
        return std::nullopt;
    }
    return m_freq[cls];
}

std::optional<Currency> DemandDistribution::total() const noexcept {
    Currency sum;
    for (const std::optional<Currency> &frequency : m_freq) {
        if (!frequency) {
            return std::nullopt;
        }
        const std::optional<Currency> next = checkedAdd(sum, *frequency);
        if (!next) {
            return std::nullopt;
        }
        sum = *next;
    }
    return sum;
}

std::optional<Currency> DemandDistribution::mean() const noexcept {
    Currency sum;
    for (std::size_t i = 0; i < kDemandClasses; ++i) {
        if (!m_freq[i]) {
            return std::nullopt;
        }
        const std::optional<Currency> term = checkedMultiply(*m_freq[i], kClassDemand[i]);
        if (!term) {
            return std::nullopt;
        }
        const std::optional<Currency> next = checkedAdd(sum, *term);
        if (!next) {
            return std::nullopt;
        }
        sum = *next;
    }
    return sum;
}

Currency DemandDistribution::sample(float r) const noexcept {
    const std::size_t cls = DemandSampler(*this).sampleClass(r);
    return Currency::fromUnits(kClassDemand[cls] * Currency::kUnitsPerWhole);
}

DemandSampler::DemandSampler(const DemandDistribution &distribution) noexcept
    : m_bounds(cumulativeBounds(distribution)) {}

}  // namespace nv
