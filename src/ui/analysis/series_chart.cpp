// Painting the Play page's line charts.
#include "ui/analysis/series_chart.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "ui/analysis/analysis_text.h"
#include "ui/analysis/chart_painting.h"

namespace nv::ui {

namespace {

constexpr int kGap = 6;
constexpr int kTickLength = 4;
constexpr int kSample = 24;  // the legend's line sample
constexpr int kSpacing = 3 * kGap;
constexpr double kMarkerRoom = 8;  // pixels a point needs for its dot
const QColor kAxisColour{64, 64, 64};
const QColor kGridColour{224, 224, 224};

[[nodiscard]] int entryWidth(const ChartSeries &series, const QFontMetrics &metrics) {
    return kSample + kGap + metrics.horizontalAdvance(series.name) + 2;
}

// The series' indices row by row, as many to a row as fit in `width`.
[[nodiscard]] std::vector<std::vector<std::size_t>> legendLayout(const SeriesChartData &data,
                                                                 int width,
                                                                 const QFontMetrics &metrics) {
    std::vector<std::vector<std::size_t>> rows(1);
    int used = 0;
    for (std::size_t i = 0; i < data.series.size(); ++i) {
        const int needed = entryWidth(data.series[i], metrics);
        if (!rows.back().empty() && used + kSpacing + needed > width) {
            rows.emplace_back();
            used = 0;
        }
        used += (rows.back().empty() ? 0 : kSpacing) + needed;
        rows.back().push_back(i);
    }
    return rows;
}

[[nodiscard]] QPen seriesPen(const ChartSeries &series) {
    return QPen(series.colour, series.width, series.style, Qt::RoundCap, Qt::RoundJoin);
}

void paintLegend(QPainter &painter, const QRect &area, const SeriesChartData &data) {
    const QFontMetrics metrics(painter.font());
    const int height = metrics.height() + kGap;
    int top = area.top();
    for (const auto &row : legendLayout(data, area.width(), metrics)) {
        int total = kSpacing * static_cast<int>(row.size() - 1);
        for (const std::size_t i : row) {
            total += entryWidth(data.series[i], metrics);
        }
        int x = std::max(area.left(), area.center().x() - total / 2);
        for (const std::size_t i : row) {
            const ChartSeries &series = data.series[i];
            const int middle = top + height / 2;
            painter.setPen(seriesPen(series));
            painter.drawLine(x, middle, x + kSample, middle);
            painter.setPen(Qt::black);
            painter.drawText(QRect(x + kSample + kGap, top, entryWidth(series, metrics), height),
                             Qt::AlignLeft | Qt::AlignVCenter, series.name);
            x += entryWidth(series, metrics) + kSpacing;
        }
        top += height;
    }
}

[[nodiscard]] ChartGeometry geometryFor(const QRect &area, const QFontMetrics &metrics,
                                        int yLabelWidth, int legendHeight) {
    const int line = metrics.height();
    const QRect inner = area.adjusted(kGap, kGap, -2 * kGap, -kGap);
    ChartGeometry g;
    g.title = QRect(inner.left(), inner.top(), inner.width(), line + kGap);
    g.legend = QRect(inner.left(), inner.bottom() - legendHeight + 1, inner.width(), legendHeight);
    g.xTitle = QRect(inner.left(), g.legend.top() - line - 2, inner.width(), line);
    const int left = inner.left() + line + kGap + yLabelWidth + kTickLength + 2 * kGap;
    const int top = g.title.bottom() + kGap;
    const int bottom = g.xTitle.top() - line - kTickLength - 3;
    g.yTitle = QRect(inner.left(), top, line, std::max(1, bottom - top + 1));
    g.plot = QRect(QPoint(left, top), QPoint(inner.right(), std::max(top + 1, bottom)));
    return g;
}

// Whole days only: a short game gets a tick a day.
[[nodiscard]] std::vector<double> dayTicks(double low, double high) {
    std::vector<double> ticks = niceTicks(low, high, 8);
    if (ticks.size() >= 2 && ticks[1] - ticks[0] < 1) {
        ticks.clear();
        for (double day = std::floor(low); day <= std::ceil(high); ++day) {
            ticks.push_back(day);
        }
    }
    return ticks;
}

struct Scale {
    double low;
    double high;
    double from;
    double to;
    [[nodiscard]] double operator()(double value) const {
        return high == low ? from : from + (value - low) / (high - low) * (to - from);
    }
};

void paintTitles(QPainter &painter, const ChartGeometry &g, const QString &title,
                 const SeriesChartData *data) {
    painter.setPen(Qt::black);
    QFont bold = painter.font();
    bold.setBold(true);
    painter.save();
    painter.setFont(bold);
    painter.drawText(g.title, Qt::AlignCenter,
                     QFontMetrics(bold).elidedText(title, Qt::ElideRight, g.title.width()));
    painter.restore();
    if (data == nullptr) {
        return;
    }
    painter.drawText(g.xTitle, Qt::AlignCenter, data->xTitle);
    painter.save();
    painter.translate(g.yTitle.center());
    painter.rotate(-90);
    const QRect turned(-g.yTitle.height() / 2, -g.yTitle.width() / 2, g.yTitle.height(),
                       g.yTitle.width());
    painter.drawText(
        turned, Qt::AlignCenter,
        QFontMetrics(painter.font()).elidedText(data->yTitle, Qt::ElideRight, g.yTitle.height()));
    painter.restore();
}

}  // namespace

void paintSeriesChart(QPainter &painter, const QRect &area, const SeriesChartData *data,
                      const QString &title, const QString &emptyText) {
    painter.fillRect(area, QColor::fromRgb(kChartBackground));
    const QFontMetrics metrics(painter.font());
    double xLow = 0;
    double xHigh = 0;
    double yLow = 0;
    double yHigh = 0;
    bool any = false;
    if (data != nullptr) {
        for (const ChartSeries &series : data->series) {
            if (series.values.empty()) {
                continue;
            }
            const double first = series.firstX;
            const double last = first + static_cast<double>(series.values.size() - 1);
            xLow = any ? std::min(xLow, first) : first;
            xHigh = any ? std::max(xHigh, last) : last;
            any = true;
            for (const double value : series.values) {
                yLow = std::min(yLow, value);
                yHigh = std::max(yHigh, value);
            }
        }
    }
    if (!any) {
        const ChartGeometry g = geometryFor(area, metrics, 0, 0);
        paintTitles(painter, g, title, data);
        painter.setPen(kAxisColour);
        painter.drawRect(g.plot);
        painter.drawText(g.plot, Qt::AlignCenter | Qt::TextWordWrap, emptyText);
        return;
    }
    const std::vector<double> yTicks = niceTicks(yLow, yHigh, 6);
    QStringList yLabels;
    int yLabelWidth = 0;
    for (const double tick : yTicks) {
        yLabels << (data->kind == ChartValueKind::Money ? moneyText(tick, 0)
                                                        : countText(std::llround(tick)));
        yLabelWidth = std::max(yLabelWidth, metrics.horizontalAdvance(yLabels.back()));
    }
    const QRect inner = area.adjusted(kGap, kGap, -2 * kGap, -kGap);
    const int legendHeight = static_cast<int>(legendLayout(*data, inner.width(), metrics).size()) *
                             (metrics.height() + kGap);
    const ChartGeometry g = geometryFor(area, metrics, yLabelWidth, legendHeight);
    const std::vector<double> xTicks = dayTicks(xLow, xHigh);
    const Scale x{std::min(xTicks.front(), xLow), std::max(xTicks.back(), xHigh),
                  static_cast<double>(g.plot.left()), static_cast<double>(g.plot.right())};
    const Scale y{yTicks.front(), yTicks.back(), static_cast<double>(g.plot.bottom()),
                  static_cast<double>(g.plot.top())};

    for (std::size_t i = 0; i < yTicks.size(); ++i) {
        const int at = static_cast<int>(std::lround(y(yTicks[i])));
        painter.setPen(kGridColour);
        painter.drawLine(g.plot.left(), at, g.plot.right(), at);
        painter.setPen(Qt::black);
        const int labelsLeft = g.yTitle.right() + 1;
        painter.drawText(QRect(labelsLeft, at - metrics.height() / 2,
                               g.plot.left() - kTickLength - kGap - labelsLeft, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, yLabels[static_cast<qsizetype>(i)]);
    }
    for (const double tick : xTicks) {
        const int at = static_cast<int>(std::lround(x(tick)));
        painter.setPen(kAxisColour);
        painter.drawLine(at, g.plot.bottom(), at, g.plot.bottom() + kTickLength);
        const QString label = countText(std::llround(tick));
        const int width = metrics.horizontalAdvance(label) + 2;
        const int left = std::clamp(at - width / 2, g.title.left(), g.title.right() + kGap - width);
        painter.setPen(Qt::black);
        painter.drawText(QRect(left, g.plot.bottom() + kTickLength + 1, width, metrics.height()),
                         Qt::AlignCenter, label);
    }
    painter.setPen(kAxisColour);
    painter.drawLine(g.plot.bottomLeft(), g.plot.bottomRight());
    painter.drawLine(g.plot.bottomLeft(), g.plot.topLeft());

    painter.save();
    painter.setClipRect(g.plot.adjusted(-4, -4, 4, 4));
    painter.setRenderHint(QPainter::Antialiasing, true);
    const double pointRoom = (x.to - x.from) / std::max(1.0, x.high - x.low);
    for (const ChartSeries &series : data->series) {
        QPainterPath path;
        for (std::size_t i = 0; i < series.values.size(); ++i) {
            const QPointF point(x(series.firstX + static_cast<double>(i)), y(series.values[i]));
            i == 0 ? path.moveTo(point) : path.lineTo(point);
        }
        painter.setPen(seriesPen(series));
        painter.drawPath(path);
        if (series.markers && (pointRoom >= kMarkerRoom || series.values.size() == 1)) {
            painter.setBrush(series.colour);
            for (std::size_t i = 0; i < series.values.size(); ++i) {
                painter.drawEllipse(
                    QPointF(x(series.firstX + static_cast<double>(i)), y(series.values[i])), 2.5,
                    2.5);
            }
            painter.setBrush(Qt::NoBrush);
        }
    }
    painter.restore();
    paintTitles(painter, g, title, data);
    paintLegend(painter, g.legend, *data);
}

SeriesChart::SeriesChart(QWidget *parent) : ChartWidget(parent) {}

void SeriesChart::setData(std::optional<SeriesChartData> data, const QString &title) {
    m_data = std::move(data);
    setTitle(title);
}

void SeriesChart::setEmptyText(const QString &text) {
    m_emptyText = text;
    update();
}

void SeriesChart::paintChart(QPainter &painter, const QRect &area) const {
    paintSeriesChart(painter, area, m_data ? &*m_data : nullptr, title(), m_emptyText);
}

}  // namespace nv::ui
