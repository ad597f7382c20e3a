// The inputs section every analysis's report opens with, built in one place
// so that the reports agree on its keys, labels and order:
//   days, price, cost, frequency_30 .. frequency_70, mean_demand
// and, where a report gives it, checked_policy (after the report's own items
// between them, such as the comparison's critical_ratio).
//
//     nv::ReportGroup &inputs = nv::addInputsSection(report, parameters);
//     nv::addCheckedPolicy(inputs, nv::OrderPolicy::Yesterday);
#pragma once

#include <string_view>

#include "engine/analysis/analysis_parameters.h"
#include "engine/analysis/report.h"
#include "engine/simulation_parameters.h"

namespace nv {

// Adds the section "inputs" ("Inputs") with its items up to mean_demand, and
// returns its group for the report's further inputs.
ReportGroup &addInputsSection(Report &report, const AnalysisParameters &parameters);

// checked_policy: the policy the run's checks saw.
void addCheckedPolicy(ReportGroup &inputs, OrderPolicy policy);

}  // namespace nv
