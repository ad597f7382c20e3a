// The inputs every benchmark starts from: the parameter window's texts at
// their start-up values and a distribution in ten-thousandths.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/simulation_parameters.h"

namespace nv::bench {

inline constexpr std::array<std::int64_t, 5> kTextbook = {1500, 2500, 3000, 2000, 1000};
inline constexpr std::array<std::int64_t, 5> kBellShaped = {1000, 2000, 4000, 2000, 1000};

inline RunInputs benchInputs(const std::array<std::int64_t, 5> &frequencies = kTextbook,
                             const char *runs = "250",
                             OrderPolicy policy = OrderPolicy::Yesterday) {
    RunInputs in;
    in.runsText = runs;
    in.priceText = "4.60";
    in.costText = "2.20";
    for (std::size_t i = 0; i < frequencies.size(); ++i) {
        in.distribution.setFrequency(i, Currency::fromUnits(frequencies[i]));
    }
    in.yesterdaySelected = policy == OrderPolicy::Yesterday;
    in.annualSelected = policy == OrderPolicy::Annual;
    return in;
}

}  // namespace nv::bench
