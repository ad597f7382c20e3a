// The inputs section shared by the analyses' reports.
#include "engine/analysis/report_inputs.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace nv {

ReportGroup &addInputsSection(Report &report, const AnalysisParameters &parameters) {
    return addInputsSection(report, parameters,
                            InputDays{parameters.days(), "Number of Runs (days)"});
}

ReportGroup &addInputsSection(Report &report, const AnalysisParameters &parameters,
                              const InputDays &days) {
    ReportGroup &inputs = report.addSection("inputs", "Inputs").addGroup("", "");
    inputs.add("days", days.label, ReportKind::Count, days.count);
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

void addCriticalRatio(ReportGroup &group, double ratio) {
    group.add("critical_ratio", std::string(kCriticalRatioLabel), ReportKind::Ratio,
              reportNumber(ratio));
}

void addCheckedPolicy(ReportGroup &inputs, OrderPolicy policy) {
    inputs.add("checked_policy", "Order policy the inputs were checked with", ReportKind::Text,
               std::string(policyKey(policy)));
}

}  // namespace nv
