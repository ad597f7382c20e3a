// Paired replications: agreement with the exact expectations, pairing,
// reproducibility across thread counts, progress, cancellation, histograms
// and the single-stream paths.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "analysis_test_support.h"
#include "common/case_names.h"
#include "common/test_inputs.h"
#include "engine/analysis/expectations.h"
#include "engine/analysis/replications.h"
#include "support/random_source.h"

namespace nv {
namespace {

using test::PrintTo;

using test::analysisOf;
using test::Frequencies;
using test::kTextbook;
using test::kUniform;

AnalysisParameters checkedAnalysis(const Frequencies &f, const char *price, const char *cost,
                                   const char *days) {
    auto checked = analysisOf(f, price, cost, days);
    if (!checked.ok()) {
        ADD_FAILURE() << refusalMessage(checked.error());
        std::abort();
    }
    return std::move(checked).value();
}

ReplicationOptions options(std::int64_t replications, std::uint64_t seed, unsigned threads) {
    ReplicationOptions o;
    o.replications = replications;
    o.seed = seed;
    o.threads = threads;
    return o;
}

// --- Agreement with the exact expectations ---------------------------------

struct AgreementCase {
    const char *name;
    Frequencies frequencies;
    const char *price;
    const char *cost;
    const char *days;
    std::uint64_t seed;
};

class ReplicationsAgree : public ::testing::TestWithParam<AgreementCase> {};

// With 100,000 replications (a fixed seed, so the outcome never changes) the
// exact expected total profit lies in each rule's 99.9% interval.
TEST_P(ReplicationsAgree, SimulatedMeansMatchTheExactExpectations) {
    const AgreementCase &c = GetParam();
    const AnalysisParameters parameters = checkedAnalysis(c.frequencies, c.price, c.cost, c.days);
    const Expectations exact = exactExpectations(parameters);
    constexpr std::int64_t kReplications = 100'000;
    const auto summary = runReplications(parameters, options(kReplications, c.seed, 2));
    ASSERT_TRUE(summary.ok());
    const double multiplier = confidenceMultiplier(0.999, kReplications);
    const double rootN = std::sqrt(static_cast<double>(kReplications));
    const double days = static_cast<double>(parameters.days());
    for (const AnalysisRule rule : kAllAnalysisRules) {
        SCOPED_TRACE(std::string(ruleName(rule)));
        const RuleSummary &s = summary->rule(rule);
        const RuleExpectation &e = exact.rule(rule);
        const double half = multiplier * s.profitStandardDeviation / rootN;
        EXPECT_NEAR(s.meanProfit, e.run.profit, half);
        // The check has teeth: the interval is narrower than a tenth of a
        // unit's margin a day over the run.
        EXPECT_LT(half, 0.1 * days * parameters.price().toDouble());
        // Lost and leftover units per day lie within 0..40, so the spread of
        // their totals is at most 20 x days; 4.5 standard errors of that.
        const double unitsBound = 4.5 * 20 * days / rootN;
        EXPECT_NEAR(s.meanLostSales, e.run.unmet, unitsBound);
        EXPECT_NEAR(s.meanLeftover, e.run.leftover, unitsBound);
        EXPECT_NEAR(s.meanSales, e.run.sales, unitsBound);
        // A share of days has a spread of at most 1/2 per replication.
        EXPECT_NEAR(s.lossDayShare, e.lossDayShare, 4.5 * 0.5 / rootN);
        EXPECT_NEAR(s.fillRate, e.fillRate, 0.002);
    }
}

INSTANTIATE_TEST_SUITE_P(
    HundredThousand, ReplicationsAgree,
    ::testing::Values(AgreementCase{"Uniform", kUniform, "4.60", "2.20", "20", 1},
                      AgreementCase{"Textbook", kTextbook, "4.50", "2.20", "25", 2},
                      AgreementCase{"TwoPeaks", {5000, 0, 0, 0, 5000}, "4.30", "2.60", "10", 3},
                      AgreementCase{"PriceEqualsCost", kUniform, "2.20", "2.20", "15", 4}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

// --- Pairing -------------------------------------------------------------------

TEST(PairedReplications, PairedIntervalIsNarrowerOnCommonDemand) {
    // Average Annual Demand (48.5) and the fixed 50 both sell more on every
    // higher demand, so on common demand their totals rise and fall together
    // and their difference varies far less than either. Yesterday's Demand
    // shares the demand's swings with Average Annual Demand as well.
    const AnalysisParameters parameters = checkedAnalysis(kTextbook, "4.60", "2.20", "30");
    const auto summary = runReplications(parameters, options(2000, 11, 2));
    ASSERT_TRUE(summary.ok());
    for (const PairSummary &pair : summary->pairs) {
        SCOPED_TRACE(std::string(ruleName(pair.first)) + " - " +
                     std::string(ruleName(pair.second)));
        ASSERT_TRUE(pair.interval.has_value());
        ASSERT_TRUE(pair.independentInterval.has_value());
        EXPECT_LT(pair.interval->halfWidth(), pair.independentInterval->halfWidth());
        EXPECT_DOUBLE_EQ(pair.interval->low + pair.interval->high, 2 * pair.meanDifference);
        // The independent interval is what the two spreads alone would give.
        const double sa = summary->rule(pair.first).profitStandardDeviation;
        const double sb = summary->rule(pair.second).profitStandardDeviation;
        EXPECT_NEAR(pair.independentInterval->halfWidth(),
                    confidenceMultiplier(0.95, 2000) * std::sqrt((sa * sa + sb * sb) / 2000.0),
                    1e-9);
    }
    const PairSummary &annualFixed = summary->pairs[2];
    EXPECT_EQ(annualFixed.first, AnalysisRule::Annual);
    EXPECT_EQ(annualFixed.second, AnalysisRule::FixedFractile);
    EXPECT_LT(annualFixed.interval->halfWidth(),
              0.5 * annualFixed.independentInterval->halfWidth());
}

TEST(PairedReplications, DifferencesWinsAndTiesComeFromTheSameReplications) {
    const AnalysisParameters parameters = checkedAnalysis(kTextbook, "4.60", "2.20", "5");
    const auto summary = runReplications(parameters, options(3000, 5, 1));
    ASSERT_TRUE(summary.ok());
    for (std::size_t p = 0; p < kRulePairs; ++p) {
        const PairSummary &pair = summary->pairs[p];
        const auto &a = summary->rule(pair.first).totals;
        const auto &b = summary->rule(pair.second).totals;
        double difference = 0;
        std::int64_t wins = 0;
        std::int64_t ties = 0;
        for (std::size_t i = 0; i < a.size(); ++i) {
            difference += a[i].toDouble() - b[i].toDouble();
            wins += a[i] > b[i] ? 1 : 0;
            ties += a[i] == b[i] ? 1 : 0;
        }
        EXPECT_NEAR(pair.meanDifference, difference / 3000.0, 1e-9);
        EXPECT_DOUBLE_EQ(pair.firstWinShare, static_cast<double>(wins) / 3000.0);
        EXPECT_DOUBLE_EQ(pair.tieShare, static_cast<double>(ties) / 3000.0);
        EXPECT_NEAR(pair.meanDifference,
                    summary->rule(pair.first).meanProfit - summary->rule(pair.second).meanProfit,
                    1e-9);
    }
}

TEST(PairedReplications, IdenticalRulesTieEveryTime) {
    // Uniform demand at 4.60 / 2.20: the mean and the fixed order are both 50.
    const AnalysisParameters parameters = checkedAnalysis(kUniform, "4.60", "2.20", "10");
    const auto summary = runReplications(parameters, options(500, 9, 2));
    ASSERT_TRUE(summary.ok());
    const PairSummary &annualFixed = summary->pairs[2];
    EXPECT_DOUBLE_EQ(annualFixed.tieShare, 1.0);
    EXPECT_DOUBLE_EQ(annualFixed.firstWinShare, 0.0);
    EXPECT_DOUBLE_EQ(annualFixed.meanDifference, 0.0);
    EXPECT_EQ(annualFixed.interval, (Interval{0, 0}));
}

// --- Reproducibility ---------------------------------------------------------

TEST(ReplicationReproducibility, SameResultsForOneTwoAndThreeThreads) {
    // 5,000 replications: 40 blocks, the last one short.
    const AnalysisParameters parameters = checkedAnalysis(kTextbook, "4.60", "2.20", "40");
    const auto one = runReplications(parameters, options(5000, 77, 1));
    const auto two = runReplications(parameters, options(5000, 77, 2));
    const auto three = runReplications(parameters, options(5000, 77, 3));
    ASSERT_TRUE(one.ok() && two.ok() && three.ok());
    EXPECT_TRUE(*one == *two);
    EXPECT_TRUE(*one == *three);
    const auto otherSeed = runReplications(parameters, options(5000, 78, 2));
    ASSERT_TRUE(otherSeed.ok());
    EXPECT_FALSE(*one == *otherSeed);
}

TEST(ReplicationReproducibility, AReplicationDependsOnItsIndexNotOnTheCount) {
    const AnalysisParameters parameters = checkedAnalysis(kUniform, "4.60", "2.20", "12");
    const auto small = runReplications(parameters, options(300, 4, 2));
    const auto large = runReplications(parameters, options(1000, 4, 2));
    ASSERT_TRUE(small.ok() && large.ok());
    for (const AnalysisRule rule : kAllAnalysisRules) {
        const auto &a = small->rule(rule).totals;
        const auto &b = large->rule(rule).totals;
        ASSERT_EQ(a.size(), 300u);
        EXPECT_TRUE(std::equal(a.begin(), a.end(), b.begin()));
    }
}

TEST(ReplicationReproducibility, TotalsEqualTheDayByDayRunOfTheirStream) {
    // The replication loop and the day-by-day path (simulateDay on the same
    // stream) must agree to the ten-thousandth, for every rule.
    const AnalysisParameters parameters = checkedAnalysis(kTextbook, "4.50", "2.30", "60");
    const auto summary = runReplications(parameters, options(400, 21, 2));
    ASSERT_TRUE(summary.ok());
    for (const std::int64_t replication : {0, 1, 127, 128, 399}) {
        const ProfitPaths paths = profitPaths(parameters, 21, replication);
        for (const AnalysisRule rule : kAllAnalysisRules) {
            const std::vector<DayResult> &days = paths.days[ruleIndex(rule)];
            ASSERT_EQ(days.size(), 60u);
            EXPECT_EQ(days.back().cumulativeProfit,
                      summary->rule(rule).totals[static_cast<std::size_t>(replication)])
                << ruleName(rule) << ", replication " << replication;
        }
    }
}

// --- Replications and progress -------------------------------------------------

class RecordingProgress final : public AnalysisProgress {
public:
    explicit RecordingProgress(bool (*stopWhen)(std::int64_t, std::int64_t)) noexcept
        : m_stopWhen(stopWhen) {}
    bool report(std::int64_t done, std::int64_t total) noexcept override {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_calls.push_back({done, total});
        m_threads.push_back(std::this_thread::get_id());
        return m_stopWhen(done, total);
    }
    std::vector<std::pair<std::int64_t, std::int64_t>> m_calls;
    std::vector<std::thread::id> m_threads;

private:
    bool (*m_stopWhen)(std::int64_t, std::int64_t);
    std::mutex m_mutex;
};

TEST(ReplicationCount, OutsideOneToAMillionIsRefused) {
    const AnalysisParameters parameters = checkedAnalysis(kUniform, "4.60", "2.20", "1");
    for (const std::int64_t bad : {std::int64_t{0}, std::int64_t{-1}, std::int64_t{1'000'001},
                                   std::numeric_limits<std::int64_t>::min()}) {
        RecordingProgress progress([](std::int64_t, std::int64_t) { return false; });
        const auto summary = runReplications(parameters, options(bad, 1, 2), &progress);
        ASSERT_FALSE(summary.ok()) << bad;
        EXPECT_EQ(summary.error(), Refusal::ReplicationsOutOfRange);
        EXPECT_TRUE(progress.m_calls.empty());
    }
}

TEST(ReplicationCount, OneAndAMillionAreAccepted) {
    const AnalysisParameters parameters = checkedAnalysis(kUniform, "4.60", "2.20", "1");
    const auto one = runReplications(parameters, options(1, 1, 2));
    ASSERT_TRUE(one.ok());
    EXPECT_EQ(one->rule(AnalysisRule::Annual).totals.size(), 1u);
    EXPECT_FALSE(one->rule(AnalysisRule::Annual).profitInterval.has_value());
    EXPECT_FALSE(one->pairs[0].interval.has_value());

    const auto million = runReplications(parameters, options(1'000'000, 1, 2));
    ASSERT_TRUE(million.ok());
    EXPECT_EQ(million->rule(AnalysisRule::Yesterday).totals.size(), 1'000'000u);
    EXPECT_TRUE(million->rule(AnalysisRule::Yesterday).profitInterval.has_value());
}

TEST(ReplicationProgress, ReportsOnTheCallingThreadFromZeroToAll) {
    const AnalysisParameters parameters = checkedAnalysis(kUniform, "4.60", "2.20", "250");
    // Stopping on the last call changes nothing: the work is complete.
    RecordingProgress progress([](std::int64_t done, std::int64_t total) { return done == total; });
    const auto summary = runReplications(parameters, options(20'000, 3, 2), &progress);
    ASSERT_TRUE(summary.ok());
    ASSERT_GE(progress.m_calls.size(), 2u);
    EXPECT_EQ(progress.m_calls.front(), (std::pair<std::int64_t, std::int64_t>{0, 20'000}));
    EXPECT_EQ(progress.m_calls.back(), (std::pair<std::int64_t, std::int64_t>{20'000, 20'000}));
    for (std::size_t i = 1; i < progress.m_calls.size(); ++i) {
        EXPECT_LE(progress.m_calls[i - 1].first, progress.m_calls[i].first);
    }
    for (const std::thread::id id : progress.m_threads) {
        EXPECT_EQ(id, std::this_thread::get_id());
    }
}

TEST(ReplicationProgress, StopBeforeTheStartIsCancelled) {
    const AnalysisParameters parameters = checkedAnalysis(kUniform, "4.60", "2.20", "10");
    RecordingProgress progress([](std::int64_t, std::int64_t) { return true; });
    const auto summary = runReplications(parameters, options(1000, 3, 2), &progress);
    ASSERT_FALSE(summary.ok());
    EXPECT_EQ(summary.error(), Refusal::Cancelled);
    EXPECT_EQ(progress.m_calls.size(), 1u);
}

TEST(ReplicationProgress, StopMidwayIsCancelledNotPartial) {
    // A million replications of 250 days take far longer than one report
    // interval, so the first report after the start comes midway.
    const AnalysisParameters parameters = checkedAnalysis(kUniform, "4.60", "2.20", "250");
    RecordingProgress progress([](std::int64_t done, std::int64_t) { return done > 0; });
    const auto summary = runReplications(parameters, options(1'000'000, 3, 2), &progress);
    ASSERT_FALSE(summary.ok());
    EXPECT_EQ(summary.error(), Refusal::Cancelled);
    // Every call but the last saw nothing done; the last saw part of it.
    ASSERT_GE(progress.m_calls.size(), 2u);
    for (std::size_t i = 0; i + 1 < progress.m_calls.size(); ++i) {
        EXPECT_EQ(progress.m_calls[i].first, 0);
    }
    EXPECT_GT(progress.m_calls.back().first, 0);
    EXPECT_LT(progress.m_calls.back().first, 1'000'000);
}

// --- Histogram -------------------------------------------------------------------

ReplicationSummary summaryWithTotals(const std::vector<std::vector<std::int64_t>> &whole) {
    ReplicationSummary summary;
    for (std::size_t r = 0; r < kAnalysisRules; ++r) {
        for (const std::int64_t w : whole[r]) {
            summary.rules[r].totals.push_back(Currency::fromUnits(w * Currency::kUnitsPerWhole));
        }
    }
    return summary;
}

TEST(ProfitHistogram, BinsShareOneRangeAcrossRules) {
    // Range 0..4 in 4 bins of 1: a total on a lower edge belongs to that bin,
    // the highest total to the last bin.
    const ReplicationSummary summary = summaryWithTotals({{0, 1, 2, 3}, {4, 4, 2}, {1, 1, 1}});
    const Histogram h = profitHistogram(summary, 4);
    EXPECT_DOUBLE_EQ(h.low, 0);
    EXPECT_DOUBLE_EQ(h.high, 4);
    EXPECT_DOUBLE_EQ(h.binWidth(), 1);
    EXPECT_DOUBLE_EQ(h.binLow(3), 3);
    EXPECT_EQ(h.counts[0], (std::vector<std::int64_t>{1, 1, 1, 1}));
    EXPECT_EQ(h.counts[1], (std::vector<std::int64_t>{0, 0, 1, 2}));
    EXPECT_EQ(h.counts[2], (std::vector<std::int64_t>{0, 3, 0, 0}));
}

TEST(ProfitHistogram, EqualTotalsGetARangeOfOne) {
    const ReplicationSummary summary = summaryWithTotals({{120, 120}, {120}, {120}});
    const Histogram h = profitHistogram(summary, 3);
    EXPECT_DOUBLE_EQ(h.low, 119.5);
    EXPECT_DOUBLE_EQ(h.high, 120.5);
    EXPECT_EQ(h.counts[0], (std::vector<std::int64_t>{0, 2, 0}));
    EXPECT_EQ(profitHistogram(summary, 0).bins(), 0u);
}

TEST(ProfitHistogram, CountsEveryReplicationOfARealSummary) {
    const AnalysisParameters parameters = checkedAnalysis(kTextbook, "4.60", "2.20", "30");
    const auto summary = runReplications(parameters, options(2500, 8, 2));
    ASSERT_TRUE(summary.ok());
    const Histogram h = profitHistogram(*summary, 25);
    for (const auto &counts : h.counts) {
        std::int64_t sum = 0;
        for (const std::int64_t c : counts) {
            sum += c;
        }
        EXPECT_EQ(sum, 2500);
    }
}

// --- Single stream --------------------------------------------------------------

TEST(ProfitPaths, FollowTheRunOnOneStream) {
    // Draws 0.2 and 0.8 give demands 40 and 60 on the textbook distribution.
    // Yesterday's Demand at 4.50 / 2.20: 40 x 4.5 - 50 x 2.2 = 70, then
    // 40 x 4.5 - 40 x 2.2 = 92 (cumulative 162). Average Annual Demand orders
    // 48.5: 180 - 106.7 = 73.3, then 218.25 - 106.7 = 111.55. The fixed 50:
    // 180 - 110 = 70, then 225 - 110 = 115.
    const AnalysisParameters parameters = checkedAnalysis(kTextbook, "4.50", "2.20", "2");
    SequenceSource draws({0.2f, 0.8f});
    const ProfitPaths paths = profitPaths(parameters, draws);
    EXPECT_FALSE(draws.overrun());
    const auto money = [](double x) { return *Currency::fromDouble(x); };
    const auto &y = paths.days[ruleIndex(AnalysisRule::Yesterday)];
    const auto &a = paths.days[ruleIndex(AnalysisRule::Annual)];
    const auto &f = paths.days[ruleIndex(AnalysisRule::FixedFractile)];
    ASSERT_EQ(y.size(), 2u);
    EXPECT_EQ(y[0].order, money(50));
    EXPECT_EQ(y[1].order, money(40));
    EXPECT_EQ(y[1].demand, money(60));
    EXPECT_EQ(y[1].dailyProfit, money(92));
    EXPECT_EQ(y[1].cumulativeProfit, money(162));
    EXPECT_EQ(a[0].dailyProfit, money(73.3));
    EXPECT_EQ(a[1].cumulativeProfit, money(184.85));
    EXPECT_EQ(f[1].cumulativeProfit, money(185));
    EXPECT_EQ(f[1].day, 2);
}

}  // namespace
}  // namespace nv
