#include "runner/debrief.h"

#include <string>

#include "engine/analysis/analysis_parameters.h"
#include "engine/analysis/game.h"
#include "engine/analysis/game_report.h"
#include "runner/analyze.h"
#include "runner/draws.h"
#include "runner/runner.h"

namespace nv::runner {

int runDebrief(const DebriefCommand &command, std::istream &in, std::ostream &out,
               std::ostream &err) {
    const auto text = readInputText(command.ordersPath, in, "orders");
    if (!text) {
        err << text.error() << '\n'
            << helpHint(UsageError{text.error(), "newsvendor-run debrief"}) << '\n';
        return kExitUsage;
    }
    const auto orders = parseOrdersFile(*text);
    RunInputs inputs = command.inputs;
    if (!command.runsGiven) {
        inputs.runsText = std::to_string(orders ? orders->size() : 1);
    }
    const auto parameters = AnalysisParameters::fromInputs(inputs);
    if (!parameters) {
        err << refusalMessage(parameters.error()) << '\n';
        return kExitRefused;
    }
    if (!orders) {
        err << ordersFileMessage(orders.error()) << '\n';
        return kExitRefused;
    }
    const auto days = static_cast<std::int32_t>(orders->size());
    if (const auto refusal = checkGame(*parameters, days)) {
        err << refusalMessage(*refusal) << '\n';
        return kExitRefused;
    }

    const std::vector<Currency> demands =
        gameDemands(parameters->distribution(), days, command.seed);
    const DebriefInputs extra{checkedPolicy(inputs), command.seed};
    return writeReport(debriefReport(*parameters, debrief(*parameters, *orders, demands), extra),
                       command.format, out, err);
}

}  // namespace nv::runner
