// Worksheets built from frequencies in ten-thousandths and the price and
// cost texts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/analysis_test_support.h"
#include "engine/worksheet/worksheet.h"

namespace nv::test {

// The random numbers of the 20-day sheets worked by hand (worksheet_test.cpp).
inline const std::vector<std::uint32_t> kHandNumbers = {7, 70, 69, 14, 15, 39, 40, 89, 90, 99,
                                                        0, 55, 23, 81, 36, 62, 95, 11, 48, 77};

inline Result<WorksheetPlan, Refusal> planOf(const Frequencies &frequencies, OrderPolicy policy,
                                             std::int32_t days = 20, std::string price = "4.60",
                                             std::string cost = "2.20") {
    return WorksheetPlan::fromInputs(WorksheetInputs{
        runInputs(frequencies, "", std::move(price), std::move(cost), policy), days, std::nullopt});
}

}  // namespace nv::test
