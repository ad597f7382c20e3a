// What every chart of the Analysis window draws around its data, in the
// geometry chartGeometry gives (chart_painting.h): the title, grid lines,
// axes with their ticks and labels, both axis titles, and the frame of a
// chart without data. Each chart paints its own data into geometry.plot
// between paintAxes and its title and legend.
//
//     const Axis y = axisFor(low, high, 6);
//     const QStringList labels = moneyLabels(y.ticks);
//     const ChartGeometry g = chartGeometry(area, metrics, widestLabel(metrics, labels), legend);
//     const Scale yScale{y.low, y.high, double(g.plot.bottom()), double(g.plot.top())};
//     paintAxes(painter, g, xScale, {xTicks, xLabels, tr("Order (units)")}, yScale,
//               {y.ticks, labels, tr("Expected profit per day ($)")});
//     ... the data ...
//     paintTitle(painter, g, title);
//     paintLegend(painter, g.legend, legend);
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <vector>

#include "ui/analysis/chart_painting.h"

class QFontMetrics;
class QPainter;

namespace nv::ui {

inline constexpr QRgb kChartText = 0xff000000;
inline constexpr QRgb kChartAxis = 0xff404040;
inline constexpr QRgb kChartGrid = 0xffe0e0e0;

// A linear map from [low, high] to [from, to] in pixels.
struct Scale {
    double low = 0;
    double high = 1;
    double from = 0;
    double to = 1;
    [[nodiscard]] double operator()(double value) const {
        return from + (value - low) / (high - low) * (to - from);
    }
    // The value at pixel `pixel`.
    [[nodiscard]] double inverse(double pixel) const {
        return low + (pixel - from) / (to - from) * (high - low);
    }
};

// Ticks over [low, high] (niceTicks) and the scale's range widened to the
// outer ticks.
struct Axis {
    std::vector<double> ticks;
    double low = 0;
    double high = 1;
};
[[nodiscard]] Axis axisFor(double low, double high, int maxTicks);

// What an axis reads: ticks with their labels and the axis title.
struct AxisText {
    std::vector<double> ticks;
    QStringList labels;
    QString title;
};

[[nodiscard]] int widestLabel(const QFontMetrics &metrics, const QStringList &labels);
// Whole dollars ("$1,200"), whole numbers ("1,200").
[[nodiscard]] QStringList moneyLabels(const std::vector<double> &ticks);
[[nodiscard]] QStringList countLabels(const std::vector<double> &ticks);

// The title, bold and elided to the chart's width.
void paintTitle(QPainter &painter, const ChartGeometry &geometry, const QString &title);
// Grid lines, axes, tick labels and both axis titles (the y title reading
// upwards).
void paintAxes(QPainter &painter, const ChartGeometry &geometry, const Scale &xScale,
               const AxisText &xAxis, const Scale &yScale, const AxisText &yAxis);
// A chart without data: its frame, the title, `emptyText` in the plot and the
// axis titles.
void paintEmpty(QPainter &painter, const ChartGeometry &geometry, const QString &title,
                const QString &emptyText, const QString &xTitle, const QString &yTitle);

}  // namespace nv::ui
