// The long and the wide csv views of a report.
#include "io/report_csv.h"

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

#include "engine/analysis/report_text.h"
#include "support/csv.h"

namespace nv::io {

namespace {

// Where a value stands: the first three fields of its record, and its label.
struct Place {
    std::string_view section;
    std::string_view rule;
    std::string item;
    std::string label;
};

class LongCsv {
public:
    LongCsv() { record("section", "rule", "item", "value", "label"); }

    void value(const Place &place, const ReportScalar &scalar) {
        if (const auto *interval = std::get_if<Interval>(&scalar)) {
            record(place.section, place.rule, place.item + "_low",
                   reportPlainText(ReportScalar{interval->low}), place.label + " (low end)");
            record(place.section, place.rule, place.item + "_high",
                   reportPlainText(ReportScalar{interval->high}), place.label + " (high end)");
            return;
        }
        record(place.section, place.rule, place.item, reportPlainText(scalar), place.label);
    }

    void item(const Place &place, const ReportItem &item) {
        if (item.shape == ReportShape::Scalar) {
            value(place, item.value);
            return;
        }
        for (std::size_t r = 0; r < item.rows.size(); ++r) {
            const std::string row = std::to_string(r + 1);
            const auto &values = item.rows[r];
            for (std::size_t c = 0; c < values.size(); ++c) {
                const std::string column = std::to_string(c + 1);
                Place cell{place.section, place.rule, place.item, place.label};
                switch (item.shape) {
                    case ReportShape::List:
                        cell.item += "." + column;
                        cell.label += " (" + column + ")";
                        break;
                    case ReportShape::Matrix:
                        cell.item += "." + row + "." + column;
                        cell.label += " (row " + row + ", column " + column + ")";
                        break;
                    case ReportShape::Records:
                    case ReportShape::Scalar:
                        if (c >= item.columns.size()) {
                            continue;  // a value without a column is not written
                        }
                        cell.item += "." + row + "." + item.columns[c].key;
                        cell.label += " (row " + row + "): " + item.columns[c].label;
                        break;
                }
                value(cell, values[c]);
            }
        }
    }

    [[nodiscard]] std::string text() && { return std::move(m_text); }

private:
    void record(std::string_view section, std::string_view rule, std::string_view item,
                std::string_view value, std::string_view label) {
        const std::array<std::string, 5> fields = {std::string(section), std::string(rule),
                                                   std::string(item), std::string(value),
                                                   std::string(label)};
        appendCsvRecord(m_text, fields);
    }

    std::string m_text;
};

}  // namespace

std::string reportCsv(const Report &report) {
    LongCsv csv;
    for (const ReportSection &section : report.sections) {
        for (const ReportGroup &group : section.groups) {
            for (const ReportItem &item : group.items) {
                const std::string label =
                    group.key.empty() ? item.label : group.title + ": " + item.label;
                csv.item(Place{section.key, group.key, item.key, label}, item);
            }
        }
    }
    return std::move(csv).text();
}

std::string recordsCsv(const ReportItem &item) {
    const std::size_t columns = item.columns.size();
    std::vector<bool> interval(columns, false);
    for (const auto &row : item.rows) {
        for (std::size_t c = 0; c < columns && c < row.size(); ++c) {
            interval[c] = interval[c] || std::holds_alternative<Interval>(row[c]);
        }
    }
    std::string text;
    std::vector<std::string> fields;
    for (std::size_t c = 0; c < columns; ++c) {
        if (interval[c]) {
            fields.push_back(item.columns[c].key + "_low");
            fields.push_back(item.columns[c].key + "_high");
        } else {
            fields.push_back(item.columns[c].key);
        }
    }
    appendCsvRecord(text, fields);
    for (const auto &row : item.rows) {
        fields.clear();
        for (std::size_t c = 0; c < columns; ++c) {
            const ReportScalar value = c < row.size() ? row[c] : ReportScalar{Absent{}};
            if (const auto *ends = std::get_if<Interval>(&value)) {
                fields.push_back(reportPlainText(ReportScalar{ends->low}));
                fields.push_back(reportPlainText(ReportScalar{ends->high}));
            } else {
                fields.push_back(reportPlainText(value));
                if (interval[c]) {
                    fields.push_back(fields.back());  // a single value is both ends
                }
            }
        }
        appendCsvRecord(text, fields);
    }
    return text;
}

}  // namespace nv::io
