// The reports of the order-quantity lesson (its page and the runner): one for
// a lesson, one for a sweep of one input. Built once, shown by every view.
//
// quantityReport, sections and items in order (the json keys; "" is the top
// level):
//   inputs     days, price, cost, frequency_30 .. frequency_70, mean_demand,
//              checked_policy, curve_from, curve_to, curve_step
//   ""         critical_ratio, best_order (an interval of units), curve
//              (records: order, expected_profit, expected_sales,
//              expected_leftover, expected_unmet, fill_rate,
//              loss_probability, profit_sd)
//   payoff     orders (30 .. 70, then the mean), demands, profit (a row per
//              order, a column per demand), expected_profit,
//              opportunity_loss, expected_opportunity_loss
//   ""         evpi
//   rules      expected profit per day: yesterday (from day 2 on), annual,
//              best, perfect
//
// sweepReport:
//   inputs     as above up to checked_policy (the inputs the sweep starts from)
//   ""         varied ("price", "cost" or "order"), from, to, step, points
//              (records: value, best_low, best_high, critical_ratio,
//              yesterday, annual, best, perfect; a sweep of the order adds
//              order_profit)
//
//     nv::Report report = nv::quantityReport(parameters, *lesson,
//                                            {nv::OrderPolicy::Yesterday, nv::kDefaultCurveRange});
//     report.find("", "", "best_order")->value;   // Interval{50, 50}
#pragma once

#include <vector>

#include "engine/analysis/analysis_parameters.h"
#include "engine/analysis/order_quantity.h"
#include "engine/analysis/quantity_lesson.h"
#include "engine/analysis/quantity_sweep.h"
#include "engine/analysis/report.h"
#include "engine/simulation_parameters.h"

namespace nv {

struct QuantityReportInputs {
    OrderPolicy checkedPolicy = OrderPolicy::Yesterday;  // the policy the run's checks saw
    AmountRange curveOrders = kDefaultCurveRange;        // the orders of the lesson's curve
};

[[nodiscard]] Report quantityReport(const AnalysisParameters &parameters,
                                    const QuantityLesson &lesson,
                                    const QuantityReportInputs &extra);

[[nodiscard]] Report sweepReport(const AnalysisParameters &base, SweepInput input,
                                 const AmountRange &values, const std::vector<SweepPoint> &points,
                                 OrderPolicy checkedPolicy);

}  // namespace nv
