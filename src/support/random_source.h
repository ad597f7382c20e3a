// The random source: uniform single-precision values in [0, 1), never 1.0.
//
// UniformSource is what the engine draws from, one value per simulated day.
// SeededSource is a xoshiro256** generator seeded through SplitMix64; each
// value is its top 24 bits divided by 2^24, so a seed gives the same values
// on every machine and standard library. SequenceSource plays back a fixed
// list of draws (for reproducible runs and tests).
//
// The application has one source, applicationRandomSource(), seeded from the
// clock once at start-up; a front end may seed it with a fixed number or put
// a fixed sequence in its place instead.
//
//     nv::SeededSource source(42);
//     float r = source.next();          // 0 <= r < 1
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace nv {

// SplitMix64: advances `state` and returns its next well-mixed output. Seeds
// the generator below and derives independent seeds from one (replications).
[[nodiscard]] constexpr std::uint64_t splitMix64(std::uint64_t &state) noexcept {
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

class UniformSource {
public:
    virtual ~UniformSource() = default;
    // The next value in [0, 1).
    virtual float next() noexcept = 0;
};

class SeededSource final : public UniformSource {
public:
    explicit SeededSource(std::uint64_t seed) noexcept { reseed(seed); }
    void reseed(std::uint64_t seed) noexcept;
    float next() noexcept override { return toUnit(nextBits()); }
    std::uint64_t nextBits() noexcept;
    // The top 24 bits over 2^24: exact in single precision, at most 1 - 2^-24.
    [[nodiscard]] static constexpr float toUnit(std::uint64_t bits) noexcept {
        return static_cast<float>(bits >> 40) * 0x1p-24f;
    }

private:
    std::array<std::uint64_t, 4> m_state{};
};

// Plays back a fixed list of draws in order. Each must lie in [0, 1); past the
// end it keeps answering 0 and counts the overrun, so a caller can tell.
class SequenceSource final : public UniformSource {
public:
    explicit SequenceSource(std::vector<float> draws) noexcept : m_draws(std::move(draws)) {}
    float next() noexcept override;
    [[nodiscard]] std::size_t used() const noexcept { return m_next; }
    [[nodiscard]] std::size_t size() const noexcept { return m_draws.size(); }
    [[nodiscard]] bool overrun() const noexcept { return m_overrun; }

private:
    std::vector<float> m_draws;
    std::size_t m_next = 0;
    bool m_overrun = false;
};

// A seed from the clock: differs from one start of the program to the next.
[[nodiscard]] std::uint64_t clockSeed() noexcept;
// A seed of nine digits from the clock, easy to note down and type again.
[[nodiscard]] std::uint64_t shortClockSeed() noexcept;

// The application-wide source. It delegates to a SeededSource, unless a fixed
// sequence has been injected with useSequence; seed and seedFromClock put the
// seeded generator back in its place.
class ApplicationRandomSource final : public UniformSource {
public:
    ApplicationRandomSource() noexcept = default;
    void seedFromClock() noexcept { seed(clockSeed()); }
    void seed(std::uint64_t seed) noexcept;
    void useSequence(std::vector<float> draws);
    float next() noexcept override;

private:
    SeededSource m_seeded{0};
    std::unique_ptr<SequenceSource> m_sequence;
};

[[nodiscard]] ApplicationRandomSource &applicationRandomSource() noexcept;

}  // namespace nv
