// The report of a game's debrief (newsvendor-run debrief, the Play page).
//
// Sections and items, in order (the json keys):
//   inputs       days (played), price, cost, frequency_30 .. frequency_70,
//                mean_demand, critical_ratio, checked_policy, seed
//   (top level)  days: records of day, order, demand, sales, leftover, unmet,
//                daily_profit, cumulative_profit
//   player       total_profit, expected_total_profit, luck, share_of_perfect,
//                mean_order, chase_correlation, days_above_best
//   rules        yesterday, annual, best, perfect: each a total profit on the
//                same demands
//   (top level)  best_order, mean_demand, findings (a list of sentences)
// share_of_perfect and chase_correlation are Absent when they do not exist.
//
//     nv::Debrief d = nv::debrief(parameters, orders, demands);
//     nv::Report report = nv::debriefReport(parameters, d, {OrderPolicy::Yesterday, seed});
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/analysis/analysis_parameters.h"
#include "engine/analysis/game.h"
#include "engine/analysis/report.h"
#include "engine/simulation_parameters.h"
#include "support/number_format.h"

namespace nv {

struct DebriefInputs {
    OrderPolicy checkedPolicy = OrderPolicy::Yesterday;
    std::uint64_t seed = 0;
};

[[nodiscard]] Report debriefReport(const AnalysisParameters &parameters, const Debrief &debrief,
                                   const DebriefInputs &extra);

// One plain-language sentence per finding, e.g. "You ordered on average 53
// units; the best order is 60 and the mean demand 57.5.", its figures with
// digit groups and the separators of `locale` (the report's: C's).
[[nodiscard]] std::vector<std::string> debriefFindings(const Debrief &debrief,
                                                       const NumberLocale &locale = {});

}  // namespace nv
