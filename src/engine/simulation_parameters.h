// The inputs of one run: what the parameter window holds (RunInputs) and the
// record built from it once every check has passed (SimulationParameters).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/demand_distribution.h"
#include "support/currency.h"

namespace nv {

enum class OrderPolicy { Yesterday, Annual };

// The policy's key in files and on command lines: "yesterday" or "annual".
[[nodiscard]] constexpr std::string_view policyKey(OrderPolicy policy) noexcept {
    return policy == OrderPolicy::Annual ? "annual" : "yesterday";
}

// The plain values a run reads from the parameter window.
struct RunInputs {
    std::string runsText;   // cboRuns
    std::string priceText;  // cboPrice
    std::string costText;   // cboCost
    DemandDistribution distribution;  // curFreq1..curFreq5 as last stored
    bool yesterdaySelected = false;   // optYesterday
    bool annualSelected = false;      // optAnnual
    friend bool operator==(const RunInputs &, const RunInputs &) = default;
};

struct SimulationParameters {
    double runs = 0;            // cboRuns read as a double: the grid rows and the progress divisor
    std::int16_t days = 0;      // cboRuns rounded half to even: the loop bound
    std::int32_t gridRows = 1;  // runs + 1 rounded half to even
    Currency price;
    Currency cost;
    Currency meanDemand;        // mean of the distribution
    DemandDistribution distribution;
    OrderPolicy policy = OrderPolicy::Yesterday;
};

}  // namespace nv
