// "newsvendor-run debrief": replays a game of playing the newsvendor from its
// seed and the player's orders, and prints its debrief.
//
// The game lasts one day per order of the orders file (one whole number of
// units from 0 to 1,000 per line, blank lines skipped: parseOrdersFile). Day
// t's demand is the demand a run with the same seed draws on day t, so the
// debrief is the one the Play page shows for the same inputs, seed and orders.
//
// Exit statuses and streams (as for a run):
//   0  the debrief on out in the chosen format, nothing on err.
//   1  refused: the message alone on one line on err, nothing on out. In
//      order: the inputs' checks as analyze makes them (with the Number of
//      Runs of --runs, or the number of orders when it is not given); the
//      orders file ("Line 3 of the orders file: The order must be a number",
//      "The orders file must hold from 1 to 365 orders, one per line"); the
//      game's own check (amounts that could leave the range over its days).
//      Also 1: "Cannot write the results" when out fails.
//   2  a usage error, found by parseCommandLine, or an orders file that
//      cannot be read ("Cannot read the orders file 'F': No such file or
//      directory"), reported before anything else: its message, then
//      "Run 'newsvendor-run debrief --help' for more information.".
//
// What is printed is the debrief's report (engine/analysis/game_report.h)
// through one of its views: the text table, the long csv, or json with
// format_version kAnalysisFormatVersion, which readSavedGame (io/
// results_file.h) reads back as a saved game.
//
//     int status = nv::runner::runDebrief(command, std::cin, std::cout, std::cerr);
#pragma once

#include <istream>
#include <ostream>

#include "runner/command_line.h"

namespace nv::runner {

[[nodiscard]] int runDebrief(const DebriefCommand &command, std::istream &in, std::ostream &out,
                             std::ostream &err);

}  // namespace nv::runner
