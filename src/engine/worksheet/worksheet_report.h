// The reports of a hand-simulation worksheet, built once and shown by every
// view (the runner's table, csv and json; the desktop page).
//
// worksheetReport: a blank sheet (withAnswers false) or its answer key.
//   inputs     days, price, cost, frequency_30 .. frequency_70, policy
//              ("yesterday" or "annual"), mean_demand, seed (Absent when the
//              numbers were given)
//   top level  digits (k), intervals (records: demand, frequency, cumulative,
//              first, last), days (records: day, random_number, demand,
//              order, sales, daily_profit, cumulative_profit)
// The interval ends and the random numbers are texts of k digits ("07"); a
// class of frequency 0 has Absent ends. Frequencies are exact amounts. On a
// blank sheet the computed fields of the days (demand .. cumulative_profit)
// are Absent; with answers they hold the key's exact amounts.
//
// checkReport: the marking of a student's file.
//   inputs     as above
//   top level  right, total, score (right / total), wrong_cells (records:
//              day, column, written (Absent for a missing cell), right_value)
//
//     nv::Report key = nv::worksheetReport(sheet, true);
//     key.find("", "", "days")->rows[0];   // 1, "07", 30, 50, 30, 28, 28
//     nv::Report marks = nv::checkReport(sheet, nv::checkSheet(sheet, csv));
#pragma once

#include "engine/analysis/report.h"
#include "engine/worksheet/sheet_check.h"
#include "engine/worksheet/worksheet.h"

namespace nv {

[[nodiscard]] Report worksheetReport(const Worksheet &sheet, bool withAnswers);

[[nodiscard]] Report checkReport(const Worksheet &sheet, const SheetCheck &check);

}  // namespace nv
