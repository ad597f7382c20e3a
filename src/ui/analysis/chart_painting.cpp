// Painting the comparison charts.
#include "ui/analysis/chart_painting.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "ui/analysis/analysis_text.h"
#include "ui/analysis/chart_frame.h"
#include "ui/analysis/chart_legend.h"

namespace nv::ui {

namespace {

constexpr int kGap = 6;
constexpr int kTickLength = 4;
// Rules that order alike (Average Annual Demand and Best Fixed Order for a
// symmetric distribution) draw the same line: the wider line is drawn first
// and shows at both sides of the narrower one.
constexpr std::array<double, kAnalysisRules> kLineWidths = {2.5, 5.0, 2.0};
constexpr std::array<AnalysisRule, kAnalysisRules> kDrawingOrder = {
    AnalysisRule::Annual, AnalysisRule::Yesterday, AnalysisRule::FixedFractile};
// The histograms' areas are faint: where they overlap the outlines tell them
// apart, drawn as the lines are, a little narrower.
constexpr int kHistogramFillAlpha = 40;
constexpr std::array<double, kAnalysisRules> kStepWidths = {2.0, 4.0, 1.5};

QString tr(const char *text) {
    return QCoreApplication::translate("nv::ui::Charts", text);
}

void paintTitleAndLegend(QPainter &painter, const ChartGeometry &geometry, const QString &title) {
    paintTitle(painter, geometry, title);
    paintLegend(painter, geometry.legend);
}

void paintEmptyChart(QPainter &painter, const QRect &area, const QString &title,
                     const QString &emptyText, const QString &xTitle, const QString &yTitle) {
    paintEmpty(painter, chartGeometry(area, QFontMetrics(painter.font()), 0), title, emptyText,
               xTitle, yTitle);
}

QString profitXTitle() {
    return tr("Day");
}
QString profitYTitle() {
    return tr("Cumulative profit ($)");
}
QString histogramXTitle() {
    return tr("Total profit per run ($)");
}
QString histogramYTitle() {
    return tr("Replications");
}

// The chart's area inside its margins.
QRect innerArea(const QRect &area) {
    return area.adjusted(kGap, kGap, -2 * kGap, -kGap);
}

}  // namespace

QColor ruleColour(AnalysisRule rule) {
    switch (rule) {
        case AnalysisRule::Yesterday:
            return {31, 119, 180};
        case AnalysisRule::Annual:
            return {230, 120, 0};
        case AnalysisRule::FixedFractile:
            return {44, 160, 44};
    }
    return {0, 0, 0};
}

std::vector<double> niceTicks(double low, double high, int maxTicks) {
    if (!std::isfinite(low) || !std::isfinite(high)) {
        return {0, 1};
    }
    if (high < low) {
        std::swap(low, high);
    }
    const int intervals = std::max(1, maxTicks - 1);
    double span = high - low;
    if (span <= 0) {
        span = std::max(1.0, std::fabs(low));
    }
    const double rough = span / intervals;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10 * magnitude;
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * magnitude >= rough) {
            step = factor * magnitude;
            break;
        }
    }
    const double first = std::floor(low / step) * step;
    double last = std::ceil(high / step) * step;
    if (last <= first) {
        last = first + step;
    }
    std::vector<double> ticks;
    const auto count = static_cast<long>(std::lround((last - first) / step));
    for (long i = 0; i <= count; ++i) {
        const double tick = first + static_cast<double>(i) * step;
        ticks.push_back(std::fabs(tick) < step * 1e-9 ? 0.0 : tick);
    }
    return ticks;
}

ChartGeometry chartGeometry(const QRect &area, const QFontMetrics &metrics, int yLabelWidth) {
    return chartGeometry(area, metrics, yLabelWidth, legendRows(innerArea(area).width(), metrics));
}

ChartGeometry chartGeometry(const QRect &area, const QFontMetrics &metrics, int yLabelWidth,
                            int legendRowCount) {
    const int line = metrics.height();
    const QRect inner = innerArea(area);
    ChartGeometry geometry;
    geometry.title = QRect(inner.left(), inner.top(), inner.width(), line + kGap);
    const int legend = legendRowCount * legendRowHeight(metrics);
    geometry.legend = QRect(inner.left(), inner.bottom() - legend + 1, inner.width(), legend);
    geometry.xTitle = QRect(inner.left(), geometry.legend.top() - line - 2, inner.width(), line);
    const int left = inner.left() + line + kGap + yLabelWidth + kTickLength + 2 * kGap;
    const int top = geometry.title.bottom() + kGap;
    const int bottom = geometry.xTitle.top() - line - kTickLength - 3;
    geometry.yTitle = QRect(inner.left(), top, line, std::max(1, bottom - top + 1));
    geometry.plot = QRect(QPoint(left, top), QPoint(inner.right(), std::max(top + 1, bottom)));
    return geometry;
}

ProfitSeries profitSeries(const ProfitPaths &paths) {
    ProfitSeries series;
    series.days = static_cast<int>(paths.days[0].size());
    for (const AnalysisRule rule : kAllAnalysisRules) {
        std::vector<double> &values = series.cumulative[ruleIndex(rule)];
        values.reserve(paths.days[ruleIndex(rule)].size() + 1);
        values.push_back(0);
        for (const DayResult &day : paths.days[ruleIndex(rule)]) {
            values.push_back(day.cumulativeProfit.toDouble());
        }
    }
    return series;
}

