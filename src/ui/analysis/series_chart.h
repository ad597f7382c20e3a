// A line chart of a few named series over days, for the Play page: the
// orders against the demands so far, the cumulative profit of the player
// against the rules, the orders against the best order.
//
// The frame is the comparison charts' (chart_painting.h): a title line, the
// plot with its grid, tick labels and both axis titles (each naming its
// unit), and a legend under it with a line sample and the name of each
// series, in as many centred rows as the width needs, so no name is cut. The
// series are drawn in their order, so a later one shows on top; a series may
// be dashed and may mark its points. Without data the chart paints its frame
// and its empty text in the middle.
//
//     nv::ui::SeriesChart chart;
//     chart.setData(nv::ui::SeriesChartData{{{tr("Your order"), Qt::blue, {50, 60}, 1}},
//                                           nv::ui::ChartValueKind::Units, tr("Day"),
//                                           tr("Units")},
//                   tr("Your orders and the demands"));
//     QImage image = chart.renderImage(QSize(600, 300));
#pragma once

#include <QColor>
#include <QString>
#include <optional>
#include <vector>

#include "ui/analysis/chart_widgets.h"

class QPainter;

namespace nv::ui {

struct ChartSeries {
    QString name;
    QColor colour;
    std::vector<double> values;  // at x = firstX, firstX + 1, ...
    int firstX = 0;
    double width = 2.0;
    Qt::PenStyle style = Qt::SolidLine;
    bool markers = false;  // a dot at each point, while there is room for them
};

enum class ChartValueKind { Money, Units };

struct SeriesChartData {
    std::vector<ChartSeries> series;
    ChartValueKind kind = ChartValueKind::Units;
    QString xTitle;
    QString yTitle;
};

void paintSeriesChart(QPainter &painter, const QRect &area, const SeriesChartData *data,
                      const QString &title, const QString &emptyText);

class SeriesChart final : public ChartWidget {
    Q_OBJECT

public:
    explicit SeriesChart(QWidget *parent = nullptr);
    // nullopt clears the chart.
    void setData(std::optional<SeriesChartData> data, const QString &title);
    void setEmptyText(const QString &text);
    [[nodiscard]] bool hasData() const override { return m_data.has_value(); }
    [[nodiscard]] const std::optional<SeriesChartData> &data() const noexcept { return m_data; }
    [[nodiscard]] QSize minimumSizeHint() const override { return {300, 220}; }
    [[nodiscard]] QSize sizeHint() const override { return {480, 280}; }

protected:
    void paintChart(QPainter &painter, const QRect &area) const override;

private:
    std::optional<SeriesChartData> m_data;
    QString m_emptyText;
};

}  // namespace nv::ui
