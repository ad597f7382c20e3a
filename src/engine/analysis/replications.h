// Paired replications of the run: R runs of the same length, each on its own
// demand stream, with all three rules simulated on that one stream (common
// random numbers), so the rules' differences are measured without the noise
// of different demands.
//
// Reproducibility: replication i draws from replicationSource(seed, i), one
// draw a day, sampled as the run samples; each day's amounts come from the
// run's own simulateDay. The results depend on (parameters, seed, R) alone:
// the same for 1 thread as for 2 or 16, bit for bit.
//
// Threads: the replications are cut into fixed blocks of kReplicationBlock
// that `threads` std::thread workers take in turn; the calling thread waits
// and reports progress. Each replication's totals are kept in its own slot and
// the counts are whole numbers of ten-thousandths, combined in block order.
//
// Progress and cancellation (AnalysisProgress): called on the thread that
// called runReplications only, never from a worker and never twice at once,
// so it needs no locking of its own. It is called first with (0, R) before
// any work, then with the replications done so far about every 25 ms, and last
// with (R, R) once all are done. Returning true from any call but the last
// stops the workers after their current block, and runReplications returns
// Refusal::Cancelled, never a partial summary. The answer to the last
// call is ignored: by then the summary is complete.
//
// Summaries, per rule: mean, standard deviation and 95% interval of the total
// profit over the run; mean units sold, lost (unmet demand) and left over per
// run; the fill rate (all units sold / all units demanded, over every day of
// every replication); the share of loss-making days (daily profit below 0).
// Per pair of rules (first - second): the mean difference in total profit
// with its paired 95% interval (of the per-replication differences), the
// interval two independent runs of the same size would give (for comparison),
// and the shares of replications the first rule wins (higher total profit)
// and ties (equal to the ten-thousandth; a tie is a win for neither).
//
//     nv::ReplicationOptions options;
//     options.replications = 1000;
//     options.seed = 42;
//     auto summary = nv::runReplications(*checked, options, &progress);
//     if (!summary) show(nv::refusalMessage(summary.error()));
//     auto h = nv::profitHistogram(*summary, 30);
//     auto paths = nv::profitPaths(*checked, 42, 0);   // the chart of replication 0
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/analysis/analysis_parameters.h"
#include "engine/analysis/statistics.h"
#include "engine/simulation.h"
#include "support/currency.h"
#include "support/random_source.h"
#include "support/result.h"

namespace nv {

inline constexpr std::int64_t kMinReplications = 1;
inline constexpr std::int64_t kMaxReplications = 1'000'000;
inline constexpr std::int64_t kReplicationBlock = 128;
inline constexpr double kSummaryConfidence = 0.95;

struct ReplicationOptions {
    std::int64_t replications = 1000;  // kMinReplications..kMaxReplications
    std::uint64_t seed = 0;
    unsigned threads = 0;  // 0: std::thread::hardware_concurrency() (at least 1)
};

// Progress and cancellation; see the header comment for the thread it runs on.
class AnalysisProgress {
public:
    virtual ~AnalysisProgress() = default;
    // `done` of `total` replications are complete. Return true to stop.
    [[nodiscard]] virtual bool report(std::int64_t done, std::int64_t total) noexcept = 0;
};

struct RuleSummary {
    std::vector<Currency> totals;  // each replication's total profit, in replication order
    double meanProfit = 0;
    double profitStandardDeviation = 0;
    std::optional<Interval> profitInterval;  // 95%; none for a single replication
    double meanSales = 0;                    // units per run
    double meanLostSales = 0;                // units of unmet demand per run
    double meanLeftover = 0;                 // units per run
    double fillRate = 0;
    double lossDayShare = 0;

