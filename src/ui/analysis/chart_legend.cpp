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

[[nodiscard]] int nameWidth(AnalysisRule rule, const QFontMetrics &metrics) {
    return metrics.horizontalAdvance(toQString(ruleName(rule))) + 2;
}

[[nodiscard]] int entryWidth(AnalysisRule rule, const QFontMetrics &metrics) {
    return kSwatch + kGap + nameWidth(rule, metrics);
}

// The rules row by row, as many to a row as fit in `width`.
[[nodiscard]] std::vector<std::vector<AnalysisRule>> rows(int width, const QFontMetrics &metrics) {
    std::vector<std::vector<AnalysisRule>> result(1);
    int used = 0;
    for (const AnalysisRule rule : kAllAnalysisRules) {
        const int needed = entryWidth(rule, metrics);
        if (!result.back().empty() && used + kSpacing + needed > width) {
            result.emplace_back();
            used = 0;
        }
        used += (result.back().empty() ? 0 : kSpacing) + needed;
        result.back().push_back(rule);
    }
    return result;
}

}  // namespace

int legendRowHeight(const QFontMetrics &metrics) {
    return metrics.height() + kGap;
}

int legendRows(int width, const QFontMetrics &metrics) {
    return static_cast<int>(rows(width, metrics).size());
}

std::vector<LegendEntry> legendEntries(const QRect &area, const QFontMetrics &metrics) {
    std::vector<LegendEntry> entries;
    const int height = legendRowHeight(metrics);
    int top = area.top();
    for (const std::vector<AnalysisRule> &row : rows(area.width(), metrics)) {
        int total = kSpacing * static_cast<int>(row.size() - 1);
        for (const AnalysisRule rule : row) {
            total += entryWidth(rule, metrics);
        }
        int x = std::max(area.left(), area.center().x() - total / 2);
        for (const AnalysisRule rule : row) {
            LegendEntry &entry = entries.emplace_back();
            entry.rule = rule;
            entry.swatch = QRect(x, top + (height - kSwatch) / 2, kSwatch, kSwatch);
            entry.name = QRect(x + kSwatch + kGap, top, nameWidth(rule, metrics), height);
            x += entryWidth(rule, metrics) + kSpacing;
        }
        top += height;
    }
    return entries;
}

void paintLegend(QPainter &painter, const QRect &area) {
    const QFontMetrics metrics(painter.font());
    for (const LegendEntry &entry : legendEntries(area, metrics)) {
        painter.fillRect(entry.swatch, ruleColour(entry.rule));
        painter.setPen(Qt::black);
        painter.drawText(entry.name, Qt::AlignLeft | Qt::AlignVCenter,
                         toQString(ruleName(entry.rule)));
    }
}

}  // namespace nv::ui
