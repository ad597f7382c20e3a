// Whole runs into the in-memory grid: the checks' record once, then
// runSimulation again and again over the same grid, so the figures are the
// steady cost of a day (order, draw, amounts, six formatted cells, the six
// grid writes and the progress value). Reported per simulated day.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_inputs.h"
#include "engine/simulation.h"
#include "engine/validation.h"
#include "support/number_format.h"
#include "support/random_source.h"
#include "ui/toolkit/memory_grid.h"

namespace {

nv::SimulationParameters checkedParameters(const char *runs, nv::OrderPolicy policy) {
    const nv::RunInputs in = nv::bench::benchInputs(nv::bench::kBellShaped, runs, policy);
    const auto checked = nv::checkRun(in);
    if (!checked) {
        std::fprintf(stderr, "run refused: %s\n",
                     std::string(nv::refusalMessage(checked.error())).c_str());
        std::abort();
    }
    return *checked;
}

void runDays(benchmark::State &state, const char *runs, nv::OrderPolicy policy) {
    const nv::SimulationParameters parameters = checkedParameters(runs, policy);
    nv::ui::MemoryRunViews memory;
    nv::ui::RunViews views = memory.views();
    nv::SeededSource random(12345);
    const nv::NumberLocale locale;
    for (auto _ : state) {
        nv::runSimulation(parameters, views, random, locale);
        benchmark::ClobberMemory();
    }
    const auto days = static_cast<double>(parameters.days);
    state.SetItemsProcessed(state.iterations() * parameters.days);
    // Seconds per simulated day (shown with an SI prefix, "n" for ns).
    state.counters["per_day"] = benchmark::Counter(
        days, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    benchmark::DoNotOptimize(memory.grid.cell(parameters.days, 5));
}

void BM_RunYesterday250(benchmark::State &state) {
    runDays(state, "250", nv::OrderPolicy::Yesterday);
}
void BM_RunAnnual250(benchmark::State &state) {
    runDays(state, "250", nv::OrderPolicy::Annual);
}
void BM_RunYesterday32766(benchmark::State &state) {
    runDays(state, "32766", nv::OrderPolicy::Yesterday);
}
void BM_RunAnnual32766(benchmark::State &state) {
    runDays(state, "32766", nv::OrderPolicy::Annual);
}

}  // namespace

BENCHMARK(BM_RunYesterday250);
BENCHMARK(BM_RunAnnual250);
BENCHMARK(BM_RunYesterday32766);
BENCHMARK(BM_RunAnnual32766);

BENCHMARK_MAIN();
