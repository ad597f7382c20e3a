// The charts' legend.
#include "ui/analysis/chart_legend.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "ui/analysis/chart_painting.h"
#include "ui/toolkit/qt/qt_text.h"

namespace nv::ui {

namespace {

constexpr int kGap = 6;
constexpr int kSwatch = 12;
// Between one entry and the next in a row.
constexpr int kSpacing = 3 * kGap;

[[nodiscard]] int nameWidth(const LegendItem &item, const QFontMetrics &metrics) {
    return metrics.horizontalAdvance(item.name) + 2;
}

[[nodiscard]] int entryWidth(const LegendItem &item, const QFontMetrics &metrics) {
    return kSwatch + kGap + nameWidth(item, metrics);
}

// The items' indices row by row, as many to a row as fit in `width`.
[[nodiscard]] std::vector<std::vector<std::size_t>> rows(int width, const QFontMetrics &metrics,
                                                         const std::vector<LegendItem> &items) {
    std::vector<std::vector<std::size_t>> result(1);
    int used = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const int needed = entryWidth(items[i], metrics);
        if (!result.back().empty() && used + kSpacing + needed > width) {
            result.emplace_back();
            used = 0;
        }
        used += (result.back().empty() ? 0 : kSpacing) + needed;
        result.back().push_back(i);
    }
    return result;
}

void paintMark(QPainter &painter, const LegendItem &item, const QRect &swatch) {
    const int y = swatch.center().y();
    switch (item.mark) {
        case LegendMark::Swatch:
            painter.fillRect(swatch, item.colour);
            return;
        case LegendMark::Line:
        case LegendMark::DashedLine:
            painter.setPen(QPen(item.colour, 2.5,
                                item.mark == LegendMark::Line ? Qt::SolidLine : Qt::DashLine,
                                Qt::FlatCap));
            painter.drawLine(swatch.left(), y, swatch.right() + 1, y);
            return;
        case LegendMark::Dot:
            painter.save();
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.setPen(QPen(Qt::white, 1));
            painter.setBrush(item.colour);
            painter.drawEllipse(swatch.adjusted(1, 1, -1, -1));
            painter.restore();
            return;
    }
}

}  // namespace

std::vector<LegendItem> ruleLegend() {
    std::vector<LegendItem> items;
    for (const AnalysisRule rule : kAllAnalysisRules) {
        items.push_back({toQString(ruleName(rule)), ruleColour(rule), LegendMark::Swatch});
    }
    return items;
}

int legendRowHeight(const QFontMetrics &metrics) {
    return metrics.height() + kGap;
}

int legendRows(int width, const QFontMetrics &metrics, const std::vector<LegendItem> &items) {
    return static_cast<int>(rows(width, metrics, items).size());
}

std::vector<LegendPlace> legendPlaces(const QRect &area, const QFontMetrics &metrics,
                                      const std::vector<LegendItem> &items) {
    std::vector<LegendPlace> places(items.size());
    const int height = legendRowHeight(metrics);
    int top = area.top();
    for (const std::vector<std::size_t> &row : rows(area.width(), metrics, items)) {
        int total = kSpacing * static_cast<int>(row.size() - 1);
        for (const std::size_t i : row) {
            total += entryWidth(items[i], metrics);
        }
        int x = std::max(area.left(), area.center().x() - total / 2);
        for (const std::size_t i : row) {
            places[i].swatch = QRect(x, top + (height - kSwatch) / 2, kSwatch, kSwatch);
            places[i].name = QRect(x + kSwatch + kGap, top, nameWidth(items[i], metrics), height);
            x += entryWidth(items[i], metrics) + kSpacing;
        }
        top += height;
    }
    return places;
}

void paintLegend(QPainter &painter, const QRect &area, const std::vector<LegendItem> &items) {
    const std::vector<LegendPlace> places = legendPlaces(area, QFontMetrics(painter.font()), items);
    for (std::size_t i = 0; i < items.size(); ++i) {
        paintMark(painter, items[i], places[i].swatch);
        painter.setPen(Qt::black);
        painter.drawText(places[i].name, Qt::AlignLeft | Qt::AlignVCenter, items[i].name);
    }
}

int legendRows(int width, const QFontMetrics &metrics) {
    return legendRows(width, metrics, ruleLegend());
}

std::vector<LegendEntry> legendEntries(const QRect &area, const QFontMetrics &metrics) {
    const std::vector<LegendPlace> places = legendPlaces(area, metrics, ruleLegend());
    std::vector<LegendEntry> entries;
    for (std::size_t i = 0; i < places.size(); ++i) {
        entries.push_back({kAllAnalysisRules[i], places[i].swatch, places[i].name});
    }
    return entries;
}

void paintLegend(QPainter &painter, const QRect &area) {
    paintLegend(painter, area, ruleLegend());
}

}  // namespace nv::ui
