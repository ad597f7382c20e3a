// Painting what surrounds a chart's data.
#include "ui/analysis/chart_frame.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/analysis/analysis_text.h"

namespace nv::ui {

namespace {

constexpr int kGap = 6;
constexpr int kTickLength = 4;

void paintAxisTitles(QPainter &painter, const ChartGeometry &geometry, const QString &xTitle,
                     const QString &yTitle) {
    painter.setPen(QColor::fromRgb(kChartText));
    painter.drawText(geometry.xTitle, Qt::AlignHCenter | Qt::AlignVCenter, xTitle);
    const QRect &column = geometry.yTitle;
    painter.save();
    painter.translate(column.center());
    painter.rotate(-90);
    painter.drawText(
        QRect(-column.height() / 2, -column.width() / 2, column.height(), column.width()),
        Qt::AlignCenter,
        QFontMetrics(painter.font()).elidedText(yTitle, Qt::ElideRight, column.height()));
    painter.restore();
}

}  // namespace

Axis axisFor(double low, double high, int maxTicks) {
    Axis axis;
    axis.ticks = niceTicks(low, high, maxTicks);
    axis.low = axis.ticks.front();
    axis.high = axis.ticks.back();
    return axis;
}

int widestLabel(const QFontMetrics &metrics, const QStringList &labels) {
    int widest = 0;
    for (const QString &label : labels) {
        widest = std::max(widest, metrics.horizontalAdvance(label));
    }
    return widest;
}

QStringList moneyLabels(const std::vector<double> &ticks) {
    QStringList labels;
    for (const double tick : ticks) {
        labels << moneyText(tick, 0);
    }
    return labels;
}

QStringList countLabels(const std::vector<double> &ticks) {
    QStringList labels;
    for (const double tick : ticks) {
        labels << countText(std::llround(tick));
    }
    return labels;
}

void paintTitle(QPainter &painter, const ChartGeometry &geometry, const QString &title) {
    painter.setPen(QColor::fromRgb(kChartText));
    QFont bold = painter.font();
    bold.setBold(true);
    painter.save();
    painter.setFont(bold);
    painter.drawText(geometry.title, Qt::AlignHCenter | Qt::AlignVCenter,
                     QFontMetrics(bold).elidedText(title, Qt::ElideRight, geometry.title.width()));
    painter.restore();
}

void paintAxes(QPainter &painter, const ChartGeometry &geometry, const Scale &xScale,
               const AxisText &xAxis, const Scale &yScale, const AxisText &yAxis) {
    const QRect &plot = geometry.plot;
    const QFontMetrics metrics(painter.font());
    const QColor text = QColor::fromRgb(kChartText);
    const QColor axis = QColor::fromRgb(kChartAxis);
    for (std::size_t i = 0; i < yAxis.ticks.size(); ++i) {
        const int y = static_cast<int>(std::lround(yScale(yAxis.ticks[i])));
        painter.setPen(QColor::fromRgb(kChartGrid));
        painter.drawLine(plot.left(), y, plot.right(), y);
        painter.setPen(axis);
        painter.drawLine(plot.left() - kTickLength, y, plot.left(), y);
        painter.setPen(text);
        const int labelsLeft = geometry.yTitle.right() + 1;
        painter.drawText(QRect(labelsLeft, y - metrics.height() / 2,
                               plot.left() - kTickLength - kGap - labelsLeft, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter,
                         yAxis.labels[static_cast<qsizetype>(i)]);
    }
    for (std::size_t i = 0; i < xAxis.ticks.size(); ++i) {
        const int x = static_cast<int>(std::lround(xScale(xAxis.ticks[i])));
        painter.setPen(axis);
        painter.drawLine(x, plot.bottom(), x, plot.bottom() + kTickLength);
        painter.setPen(text);
        const QString &label = xAxis.labels[static_cast<qsizetype>(i)];
        const int width = metrics.horizontalAdvance(label) + 2;
        // Kept inside the chart: the last label may not run off its right edge.
        const int left =
            std::clamp(x - width / 2, geometry.title.left(), geometry.title.right() + kGap - width);
        painter.drawText(QRect(left, plot.bottom() + kTickLength + 1, width, metrics.height()),
                         Qt::AlignCenter, label);
    }
    painter.setPen(axis);
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    paintAxisTitles(painter, geometry, xAxis.title, yAxis.title);
}

void paintEmpty(QPainter &painter, const ChartGeometry &geometry, const QString &title,
                const QString &emptyText, const QString &xTitle, const QString &yTitle) {
    painter.setPen(QColor::fromRgb(kChartText));
    painter.drawText(geometry.title, Qt::AlignHCenter | Qt::AlignVCenter, title);
    painter.setPen(QColor::fromRgb(kChartAxis));
    painter.drawRect(geometry.plot);
    painter.drawText(geometry.plot, Qt::AlignCenter | Qt::TextWordWrap, emptyText);
    paintAxisTitles(painter, geometry, xTitle, yTitle);
}

}  // namespace nv::ui
