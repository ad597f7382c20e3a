// What every test suite shares: the catalogue of distributions and one
// builder of run inputs (case_names.h names the rows of a case table).
//
//     const RunInputs in = nv::test::runInputs(nv::test::kTextbook, "100");
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "engine/demand_distribution.h"
#include "engine/simulation_parameters.h"
#include "support/currency.h"

namespace nv::test {

// Five frequencies in ten-thousandths, classes 30..70: {1000, 2000, 4000,
// 2000, 1000} is 0.1, 0.2, 0.4, 0.2, 0.1.
using Frequencies = std::array<std::int64_t, 5>;

inline constexpr Frequencies kBellShaped = {1000, 2000, 4000, 2000, 1000};  // mean 50
inline constexpr Frequencies kUniform = {2000, 2000, 2000, 2000, 2000};     // mean 50
inline constexpr Frequencies kTextbook = {1500, 2500, 3000, 2000, 1000};    // mean 48.5
// Skewed towards high demand: the three rules order differently.
inline constexpr Frequencies kHighDemand = {500, 1000, 1500, 3000, 4000};

// A Currency from ten-thousandths, for exact expectations.
constexpr Currency units(std::int64_t u) {
    return Currency::fromUnits(u);
}

inline DemandDistribution distributionOf(const Frequencies &frequencies) {
    DemandDistribution distribution;
    for (std::size_t i = 0; i < frequencies.size(); ++i) {
        distribution.setFrequency(i, Currency::fromUnits(frequencies[i]));
    }
    return distribution;
}

// The inputs of the parameter window: the list texts as typed, the stored
// frequencies and the chosen policy (the start-up texts by default).
inline RunInputs runInputs(const Frequencies &frequencies = kBellShaped, std::string runs = "250",
                           std::string price = "4.60", std::string cost = "2.20",
                           OrderPolicy policy = OrderPolicy::Yesterday) {
    RunInputs inputs;
    inputs.runsText = std::move(runs);
    inputs.priceText = std::move(price);
    inputs.costText = std::move(cost);
    inputs.distribution = distributionOf(frequencies);
    inputs.yesterdaySelected = policy == OrderPolicy::Yesterday;
    inputs.annualSelected = policy == OrderPolicy::Annual;
    return inputs;
}

}  // namespace nv::test
