// Paired replications on worker threads and their summary.
#include "engine/analysis/replications.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include "support/wide_int.h"

namespace nv {

namespace {

constexpr auto kProgressInterval = std::chrono::milliseconds(25);

// A day's amounts in ten-thousandths, for the replication loop.
struct Cell {
    std::int64_t profit = 0;
    std::int64_t sales = 0;
    std::int64_t leftover = 0;
    std::int64_t unmet = 0;
    std::int64_t loss = 0;  // 1 when the profit is below 0
};
using Row = std::array<Cell, kDemandClasses>;

struct Tables {
    std::array<Row, kDemandClasses> byClassOrder{};  // order = demand of class i
    Row annual{};
    Row fixed{};
    std::array<std::int64_t, kDemandClasses> demand{};
};

Row tableRow(const AnalysisParameters &parameters, std::size_t row) noexcept {
    Row cells{};
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        const DayOutcome &day = parameters.outcome(row, cls);
        cells[cls] = Cell{day.dailyProfit.units(), day.sales.units(), day.leftover.units(),
                          day.unmet.units(), day.dailyProfit < Currency{} ? 1 : 0};
    }
    return cells;
}

Tables makeTables(const AnalysisParameters &parameters) noexcept {
    Tables t;
    for (std::size_t row = 0; row < kDemandClasses; ++row) {
        t.byClassOrder[row] = tableRow(parameters, row);
        t.demand[row] = kClassDemand[row] * Currency::kUnitsPerWhole;
    }
    t.annual = tableRow(parameters, AnalysisParameters::kMeanRow);
    t.fixed = tableRow(parameters, parameters.fixedClass());
    return t;
}

// Whole-number counts of a block of replications (ten-thousandths of a unit,
// days): adding them is exact, so their order does not matter.
struct RuleCounts {
    std::int64_t sales = 0;
    std::int64_t leftover = 0;
    std::int64_t unmet = 0;
    std::int64_t lossDays = 0;
};
struct BlockCounts {
    std::array<RuleCounts, kAnalysisRules> rules{};
    std::int64_t demand = 0;
};

void accumulate(RuleCounts &counts, std::int64_t &total, const Cell &cell) noexcept {
    total += cell.profit;
    counts.sales += cell.sales;
    counts.leftover += cell.leftover;
    counts.unmet += cell.unmet;
    counts.lossDays += cell.loss;
}

struct Work {
    const Tables &tables;
    const DemandSampler &sampler;
    std::int32_t days;
    std::uint64_t seed;
    std::int64_t replications;
    std::int64_t blockCount;
    std::array<std::vector<Currency>, kAnalysisRules> &totals;
    std::vector<BlockCounts> &blocks;
    std::atomic<std::int64_t> nextBlock{0};
    std::atomic<std::int64_t> done{0};
    std::atomic<bool> stop{false};
};

void runBlock(Work &work, std::int64_t block) noexcept {
    const Tables &t = work.tables;
    const std::int64_t first = block * kReplicationBlock;
    const std::int64_t last = std::min(first + kReplicationBlock, work.replications);
    BlockCounts counts;
    for (std::int64_t rep = first; rep < last; ++rep) {
        SeededSource source(replicationSeed(work.seed, rep));
        std::array<std::int64_t, kAnalysisRules> total{};
        const Row *yesterdayRow = &t.byClassOrder[AnalysisParameters::kFirstYesterdayRow];
        for (std::int32_t day = 0; day < work.days; ++day) {
            const std::size_t cls = work.sampler.sampleClass(source.next());
            counts.demand += t.demand[cls];
            accumulate(counts.rules[0], total[0], (*yesterdayRow)[cls]);
            accumulate(counts.rules[1], total[1], t.annual[cls]);
            accumulate(counts.rules[2], total[2], t.fixed[cls]);
            yesterdayRow = &t.byClassOrder[cls];
        }
        const auto index = static_cast<std::size_t>(rep);
        for (std::size_t r = 0; r < kAnalysisRules; ++r) {
            work.totals[r][index] = Currency::fromUnits(total[r]);
        }
    }
    work.blocks[static_cast<std::size_t>(block)] = counts;
}

// Takes blocks until none is left or a stop is asked for.
void takeBlocks(Work &work) noexcept {
    while (!work.stop.load(std::memory_order_relaxed)) {
        const std::int64_t block = work.nextBlock.fetch_add(1, std::memory_order_relaxed);
        if (block >= work.blockCount) {
            return;
        }
        runBlock(work, block);
        const std::int64_t size =
            std::min(kReplicationBlock, work.replications - block * kReplicationBlock);
        work.done.fetch_add(size, std::memory_order_relaxed);
    }
}

// Runs every block on `threads` workers while this thread reports progress.
// Returns false when progress asked to stop.
bool runBlocks(Work &work, unsigned threads, AnalysisProgress *progress) {
    bool cancelled = false;
    const auto ask = [&](std::int64_t done) {
        if (progress != nullptr && !cancelled && progress->report(done, work.replications)) {
            cancelled = true;
            work.stop.store(true, std::memory_order_relaxed);
        }
    };

    std::mutex mutex;
    std::condition_variable finishedChanged;
    unsigned finished = 0;
    std::vector<std::thread> workers;
    workers.reserve(threads);
    for (unsigned i = 0; i < threads; ++i) {
        try {
            workers.emplace_back([&] {
                takeBlocks(work);
                {
                    const std::lock_guard<std::mutex> lock(mutex);
                    ++finished;
                }
                finishedChanged.notify_one();
            });
        } catch (const std::system_error &) {
            break;  // the system refuses more threads: carry on with those there are
        }
    }

    if (workers.empty()) {
        // No thread at all: the blocks run here, with progress between them.
        auto nextReport = std::chrono::steady_clock::now() + kProgressInterval;
        while (!work.stop.load(std::memory_order_relaxed)) {
            const std::int64_t block = work.nextBlock.fetch_add(1, std::memory_order_relaxed);
            if (block >= work.blockCount) {
                break;
            }
            runBlock(work, block);
            work.done.fetch_add(
                std::min(kReplicationBlock, work.replications - block * kReplicationBlock),
                std::memory_order_relaxed);
            if (std::chrono::steady_clock::now() >= nextReport) {
                ask(work.done.load(std::memory_order_relaxed));
                nextReport = std::chrono::steady_clock::now() + kProgressInterval;
            }
        }
        return !cancelled;
    }

    const auto count = static_cast<unsigned>(workers.size());
    std::unique_lock<std::mutex> lock(mutex);
    while (!finishedChanged.wait_for(lock, kProgressInterval, [&] { return finished == count; })) {
        lock.unlock();
        ask(work.done.load(std::memory_order_relaxed));
        lock.lock();
    }
    lock.unlock();
    for (std::thread &worker : workers) {
        worker.join();
    }
    return !cancelled;
}

std::vector<double> asDoubles(const std::vector<Currency> &values) {
    std::vector<double> out(values.size());
    std::transform(values.begin(), values.end(), out.begin(),
                   [](Currency c) { return c.toDouble(); });
    return out;
}

double unitsToWhole(std::int64_t units) noexcept {
    return static_cast<double>(units) / static_cast<double>(Currency::kUnitsPerWhole);
}

ReplicationSummary summarise(const ReplicationOptions &options, std::int32_t days,
                             std::array<std::vector<Currency>, kAnalysisRules> &&totals,
                             const std::vector<BlockCounts> &blocks) {
    ReplicationSummary summary;
    summary.replications = options.replications;
    summary.days = days;
    summary.seed = options.seed;
    const auto n = static_cast<double>(options.replications);

    BlockCounts sum;
    for (const BlockCounts &block : blocks) {
        sum.demand += block.demand;
        for (std::size_t r = 0; r < kAnalysisRules; ++r) {
            sum.rules[r].sales += block.rules[r].sales;
            sum.rules[r].leftover += block.rules[r].leftover;
            sum.rules[r].unmet += block.rules[r].unmet;
            sum.rules[r].lossDays += block.rules[r].lossDays;
        }
    }

    std::array<SampleMoments, kAnalysisRules> moments{};
    for (std::size_t r = 0; r < kAnalysisRules; ++r) {
        RuleSummary &rule = summary.rules[r];
        moments[r] = sampleMoments(asDoubles(totals[r]));
        rule.meanProfit = moments[r].mean;
        rule.profitStandardDeviation = moments[r].standardDeviation;
        rule.profitInterval = confidenceInterval(moments[r], kSummaryConfidence);
        rule.meanSales = unitsToWhole(sum.rules[r].sales) / n;
        rule.meanLostSales = unitsToWhole(sum.rules[r].unmet) / n;
        rule.meanLeftover = unitsToWhole(sum.rules[r].leftover) / n;
        rule.fillRate = static_cast<double>(sum.rules[r].sales) / static_cast<double>(sum.demand);
        rule.lossDayShare =
            static_cast<double>(sum.rules[r].lossDays) / (n * static_cast<double>(days));
    }

    const double multiplier = confidenceMultiplier(kSummaryConfidence, options.replications);
    for (std::size_t p = 0; p < kRulePairs; ++p) {
        PairSummary &pair = summary.pairs[p];
        pair.first = kAnalysisPairs[p][0];
        pair.second = kAnalysisPairs[p][1];
        const std::vector<Currency> &a = totals[ruleIndex(pair.first)];
        const std::vector<Currency> &b = totals[ruleIndex(pair.second)];
        std::vector<double> differences(a.size());
        std::int64_t wins = 0;
        std::int64_t ties = 0;
        for (std::size_t i = 0; i < a.size(); ++i) {
            differences[i] = a[i].toDouble() - b[i].toDouble();
            wins += a[i] > b[i] ? 1 : 0;
            ties += a[i] == b[i] ? 1 : 0;
        }
        const SampleMoments d = sampleMoments(differences);
        pair.meanDifference = d.mean;
        pair.differenceStandardDeviation = d.standardDeviation;
        pair.interval = confidenceInterval(d, kSummaryConfidence);
        if (pair.interval) {
            const SampleMoments &ma = moments[ruleIndex(pair.first)];
            const SampleMoments &mb = moments[ruleIndex(pair.second)];
            const double halfWidth =
                multiplier * std::sqrt((ma.standardDeviation * ma.standardDeviation +
                                        mb.standardDeviation * mb.standardDeviation) /
                                       n);
            pair.independentInterval = Interval{d.mean - halfWidth, d.mean + halfWidth};
        }
        pair.firstWinShare = static_cast<double>(wins) / n;
        pair.tieShare = static_cast<double>(ties) / n;
    }

    for (std::size_t r = 0; r < kAnalysisRules; ++r) {
        summary.rules[r].totals = std::move(totals[r]);
    }
    return summary;
}

}  // namespace

