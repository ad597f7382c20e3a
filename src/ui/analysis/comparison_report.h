// The comparison window's two tables as plain data: what each cell holds
// (a value and how to write it), built from the exact expectations and, once
// a comparison has finished, its replication summary.
//
// The rules table has one column per rule (Yesterday's Demand, Average Annual
// Demand, Best Fixed Order, Perfect Information) and one row per measure
// (RulesRow): first the exact expectations, per day as the average over the
// run's days, then the replication results, which Perfect Information has
// none of. The pairs table has one column per pair of rules (first - second,
// in the order of kAnalysisPairs) and one row per measure (PairsRow).
// Without a summary the replication cells are empty.
//
//     auto table = nv::ui::rulesReport(expectations, &summary);
//     table.cells[row(RulesRow::ExpectedTotalProfit)][0].value;   // Yesterday's
#pragma once

#include <QString>
#include <QStringList>
#include <cstddef>
#include <vector>

#include "engine/analysis/expectations.h"
#include "engine/analysis/replications.h"

class QLocale;

namespace nv::ui {

// NotAvailable: an interval of a single replication, whose spread is unknown
// (written as a dash).
enum class ReportKind { Empty, NotAvailable, Money, Units, Share, MoneyInterval };

struct ReportCell {
    ReportKind kind = ReportKind::Empty;
    double value = 0;  // the interval's low end for MoneyInterval
    double high = 0;   // MoneyInterval only

    friend bool operator==(const ReportCell &, const ReportCell &) = default;
};

struct ReportTable {
    QStringList columns;
    QStringList rows;
    std::vector<std::vector<ReportCell>> cells;  // cells[row][column]
};

enum class RulesRow : std::size_t {
    ExpectedDemand,
    ExpectedOrder,
    ExpectedSales,
    ExpectedLeftover,
    ExpectedUnmet,
    ExpectedProfit,
    ExpectedTotalProfit,
    ExpectedFillRate,
    ExpectedLossDayShare,
    MeanTotalProfit,
    ProfitStandardDeviation,
    ProfitInterval,
    MeanLostSales,
    MeanLeftover,
    FillRate,
    LossDayShare,
};
inline constexpr std::size_t kRulesRows = 16;
inline constexpr std::size_t kRulesColumns = kAnalysisRules + 1;  // + Perfect Information
inline constexpr std::size_t kPerfectInformationColumn = kAnalysisRules;

enum class PairsRow : std::size_t {
    MeanDifference,
    PairedInterval,
    IndependentInterval,
    FirstWins,
    Ties,
};
inline constexpr std::size_t kPairsRows = 5;

[[nodiscard]] constexpr std::size_t row(RulesRow r) noexcept {
    return static_cast<std::size_t>(r);
}
[[nodiscard]] constexpr std::size_t row(PairsRow r) noexcept {
    return static_cast<std::size_t>(r);
}

// summary may be nullptr (no finished comparison).
[[nodiscard]] ReportTable rulesReport(const Expectations &expectations,
                                      const ReplicationSummary *summary);
[[nodiscard]] ReportTable pairsReport(const ReplicationSummary *summary);

// The text of a cell; empty for an empty cell. Intervals are written in
// whole dollars, so a column stays narrow; reportCellDetail gives every cell
// with its cents (the cell's tool tip).
[[nodiscard]] QString reportCellText(const ReportCell &cell, const QLocale &locale);
[[nodiscard]] QString reportCellDetail(const ReportCell &cell, const QLocale &locale);

// The column heading of a rule, on two lines ("Best Fixed Order\n(50 units)"
// for the best fixed order of 50).
[[nodiscard]] QString ruleHeading(AnalysisRule rule, double fixedOrder);

}  // namespace nv::ui
