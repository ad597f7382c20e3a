// Building analysis inputs from the texts and frequencies a user enters.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/analysis/analysis_parameters.h"
#include "engine/simulation_parameters.h"

namespace nv::test {

// Frequencies in ten-thousandths, classes 30..70.
using Frequencies = std::array<std::int64_t, 5>;

inline constexpr Frequencies kUniform = {2000, 2000, 2000, 2000, 2000};
inline constexpr Frequencies kTextbook = {1500, 2500, 3000, 2000, 1000};  // mean 48.5

inline RunInputs runInputs(const Frequencies &frequencies, std::string price, std::string cost,
                           std::string runs, bool annual = false) {
    RunInputs inputs;
    inputs.runsText = std::move(runs);
    inputs.priceText = std::move(price);
    inputs.costText = std::move(cost);
    for (std::size_t i = 0; i < frequencies.size(); ++i) {
        inputs.distribution.setFrequency(i, Currency::fromUnits(frequencies[i]));
    }
    inputs.yesterdaySelected = !annual;
    inputs.annualSelected = annual;
    return inputs;
}

inline Result<AnalysisParameters, Refusal> analysisOf(const Frequencies &frequencies,
                                                      std::string price, std::string cost,
                                                      std::string runs) {
    return AnalysisParameters::fromInputs(
        runInputs(frequencies, std::move(price), std::move(cost), std::move(runs)));
}

}  // namespace nv::test
