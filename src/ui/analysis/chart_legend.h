// The charts' legend: a mark and a name for each entry (a colour swatch for
// a rule, a line, a dashed line or a dot for what a chart draws so), in as
// many centred rows as the chart's width needs (one on a wide chart, two or
// three on a narrow one), so no name is ever cut.
//
//     const int height = nv::ui::legendRows(width, metrics) * nv::ui::legendRowHeight(metrics);
//     nv::ui::paintLegend(painter, QRect(left, bottom - height + 1, width, height));
//     nv::ui::paintLegend(painter, area, {{tr("Expected profit"), Qt::black, LegendMark::Line}});
#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <vector>

#include "engine/analysis/analysis_parameters.h"

class QFontMetrics;
class QPainter;

namespace nv::ui {

enum class LegendMark { Swatch, Line, DashedLine, Dot };

struct LegendItem {
    QString name;
    QColor colour;
    LegendMark mark = LegendMark::Swatch;
};

// Where an item's mark and name go.
struct LegendPlace {
    QRect swatch;
    QRect name;
};

struct LegendEntry {
    AnalysisRule rule = AnalysisRule::Yesterday;
    QRect swatch;
    QRect name;
};

// The comparison's legend: a swatch and the name of each rule.
[[nodiscard]] std::vector<LegendItem> ruleLegend();

[[nodiscard]] int legendRowHeight(const QFontMetrics &metrics);
// How many rows the legend needs in `width` pixels.
[[nodiscard]] int legendRows(int width, const QFontMetrics &metrics,
                             const std::vector<LegendItem> &items);
[[nodiscard]] std::vector<LegendPlace> legendPlaces(const QRect &area, const QFontMetrics &metrics,
                                                    const std::vector<LegendItem> &items);
// In the painter's font.
void paintLegend(QPainter &painter, const QRect &area, const std::vector<LegendItem> &items);

// The rules' legend.
[[nodiscard]] int legendRows(int width, const QFontMetrics &metrics);
// Where each rule's swatch and name go in `area`, in the rules' order.
[[nodiscard]] std::vector<LegendEntry> legendEntries(const QRect &area,
                                                     const QFontMetrics &metrics);
void paintLegend(QPainter &painter, const QRect &area);

}  // namespace nv::ui
