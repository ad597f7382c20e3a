#include "runner/analysis_output.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "runner/runner_output.h"
#include "support/utf8.h"
#include "support/csv.h"
#include "support/number_format.h"

namespace nv::runner {

namespace {

// ---- One list of values for csv and json -------------------------------------------

struct Null {};
using Value = std::variant<Null, bool, double, std::int64_t, std::uint64_t, Currency, std::string,
                           std::optional<Interval>>;

struct Record {
    std::string_view section;  // inputs, expected, simulated, pairs
    std::string group;         // a rule or pair key; empty: directly in the section
    std::string item;
    Value value;
    std::string label;
};

constexpr std::array<std::string_view, kDemandClasses> kFrequencyItems = {
    "frequency_30", "frequency_40", "frequency_50", "frequency_60", "frequency_70"};

std::string pairKey(const PairSummary &pair) {
    return std::string(ruleKey(pair.first)) + "_" + std::string(ruleKey(pair.second));
}

std::string pairName(const PairSummary &pair) {
    return std::string(ruleName(pair.first)) + " - " + std::string(ruleName(pair.second));
}

void addExpected(std::vector<Record> &records, std::string_view key, std::string_view name,
                 const RuleExpectation &e, Value orderQuantity, double days) {
    const std::string group(key);
    const std::string who(name);
    const auto add = [&](std::string item, Value value, std::string label) {
        records.push_back({"expected", group, std::move(item), value, who + ": " + label});
    };
    add("name", std::string(name), "name");
    add("order_quantity", orderQuantity, "order every day, units");
    add("daily_demand", e.run.demand / days, "expected demand per day, units");
    add("daily_order", e.run.order / days, "expected order per day, units");
    add("daily_sales", e.run.sales / days, "expected sales per day, units");
    add("daily_leftover", e.run.leftover / days, "expected leftover per day, units");
    add("daily_unmet", e.run.unmet / days, "expected unmet demand per day, units");
    add("daily_profit", e.run.profit / days, "expected profit per day");
    add("total_profit", e.run.profit, "expected total profit over the run");
    add("fill_rate", e.fillRate, "expected fill rate (sales / demand)");
    add("loss_day_share", e.lossDayShare, "expected share of days with a loss");
}

std::vector<Record> records(const AnalysisReport &report) {
    const AnalysisParameters &p = report.parameters;
    const Expectations &e = report.expectations;
    const ReplicationSummary &s = report.summary;
    const double days = static_cast<double>(p.days());
    std::vector<Record> list;
    // A standard deviation is unknown, not 0, for a single replication.
    const auto spread = [&](double sd) -> Value {
        return s.replications < 2 ? Value{Null{}} : Value{sd};
    };

    const auto input = [&](std::string item, Value value, std::string label) {
        list.push_back({"inputs", "", std::move(item), value, std::move(label)});
    };
    input("days", std::int64_t{p.days()}, "Number of Runs (days)");
    input("price", p.price(), "Price");
    input("cost", p.cost(), "Cost");
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        input(std::string(kFrequencyItems[cls]),
              p.distribution().frequency(cls).value_or(Currency{}),
              "Relative frequency, demand " + std::to_string(kClassDemand[cls]));
    }
    input("mean_demand", p.meanDemand(), "Mean daily demand, units");
    input("critical_ratio", p.criticalRatio(), "Critical ratio, (price - cost) / price");
    input("checked_policy", std::string(report.checkedPolicy),
          "Order policy the inputs were checked with");
    input("seed", s.seed, "Seed of the replications");
    input("seed_from_clock", report.seedFromClock, "Whether the seed was taken from the clock");
    input("replications", s.replications, "Replications");

    for (const AnalysisRule rule : kAllAnalysisRules) {
        Value quantity = Null{};
        if (rule == AnalysisRule::Annual) {
            quantity = p.meanDemand();
        } else if (rule == AnalysisRule::FixedFractile) {
            quantity = p.fixedOrder();
        }
        addExpected(list, ruleKey(rule), ruleName(rule), e.rule(rule), quantity, days);
    }
    addExpected(list, kPerfectInformationKey, kPerfectInformationName, e.perfectInformation, Null{},
                days);
    list.push_back({"expected", "", "value_of_information", e.valueOfInformation(),
                    "Value of information: perfect information less the best fixed order, "
                    "over the run"});

