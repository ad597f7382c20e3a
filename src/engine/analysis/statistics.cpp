// Moments, normal and Student t quantiles, confidence intervals.
#include "engine/analysis/statistics.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace nv {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// P(|T| <= t) for Student's t with `degrees` degrees of freedom, written with
// theta = atan(t / sqrt(degrees)) (the closed form for whole degrees).
double centralProbability(double theta, std::int64_t degrees) noexcept {
    const double s = std::sin(theta);
    const double c = std::cos(theta);
    const double c2 = c * c;
    double sum = 1.0;
    double term = 1.0;
    if (degrees % 2 == 1) {
        for (std::int64_t k = 1; 2 * k <= degrees - 3; ++k) {
            term *= c2 * static_cast<double>(2 * k) / static_cast<double>(2 * k + 1);
            sum += term;
        }
        const double extra = degrees == 1 ? 0.0 : s * c * sum;
        return 2.0 / std::numbers::pi * (theta + extra);
    }
    for (std::int64_t k = 1; 2 * k <= degrees - 2; ++k) {
        term *= c2 * static_cast<double>(2 * k - 1) / static_cast<double>(2 * k);
        sum += term;
    }
    return s * sum;
}

// Bisection to the last representable step: x in [lo, hi] with f(x) = target
// for an increasing f.
template <class F>
double solveIncreasing(F f, double target, double lo, double hi) noexcept {
    for (int i = 0; i < 200; ++i) {
        const double mid = lo + (hi - lo) / 2;
        if (mid <= lo || mid >= hi) {
            break;
        }
        if (f(mid) < target) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    return lo + (hi - lo) / 2;
}

}  // namespace

SampleMoments sampleMoments(std::span<const double> values) noexcept {
    SampleMoments m;
    m.count = static_cast<std::int64_t>(values.size());
    if (values.empty()) {
        return m;
    }
    double sum = 0;
    for (const double x : values) {
        sum += x;
    }
    m.mean = sum / static_cast<double>(values.size());
    if (values.size() < 2) {
        return m;
    }
    double squares = 0;
    for (const double x : values) {
        squares += (x - m.mean) * (x - m.mean);
    }
    m.standardDeviation = std::sqrt(squares / static_cast<double>(values.size() - 1));
    return m;
}

double normalQuantile(double p) noexcept {
    if (!(p > 0.0 && p < 1.0)) {
        return kNaN;
    }
    const auto cdf = [](double x) { return 0.5 * std::erfc(-x / std::numbers::sqrt2); };
    return solveIncreasing(cdf, p, -40.0, 40.0);
}

double studentQuantile(double p, std::int64_t degrees) noexcept {
    if (!(p > 0.0 && p < 1.0) || degrees < 1) {
        return kNaN;
    }
    if (p == 0.5) {
        return 0.0;
    }
    const double upper = p > 0.5 ? p : 1.0 - p;
    const double central = 2.0 * upper - 1.0;
    const double theta =
        solveIncreasing([degrees](double x) { return centralProbability(x, degrees); }, central,
                        0.0, std::numbers::pi / 2);
    const double t = std::sqrt(static_cast<double>(degrees)) * std::tan(theta);
    return p > 0.5 ? t : -t;
}

double confidenceMultiplier(double level, std::int64_t count) noexcept {
    if (count < 2 || !(level > 0.0 && level < 1.0)) {
        return kNaN;
    }
    const double p = (1.0 + level) / 2.0;
    const std::int64_t degrees = count - 1;
    return degrees <= kLargestStudentDegrees ? studentQuantile(p, degrees) : normalQuantile(p);
}

std::optional<Interval> confidenceInterval(const SampleMoments &moments, double level) noexcept {
    const double multiplier = confidenceMultiplier(level, moments.count);
    if (std::isnan(multiplier)) {
        return std::nullopt;
    }
    const double halfWidth =
        multiplier * moments.standardDeviation / std::sqrt(static_cast<double>(moments.count));
    return Interval{moments.mean - halfWidth, moments.mean + halfWidth};
}

}  // namespace nv
