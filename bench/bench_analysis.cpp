// The comparison of the ordering rules: paired replications (10,000 runs of
// 250 days, all three rules on each demand stream) with 1 and with 2 worker
// threads, reported per simulated rule-day, the speed-up from one thread to
// two, and the exact expectations per call.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_inputs.h"
#include "engine/analysis/analysis_parameters.h"
#include "engine/analysis/expectations.h"
#include "engine/analysis/replications.h"
#include "engine/validation.h"

namespace {

constexpr std::int64_t kReplications = 10'000;

nv::RunInputs defaultInputs() {
    return nv::bench::benchInputs();
}

nv::AnalysisParameters checkedAnalysis() {
    const auto checked = nv::AnalysisParameters::fromInputs(defaultInputs());
    if (!checked) {
        std::fprintf(stderr, "analysis refused: %s\n",
                     std::string(nv::refusalMessage(checked.error())).c_str());
        std::abort();
    }
    return *checked;
}

nv::ReplicationSummary replicate(const nv::AnalysisParameters &parameters, unsigned threads,
                                 std::uint64_t seed) {
    nv::ReplicationOptions options;
    options.replications = kReplications;
    options.seed = seed;
    options.threads = threads;
    auto summary = nv::runReplications(parameters, options);
    if (!summary) {
        std::fprintf(stderr, "replications failed: %s\n",
                     std::string(nv::refusalMessage(summary.error())).c_str());
        std::abort();
    }
    return std::move(summary).value();
}

double ruleDays(const nv::AnalysisParameters &parameters) {
    return static_cast<double>(kReplications) * static_cast<double>(parameters.days()) *
           static_cast<double>(nv::kAnalysisRules);
}

// 10,000 replications of 250 days; state.range(0) worker threads.
void BM_Replications(benchmark::State &state) {
    const nv::AnalysisParameters parameters = checkedAnalysis();
    const auto threads = static_cast<unsigned>(state.range(0));
    std::uint64_t seed = 1;
    for (auto _ : state) {
        nv::ReplicationSummary summary = replicate(parameters, threads, seed++);
        benchmark::DoNotOptimize(summary.rules[0].meanProfit);
    }
    // Seconds per simulated rule-day (shown with an SI prefix, "n" for ns).
    state.counters["per_rule_day"] =
        benchmark::Counter(ruleDays(parameters), benchmark::Counter::kIsIterationInvariantRate |
                                                     benchmark::Counter::kInvert);
}

// Each iteration times the same replications with 1 and with 2 threads; the
// counter is the ratio of the two wall-clock times.
void BM_ReplicationSpeedUp(benchmark::State &state) {
    const nv::AnalysisParameters parameters = checkedAnalysis();
    using Clock = std::chrono::steady_clock;
    double oneThread = 0;
    double twoThreads = 0;
    std::uint64_t seed = 1;
    for (auto _ : state) {
        const auto start = Clock::now();
        nv::ReplicationSummary one = replicate(parameters, 1, seed);
        const auto middle = Clock::now();
        nv::ReplicationSummary two = replicate(parameters, 2, seed);
        const auto end = Clock::now();
        ++seed;
        if (!(one == two)) {
            std::fprintf(stderr, "1 and 2 threads disagree\n");
            std::abort();
        }
        const double t1 = std::chrono::duration<double>(middle - start).count();
        const double t2 = std::chrono::duration<double>(end - middle).count();
        oneThread += t1;
        twoThreads += t2;
        state.SetIterationTime(t1 + t2);
    }
    state.counters["one_thread_s"] =
        benchmark::Counter(oneThread / static_cast<double>(state.iterations()));
    state.counters["two_threads_s"] =
        benchmark::Counter(twoThreads / static_cast<double>(state.iterations()));
    state.counters["speed_up"] = benchmark::Counter(oneThread / twoThreads);
}

// The exact expectations of all rules from checked parameters.
void BM_ExactExpectations(benchmark::State &state) {
    const nv::AnalysisParameters parameters = checkedAnalysis();
    for (auto _ : state) {
        nv::Expectations e = nv::exactExpectations(parameters);
        benchmark::DoNotOptimize(e);
    }
}

// From the run's checked record: the analysis's checks, the day table (30
// simulateDay calls) and the expectations.
void BM_CheckAndExpect(benchmark::State &state) {
    const auto run = nv::checkRun(defaultInputs());
    if (!run) {
        std::abort();
    }
    for (auto _ : state) {
        auto checked = nv::AnalysisParameters::fromRun(*run);
        nv::Expectations e = nv::exactExpectations(*checked);
        benchmark::DoNotOptimize(e);
    }
}

}  // namespace

BENCHMARK(BM_Replications)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplicationSpeedUp)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExactExpectations)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CheckAndExpect)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
