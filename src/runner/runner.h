// newsvendor-run as a function: reads the command line, runs the simulation
// the way the Run Simulation command does, and prints the results grid.
//
// Exit statuses and streams:
//   0  the run completed: the grid on out (header row, then rows 1 to the
//      last), nothing on err; or --help: the usage on out.
//   1  the run was refused: the refusal's message alone on one line on err,
//      nothing on out. The run's own checks come first (frequencies, missing
//      values, order policy, then the conversions); then the draws file: a
//      line that is not a number or is outside [0, 1), or fewer draws than
//      the run has days.
//   2  a usage error (unknown option, missing value, bad word, bad --freq
//      count, bad seed, --seed with --draws, a draws file that cannot be
//      read): a one-line message and the usage on err, nothing on out.
//
// "analyze" as the first argument runs runAnalyze instead (runner/analyze.h);
// its exit statuses have the same meaning, and its usage errors print its own
// usage. errIsTerminal tells it whether err is a terminal, where it may show
// its progress.
//
//     std::array<std::string_view, 6> args{"--freq", "0.1,0.2,0.4,0.2,0.1",
//                                          "--policy", "yesterday", "--seed", "1"};
//     int status = nv::runner::runRunner(args, std::cin, std::cout, std::cerr, locale);
#pragma once

#include <cstddef>
#include <istream>
#include <ostream>
#include <span>
#include <string_view>

#include "support/number_format.h"

namespace nv::runner {

inline constexpr int kExitCompleted = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;

// The largest draws file read, in bytes.
inline constexpr std::size_t kMaxDrawsBytes = std::size_t{64} << 20;

// args are the arguments after the program name; in is read only for
// "--draws -".
[[nodiscard]] int runRunner(std::span<const std::string_view> args, std::istream &in,
                            std::ostream &out, std::ostream &err, const NumberLocale &locale,
                            bool errIsTerminal = false);

}  // namespace nv::runner
