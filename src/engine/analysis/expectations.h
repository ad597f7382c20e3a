// Exact expected values of the ordering rules, from the distribution, the
// price and the cost alone (no simulation).
//
// Each day's amounts are those the run computes (DayOutcome, Currency); the
// expectations weigh them with the relative frequencies exactly (the sums of
// order_quantity.h), so every amount is an exact decimal: eight places for a
// day, twelve for a day of Yesterday's Demand weighed by two frequencies.
//   - Average Annual Demand and Best Fixed Order order the same every day, so
//     every day has the same expectation: sum over class j of f_j x day(j).
//   - Yesterday's Demand orders 50 on day 1: sum over j of f_j x day(50, j).
//     From day 2 on the order is the previous draw, independent of today's:
//     sum over i, j of f_i f_j x day(order d_i, demand d_j), the same for
//     every later day (the draws are independent, so day 2 already has it).
//   - Perfect information orders the day's demand: sum over j of f_j x day(d_j, d_j).
// Over the run: firstDay + (days - 1) x laterDay. The share of loss days is
// the run's loss days over its days (ExactDecimal::dividedBy); the fill rate,
// a ratio of two expectations, is a double.
//
// The simulation draws class j with the probability of its float interval,
// which differs from f_j by less than 2^-24; the expectations use f_j.
//
//     auto e = nv::exactExpectations(*checked);
//     e.rule(nv::AnalysisRule::Annual).run.profit;   // expected total profit
//     e.valueOfInformation();                        // perfect - best fixed, over the run
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/analysis/analysis_parameters.h"
#include "engine/analysis/exact_decimal.h"

namespace nv {

// Expected amounts in units (demand, order, sales, leftover, unmet) and in
// money (profit); lossDays is the expected number of days whose profit is
// below 0 (for a single day: the probability of a loss). All add up over days.
struct ExpectedAmounts {
    ExactDecimal demand;
    ExactDecimal order;
    ExactDecimal sales;
    ExactDecimal leftover;
    ExactDecimal unmet;
    ExactDecimal profit;
    ExactDecimal lossDays;

    friend bool operator==(const ExpectedAmounts &, const ExpectedAmounts &) = default;
};

struct RuleExpectation {
    ExpectedAmounts firstDay;
    ExpectedAmounts laterDay;   // each day from day 2 on
    ExpectedAmounts run;        // over the run's days
    double fillRate = 0;        // run.sales / run.demand
    ExactDecimal lossDayShare;  // run.lossDays / days

    friend bool operator==(const RuleExpectation &, const RuleExpectation &) = default;
};

struct Expectations {
    std::int32_t days = 0;
    std::array<RuleExpectation, kAnalysisRules> rules{};
    RuleExpectation perfectInformation;
    double criticalRatio = 0;
    std::size_t fixedClass = 0;
    double fixedOrder = 0;

    [[nodiscard]] const RuleExpectation &rule(AnalysisRule r) const noexcept {
        return rules[ruleIndex(r)];
    }
    // What knowing each day's demand in advance is worth over the run: the
    // expected total profit with perfect information less that of the best
    // fixed order. With independent daily demands and a price above the cost,
    // no rule that knows only the past can expect more than the best fixed
    // order, so this is the value of knowing tomorrow's demand.
    [[nodiscard]] ExactDecimal valueOfInformation() const noexcept {
        return perfectInformation.run.profit - rule(AnalysisRule::FixedFractile).run.profit;
    }

    friend bool operator==(const Expectations &, const Expectations &) = default;
};

[[nodiscard]] Expectations exactExpectations(const AnalysisParameters &parameters) noexcept;

}  // namespace nv
