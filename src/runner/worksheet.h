// "newsvendor-run worksheet": a hand-simulation worksheet for a run's inputs,
// its answer key, or the marking of a student's filled sheet
// (engine/worksheet/).
//
// What is printed is a report of engine/worksheet/worksheet_report.h through
// the chosen format:
//   table  for a person: the inputs, the interval table and the days; the
//          cells a student fills in are blank (with --answers: the key)
//   csv    the days alone, wide: the header
//          day,random_number,demand,order,sales,daily_profit,cumulative_profit
//          and a record per day (the computed fields empty without --answers),
//          so a student can fill it in a spreadsheet and hand it back
//   json   the whole report, format_version kWorksheetFormatVersion
// With --check the marking (checkReport) is printed instead: the table, the
// long csv (report_csv.h) or json.
//
// Exit statuses and streams:
//   0  the sheet or the key on out; or the marking, every cell right.
//   1  the marking with a wrong cell (on out, as above); or refused, the
//      message alone on err and nothing on out: the run's checks as a run
//      with the sheet's days makes them, the analysis's, the days
//      ("A worksheet has from 1 to 1,000 days"), 2 digits for frequencies
//      finer than hundredths, then the random numbers file: a line that is
//      not a k-digit number or fewer numbers than days (readRandomNumbers'
//      messages, naming the line). A file that was read but holds the wrong
//      numbers is refused like the run's draws file, a value the inputs
//      cannot take.
//   2  a file that cannot be read (--random-numbers, --check): its message
//      and the usage hint on err, as for the run's draws file; it is
//      reported before anything about the inputs.
//
//     int status = nv::runner::runWorksheet(command, std::cin, std::cout, std::cerr);
#pragma once

#include <istream>
#include <ostream>

#include "runner/command_line.h"

namespace nv::runner {

inline constexpr int kWorksheetFormatVersion = 1;

[[nodiscard]] int runWorksheet(const WorksheetCommand &command, std::istream &in, std::ostream &out,
                               std::ostream &err);

}  // namespace nv::runner
