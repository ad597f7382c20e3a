// The comparison charts as widgets.
#include "ui/analysis/chart_widgets.h"

#include <QPainter>
#include <algorithm>

namespace nv::ui {

ChartWidget::ChartWidget(QWidget *parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // The chart is a picture: it takes the focus only to be read out.
    setFocusPolicy(Qt::TabFocus);
}

QImage ChartWidget::renderImage(const QSize &size) const {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor::fromRgb(kChartBackground));
    QPainter painter(&image);
    painter.setFont(font());
    paintChart(painter, image.rect());
    return image;
}

void ChartWidget::paintEvent(QPaintEvent * /*event*/) {
    QPainter painter(this);
    paintChart(painter, rect());
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

void ChartWidget::setTitle(const QString &title) {
    m_title = title;
    update();
}

QString ChartWidget::emptyText() const {
    return tr("Run Comparison to draw this chart.");
}

ProfitChart::ProfitChart(QWidget *parent) : ChartWidget(parent) {
    setTitle(tr("Cumulative profit by day"));
}

void ProfitChart::setSeries(std::optional<ProfitSeries> series, const QString &title) {
    m_series = std::move(series);
    setTitle(title);
}

void ProfitChart::paintChart(QPainter &painter, const QRect &area) const {
    paintProfitChart(painter, area, m_series ? &*m_series : nullptr, title(), emptyText());
}

HistogramChart::HistogramChart(QWidget *parent) : ChartWidget(parent) {
    setTitle(tr("Distribution of total profit"));
}

void HistogramChart::setHistogram(std::optional<Histogram> histogram, const QString &title) {
    m_histogram = std::move(histogram);
    setTitle(title);
}

void HistogramChart::paintChart(QPainter &painter, const QRect &area) const {
    paintHistogramChart(painter, area, m_histogram ? &*m_histogram : nullptr, title(), emptyText());
}

QImage captionedChartsImage(const ChartWidget &top, const ChartWidget &bottom,
                            const QString &caption, const QSize &size) {
    return captionedChartsImage({&top, &bottom}, caption, size);
}

QImage captionedChartsImage(const std::vector<const ChartWidget *> &charts, const QString &caption,
                            const QSize &size) {
    constexpr int kMargin = 10;
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor::fromRgb(kChartBackground));
    if (charts.empty()) {
        return image;
    }
    QPainter painter(&image);
    painter.setFont(charts.front()->font());
    const int textWidth = std::max(1, size.width() - 2 * kMargin);
    const QRect text = painter.fontMetrics().boundingRect(QRect(0, 0, textWidth, size.height()),
                                                          Qt::TextWordWrap, caption);
    const int height = std::max(0, size.height() - text.height() - 2 * kMargin);
    const int count = static_cast<int>(charts.size());
    for (int i = 0; i < count; ++i) {
        const int top = height * i / count;
        const int bottom = height * (i + 1) / count;
        painter.drawImage(
            0, top,
            charts[static_cast<std::size_t>(i)]->renderImage(QSize(size.width(), bottom - top)));
    }
    painter.setPen(Qt::black);
    painter.drawText(QRect(kMargin, height + kMargin, textWidth, text.height()),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, caption);
    return image;
}

}  // namespace nv::ui
