#include "runner/quantity.h"

#include "engine/analysis/analysis_parameters.h"
#include "engine/analysis/quantity_lesson.h"
#include "engine/analysis/quantity_report.h"
#include "engine/analysis/quantity_sweep.h"
#include "runner/analyze.h"
#include "runner/runner.h"

namespace nv::runner {

namespace {

int refused(std::ostream &err, Refusal refusal) {
    err << refusalMessage(refusal) << '\n';
    return kExitRefused;
}

}  // namespace

int runQuantity(const QuantityCommand &command, std::ostream &out, std::ostream &err) {
    const auto parameters = AnalysisParameters::fromInputs(command.inputs);
    if (!parameters) {
        return refused(err, parameters.error());
    }
    const auto lesson = quantityLesson(*parameters, command.orders);
    if (!lesson) {
        return refused(err, lesson.error());
    }
    const QuantityReportInputs extra{checkedPolicy(command.inputs), command.orders};
    return writeReport(quantityReport(*parameters, *lesson, extra), command.format, out, err);
}

int runSweep(const SweepCommand &command, std::ostream &out, std::ostream &err) {
    const auto parameters = AnalysisParameters::fromInputs(command.inputs);
    if (!parameters) {
        return refused(err, parameters.error());
    }
    const auto points = quantitySweep(*parameters, command.varied, command.values);
    if (!points) {
        return refused(err, points.error());
    }
    return writeReport(sweepReport(*parameters, command.varied, command.values, *points,
                                   checkedPolicy(command.inputs)),
                       command.format, out, err);
}

}  // namespace nv::runner
