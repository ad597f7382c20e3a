// newsvendor-run as a function: reads the command line, runs the simulation
// the way the Run Simulation command does, and prints the results grid.
//
// Exit statuses and streams:
//   0  the run completed: the grid on out (header row, then rows 1 to the
//      last), nothing on err; or -h/--help: the help on out; or --version:
//      "newsvendor-run VERSION" on out.
//   1  the run was refused: the refusal's message alone on one line on err,
//      nothing on out. The run's own checks come first (frequencies, missing
//      values, order policy, then the conversions); then the draws file: a
//      line that is not a number or is outside [0, 1), or fewer draws than
//      the run has days. Also 1: "Cannot write the results" when out fails;
//      the rows written before the failure stay written.
//   2  a usage error (unknown option, missing value, bad word, bad --freq
//      count, bad seed, --seed with --draws, a draws file that cannot be
//      read): its one-line message, then "Run 'newsvendor-run --help' for
//      more information." on err, nothing on out.
//
// "analyze" as the first argument runs runAnalyze instead (runner/analyze.h),
// "quantity" and "sweep" runQuantity and runSweep (runner/quantity.h),
// "debrief" runDebrief (runner/debrief.h), which reads `in` for "--orders -";
// their exit statuses have the same meaning (their usage errors point to
// their own help, 'newsvendor-run analyze --help'). errIsTerminal tells
// analyze whether err is a terminal, where it may show its progress.
//
// The rows go to out as the days are simulated (tsv and csv) through one
// large buffer; a table is written at the end, its columns aligned.
//
//     std::array<std::string_view, 6> args{"--freq", "0.1,0.2,0.4,0.2,0.1",
//                                          "--policy", "yesterday", "--seed", "1"};
//     int status = nv::runner::runRunner(args, std::cin, std::cout, std::cerr, locale);
#pragma once

#include <istream>
#include <ostream>
#include <span>
#include <string_view>

#include "support/number_format.h"

namespace nv::runner {

inline constexpr int kExitCompleted = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;

// args are the arguments after the program name; in is read only for
// "--draws -".
[[nodiscard]] int runRunner(std::span<const std::string_view> args, std::istream &in,
                            std::ostream &out, std::ostream &err, const NumberLocale &locale,
                            bool errIsTerminal = false);

}  // namespace nv::runner
