// The report model: what an analysis has to say, as one ordered list of
// items, built once from its result. Every way of showing an analysis is a
// view of it: the runner's table, csv and json, and the desktop program's
// tables, so they all show the same figures under the same labels, and a
// value that does not exist is absent in all of them (json null, an empty csv
// field, "-" in the runner's table, "—" in a window).
//
// Shape: a Report is a list of sections, a section a list of groups, a group a
// list of items, each in the order they are shown and written.
//   - A section with an empty key holds items of the top level (json: keys of
//     the outer object); several such sections may stand between keyed ones.
//   - A group with an empty key holds items directly in its section; a keyed
//     group is one of a family (one per rule, one per pair of rules) and the
//     tables show a section's keyed groups side by side, one column each.
//   - An item has a key (snake_case, the json key), a label for a person that
//     names its unit ("Expected demand per day (units)", "Mean total profit
//     ($)"), a kind (how its numbers are written) and a value.
//
// Values (ReportScalar): Absent (does not exist), a flag, a whole number, a
// double (a simulated statistic or a ratio), an exact Currency amount, an
// ExactDecimal (an exact expectation), an interval, a text. Currency amounts
// and exact decimals are written in csv and json as their exact decimals,
// every digit; the tables write a Currency amount with all its places and an
// exact decimal rounded (half to even) to the places its kind gives a double.
// Besides a single value (ReportShape::Scalar) an item may hold a list (one
// row), a matrix (rows of values) or records (rows with one value per column;
// json: an array of objects keyed by the column keys).
//
//     nv::Report report{"Comparing the ordering rules", {}};
//     auto &inputs = report.addSection("inputs", "Inputs").addGroup("", "");
//     inputs.add("days", "Number of Runs (days)", nv::ReportKind::Count, std::int64_t{250});
//     inputs.add("price", "Price ($)", nv::ReportKind::Money, *nv::Currency::fromWhole(4));
//     const nv::ReportItem *days = report.find("inputs", "", "days");
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/analysis/exact_decimal.h"
#include "engine/analysis/statistics.h"
#include "support/currency.h"

namespace nv {

// A value that does not exist (the spread of a single replication, a
// correlation of a constant series, a computed cell left for a student).
struct Absent {
    friend constexpr bool operator==(Absent, Absent) noexcept = default;
};

using ReportScalar = std::variant<Absent, bool, std::int64_t, std::uint64_t, double, Currency,
                                  ExactDecimal, Interval, std::string>;

// How an item's numbers are written:
//   Money  dollars: two decimals in the tables ("$1,234.50" in a window,
//          "1234.50" in the runner's table), exact in csv and json
//   Units  quantities of the item (demand, order, sales): two decimals in the
//          tables, whole numbers without decimals
//   Count  whole numbers (days, replications, seeds)
//   Share  a fraction shown as a percentage with one decimal ("92.0%"); csv
//          and json keep the fraction (0.92)
//   Ratio  a fraction shown as a number with four decimals (0.5217)
//   Text   a name or a key
//   Flag   yes or no
enum class ReportKind { Money, Units, Count, Share, Ratio, Text, Flag };

enum class ReportShape { Scalar, List, Matrix, Records };

struct ReportColumn {
    std::string key;
    std::string label;
    ReportKind kind = ReportKind::Money;

    friend bool operator==(const ReportColumn &, const ReportColumn &) = default;
};

struct ReportItem {
    std::string key;
    std::string label;
    ReportKind kind = ReportKind::Money;
    ReportShape shape = ReportShape::Scalar;
    ReportScalar value;                           // Scalar
    std::vector<std::vector<ReportScalar>> rows;  // List (one row), Matrix, Records
    std::vector<ReportColumn> columns;            // Records: one per value of a row

    [[nodiscard]] bool exists() const noexcept {
        return shape != ReportShape::Scalar || !std::holds_alternative<Absent>(value);
    }
    friend bool operator==(const ReportItem &, const ReportItem &) = default;
};

struct ReportGroup {
    std::string key;    // empty: the items stand directly in the section
    std::string title;  // the column heading of a keyed group ("Yesterday's Demand")
    std::vector<ReportItem> items;

    ReportItem &add(std::string key, std::string label, ReportKind kind, ReportScalar value);
    ReportItem &addList(std::string key, std::string label, ReportKind kind,
                        std::vector<ReportScalar> values);
    ReportItem &addMatrix(std::string key, std::string label, ReportKind kind,
                          std::vector<std::vector<ReportScalar>> rows);
    ReportItem &addRecords(std::string key, std::string label, std::vector<ReportColumn> columns,
                           std::vector<std::vector<ReportScalar>> rows);
    [[nodiscard]] const ReportItem *find(std::string_view itemKey) const noexcept;

    friend bool operator==(const ReportGroup &, const ReportGroup &) = default;
};

struct ReportSection {
    std::string key;    // empty: items of the top level
    std::string title;  // a heading for a person ("Exact expectations")
    std::vector<ReportGroup> groups;

    ReportGroup &addGroup(std::string key, std::string title);
    [[nodiscard]] const ReportGroup *findGroup(std::string_view groupKey) const noexcept;
    // Whether the section has groups to show side by side.
    [[nodiscard]] bool hasKeyedGroups() const noexcept;

    friend bool operator==(const ReportSection &, const ReportSection &) = default;
};

struct Report {
    std::string title;
    std::vector<ReportSection> sections;

    ReportSection &addSection(std::string key, std::string title);
    // The first section with this key (for the empty key: the first top-level
    // section holding the item), then the group, then the item; nullptr when
    // there is none.
    [[nodiscard]] const ReportSection *findSection(std::string_view sectionKey) const noexcept;
    [[nodiscard]] const ReportItem *find(std::string_view sectionKey, std::string_view groupKey,
                                         std::string_view itemKey) const noexcept;

    friend bool operator==(const Report &, const Report &) = default;
};

// A double that is not finite does not exist: NaN and the infinities become
// Absent, so no view has to write them.
[[nodiscard]] ReportScalar reportNumber(double value) noexcept;

}  // namespace nv
