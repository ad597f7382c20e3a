#include "support/random_source.h"

#include <chrono>
#include <limits>
#include <utility>

namespace nv {

namespace {

constexpr std::uint64_t rotateLeft(std::uint64_t x, int k) noexcept {
    return (x << k) | (x >> (64 - k));
}

}  // namespace

void SeededSource::reseed(std::uint64_t seed) noexcept {
    // SplitMix64 never yields four zero words in a row, so the state is valid.
    for (auto &word : m_state) {
        word = splitMix64(seed);
    }
}

// xoshiro256**.
std::uint64_t SeededSource::nextBits() noexcept {
    auto &s = m_state;
    const std::uint64_t result = rotateLeft(s[1] * 5, 7) * 9;
    const std::uint64_t t = s[1] << 17;
    s[2] ^= s[0];
    s[3] ^= s[1];
    s[1] ^= s[2];
    s[0] ^= s[3];
    s[2] ^= t;
    s[3] = rotateLeft(s[3], 45);
    return result;
}

float SequenceSource::next() noexcept {
    if (m_next < m_draws.size()) {
        return m_draws[m_next++];
    }
    m_overrun = true;
    if (m_next != std::numeric_limits<std::size_t>::max()) {
        ++m_next;  // used() keeps counting the draws asked for
    }
    return 0.0f;
}

std::uint64_t clockSeed() noexcept {
    using std::chrono::duration_cast;
    using std::chrono::nanoseconds;
    const auto wall = static_cast<std::uint64_t>(
        duration_cast<nanoseconds>(std::chrono::system_clock::now().time_since_epoch()).count());
    const auto steady = static_cast<std::uint64_t>(
        duration_cast<nanoseconds>(std::chrono::steady_clock::now().time_since_epoch()).count());
    std::uint64_t mix = wall ^ rotateLeft(steady, 32);
    return splitMix64(mix);
}

std::uint64_t shortClockSeed() noexcept {
    return clockSeed() % 1'000'000'000U;
}

void ApplicationRandomSource::seed(std::uint64_t seed) noexcept {
    m_sequence.reset();
    m_seeded.reseed(seed);
}

void ApplicationRandomSource::useSequence(std::vector<float> draws) {
    m_sequence = std::make_unique<SequenceSource>(std::move(draws));
}

float ApplicationRandomSource::next() noexcept {
    return m_sequence ? m_sequence->next() : m_seeded.next();
}

ApplicationRandomSource &applicationRandomSource() noexcept {
    static ApplicationRandomSource source;
    return source;
}

}  // namespace nv
