// The analysis's checked record, built from the texts and frequencies a user
// enters.
#pragma once

#include <string>
#include <utility>

#include "common/test_inputs.h"
#include "engine/analysis/analysis_parameters.h"

namespace nv::test {

inline Result<AnalysisParameters, Refusal> analysisOf(const Frequencies &frequencies,
                                                      std::string price, std::string cost,
                                                      std::string runs) {
    return AnalysisParameters::fromInputs(
        runInputs(frequencies, std::move(runs), std::move(price), std::move(cost)));
}

}  // namespace nv::test
