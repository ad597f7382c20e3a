// Painting the Order Quantity page's charts, and the curve's cursor.
#include "ui/analysis/quantity_charts.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
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
const QColor kPerfectColour{110, 110, 110};
const QColor kRatioColour{200, 30, 30};

QColor bestColour() {
    return ruleColour(AnalysisRule::FixedFractile);
}

// Where a chart's parts go and how its values map to pixels.
struct Frame {
    ChartGeometry geometry;
    Scale x;
    Scale y;
    AxisText xAxis;
    AxisText yAxis;
};

Frame frameFor(const QRect &area, const QFontMetrics &metrics,
               const std::vector<LegendItem> &legend, Axis x, QStringList xLabels,
               const QString &xTitle, Axis y, QStringList yLabels, const QString &yTitle) {
    Frame frame;
    const int rows = legendRows(area.width() - 3 * kGap, metrics, legend);
    frame.geometry = chartGeometry(area, metrics, widestLabel(metrics, yLabels), rows);
    const QRect &plot = frame.geometry.plot;
    frame.x = Scale{x.low, x.high, double(plot.left()), double(plot.right())};
    frame.y = Scale{y.low, y.high, double(plot.bottom()), double(plot.top())};
    frame.xAxis = {x.ticks, std::move(xLabels), xTitle};
    frame.yAxis = {y.ticks, std::move(yLabels), yTitle};
    return frame;
}

void paintFrame(QPainter &painter, const Frame &frame) {
    paintAxes(painter, frame.geometry, frame.x, frame.xAxis, frame.y, frame.yAxis);
}

void finish(QPainter &painter, const Frame &frame, const QString &title,
            const std::vector<LegendItem> &legend) {
    painter.setClipping(false);
    paintTitle(painter, frame.geometry, title);
    paintLegend(painter, frame.geometry.legend, legend);
}

void paintPolyline(QPainter &painter, const std::vector<QPointF> &points, const QPen &pen) {
    if (points.empty()) {
        return;
    }
    QPainterPath path(points.front());
    for (std::size_t i = 1; i < points.size(); ++i) {
        path.lineTo(points[i]);
    }
    painter.strokePath(path, pen);
}

void paintLevel(QPainter &painter, const Frame &frame, double value, const QPen &pen) {
    const double y = frame.y(value);
    painter.setPen(pen);
    painter.drawLine(QPointF(frame.geometry.plot.left(), y),
                     QPointF(frame.geometry.plot.right(), y));
}

void paintUpright(QPainter &painter, const Frame &frame, double value, const QPen &pen) {
    const double x = frame.x(value);
    painter.setPen(pen);
    painter.drawLine(QPointF(x, frame.geometry.plot.top()),
                     QPointF(x, frame.geometry.plot.bottom()));
}

void paintDot(QPainter &painter, QPointF at, const QColor &colour, double radius) {
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(colour);
    painter.drawEllipse(at, radius, radius);
    painter.setBrush(Qt::NoBrush);
}

// The orders' distance apart on an evenly spaced curve.
double orderSpacing(const std::vector<OrderFigures> &curve) {
    return curve[1].order.toDouble() - curve[0].order.toDouble();
}

QStringList unitLabels(const std::vector<double> &ticks) {
    return countLabels(ticks);
}

QStringList ratioLabels(const std::vector<double> &ticks) {
    QStringList labels;
    for (const double tick : ticks) {
        labels << displayLocale().toString(tick, 'f', 1);
    }
    return labels;
}

std::vector<LegendItem> curveLegend() {
    return {{OrderCurveChart::tr("Expected profit"), Qt::black, LegendMark::Line},
            {OrderCurveChart::tr("Best order"), bestColour(), LegendMark::Swatch},
            {OrderCurveChart::tr("Average Annual Demand"), ruleColour(AnalysisRule::Annual),
             LegendMark::Dot},
            {OrderCurveChart::tr("Yesterday's Demand"), ruleColour(AnalysisRule::Yesterday),
             LegendMark::DashedLine},
            {OrderCurveChart::tr("Perfect information"), kPerfectColour, LegendMark::DashedLine}};
}

