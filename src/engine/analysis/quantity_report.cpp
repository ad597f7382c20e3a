// The lesson's and the sweep's reports.
#include "engine/analysis/quantity_report.h"

#include <cstddef>
#include <string>
#include <utility>

#include "engine/analysis/report_inputs.h"

namespace nv {

namespace {

using Row = std::vector<ReportScalar>;

ReportColumn column(std::string key, std::string label, ReportKind kind) {
    return ReportColumn{std::move(key), std::move(label), kind};
}

void addCurve(ReportGroup &group, const std::vector<OrderFigures> &curve) {
    std::vector<Row> rows;
    rows.reserve(curve.size());
    for (const OrderFigures &f : curve) {
        rows.push_back(Row{f.order, f.exact.profit, f.exact.sales, f.exact.leftover, f.exact.unmet,
                           reportNumber(f.fillRate), f.exact.lossProbability,
                           reportNumber(f.profitSd)});
    }
    group.addRecords(
        "curve", "Expected figures per day for each order",
        {column("order", "Order (units)", ReportKind::Units),
         column("expected_profit", "Expected profit ($)", ReportKind::Money),
         column("expected_sales", "Expected sales (units)", ReportKind::Units),
         column("expected_leftover", "Expected leftover (units)", ReportKind::Units),
         column("expected_unmet", "Expected unmet demand (units)", ReportKind::Units),
         column("fill_rate", "Fill rate (expected sales / expected demand)", ReportKind::Share),
         column("loss_probability", "Probability of a day with a loss", ReportKind::Share),
         column("profit_sd", "Standard deviation of the day's profit ($)", ReportKind::Money)},
        std::move(rows));
}

template <class Value, std::size_t N>
Row listOf(const std::array<Value, N> &values) {
    Row row;
    for (const Value &value : values) {
        if constexpr (std::is_same_v<Value, double>) {
            row.push_back(reportNumber(value));
        } else {
            row.emplace_back(value);
        }
    }
    return row;
}

std::vector<Row> matrixOf(const PayoffTable::Cells &cells) {
    std::vector<Row> rows;
    for (const auto &cellRow : cells) {
        rows.push_back(listOf(cellRow));
    }
    return rows;
}

void addPayoff(Report &report, const PayoffTable &payoff) {
    ReportGroup &g = report.addSection("payoff", "Payoff table (profit per day)").addGroup("", "");
    Row demands;
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        demands.emplace_back(classDemand(cls));
    }
    g.addList("orders", "Order of each row (units)", ReportKind::Units, listOf(payoff.orders));
    g.addList("demands", "Demand of each column (units)", ReportKind::Units, std::move(demands));
    g.addMatrix("profit", "Profit of the row's order on a day of the column's demand ($)",
                ReportKind::Money, matrixOf(payoff.profit));
    g.addList("expected_profit", "Expected profit per day of each order ($)", ReportKind::Money,
              listOf(payoff.expectedProfit));
    g.addMatrix("opportunity_loss",
                "Opportunity loss: the best profit for the column's demand less the cell's ($)",
                ReportKind::Money, matrixOf(payoff.opportunityLoss));
    g.addList("expected_opportunity_loss", "Expected opportunity loss per day of each order ($)",
              ReportKind::Money, listOf(payoff.expectedOpportunityLoss));
}

void addRules(Report &report, const RuleProfits &rules) {
    ReportGroup &g = report.addSection("rules", "Expected profit per day").addGroup("", "");
    g.add("yesterday", "Yesterday's Demand, from day 2 on ($ per day)", ReportKind::Money,
          rules.yesterday);
    g.add("annual", "Average Annual Demand ($ per day)", ReportKind::Money, rules.annual);
    g.add("best", "Best order ($ per day)", ReportKind::Money, rules.best);
    g.add("perfect", "Perfect information ($ per day)", ReportKind::Money, rules.perfect);
}

Interval interval(const BestOrders &best) {
    return Interval{best.low.toDouble(), best.high.toDouble()};
}

// The kind and the label of a value of the varied input.
ReportKind inputKind(SweepInput input) noexcept {
    return input == SweepInput::Order ? ReportKind::Units : ReportKind::Money;
}

std::string inputLabel(SweepInput input) {
    switch (input) {
        case SweepInput::Price:
            return "Price ($)";
        case SweepInput::Cost:
            return "Cost ($)";
        case SweepInput::Order:
            return "Order (units)";
    }
    return {};
}

}  // namespace

