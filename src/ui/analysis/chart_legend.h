// The charts' legend: a colour swatch and the name of each rule, in as many
// centred rows as the chart's width needs (one on a wide chart, two or three
// on a narrow one), so no name is ever cut.
//
//     const int height = nv::ui::legendRows(width, metrics) * nv::ui::legendRowHeight(metrics);
//     nv::ui::paintLegend(painter, QRect(left, bottom - height + 1, width, height));
#pragma once

#include <QRect>
#include <vector>

#include "engine/analysis/analysis_parameters.h"

class QFontMetrics;
class QPainter;

namespace nv::ui {

struct LegendEntry {
    AnalysisRule rule = AnalysisRule::Yesterday;
    QRect swatch;
    QRect name;
};

[[nodiscard]] int legendRowHeight(const QFontMetrics &metrics);
// How many rows the legend needs in `width` pixels.
[[nodiscard]] int legendRows(int width, const QFontMetrics &metrics);
// Where each rule's swatch and name go in `area`, in the rules' order.
[[nodiscard]] std::vector<LegendEntry> legendEntries(const QRect &area,
                                                     const QFontMetrics &metrics);
// In the painter's font.
void paintLegend(QPainter &painter, const QRect &area);

}  // namespace nv::ui