    for (const AnalysisRule rule : kAllAnalysisRules) {
        const RuleSummary &r = s.rule(rule);
        const std::string group(ruleKey(rule));
        const std::string who(ruleName(rule));
        const auto add = [&](std::string item, Value value, std::string label) {
            list.push_back({"simulated", group, std::move(item), value, who + ": " + label});
        };
        add("name", std::string(ruleName(rule)), "name");
        add("mean_total_profit", r.meanProfit, "mean total profit");
        add("sd_total_profit", spread(r.profitStandardDeviation),
            "standard deviation of total profit");
        add("total_profit_ci95", r.profitInterval, "95% interval of the mean total profit");
        add("mean_daily_demand", (r.meanSales + r.meanLostSales) / days,
            "mean demand per day, units");
        add("mean_sales", r.meanSales, "mean units sold per run");
        add("mean_lost_sales", r.meanLostSales, "mean unmet demand per run, units");
        add("mean_leftover", r.meanLeftover, "mean leftover per run, units");
        add("fill_rate", r.fillRate, "fill rate (units sold / units demanded)");
        add("loss_day_share", r.lossDayShare, "share of days with a loss");
    }

    for (const PairSummary &pair : s.pairs) {
        const std::string group = pairKey(pair);
        const std::string who = pairName(pair);
        const auto add = [&](std::string item, Value value, std::string label) {
            list.push_back({"pairs", group, std::move(item), value, who + ": " + label});
        };
        add("name", who, "name");
        add("first", std::string(ruleKey(pair.first)), "first rule");
        add("second", std::string(ruleKey(pair.second)), "second rule");
        add("mean_difference", pair.meanDifference, "mean difference in total profit");
        add("sd_difference", spread(pair.differenceStandardDeviation),
            "standard deviation of the difference");
        add("difference_ci95", pair.interval, "paired 95% interval of the mean difference");
        add("independent_ci95", pair.independentInterval,
            "95% interval two independent samples would give");
        add("first_win_share", pair.firstWinShare, "share of replications the first rule wins");
        add("tie_share", pair.tieShare, "share of replications with equal totals");
        add("second_win_share", std::max(0.0, 1.0 - pair.firstWinShare - pair.tieShare),
            "share of replications the second rule wins");
    }
    return list;
}

template <class Integer>
std::string integerText(Integer value) {
    std::array<char, 24> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

// The value's text for csv (nullopt: an empty field) or json.
std::string jsonValue(const Value &value) {
    return std::visit(
        [](const auto &v) -> std::string {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, Null>) {
                return "null";
            } else if constexpr (std::is_same_v<T, bool>) {
                return v ? "true" : "false";
            } else if constexpr (std::is_same_v<T, double>) {
                return jsonNumber(v);
            } else if constexpr (std::is_same_v<T, Currency>) {
                return exactDecimal(v);
            } else if constexpr (std::is_same_v<T, std::string>) {
                return jsonString(v);
            } else if constexpr (std::is_same_v<T, std::optional<Interval>>) {
                if (!v) {
                    return "null";
                }
                return "{\"low\": " + jsonNumber(v->low) + ", \"high\": " + jsonNumber(v->high) +
                       "}";
            } else {
                return integerText(v);
            }
        },
        value);
}

std::string csvScalar(const Value &value) {
    if (const auto *text = std::get_if<std::string>(&value)) {
        return csvField(*text);
    }
    const std::string json = jsonValue(value);
    return json == "null" ? std::string() : json;
}

void writeCsv(const std::vector<Record> &list, std::ostream &out) {
    out << "section,rule,item,value,label\r\n";
    const auto line = [&](const Record &r, std::string_view item, const std::string &value,
                          std::string_view label) {
        out << csvField(r.section) << ',' << csvField(r.group) << ',' << csvField(item) << ','
            << value << ',' << csvField(label) << "\r\n";
    };
    for (const Record &r : list) {
        if (const auto *interval = std::get_if<std::optional<Interval>>(&r.value)) {
            line(r, r.item + "_low", *interval ? jsonNumber((*interval)->low) : std::string(),
                 r.label + " (low end)");
            line(r, r.item + "_high", *interval ? jsonNumber((*interval)->high) : std::string(),
                 r.label + " (high end)");
        } else {
            line(r, r.item, csvScalar(r.value), r.label);
        }
    }
}

void writeJson(const std::vector<Record> &list, std::ostream &out) {
    out << "{\n  \"format_version\": " << kAnalysisFormatVersion;
    std::string_view section;
    std::string group;
    bool inGroup = false;
    bool firstInObject = false;
    const auto closeGroup = [&] {
        if (inGroup) {
            out << "\n    }";
            inGroup = false;
        }
    };
    for (const Record &r : list) {
        if (r.section != section) {
            closeGroup();
            if (!section.empty()) {
                out << "\n  }";
            }
            section = r.section;
            group.clear();
            out << ",\n  " << jsonString(section) << ": {";
            firstInObject = true;
        }
        if (r.group != group) {
            closeGroup();
            group = r.group;
            if (!group.empty()) {
                out << (firstInObject ? "\n    " : ",\n    ") << jsonString(group) << ": {";
                inGroup = true;
                firstInObject = true;
            }
        }
        out << (firstInObject ? "\n" : ",\n") << (inGroup ? "      " : "    ") << jsonString(r.item)
            << ": " << jsonValue(r.value);
        firstInObject = false;
    }
    closeGroup();
    if (!section.empty()) {
        out << "\n  }";
    }
    out << "\n}\n";
}

// ---- The table for a person --------------------------------------------------------

using Row = std::vector<std::string>;

// Columns two spaces apart, each line indented by two spaces: the first
// `leftColumns` left-aligned, the others right-aligned.
void writeColumns(const std::vector<Row> &rows, std::ostream &out, std::size_t leftColumns = 1) {
    std::vector<std::size_t> widths;
    for (const Row &row : rows) {
        widths.resize(std::max(widths.size(), row.size()), 0);
        for (std::size_t c = 0; c < row.size(); ++c) {
            widths[c] = std::max(widths[c], codePointCount(row[c]));
        }
    }
    for (const Row &row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            const std::string padding(widths[c] - codePointCount(row[c]), ' ');
            line += "  ";
            line += c < leftColumns ? row[c] + padding : padding + row[c];
        }
        while (!line.empty() && line.back() == ' ') {
            line.pop_back();
        }
        out << line << '\n';
    }
}

