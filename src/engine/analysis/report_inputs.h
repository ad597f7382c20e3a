// The inputs section every analysis's report opens with, built in one place
// so that the reports agree on its keys, labels and order:
//   days, price, cost, frequency_30 .. frequency_70, mean_demand
// and, where a report gives it, checked_policy (after the report's own items
// between them, such as the comparison's critical_ratio).
//
//     nv::ReportGroup &inputs = nv::addInputsSection(report, parameters);
//     nv::addCheckedPolicy(inputs, nv::OrderPolicy::Yesterday);
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/analysis/analysis_parameters.h"
#include "engine/analysis/report.h"
#include "engine/simulation_parameters.h"

namespace nv {

// Adds the section "inputs" ("Inputs") with its items up to mean_demand, and
// returns its group for the report's further inputs. `days` is the run's
// Number of Runs unless the report counts other days (a sheet's, a game's).
struct InputDays {
    std::int64_t count = 0;
    std::string label;
};
ReportGroup &addInputsSection(Report &report, const AnalysisParameters &parameters);
ReportGroup &addInputsSection(Report &report, const AnalysisParameters &parameters,
                              const InputDays &days);

// critical_ratio: (price - cost) / price.
void addCriticalRatio(ReportGroup &group, double ratio);
// The label of a critical ratio, also for a column of one.
inline constexpr std::string_view kCriticalRatioLabel = "Critical ratio, (price - cost) / price";

// checked_policy: the policy the run's checks saw.
void addCheckedPolicy(ReportGroup &inputs, OrderPolicy policy);

}  // namespace nv
