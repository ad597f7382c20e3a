// The comparison charts as widgets: each paints itself with the functions of
// chart_painting.h, and renders the same picture into a QImage of any size
// (for "Save Chart as PNG…" and for tests, which need no screen).
//
//     nv::ui::ProfitChart chart;
//     chart.setSeries(nv::ui::profitSeries(paths), title);
//     QImage image = chart.renderImage(QSize(800, 400));
//     QImage saved = nv::ui::captionedChartsImage(chart, histogram, inputsText, {1000, 800});
#pragma once

#include <QImage>
#include <QWidget>
#include <optional>
#include <vector>

#include "ui/analysis/chart_painting.h"

namespace nv::ui {

class ChartWidget : public QWidget {
    Q_OBJECT

public:
    explicit ChartWidget(QWidget *parent = nullptr);

    // The picture at `size` pixels, as the widget paints it.
    [[nodiscard]] QImage renderImage(const QSize &size) const;
    [[nodiscard]] virtual bool hasData() const = 0;
    [[nodiscard]] QString title() const { return m_title; }
    // Tall enough for the y-axis title beside the plot over a legend of three rows.
    [[nodiscard]] QSize minimumSizeHint() const override { return {320, 280}; }
    [[nodiscard]] QSize sizeHint() const override { return {560, 300}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    virtual void paintChart(QPainter &painter, const QRect &area) const = 0;
    void setTitle(const QString &title);
    [[nodiscard]] QString emptyText() const;

private:
    QString m_title;
};

class ProfitChart final : public ChartWidget {
    Q_OBJECT

public:
    explicit ProfitChart(QWidget *parent = nullptr);
    // nullopt clears the chart.
    void setSeries(std::optional<ProfitSeries> series, const QString &title);
    [[nodiscard]] bool hasData() const override { return m_series.has_value(); }

protected:
    void paintChart(QPainter &painter, const QRect &area) const override;

private:
    std::optional<ProfitSeries> m_series;
};

class HistogramChart final : public ChartWidget {
    Q_OBJECT

public:
    explicit HistogramChart(QWidget *parent = nullptr);
    void setHistogram(std::optional<Histogram> histogram, const QString &title);
    [[nodiscard]] bool hasData() const override { return m_histogram.has_value(); }

protected:
    void paintChart(QPainter &painter, const QRect &area) const override;

private:
    std::optional<Histogram> m_histogram;
};

// Two charts, `top` above `bottom`, with `caption` (the inputs they were drawn
// for) word-wrapped under them in the charts' font, on white: a picture that
// stands alone in a report.
[[nodiscard]] QImage captionedChartsImage(const ChartWidget &top, const ChartWidget &bottom,
                                          const QString &caption, const QSize &size);
// Any number of charts, one above the other, each as tall as the others.
[[nodiscard]] QImage captionedChartsImage(const std::vector<const ChartWidget *> &charts,
                                          const QString &caption, const QSize &size);

}  // namespace nv::ui