std::string money(double value) {
    return fixedDecimal(value, 2);
}

// A price or cost: at least two decimals, all four when they are needed.
std::string amount(Currency value) {
    std::string text = exactDecimal(value);
    const std::size_t point = text.find('.');
    if (point == std::string::npos) {
        return text + ".00";
    }
    if (text.size() - point < 3) {
        text += '0';
    }
    return text;
}

std::string percent(double share) {
    return fixedDecimal(share * 100.0, 1) + "%";
}

std::string intervalText(const std::optional<Interval> &interval) {
    if (!interval) {
        return "-";
    }
    return money(interval->low) + " to " + money(interval->high);
}

void writeTable(const AnalysisReport &report, std::ostream &out) {
    const AnalysisParameters &p = report.parameters;
    const Expectations &e = report.expectations;
    const ReplicationSummary &s = report.summary;
    const double days = static_cast<double>(p.days());

    out << "Comparing the ordering rules\n\nInputs\n";
    std::string frequencies;
    for (std::size_t cls = 0; cls < kDemandClasses; ++cls) {
        frequencies += (cls > 0 ? "  " : "") + std::to_string(kClassDemand[cls]) + ": " +
                       exactDecimal(p.distribution().frequency(cls).value_or(Currency{}));
    }
    const std::string_view checked = report.checkedPolicy == ruleKey(AnalysisRule::Annual)
                                         ? ruleName(AnalysisRule::Annual)
                                         : ruleName(AnalysisRule::Yesterday);
    writeColumns(
        {{"Days", integerText(std::int64_t{p.days()})},
         {"Price", amount(p.price())},
         {"Cost", amount(p.cost())},
         {"Relative frequencies", frequencies},
         {"Mean daily demand", exactDecimal(p.meanDemand())},
         {"Critical ratio", fixedDecimal(p.criticalRatio(), 4) + "  ((price - cost) / price)"},
         {"Checked as for", std::string(checked)},
         {"Seed", integerText(s.seed) + (report.seedFromClock ? "  (from the clock)" : "")},
         {"Replications", integerText(s.replications)}},
        out, 2);

    out << "\nExact expectations (units and profit per day, averaged over the run)\n";
    std::vector<Row> expected = {{"Rule", "Demand", "Order", "Sales", "Leftover", "Unmet", "Profit",
                                  "Total profit", "Fill rate", "Loss days"}};
    const auto expectedRow = [&](std::string name, const RuleExpectation &r) {
        expected.push_back({std::move(name), money(r.run.demand / days), money(r.run.order / days),
                            money(r.run.sales / days), money(r.run.leftover / days),
                            money(r.run.unmet / days), money(r.run.profit / days),
                            money(r.run.profit), percent(r.fillRate), percent(r.lossDayShare)});
    };
    for (const AnalysisRule rule : kAllAnalysisRules) {
        std::string name(ruleName(rule));
        if (rule == AnalysisRule::FixedFractile) {
            name += " (" + exactDecimal(p.fixedOrder()) + " units)";
        }
        expectedRow(std::move(name), e.rule(rule));
    }
    expectedRow(std::string(kPerfectInformationName), e.perfectInformation);
    writeColumns(expected, out);
    out << "  Value of knowing each day's demand (Perfect Information less Best Fixed Order,\n"
           "  over the run): "
        << money(e.valueOfInformation()) << '\n';

    out << "\nReplications: " << integerText(s.replications)
        << (s.replications == 1 ? " run of " : " runs of ") << integerText(s.days)
        << " days, every rule on the same demands (total profit and units per run)\n";
    std::vector<Row> simulated = {{"Rule", "Mean profit", "SD", "95% interval", "Demand/day",
                                   "Lost sales", "Leftover", "Fill rate", "Loss days"}};
    for (const AnalysisRule rule : kAllAnalysisRules) {
        const RuleSummary &r = s.rule(rule);
        simulated.push_back({std::string(ruleName(rule)), money(r.meanProfit),
                             s.replications < 2 ? "-" : money(r.profitStandardDeviation),
                             intervalText(r.profitInterval),
                             money((r.meanSales + r.meanLostSales) / days), money(r.meanLostSales),
                             money(r.meanLeftover), percent(r.fillRate), percent(r.lossDayShare)});
    }
    writeColumns(simulated, out);

    out << "\nDifferences in total profit (first - second, paired on the same demands)\n";
    std::vector<Row> pairs = {
        {"Pair", "Mean difference", "Paired 95% interval", "First wins", "Ties"}};
    for (const PairSummary &pair : s.pairs) {
        pairs.push_back({pairName(pair), money(pair.meanDifference), intervalText(pair.interval),
                         percent(pair.firstWinShare), percent(pair.tieShare)});
    }
    writeColumns(pairs, out);
}

}  // namespace

