// The comparison's two charts, painted with QPainter into any paint device
// (a widget, or a QImage for saving and for tests).
//
// Both charts share one frame: a title line at the top, the plot area with
// its axes, tick labels and grid lines, the y-axis title (turned on its side)
// left of it, the x-axis title under it and a legend row at the bottom with
// one colour swatch per rule (chart_legend.h). Both axis titles name their unit. The legend is
// outside the plot area (ChartGeometry), so the plot's pixels of a rule's
// colour come from its data alone.
//   - Cumulative profit by day: one line per rule over days 0..days, from 0
//     before day 1, all rules on the same demand stream; Average Annual
//     Demand is drawn wider and first, so a line that coincides with it shows
//     as a stripe inside it.
//   - Distribution of total profit: each rule's histogram over the common
//     range as a translucent area under an outlined step line, heights in
//     replications; the three overlap and each stays readable (the outlines
//     are drawn as the profit lines are, wider first).
// Without data a chart paints its frame and `emptyText` in the middle.
//
//     QImage image(800, 400, QImage::Format_RGB32);
//     QPainter painter(&image);
//     nv::ui::paintProfitChart(painter, image.rect(), &series, title, tr("No data"));
#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <array>
#include <vector>

#include "engine/analysis/analysis_parameters.h"
#include "engine/analysis/replications.h"

class QFontMetrics;
class QPainter;

namespace nv::ui {

// Blue, orange and green, distinct also for the common colour-vision
// deficiencies.
[[nodiscard]] QColor ruleColour(AnalysisRule rule);
inline constexpr QRgb kChartBackground = 0xffffffff;

// Evenly spaced round values (1, 2 or 5 times a power of ten apart) covering
// [low, high] with at most about `maxTicks` of them, the first at or below low
// and the last at or above high. A degenerate range is widened to one step.
//     niceTicks(0, 1000, 6)   // 0, 200, 400, 600, 800, 1000
//     niceTicks(-130, 460, 6) // -200, 0, 200, 400, 600
[[nodiscard]] std::vector<double> niceTicks(double low, double high, int maxTicks);

struct ChartGeometry {
    QRect title;
    QRect yTitle;  // a column left of the tick labels, the text turned on its side
    QRect plot;
    QRect xTitle;
    QRect legend;
};

// Where a chart of `area` puts its parts when its y labels are `yLabelWidth`
// pixels wide in the font of `metrics`.
[[nodiscard]] ChartGeometry chartGeometry(const QRect &area, const QFontMetrics &metrics,
                                          int yLabelWidth);
// The same with `legendRowCount` rows of legend (chart_legend.h).
[[nodiscard]] ChartGeometry chartGeometry(const QRect &area, const QFontMetrics &metrics,
                                          int yLabelWidth, int legendRowCount);

// The cumulative profit of each rule by day: cumulative[rule][d] after day d
// (d = 0 is before the first day, 0).
struct ProfitSeries {
    int days = 0;
    std::array<std::vector<double>, kAnalysisRules> cumulative{};
};
[[nodiscard]] ProfitSeries profitSeries(const ProfitPaths &paths);

void paintProfitChart(QPainter &painter, const QRect &area, const ProfitSeries *series,
                      const QString &title, const QString &emptyText);
void paintHistogramChart(QPainter &painter, const QRect &area, const Histogram *histogram,
                         const QString &title, const QString &emptyText);

}  // namespace nv::ui
