// Sample statistics and confidence intervals for the replication summaries.
//
// A two-sided interval at `level` (0.95 for 95%) around a mean of n values is
// mean +/- m x sd / sqrt(n), where sd is the sample standard deviation
// (divisor n - 1) and m the multiplier:
//   - Student t with n - 1 degrees of freedom while n - 1 <= 1000 (computed
//     from the closed form of its distribution for whole degrees of freedom);
//   - the standard normal beyond (for the usual levels it differs from t by
//     under half a per cent there).
// With fewer than two values the spread is unknown: there is no interval.
//
//     nv::confidenceMultiplier(0.95, 11);       // 2.228 (t, 10 degrees)
//     nv::confidenceMultiplier(0.95, 100000);   // 1.960 (normal)
//     auto ci = nv::confidenceInterval(nv::sampleMoments(values), 0.95);
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace nv {

inline constexpr std::int64_t kLargestStudentDegrees = 1000;

struct Interval {
    double low = 0;
    double high = 0;

    [[nodiscard]] constexpr double halfWidth() const noexcept { return (high - low) / 2; }
    [[nodiscard]] constexpr bool contains(double x) const noexcept { return low <= x && x <= high; }
    friend constexpr bool operator==(const Interval &, const Interval &) = default;
};

struct SampleMoments {
    std::int64_t count = 0;
    double mean = 0;
    double standardDeviation = 0;  // divisor count - 1; 0 for fewer than two values

    friend constexpr bool operator==(const SampleMoments &, const SampleMoments &) = default;
};

// Mean, then the spread around it (two passes, in the order given).
[[nodiscard]] SampleMoments sampleMoments(std::span<const double> values) noexcept;

// The p-quantile of the standard normal distribution, 0 < p < 1; NaN outside.
[[nodiscard]] double normalQuantile(double p) noexcept;
// The p-quantile of Student's t with `degrees` (>= 1) degrees of freedom,
// 0 < p < 1; NaN outside.
[[nodiscard]] double studentQuantile(double p, std::int64_t degrees) noexcept;

// The interval multiplier for `count` values at `level` (0 < level < 1):
// t while count - 1 <= kLargestStudentDegrees, normal beyond. NaN for
// count < 2 or a level outside (0, 1).
[[nodiscard]] double confidenceMultiplier(double level, std::int64_t count) noexcept;

// nullopt for fewer than two values or a level outside (0, 1).
[[nodiscard]] std::optional<Interval> confidenceInterval(const SampleMoments &moments,
                                                         double level) noexcept;

}  // namespace nv