    friend bool operator==(const RuleSummary &, const RuleSummary &) = default;
};

struct PairSummary {
    AnalysisRule first = AnalysisRule::Yesterday;
    AnalysisRule second = AnalysisRule::Annual;
    double meanDifference = 0;  // mean of (first - second) total profit
    double differenceStandardDeviation = 0;
    std::optional<Interval> interval;             // paired, 95%
    std::optional<Interval> independentInterval;  // from the two rules' own spreads, 95%
    double firstWinShare = 0;                     // first's total above second's
    double tieShare = 0;                          // equal totals; second wins the rest

    friend bool operator==(const PairSummary &, const PairSummary &) = default;
};

// The pairs, in this order: Yesterday - Annual, Yesterday - Best Fixed,
// Annual - Best Fixed.
inline constexpr std::size_t kRulePairs = 3;
inline constexpr std::array<std::array<AnalysisRule, 2>, kRulePairs> kAnalysisPairs = {{
    {AnalysisRule::Yesterday, AnalysisRule::Annual},
    {AnalysisRule::Yesterday, AnalysisRule::FixedFractile},
    {AnalysisRule::Annual, AnalysisRule::FixedFractile},
}};

struct ReplicationSummary {
    std::int64_t replications = 0;
    std::int32_t days = 0;
    std::uint64_t seed = 0;
    std::array<RuleSummary, kAnalysisRules> rules{};
    std::array<PairSummary, kRulePairs> pairs{};

    [[nodiscard]] const RuleSummary &rule(AnalysisRule r) const noexcept {
        return rules[ruleIndex(r)];
    }

    friend bool operator==(const ReplicationSummary &, const ReplicationSummary &) = default;
};

// ReplicationsOutOfRange outside kMinReplications..kMaxReplications (nothing
// is drawn and progress is not called); Cancelled when progress asked to stop.
// progress may be nullptr. Allocates R x 3 totals (24 MB at the largest R).
[[nodiscard]] Result<ReplicationSummary, Refusal> runReplications(
    const AnalysisParameters &parameters, const ReplicationOptions &options,
    AnalysisProgress *progress = nullptr);

// The thread count runReplications uses for `requested` (0: the hardware's).
[[nodiscard]] unsigned replicationThreads(unsigned requested) noexcept;

// Histogram of the total profit, `bins` equal bins over one range common to
// all rules: from the lowest to the highest total of any rule (widened by 0.5
// each way when all totals are equal). A total on a bin's lower edge belongs
// to it; the highest total belongs to the last bin. bins == 0 gives no bins.
struct Histogram {
    double low = 0;
    double high = 0;
    std::array<std::vector<std::int64_t>, kAnalysisRules> counts{};  // counts[rule][bin]

    [[nodiscard]] std::size_t bins() const noexcept { return counts[0].size(); }
    [[nodiscard]] double binWidth() const noexcept {
        return bins() == 0 ? 0.0 : (high - low) / static_cast<double>(bins());
    }
    [[nodiscard]] double binLow(std::size_t bin) const noexcept {
        return low + binWidth() * static_cast<double>(bin);
    }
    friend bool operator==(const Histogram &, const Histogram &) = default;
};

[[nodiscard]] Histogram profitHistogram(const ReplicationSummary &summary, std::size_t bins);

// One demand stream, all three rules, day by day, for a chart of cumulative
// profit. days[rule][d - 1] is day d under that rule, exactly as the run
// computes its rows; the demands are the same for all rules.
struct ProfitPaths {
    std::array<std::vector<DayResult>, kAnalysisRules> days{};

    friend bool operator==(const ProfitPaths &, const ProfitPaths &) = default;
};

// Draws parameters.days() values from `random`, one a day.
[[nodiscard]] ProfitPaths profitPaths(const AnalysisParameters &parameters, UniformSource &random);
// The stream of replication `replication` of an analysis seeded with `seed`:
// its last day's cumulative profit is that replication's total.
[[nodiscard]] ProfitPaths profitPaths(const AnalysisParameters &parameters, std::uint64_t seed,
                                      std::int64_t replication);

}  // namespace nv
