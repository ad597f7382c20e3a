// The report of a comparison of the ordering rules (newsvendor-run analyze,
// the Compare Rules page): its inputs, the exact expectations of every rule
// and, once replications have been run, their summary.
//
// Sections, groups and items, in order (the json keys):
//   inputs     days, price, cost, frequency_30 .. frequency_70, mean_demand,
//              critical_ratio, checked_policy, seed, seed_from_clock,
//              replications
//   expected   a group per rule (yesterday, annual, fixed, perfect): name,
//              order_quantity, daily_demand, daily_order, daily_sales,
//              daily_leftover, daily_unmet, daily_profit (each averaged over the
//              run's days), total_profit, fill_rate, loss_day_share; then
//              value_of_information directly in the section. All but the
//              fill rate are exact decimals; an average over the days that
//              does not end (Yesterday's Demand, whose first day differs) is
//              rounded at ExactDecimal::kDivisionPlaces places.
//   simulated  a group per rule (yesterday, annual, fixed): name,
//              mean_total_profit, sd_total_profit, total_profit_ci95,
//              mean_daily_demand, mean_sales, mean_lost_sales, mean_leftover,
//              fill_rate, loss_day_share
//   pairs      a group per pair (yesterday_annual, yesterday_fixed,
//              annual_fixed): name, first, second, mean_difference,
//              sd_difference, difference_ci95, independent_ci95,
//              first_win_share, tie_share, second_win_share
//
// The inputs section up to mean_demand and checked_policy come from
// report_inputs.h, which every analysis's report shares.
//
// What does not exist is Absent: the order quantity of Yesterday's Demand and
// of Perfect Information; a spread and an interval of a single replication;
// and, without a summary (before the replications have run), every figure of
// the simulated and pairs sections and the seed and replications of inputs.
//
//     nv::ComparisonReportInputs extra{nv::OrderPolicy::Yesterday, false};
//     nv::Report report = nv::comparisonReport(parameters, expectations, &summary, extra);
//     report.find("pairs", "yesterday_fixed", "difference_ci95");
#pragma once

#include <string>

#include "engine/analysis/analysis_parameters.h"
#include "engine/analysis/expectations.h"
#include "engine/analysis/replications.h"
#include "engine/analysis/report.h"
#include "engine/analysis/report_inputs.h"
#include "engine/simulation_parameters.h"

namespace nv {

struct ComparisonReportInputs {
    OrderPolicy checkedPolicy = OrderPolicy::Yesterday;  // the policy the run's checks saw
    bool seedFromClock = false;
};

// summary may be nullptr: no replications yet.
[[nodiscard]] Report comparisonReport(const AnalysisParameters &parameters,
                                      const Expectations &expectations,
                                      const ReplicationSummary *summary,
                                      const ComparisonReportInputs &extra);

// "Yesterday's Demand - Average Annual Demand", "yesterday_annual".
[[nodiscard]] std::string pairName(AnalysisRule first, AnalysisRule second);
[[nodiscard]] std::string pairKey(AnalysisRule first, AnalysisRule second);

}  // namespace nv
