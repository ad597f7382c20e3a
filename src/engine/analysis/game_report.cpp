// A game's debrief as a report, and its findings in words.
#include "engine/analysis/game_report.h"

#include <cmath>
#include <cstddef>
#include <string>

#include "engine/analysis/report_inputs.h"
#include "engine/analysis/report_text.h"

namespace nv {

namespace {

// Figures inside sentences: digit groups, dollars, the separators of
// `locale` (a window's, so that they read as its tables do).
class SentenceNumbers {
public:
    explicit SentenceNumbers(const NumberLocale &locale) : m_style{locale, true, true, "-", 2} {}

    [[nodiscard]] std::string money(double amount) const {
        return reportText(reportNumber(amount), ReportKind::Money, m_style);
    }
    [[nodiscard]] std::string money(Currency amount) const { return money(amount.toDouble()); }
    [[nodiscard]] std::string money(const ExactDecimal &amount) const {
        return reportText(amount, ReportKind::Money, m_style);
    }
    // Units with at most one decimal, ungrouped: 53, 57.5, 1000.
    [[nodiscard]] std::string units(double value) const {
        const double tenths = std::round(value * 10.0);
        return withDecimalSeparator(
            exactDecimal(Currency::fromUnits(static_cast<std::int64_t>(tenths) * 1000)));
    }
    [[nodiscard]] std::string ratio(double value) const {
        return withDecimalSeparator(fixedDecimal(value, 2));
    }

private:
    [[nodiscard]] std::string withDecimalSeparator(std::string text) const {
        const std::size_t point = text.find('.');
        if (point != std::string::npos) {
            text.replace(point, 1, m_style.locale.decimalSeparator);
        }
        return text;
    }

