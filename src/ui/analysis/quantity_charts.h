// The Order Quantity page's charts (chart_widgets.h frames, painted with
// QPainter into the widget or into a QImage of any size):
//   - OrderCurveChart: the expected daily profit against the order quantity,
//     the best orders marked (a line at a single best order, a band over an
//     interval of them), the Average Annual Demand order as a dot on the
//     curve, Yesterday's Demand and perfect information as dashed levels, and
//     a cursor: Left/Right move it by one unit, Shift+Left/Right by one
//     point of the curve, Home/End to the ends, and the mouse moves it where
//     it hovers. cursorMoved tells the page, which reads it out.
//   - CumulativeChart: the cumulative frequency of demand as a step chart,
//     the critical ratio across it and the best order where the two meet.
//   - SweepChart: the four expected daily profits (Yesterday's Demand,
//     Average Annual Demand, the best order, perfect information) against a
//     varied input, the value shown elsewhere on the page as a dotted line.
// Cleared, a chart says why it is empty, in its picture and as its
// accessible description; with data the page describes it.
//
//     nv::ui::OrderCurveChart chart;
//     chart.setCurve(CurveData{lesson.curve, lesson.best, annual, lesson.rules});
//     chart.setCursorIndex(10);
//     QImage image = chart.renderImage({800, 400});
#pragma once

#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "engine/analysis/order_quantity.h"
#include "engine/analysis/quantity_sweep.h"
#include "ui/analysis/chart_widgets.h"

namespace nv::ui {

struct CurveData {
    std::vector<OrderFigures> curve;  // orders ascending, evenly spaced
    BestOrders best;
    OrderFigures annual;
    RuleProfits rules;
};

class OrderCurveChart final : public ChartWidget {
    Q_OBJECT

public:
    explicit OrderCurveChart(QWidget *parent = nullptr);
    // nullopt clears the chart. The cursor keeps its order when the new
    // curve has it, else it goes to the first best order.
    void setCurve(std::optional<CurveData> data);
    [[nodiscard]] bool hasData() const override { return m_data.has_value(); }
    [[nodiscard]] const std::optional<CurveData> &data() const noexcept { return m_data; }

    // The point of the curve under the cursor; -1 without data.
    [[nodiscard]] int cursorIndex() const noexcept { return m_cursor; }
    [[nodiscard]] const OrderFigures *cursorFigures() const;
    void setCursorIndex(int index);

signals:
    void cursorMoved();

protected:
    void paintChart(QPainter &painter, const QRect &area) const override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    [[nodiscard]] static QString emptyText() { return tr("No curve: the inputs were refused."); }

    std::optional<CurveData> m_data;
    int m_cursor = -1;
};

class CumulativeChart final : public ChartWidget {
    Q_OBJECT

public:
    explicit CumulativeChart(QWidget *parent = nullptr);
    // The frequency of each class demand; nullopt clears the chart.
    void setDistribution(std::optional<std::array<double, kDemandClasses>> probabilities,
                         double criticalRatio, BestOrders best);
    [[nodiscard]] bool hasData() const override { return m_probabilities.has_value(); }

protected:
    void paintChart(QPainter &painter, const QRect &area) const override;

private:
    [[nodiscard]] static QString emptyText() {
        return tr("No distribution: the inputs were refused.");
    }
    std::optional<std::array<double, kDemandClasses>> m_probabilities;
    double m_ratio = 0;
    BestOrders m_best;
};

class SweepChart final : public ChartWidget {
    Q_OBJECT

public:
    explicit SweepChart(QWidget *parent = nullptr);
    // `input`'s values run along the x axis; `current` is marked. An empty
    // sweep clears the chart.
    void setSweep(std::vector<SweepPoint> points, SweepInput input, double current);
    [[nodiscard]] bool hasData() const override { return !m_points.empty(); }
    [[nodiscard]] const std::vector<SweepPoint> &points() const noexcept { return m_points; }

protected:
    void paintChart(QPainter &painter, const QRect &area) const override;

private:
    [[nodiscard]] static QString emptyText() { return tr("No sweep: the inputs were refused."); }
    std::vector<SweepPoint> m_points;
    SweepInput m_input = SweepInput::Price;
    double m_current = 0;
};

}  // namespace nv::ui
