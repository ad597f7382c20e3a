// Shared helpers for the engine tests: distributions written as decimal
// texts, and run inputs with the start-up defaults.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "engine/demand_distribution.h"
#include "engine/simulation_parameters.h"
#include "support/currency.h"

namespace nv::test {

// A Currency from ten-thousandths, for exact expectations.
constexpr Currency units(std::int64_t u) {
    return Currency::fromUnits(u);
}

// Five frequencies given in ten-thousandths: {1000, 2000, 4000, 2000, 1000}
// is 0.1, 0.2, 0.4, 0.2, 0.1.
inline DemandDistribution distribution(const std::array<std::int64_t, 5> &freqUnits) {
    DemandDistribution d;
    for (std::size_t i = 0; i < freqUnits.size(); ++i) {
        d.setFrequency(i, Currency::fromUnits(freqUnits[i]));
    }
    return d;
}

inline constexpr std::array<std::int64_t, 5> kBellShaped = {1000, 2000, 4000, 2000, 1000};
inline constexpr std::array<std::int64_t, 5> kSkewed = {1500, 2500, 3000, 2000, 1000};

// Names a parameterised case after its `name` field.
struct CaseName {
    template <class P>
    std::string operator()(const ::testing::TestParamInfo<P> &param) const {
        return param.param.name;
    }
};

inline RunInputs inputs(std::string runs, std::string price, std::string cost,
                        const std::array<std::int64_t, 5> &freqUnits, OrderPolicy policy) {
    RunInputs in;
    in.runsText = std::move(runs);
    in.priceText = std::move(price);
    in.costText = std::move(cost);
    in.distribution = distribution(freqUnits);
    in.yesterdaySelected = policy == OrderPolicy::Yesterday;
    in.annualSelected = policy == OrderPolicy::Annual;
    return in;
}

}  // namespace nv::test
