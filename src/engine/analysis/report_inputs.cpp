// The inputs section shared by the analyses' reports.
#include "engine/analysis/report_inputs.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace nv {

ReportGroup &addInputsSection(Report &report, const AnalysisParameters &parameters) {
    ReportGroup &inputs = report.addSection("inputs", "Inputs").addGroup("", "");
    inputs.add("days", "Number of Runs (days)", ReportKind::Count, std::int64_t{parameters.days()});
    inputs.add("price", "Price ($)", ReportKind::Money, parameters.price());
    inputs.add("cost", "Cost ($)", ReportKind::Money, parameters.cost());
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        const std::string demand = std::to_string(kClassDemand[cls]);
        inputs.add("frequency_" + demand, "Relative frequency of demand " + demand,
                   ReportKind::Ratio,
                   parameters.distribution().frequency(cls).value_or(Currency{}));
    }
    inputs.add("mean_demand", "Mean daily demand (units)", ReportKind::Units,
               parameters.meanDemand());
    return inputs;
}

void addCheckedPolicy(ReportGroup &inputs, OrderPolicy policy) {
    inputs.add("checked_policy", "Order policy the inputs were checked with", ReportKind::Text,
               std::string(policyKey(policy)));
}

}  // namespace nv