Report quantityReport(const AnalysisParameters &parameters, const QuantityLesson &lesson,
                      const QuantityReportInputs &extra) {
    Report report;
    report.title = "Choosing the order quantity";
    ReportGroup &inputs = addInputsSection(report, parameters);
    addCheckedPolicy(inputs, extra.checkedPolicy);
    inputs.add("curve_from", "First order of the curve (units)", ReportKind::Units,
               extra.curveOrders.from);
    inputs.add("curve_to", "Last order of the curve (units)", ReportKind::Units,
               extra.curveOrders.to);
    inputs.add("curve_step", "Step between the curve's orders (units)", ReportKind::Units,
               extra.curveOrders.step);

    ReportGroup &top = report.addSection("", "Best order").addGroup("", "");
    addCriticalRatio(top, lesson.criticalRatio);
    top.add("best_order", "Orders with the largest expected profit (units)", ReportKind::Units,
            interval(lesson.best));
    addCurve(top, lesson.curve);

    addPayoff(report, lesson.payoff);
    report.addSection("", "Value of information")
        .addGroup("", "")
        .add("evpi", "Expected value of perfect information ($ per day)", ReportKind::Money,
             lesson.evpi);
    addRules(report, lesson.rules);
    return report;
}

Report sweepReport(const AnalysisParameters &base, SweepInput input, const AmountRange &values,
                   const std::vector<SweepPoint> &points, OrderPolicy checkedPolicy) {
    Report report;
    const std::string key(sweepInputKey(input));
    report.title = "Varying the " + key;
    addCheckedPolicy(addInputsSection(report, base), checkedPolicy);

    ReportGroup &g = report.addSection("", "Sweep").addGroup("", "");
    const ReportKind kind = inputKind(input);
    g.add("varied", "Input varied", ReportKind::Text, key);
    g.add("from", "First value, " + inputLabel(input), kind, values.from);
    g.add("to", "Last value, " + inputLabel(input), kind, values.to);
    g.add("step", "Step, " + inputLabel(input), kind, values.step);

    std::vector<ReportColumn> columns{
        column("value", inputLabel(input), kind),
        column("best_low", "Best order, low end (units)", ReportKind::Units),
        column("best_high", "Best order, high end (units)", ReportKind::Units),
        column("critical_ratio", std::string(kCriticalRatioLabel), ReportKind::Ratio),
        column("yesterday", "Yesterday's Demand from day 2 on, expected profit per day ($)",
               ReportKind::Money),
        column("annual", "Average Annual Demand, expected profit per day ($)", ReportKind::Money),
        column("best", "Best order, expected profit per day ($)", ReportKind::Money),
        column("perfect", "Perfect information, expected profit per day ($)", ReportKind::Money)};
    const bool orders = input == SweepInput::Order;
    if (orders) {
        columns.push_back(column("order_profit", "Ordering the value, expected profit per day ($)",
                                 ReportKind::Money));
    }
    std::vector<Row> rows;
    rows.reserve(points.size());
    for (const SweepPoint &p : points) {
        Row &row = rows.emplace_back(Row{p.value});
        row.emplace_back(p.best.low);
        row.emplace_back(p.best.high);
        row.push_back(reportNumber(p.criticalRatio));
        row.insert(row.end(), {p.rules.yesterday, p.rules.annual, p.rules.best, p.rules.perfect});
        if (orders) {
            row.push_back(p.orderProfit ? ReportScalar{*p.orderProfit} : ReportScalar{Absent{}});
        }
    }
    g.addRecords("points", "Figures at each value", std::move(columns), std::move(rows));
    return report;
}

}  // namespace nv