unsigned replicationThreads(unsigned requested) noexcept {
    if (requested != 0) {
        return requested;
    }
    const unsigned hardware = std::thread::hardware_concurrency();
    return hardware == 0 ? 1 : hardware;
}

Result<ReplicationSummary, Refusal> runReplications(const AnalysisParameters &parameters,
                                                    const ReplicationOptions &options,
                                                    AnalysisProgress *progress) {
    if (options.replications < kMinReplications || options.replications > kMaxReplications) {
        return Failure{Refusal::ReplicationsOutOfRange};
    }
    const Refusal cancelled = Refusal::Cancelled;
    if (progress != nullptr && progress->report(0, options.replications)) {
        return Failure{cancelled};
    }

    const Tables tables = makeTables(parameters);
    const DemandSampler sampler(parameters.distribution());
    const auto size = static_cast<std::size_t>(options.replications);
    std::array<std::vector<Currency>, kAnalysisRules> totals;
    for (std::vector<Currency> &t : totals) {
        t.resize(size);
    }
    const std::int64_t blockCount =
        (options.replications + kReplicationBlock - 1) / kReplicationBlock;
    std::vector<BlockCounts> blocks(static_cast<std::size_t>(blockCount));

    Work work{tables, sampler, parameters.days(), options.seed, options.replications, blockCount,
              totals, blocks};
    const auto threads = static_cast<unsigned>(
        std::min<std::int64_t>(replicationThreads(options.threads), blockCount));
    if (!runBlocks(work, threads, progress)) {
        return Failure{cancelled};
    }
    ReplicationSummary summary = summarise(options, parameters.days(), std::move(totals), blocks);
    if (progress != nullptr) {
        // The summary is complete: a stop asked for now changes nothing.
        static_cast<void>(progress->report(options.replications, options.replications));
    }
    return summary;
}

}  // namespace nv