void writeAnalysis(const AnalysisReport &report, AnalysisFormat format, std::ostream &out) {
    switch (format) {
        case AnalysisFormat::Table:
            writeTable(report, out);
            return;
        case AnalysisFormat::Csv:
            writeCsv(records(report), out);
            return;
        case AnalysisFormat::Json:
            writeJson(records(report), out);
            return;
    }
}

std::string jsonNumber(double value) {
    return std::isfinite(value) ? shortestDecimal(value) : "null";
}

std::string jsonString(std::string_view text) {
    constexpr std::string_view kHex = "0123456789abcdef";
    std::string json = "\"";
    while (!text.empty()) {
        const auto byte = static_cast<unsigned char>(text.front());
        if (byte >= 0x80) {
            const std::size_t length = utf8SequenceLength(text);
            if (length == 0) {
                json += "\\ufffd";
                text.remove_prefix(1);
            } else {
                json.append(text.substr(0, length));
                text.remove_prefix(length);
            }
            continue;
        }
        text.remove_prefix(1);
        switch (byte) {
            case '"':
                json += "\\\"";
                break;
            case '\\':
                json += "\\\\";
                break;
            case '\b':
                json += "\\b";
                break;
            case '\f':
                json += "\\f";
                break;
            case '\n':
                json += "\\n";
                break;
            case '\r':
                json += "\\r";
                break;
            case '\t':
                json += "\\t";
                break;
            default:
                if (byte < 0x20) {
                    json += "\\u00";
                    json += kHex[byte >> 4];
                    json += kHex[byte & 0xF];
                } else {
                    json += static_cast<char>(byte);
                }
                break;
        }
    }
    json += '"';
    return json;
}

}  // namespace nv::runner
