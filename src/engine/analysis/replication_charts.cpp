// What the charts of a comparison show: the histogram of the replications'
// total profits and the rules' profit paths on one demand stream.
#include <algorithm>
#include <cassert>

#include "engine/analysis/replications.h"
#include "support/wide_int.h"

namespace nv {

Histogram profitHistogram(const ReplicationSummary &summary, std::size_t bins) {
    Histogram histogram;
    bool any = false;
    std::int64_t lowest = 0;
    std::int64_t highest = 0;
    for (const RuleSummary &rule : summary.rules) {
        for (const Currency total : rule.totals) {
            if (!any || total.units() < lowest) {
                lowest = total.units();
            }
            if (!any || total.units() > highest) {
                highest = total.units();
            }
            any = true;
        }
    }
    // In ten-thousandths, exactly: the bin of x is (x - low) x bins / (high - low).
    const Int128 half = Currency::kUnitsPerWhole / 2;
    const Int128 low = lowest == highest ? static_cast<Int128>(lowest) - half : lowest;
    const Int128 high = lowest == highest ? static_cast<Int128>(highest) + half : highest;
    const auto toWhole = [](Int128 units) {
        return static_cast<double>(units) / static_cast<double>(Currency::kUnitsPerWhole);
    };
    histogram.low = toWhole(low);
    histogram.high = toWhole(high);
    for (std::size_t r = 0; r < kAnalysisRules; ++r) {
        histogram.counts[r].assign(bins, 0);
        if (bins == 0) {
            continue;
        }
        for (const Currency total : summary.rules[r].totals) {
            const Int128 offset = static_cast<Int128>(total.units()) - low;
            const Int128 bin = offset * static_cast<Int128>(bins) / (high - low);
            const auto index = std::min(static_cast<std::size_t>(bin), bins - 1);
            ++histogram.counts[r][index];
        }
    }
    return histogram;
}

ProfitPaths profitPaths(const AnalysisParameters &parameters, UniformSource &random) {
    ProfitPaths paths;
    const auto days = static_cast<std::size_t>(parameters.days());
    for (std::vector<DayResult> &path : paths.days) {
        path.reserve(days);
    }
    const DemandSampler sampler(parameters.distribution());
    const std::array<Currency, kAnalysisRules> fixedOrders = {Currency{}, parameters.meanDemand(),
                                                              parameters.fixedOrder()};
    Currency yesterdaysDemand = Currency::fromCount(50);
    std::array<Currency, kAnalysisRules> cumulative{};
    for (std::int32_t d = 1; d <= parameters.days(); ++d) {
        const Currency demand = classDemand(sampler.sampleClass(random.next()));
        for (std::size_t r = 0; r < kAnalysisRules; ++r) {
            const Currency order =
                r == ruleIndex(AnalysisRule::Yesterday) ? yesterdaysDemand : fixedOrders[r];
            const std::optional<DayResult> day =
                simulateDay(static_cast<std::int16_t>(d), order, demand, parameters.price(),
                            parameters.cost(), cumulative[r]);
            // AnalysisParameters has checked that every day and every
            // cumulative profit of the run fits.
            assert(day.has_value());
            paths.days[r].push_back(*day);
            cumulative[r] = day->cumulativeProfit;
        }
        yesterdaysDemand = demand;
    }
    return paths;
}

ProfitPaths profitPaths(const AnalysisParameters &parameters, std::uint64_t seed,
                        std::int64_t replication) {
    SeededSource source = replicationSource(seed, replication);
    return profitPaths(parameters, source);
}

}  // namespace nv