    ReportTextStyle m_style;
};

void addInputs(Report &report, const AnalysisParameters &p, const Debrief &d,
               const DebriefInputs &extra) {
    ReportGroup &inputs = addInputsSection(
        report, p, InputDays{static_cast<std::int64_t>(d.days.size()), "Days played"});
    addCriticalRatio(inputs, p.criticalRatio());
    addCheckedPolicy(inputs, extra.checkedPolicy);
    inputs.add("seed", "Seed of the demands", ReportKind::Count, extra.seed);
}

void addDays(Report &report, const Debrief &d) {
    std::vector<std::vector<ReportScalar>> rows;
    for (std::size_t t = 0; t < d.days.size(); ++t) {
        const DayResult &day = d.days[t];
        rows.push_back({std::int64_t{day.day}, day.order, day.demand, day.sales, d.leftover[t],
                        d.unmet[t], day.dailyProfit, day.cumulativeProfit});
    }
    report.addSection("", "Your days")
        .addGroup("", "")
        .addRecords("days", "Your days",
                    {{"day", "Day", ReportKind::Count},
                     {"order", "Order (units)", ReportKind::Units},
                     {"demand", "Demand (units)", ReportKind::Units},
                     {"sales", "Sales (units)", ReportKind::Units},
                     {"leftover", "Leftover (units)", ReportKind::Units},
                     {"unmet", "Unmet demand (units)", ReportKind::Units},
                     {"daily_profit", "Daily profit ($)", ReportKind::Money},
                     {"cumulative_profit", "Cumulative profit ($)", ReportKind::Money}},
                    std::move(rows));
}

ReportScalar optionalNumber(const std::optional<double> &value) {
    return value ? reportNumber(*value) : ReportScalar{Absent{}};
}

}  // namespace

std::vector<std::string> debriefFindings(const Debrief &d, const NumberLocale &locale) {
    const SentenceNumbers numbers(locale);
    const auto money = [&](auto amount) { return numbers.money(amount); };
    const auto units = [&](double value) { return numbers.units(value); };
    std::vector<std::string> findings;
    const std::size_t days = d.days.size();
    if (days == 0) {
        findings.emplace_back("No day has been played yet.");
        return findings;
    }
    std::string earned = "You earned " + money(d.playerTotal) + " in " + std::to_string(days) +
                         (days == 1 ? " day" : " days");
    if (d.shareOfPerfect) {
        earned += ", " + units(*d.shareOfPerfect * 100.0) + "% of the " + money(d.perfectTotal) +
                  " that knowing each demand in advance would have earned";
    }
    findings.push_back(earned + ".");
    const bool lucky = d.luck >= ExactDecimal{};
    findings.push_back("Your orders were expected to earn " + money(d.expectedTotal) +
                       "; the demands you met made " +
                       money(lucky ? d.luck : ExactDecimal{} - d.luck) +
                       (lucky ? " more" : " less") + " than that, which was luck.");
    findings.push_back("On the same days Yesterday's Demand earned " + money(d.yesterdayTotal) +
                       ", Average Annual Demand " + money(d.annualTotal) +
                       " and a fixed order of " + units(d.bestOrder.toDouble()) + " units " +
                       money(d.bestTotal) + ".");
    findings.push_back("You ordered on average " + units(d.meanOrder) +
                       " units; the best order is " + units(d.bestOrder.toDouble()) +
                       " and the mean demand " + units(d.meanDemand.toDouble()) + ".");
    if (d.chaseCorrelation) {
        const std::string r = numbers.ratio(*d.chaseCorrelation);
        findings.push_back(
            *d.chaseCorrelation >= 0.5
                ? "Your orders followed the day before's demand (correlation " + r +
                      "): with demands that do not depend on each other, chasing them costs "
                      "profit."
                : "Your orders did not follow the day before's demand much (correlation " + r +
                      ").");
    }
    findings.push_back("On " + std::to_string(d.daysAboveBest) + " of " + std::to_string(days) +
                       " days you ordered more than the best order.");
    return findings;
}

Report debriefReport(const AnalysisParameters &parameters, const Debrief &d,
                     const DebriefInputs &extra) {
    Report report;
    report.title = "Debrief of your game";
    addInputs(report, parameters, d, extra);
    addDays(report, d);

    ReportGroup &player = report.addSection("player", "You").addGroup("", "");
    player.add("total_profit", "Your total profit ($)", ReportKind::Money, d.playerTotal);
    player.add("expected_total_profit", "Expected total profit of your orders ($)",
               ReportKind::Money, d.expectedTotal);
    player.add("luck", "Luck: total profit less its expectation ($)", ReportKind::Money, d.luck);
    player.add("share_of_perfect", "Share of what perfect information earned", ReportKind::Share,
               optionalNumber(d.shareOfPerfect));
    player.add("mean_order", "Mean order (units)", ReportKind::Units, d.meanOrder);
    player.add("chase_correlation", "Correlation of each order with the day before's demand",
               ReportKind::Ratio, optionalNumber(d.chaseCorrelation));
    player.add("days_above_best", "Days ordered above the best order", ReportKind::Count,
               std::int64_t{d.daysAboveBest});

    ReportGroup &rules = report.addSection("rules", "The rules on the same days").addGroup("", "");
    rules.add("yesterday", "Yesterday's Demand: total profit ($)", ReportKind::Money,
              d.yesterdayTotal);
    rules.add("annual", "Average Annual Demand: total profit ($)", ReportKind::Money,
              d.annualTotal);
    rules.add("best", "Best fixed order: total profit ($)", ReportKind::Money, d.bestTotal);
    rules.add("perfect", "Perfect information: total profit ($)", ReportKind::Money,
              d.perfectTotal);

    ReportGroup &summary = report.addSection("", "Summary").addGroup("", "");
    summary.add("best_order", "Best order (units)", ReportKind::Units, d.bestOrder);
    summary.add("mean_demand", "Mean daily demand (units)", ReportKind::Units, d.meanDemand);
    std::vector<ReportScalar> sentences;
    for (std::string &finding : debriefFindings(d)) {
        sentences.emplace_back(std::move(finding));
    }
    summary.addList("findings", "Findings", ReportKind::Text, std::move(sentences));
    return report;
}

}  // namespace nv
