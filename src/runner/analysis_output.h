// Writes the comparison of the ordering rules (newsvendor-run analyze) as a
// table for a person, or as CSV or JSON for scripts.
//
// Numbers in csv and json never depend on the locale: "." as the decimal
// point, no grouping. Amounts held exactly (price, cost, frequencies, the mean
// demand, order quantities) are written as their exact decimals with no
// trailing zeros; other doubles in the shortest form that reads back to the
// same value (std::to_chars). The table uses fixed decimals with ".", no
// grouping, and shares in per cent.
//
// Both machine forms hold the same items, by section and group:
//   inputs     days, price, cost, frequency_30 .. frequency_70, mean_demand,
//              critical_ratio, checked_policy, seed, seed_from_clock,
//              replications
//   expected   one group per rule (yesterday, annual, fixed, perfect): name,
//              order_quantity (null for yesterday and perfect), daily_demand,
//              daily_order, daily_sales, daily_leftover, daily_unmet,
//              daily_profit (each averaged over the run's days),
//              total_profit, fill_rate, loss_day_share; then
//              value_of_information directly in the section
//   simulated  one group per rule (yesterday, annual, fixed): name,
//              mean_total_profit, sd_total_profit, total_profit_ci95,
//              mean_daily_demand, mean_sales, mean_lost_sales, mean_leftover
//              (per run), fill_rate, loss_day_share
//   pairs      one group per pair (yesterday_annual, yesterday_fixed,
//              annual_fixed): first, second, mean_difference, sd_difference,
//              difference_ci95 (paired), independent_ci95, first_win_share,
//              tie_share, second_win_share
//
//   json: one object, pretty-printed: "format_version": 1, then one object
//         per section, one object per group inside it. An interval is
//         {"low": x, "high": y}, or null when there is none (one
//         replication); a number that is not finite is null.
//   csv:  RFC 4180, CRLF line ends, one long table with the header
//         section,rule,item,value,label: one record per item, rule the
//         group's key (empty directly in a section), label a description
//         for a person (quoted when it holds a comma). An interval gives two
//         records, ITEM_low and ITEM_high; null is an empty value.
//   table: headed sections, columns aligned, lines ended by LF.
//
//     writeAnalysis(report, AnalysisFormat::Json, std::cout);
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "engine/analysis/analysis_parameters.h"
#include "engine/analysis/expectations.h"
#include "engine/analysis/replications.h"
#include "runner/runner_options.h"
#include "support/currency.h"

namespace nv::runner {

inline constexpr int kAnalysisFormatVersion = 1;

// Everything an analysis prints.
struct AnalysisReport {
    AnalysisParameters parameters;
    Expectations expectations;
    ReplicationSummary summary;
    std::string_view checkedPolicy;  // ruleKey of the policy the run's checks saw
    bool seedFromClock = false;
};

void writeAnalysis(const AnalysisReport &report, AnalysisFormat format, std::ostream &out);

// A JSON string literal, quotes included. '"', '\\' and the control
// characters are escaped (\n, \t, ... or \u00XX); each byte that does not
// belong to a well-formed UTF-8 sequence becomes \ufffd, so the result is
// always valid JSON.       jsonString("a\"b\n") -> "\"a\\\"b\\n\""
[[nodiscard]] std::string jsonString(std::string_view text);

// A double as a JSON number: the shortest text that reads back to it; null
// for NaN and the infinities; 0 for -0.
//     jsonNumber(0.1) -> "0.1"   jsonNumber(1e21) -> "1e+21"
[[nodiscard]] std::string jsonNumber(double value);

}  // namespace nv::runner