void paintProfitChart(QPainter &painter, const QRect &area, const ProfitSeries *series,
                      const QString &title, const QString &emptyText) {
    painter.fillRect(area, QColor::fromRgb(kChartBackground));
    if (series == nullptr || series->days <= 0) {
        paintEmptyChart(painter, area, title, emptyText, profitXTitle(), profitYTitle());
        return;
    }
    double low = 0;
    double high = 0;
    for (const std::vector<double> &values : series->cumulative) {
        for (const double value : values) {
            low = std::min(low, value);
            high = std::max(high, value);
        }
    }
    const Axis y = axisFor(low, high, 6);
    const Axis x = axisFor(0, series->days, 8);
    const QStringList yLabels = moneyLabels(y.ticks);
    const QFontMetrics metrics(painter.font());
    const ChartGeometry geometry = chartGeometry(area, metrics, widestLabel(metrics, yLabels));
    const QRect &plot = geometry.plot;
    const Scale xScale{x.low, x.high, static_cast<double>(plot.left()),
                       static_cast<double>(plot.right())};
    const Scale yScale{y.low, y.high, static_cast<double>(plot.bottom()),
                       static_cast<double>(plot.top())};
    paintAxes(painter, geometry, xScale, {x.ticks, countLabels(x.ticks), profitXTitle()}, yScale,
              {y.ticks, yLabels, profitYTitle()});

    painter.save();
    painter.setClipRect(plot.adjusted(0, -1, 1, 1));
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const AnalysisRule rule : kDrawingOrder) {
        const std::vector<double> &values = series->cumulative[ruleIndex(rule)];
        QPainterPath path;
        for (std::size_t day = 0; day < values.size(); ++day) {
            const QPointF point(xScale(static_cast<double>(day)), yScale(values[day]));
            if (day == 0) {
                path.moveTo(point);
            } else {
                path.lineTo(point);
            }
        }
        painter.setPen(QPen(ruleColour(rule), kLineWidths[ruleIndex(rule)], Qt::SolidLine,
                            Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(path);
    }
    painter.restore();
    paintTitleAndLegend(painter, geometry, title);
}

void paintHistogramChart(QPainter &painter, const QRect &area, const Histogram *histogram,
                         const QString &title, const QString &emptyText) {
    painter.fillRect(area, QColor::fromRgb(kChartBackground));
    if (histogram == nullptr || histogram->bins() == 0) {
        paintEmptyChart(painter, area, title, emptyText, histogramXTitle(), histogramYTitle());
        return;
    }
    std::int64_t highest = 1;
    for (const std::vector<std::int64_t> &counts : histogram->counts) {
        for (const std::int64_t count : counts) {
            highest = std::max(highest, count);
        }
    }
    const Axis y = axisFor(0, static_cast<double>(highest), 6);
    const std::vector<double> xTicks = niceTicks(histogram->low, histogram->high, 7);
    std::vector<double> shownTicks;
    for (const double tick : xTicks) {
        if (tick >= histogram->low - 1e-9 && tick <= histogram->high + 1e-9) {
            shownTicks.push_back(tick);
        }
    }
    const QStringList yLabels = countLabels(y.ticks);
    const QFontMetrics metrics(painter.font());
    const ChartGeometry geometry = chartGeometry(area, metrics, widestLabel(metrics, yLabels));
    const QRect &plot = geometry.plot;
    const Scale xScale{histogram->low, histogram->high, static_cast<double>(plot.left()),
                       static_cast<double>(plot.right())};
    const Scale yScale{y.low, y.high, static_cast<double>(plot.bottom()),
                       static_cast<double>(plot.top())};
    paintAxes(painter, geometry, xScale, {shownTicks, moneyLabels(shownTicks), histogramXTitle()},
              yScale, {y.ticks, yLabels, histogramYTitle()});

    std::array<QPainterPath, kAnalysisRules> steps;
    for (const AnalysisRule rule : kAllAnalysisRules) {
        QPainterPath &path = steps[ruleIndex(rule)];
        const std::vector<std::int64_t> &counts = histogram->counts[ruleIndex(rule)];
        const auto bottom = static_cast<double>(plot.bottom());
        path.moveTo(xScale(histogram->low), bottom);
        for (std::size_t bin = 0; bin < counts.size(); ++bin) {
            const double top = yScale(static_cast<double>(counts[bin]));
            path.lineTo(xScale(histogram->binLow(bin)), top);
            path.lineTo(xScale(histogram->binLow(bin + 1)), top);
        }
        path.lineTo(xScale(histogram->high), bottom);
    }
    painter.save();
    painter.setClipRect(plot.adjusted(0, -1, 1, 1));
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    for (const AnalysisRule rule : kDrawingOrder) {
        QColor fill = ruleColour(rule);
        fill.setAlpha(kHistogramFillAlpha);
        painter.fillPath(steps[ruleIndex(rule)], fill);
    }
    for (const AnalysisRule rule : kDrawingOrder) {
        painter.strokePath(steps[ruleIndex(rule)],
                           QPen(ruleColour(rule), kStepWidths[ruleIndex(rule)], Qt::SolidLine,
                                Qt::FlatCap, Qt::MiterJoin));
    }
    painter.restore();
    paintTitleAndLegend(painter, geometry, title);
}

}  // namespace nv::ui
