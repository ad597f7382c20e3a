// Worksheets built from frequencies in ten-thousandths and the price and
// cost texts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/analysis_test_support.h"
#include "engine/worksheet/worksheet.h"

namespace nv::test {

inline constexpr Frequencies kTenths = {1000, 2000, 4000, 2000, 1000};

// The random numbers of the 20-day sheets worked by hand (worksheet_test.cpp).
inline const std::vector<std::uint32_t> kHandNumbers = {7, 70, 69, 14, 15, 39, 40, 89, 90, 99,
                                                        0, 55, 23, 81, 36, 62, 95, 11, 48, 77};

inline DemandDistribution distributionOf(const Frequencies &frequencies) {
    DemandDistribution distribution;
    for (std::size_t i = 0; i < frequencies.size(); ++i) {
        distribution.setFrequency(i, Currency::fromUnits(frequencies[i]));
    }
    return distribution;
}

inline Result<WorksheetPlan, Refusal> planOf(const Frequencies &frequencies, OrderPolicy policy,
                                             std::int32_t days = 20, std::string price = "4.60",
                                             std::string cost = "2.20") {
    return WorksheetPlan::fromInputs(
        WorksheetInputs{runInputs(frequencies, std::move(price), std::move(cost), "",
                                  policy == OrderPolicy::Annual),
                        days, std::nullopt});
}

}  // namespace nv::test
