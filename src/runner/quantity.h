// "newsvendor-run quantity" and "newsvendor-run sweep": the order-quantity
// lesson and its what-if sweeps, from the distribution alone (nothing is
// simulated).
//
// Exit statuses and streams (as for analyze):
//   0  the report on out in the chosen format, nothing on err.
//   1  refused: the message alone on one line on err, nothing on out. First
//      the run's checks and the analysis's (AnalysisParameters::fromInputs,
//      as analyze makes them: as with Yesterday's Demand unless --policy
//      annual is given), then the lesson's or the sweep's own refusal ("Cost
//      must be greater than 0 for the order-quantity analysis", "Price and
//      Cost are too large for this Number of Runs", ...). Also 1 with
//      "Cannot write the results" when out fails.
//   Usage errors (exit 2), a bad range among them, are found by
//   parseCommandLine, before this.
//
// quantity prints quantityReport, sweep sweepReport
// (engine/analysis/quantity_report.h), through the views analyze uses.
//
//     int status = nv::runner::runQuantity(command, std::cout, std::cerr);
#pragma once

#include <ostream>

#include "runner/command_line.h"

namespace nv::runner {

[[nodiscard]] int runQuantity(const QuantityCommand &command, std::ostream &out, std::ostream &err);
[[nodiscard]] int runSweep(const SweepCommand &command, std::ostream &out, std::ostream &err);

}  // namespace nv::runner
