// The Order Quantity page's what-if step: moving the price recomputes the
// lesson, its report, the payoff tables and the sweep, and the page's three
// charts are painted into images of the size they have on a 1366 x 768
// screen; and the same step with the whole page painted into one image
// (QWidget::render, tables and labels too). Two prices alternate, so every step recomputes.
// On the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDoubleSpinBox>
#include <QImage>
#include <cstdint>
#include <cstdlib>

#include "bench_inputs.h"
#include "ui/analysis/quantity_charts.h"
#include "ui/analysis/quantity_page.h"

namespace {

nv::RunInputs inputs() {
    return nv::bench::benchInputs();
}

void BM_WhatIfCharts(benchmark::State &state) {
    nv::ui::QuantityPage page;
    page.setRunInputs(inputs());
    if (!page.lesson()) {
        state.SkipWithError("the inputs were refused");
        return;
    }
    const double prices[] = {4.60, 4.65};
    std::size_t step = 0;
    for (auto _ : state) {
        page.spnValue().setValue(prices[step++ % 2]);
        benchmark::DoNotOptimize(page.chtCurve().renderImage({540, 380}).bits());
        benchmark::DoNotOptimize(page.chtCumulative().renderImage({540, 260}).bits());
        benchmark::DoNotOptimize(page.chtSweep().renderImage({700, 300}).bits());
    }
}

void BM_WhatIfPage(benchmark::State &state) {
    nv::ui::QuantityPage page;
    page.resize(1366, 740);
    page.setRunInputs(inputs());
    page.show();
    QApplication::processEvents();
    const double prices[] = {4.60, 4.65};
    std::size_t step = 0;
    // One image for every step, as a window has one backing store.
    QImage image(page.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        page.spnValue().setValue(prices[step++ % 2]);
        page.render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
}

}  // namespace

BENCHMARK(BM_WhatIfCharts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WhatIfPage)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