Frame curveFrame(const CurveData &data, const QRect &area, const QFontMetrics &metrics) {
    double low = std::min(data.rules.yesterday, data.rules.perfect);
    double high = std::max(data.rules.yesterday, data.rules.perfect);
    for (const OrderFigures &point : data.curve) {
        low = std::min(low, point.profit);
        high = std::max(high, point.profit);
    }
    const Axis x =
        axisFor(data.curve.front().order.toDouble(), data.curve.back().order.toDouble(), 9);
    const Axis y = axisFor(low, high, 6);
    return frameFor(area, metrics, curveLegend(), x, unitLabels(x.ticks),
                    OrderCurveChart::tr("Order quantity (units)"), y, moneyLabels(y.ticks),
                    OrderCurveChart::tr("Expected profit per day ($)"));
}

}  // namespace

OrderCurveChart::OrderCurveChart(QWidget *parent) : ChartWidget(parent) {
    setTitle(tr("Expected daily profit by order quantity"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

void OrderCurveChart::setCurve(std::optional<CurveData> data) {
    const std::optional<Currency> kept =
        cursorFigures() != nullptr ? std::optional(cursorFigures()->order) : std::nullopt;
    m_data = std::move(data);
    m_cursor = -1;
    if (!m_data) {
        setAccessibleDescription(emptyText());
    }
    if (m_data && !m_data->curve.empty()) {
        const auto &curve = m_data->curve;
        const Currency wanted = kept.value_or(m_data->best.low);
        const auto at = std::lower_bound(
            curve.begin(), curve.end(), wanted,
            [](const OrderFigures &point, Currency order) { return point.order < order; });
        m_cursor =
            static_cast<int>(std::min<std::ptrdiff_t>(at - curve.begin(), std::ssize(curve) - 1));
    }
    update();
    emit cursorMoved();
}

const OrderFigures *OrderCurveChart::cursorFigures() const {
    if (!m_data || m_cursor < 0) {
        return nullptr;
    }
    return &m_data->curve[static_cast<std::size_t>(m_cursor)];
}

void OrderCurveChart::setCursorIndex(int index) {
    if (!m_data || m_data->curve.empty()) {
        return;
    }
    index = std::clamp(index, 0, static_cast<int>(m_data->curve.size()) - 1);
    if (index != m_cursor) {
        m_cursor = index;
        update();
        emit cursorMoved();
    }
}

void OrderCurveChart::keyPressEvent(QKeyEvent *event) {
    if (!m_data || m_data->curve.size() < 2) {
        ChartWidget::keyPressEvent(event);
        return;
    }
    const auto &curve = m_data->curve;
    const double spacing = orderSpacing(curve);
    const int unit = std::max(1, static_cast<int>(std::lround(1.0 / spacing)));
    const int step = (event->modifiers() & Qt::ShiftModifier) != 0 ? 1 : unit;
    switch (event->key()) {
        case Qt::Key_Left:
            setCursorIndex(m_cursor - step);
            break;
        case Qt::Key_Right:
            setCursorIndex(m_cursor + step);
            break;
        case Qt::Key_Home:
            setCursorIndex(0);
            break;
        case Qt::Key_End:
            setCursorIndex(static_cast<int>(curve.size()) - 1);
            break;
        default:
            ChartWidget::keyPressEvent(event);
            return;
    }
    event->accept();
}

void OrderCurveChart::mouseMoveEvent(QMouseEvent *event) {
    if (!m_data || m_data->curve.size() < 2) {
        return;
    }
    const Frame frame = curveFrame(*m_data, rect(), fontMetrics());
    if (!frame.geometry.plot.contains(event->position().toPoint())) {
        return;
    }
    const auto &curve = m_data->curve;
    const double order = frame.x.inverse(event->position().x());
    const double first = curve.front().order.toDouble();
    const double spacing = orderSpacing(curve);
    setCursorIndex(static_cast<int>(std::lround((order - first) / spacing)));
}

void OrderCurveChart::paintChart(QPainter &painter, const QRect &area) const {
    const QFontMetrics metrics(painter.font());
    if (!m_data || m_data->curve.empty()) {
        paintEmpty(painter, chartGeometry(area, metrics, 0, 0), title(), emptyText(),
                   tr("Order quantity (units)"), tr("Expected profit per day ($)"));
        return;
    }
    const CurveData &data = *m_data;
    const Frame frame = curveFrame(data, area, metrics);
    paintFrame(painter, frame);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setClipRect(frame.geometry.plot.adjusted(-4, -4, 4, 4));
    const QRect &plot = frame.geometry.plot;

    // The best orders: a band over an interval, a line at a single order.
    QColor band = bestColour();
    if (data.best.low < data.best.high) {
        band.setAlpha(60);
        const double left = frame.x(data.best.low.toDouble());
        const double right = frame.x(data.best.high.toDouble());
        painter.fillRect(QRectF(left, plot.top(), right - left, plot.height()), band);
    } else {
        paintUpright(painter, frame, data.best.low.toDouble(), QPen(band, 2));
    }
    paintLevel(painter, frame, data.rules.perfect, QPen(kPerfectColour, 2, Qt::DashLine));
    paintLevel(painter, frame, data.rules.yesterday,
               QPen(ruleColour(AnalysisRule::Yesterday), 2, Qt::DashLine));

    std::vector<QPointF> points;
    points.reserve(data.curve.size());
    for (const OrderFigures &point : data.curve) {
        points.emplace_back(frame.x(point.order.toDouble()), frame.y(point.profit));
    }
    paintPolyline(painter, points, QPen(Qt::black, 2));
    paintDot(painter, {frame.x(data.best.low.toDouble()), frame.y(data.rules.best)}, bestColour(),
             4.5);
    paintDot(painter, {frame.x(data.annual.order.toDouble()), frame.y(data.annual.profit)},
             ruleColour(AnalysisRule::Annual), 5.5);

    if (const OrderFigures *cursor = cursorFigures()) {
        paintUpright(painter, frame, cursor->order.toDouble(), QPen(Qt::black, 1, Qt::DotLine));
        painter.setPen(QPen(Qt::black, 2));
        painter.drawEllipse(QPointF(frame.x(cursor->order.toDouble()), frame.y(cursor->profit)),
                            6.0, 6.0);
    }
    finish(painter, frame, title(), curveLegend());
}

CumulativeChart::CumulativeChart(QWidget *parent) : ChartWidget(parent) {
    setTitle(tr("Cumulative frequency of demand and the critical ratio"));
}

void CumulativeChart::setDistribution(
    std::optional<std::array<double, kDemandClasses>> probabilities, double criticalRatio,
    BestOrders best) {
    m_probabilities = probabilities;
    m_ratio = criticalRatio;
    m_best = best;
    if (!m_probabilities) {
        setAccessibleDescription(emptyText());
    }
    update();
}

void CumulativeChart::paintChart(QPainter &painter, const QRect &area) const {
    const QFontMetrics metrics(painter.font());
    const QString xTitle = tr("Daily demand (units)");
    const QString yTitle = tr("Cumulative frequency");
    if (!m_probabilities) {
        paintEmpty(painter, chartGeometry(area, metrics, 0, 0), title(), emptyText(), xTitle,
                   yTitle);
        return;
    }
    const std::vector<LegendItem> legend = {
        {tr("Cumulative frequency"), Qt::black, LegendMark::Line},
        {tr("Critical ratio %1").arg(displayLocale().toString(m_ratio, 'f', 4)), kRatioColour,
         LegendMark::DashedLine},
        {tr("Best order"), bestColour(), LegendMark::Line}};
    const Axis x = axisFor(0, 80, 9);
    const Axis y = axisFor(0, 1, 6);
    const Frame frame = frameFor(area, metrics, legend, x, unitLabels(x.ticks), xTitle, y,
                                 ratioLabels(y.ticks), yTitle);
    paintFrame(painter, frame);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setClipRect(frame.geometry.plot.adjusted(-3, -3, 3, 3));

    std::vector<QPointF> steps{{frame.x(x.low), frame.y(0)}};
    double cumulative = 0;
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        const double demand = kClassDemand[cls];
        steps.emplace_back(frame.x(demand), frame.y(cumulative));
        cumulative += (*m_probabilities)[cls];
        steps.emplace_back(frame.x(demand), frame.y(cumulative));
    }
    steps.emplace_back(frame.x(x.high), frame.y(cumulative));
    paintUpright(painter, frame, m_best.low.toDouble(), QPen(bestColour(), 2));
    if (m_best.high != m_best.low) {
        paintUpright(painter, frame, m_best.high.toDouble(), QPen(bestColour(), 2));
    }
    paintPolyline(painter, steps, QPen(Qt::black, 2));
    paintLevel(painter, frame, std::clamp(m_ratio, 0.0, 1.0), QPen(kRatioColour, 2, Qt::DashLine));
    finish(painter, frame, title(), legend);
}

SweepChart::SweepChart(QWidget *parent) : ChartWidget(parent) {
    setTitle(tr("Expected daily profit as the input changes"));
}

void SweepChart::setSweep(std::vector<SweepPoint> points, SweepInput input, double current) {
    m_points = std::move(points);
    m_input = input;
    m_current = current;
    if (m_points.empty()) {
        setAccessibleDescription(emptyText());
    }
    update();
}

void SweepChart::paintChart(QPainter &painter, const QRect &area) const {
    const QFontMetrics metrics(painter.font());
    const QString xTitle = m_input == SweepInput::Cost ? tr("Cost ($)") : tr("Price ($)");
    const QString yTitle = tr("Expected profit per day ($)");
    if (m_points.empty()) {
        paintEmpty(painter, chartGeometry(area, metrics, 0, 0), title(), emptyText(), xTitle,
                   yTitle);
        return;
    }
    const std::array<QColor, 4> colours = {ruleColour(AnalysisRule::Yesterday),
                                           ruleColour(AnalysisRule::Annual), bestColour(),
                                           kPerfectColour};
    const std::vector<LegendItem> legend = {
        {tr("Yesterday's Demand"), colours[0], LegendMark::Line},
        {tr("Average Annual Demand"), colours[1], LegendMark::Line},
        {tr("Best order"), colours[2], LegendMark::Line},
        {tr("Perfect information"), colours[3], LegendMark::DashedLine},
        {tr("Shown value"), Qt::black, LegendMark::DashedLine}};
    const auto profits = [](const SweepPoint &p) {
        return std::array<double, 4>{p.rules.yesterday, p.rules.annual, p.rules.best,
                                     p.rules.perfect};
    };
    double low = 0;
    double high = 0;
    for (const SweepPoint &point : m_points) {
        for (const double value : profits(point)) {
            low = std::min(low, value);
            high = std::max(high, value);
        }
    }
    const Axis x = axisFor(m_points.front().value.toDouble(), m_points.back().value.toDouble(), 7);
    QStringList xLabels;
    for (const double tick : x.ticks) {
        xLabels << moneyText(tick);
    }
    const Axis y = axisFor(low, high, 6);
    const Frame frame =
        frameFor(area, metrics, legend, x, xLabels, xTitle, y, moneyLabels(y.ticks), yTitle);
    paintFrame(painter, frame);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setClipRect(frame.geometry.plot.adjusted(-3, -3, 3, 3));
    for (std::size_t line = 0; line < colours.size(); ++line) {
        std::vector<QPointF> points;
        points.reserve(m_points.size());
        for (const SweepPoint &point : m_points) {
            points.emplace_back(frame.x(point.value.toDouble()), frame.y(profits(point)[line]));
        }
        paintPolyline(painter, points,
                      QPen(colours[line], 2, line == 3 ? Qt::DashLine : Qt::SolidLine));
    }
    paintUpright(painter, frame, m_current, QPen(Qt::black, 1, Qt::DashLine));
    finish(painter, frame, title(), legend);
}

}  // namespace nv::ui
