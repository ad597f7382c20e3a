// The order-quantity lesson: the curve of expected figures over 4,001 orders
// (30 to 70 by 0.01), the default curve (41 orders, what a what-if control
// redraws), a sweep of the cost over 1,000 points, and the whole lesson with
// its report.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_inputs.h"
#include "engine/analysis/analysis_parameters.h"
#include "engine/analysis/order_quantity.h"
#include "engine/analysis/quantity_lesson.h"
#include "engine/analysis/quantity_report.h"
#include "engine/analysis/quantity_sweep.h"
#include "engine/validation.h"

namespace {

nv::AnalysisParameters checkedAnalysis() {
    const nv::RunInputs in = nv::bench::benchInputs();
    const auto checked = nv::AnalysisParameters::fromInputs(in);
    if (!checked) {
        std::fprintf(stderr, "analysis refused: %s\n",
                     std::string(nv::refusalMessage(checked.error())).c_str());
        std::abort();
    }
    return *checked;
}

nv::Currency units(std::int64_t tenThousandths) {
    return nv::Currency::fromUnits(tenThousandths);
}

template <class T>
void expectAccepted(const nv::Result<T, nv::Refusal> &result) {
    if (!result) {
        std::fprintf(stderr, "refused: %s\n",
                     std::string(nv::refusalMessage(result.error())).c_str());
        std::abort();
    }
}

// Orders 30 to 70 by state.range(0) ten-thousandths.
void BM_Curve(benchmark::State &state) {
    const nv::AnalysisParameters parameters = checkedAnalysis();
    const nv::AmountRange orders{nv::Currency::fromCount(30), nv::Currency::fromCount(70),
                                 units(state.range(0))};
    std::size_t points = 0;
    for (auto _ : state) {
        auto curve = nv::orderCurve(parameters, orders);
        expectAccepted(curve);
        points = curve->size();
        benchmark::DoNotOptimize(curve->back().profit);
    }
    state.counters["points"] = static_cast<double>(points);
}

// The cost from 0.0044 to 4.4 by 0.0044: 1,000 points, each checked and
// worked out as a lesson of its own.
void BM_CostSweep(benchmark::State &state) {
    const nv::AnalysisParameters parameters = checkedAnalysis();
    const nv::AmountRange costs{units(44), units(44'000), units(44)};
    std::size_t points = 0;
    for (auto _ : state) {
        auto sweep = nv::quantitySweep(parameters, nv::SweepInput::Cost, costs);
        expectAccepted(sweep);
        points = sweep->size();
        benchmark::DoNotOptimize(sweep->back().rules.best);
    }
    state.counters["points"] = static_cast<double>(points);
}

// The default lesson (best orders, curve 30..70 by 1, payoff table) and its
// report: what the page builds when an input changes.
void BM_LessonAndReport(benchmark::State &state) {
    const nv::AnalysisParameters parameters = checkedAnalysis();
    for (auto _ : state) {
        auto lesson = nv::quantityLesson(parameters, nv::kDefaultCurveRange);
        expectAccepted(lesson);
        nv::Report report = nv::quantityReport(parameters, *lesson, {});
        benchmark::DoNotOptimize(report.sections.size());
    }
}

}  // namespace

BENCHMARK(BM_Curve)->ArgName("step_units")->Arg(100)->Arg(10'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CostSweep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LessonAndReport)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
