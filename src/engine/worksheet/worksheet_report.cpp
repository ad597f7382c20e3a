// The worksheet's reports: the blank sheet, the answer key and the marking.
#include "engine/worksheet/worksheet_report.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/analysis/report_inputs.h"

namespace nv {

namespace {

void addInputs(Report &report, const Worksheet &sheet) {
    const AnalysisParameters &p = sheet.plan().parameters();
    ReportGroup &inputs = addInputsSection(report, p, InputDays{p.days(), "Days on the sheet"});
    inputs.add("policy", "Order policy", ReportKind::Text,
               std::string(policyKey(sheet.plan().policy())));
    inputs.add("seed", "Seed of the random numbers", ReportKind::Count,
               sheet.seed() ? ReportScalar{*sheet.seed()} : ReportScalar{Absent{}});
}

ReportScalar numberOrAbsent(const IntervalTable &table, const std::optional<std::uint32_t> &n) {
    return n ? ReportScalar{table.numberText(*n)} : ReportScalar{Absent{}};
}

void addIntervals(ReportGroup &top, const IntervalTable &table) {
    std::vector<std::vector<ReportScalar>> rows;
    for (const IntervalRow &row : table.rows()) {
        rows.push_back({row.demand, row.frequency, row.cumulative, numberOrAbsent(table, row.first),
                        numberOrAbsent(table, row.last)});
    }
    top.addRecords("intervals", "Random-number intervals of the demand classes",
                   {{"demand", "Demand (units)", ReportKind::Units},
                    {"frequency", "Relative frequency", ReportKind::Ratio},
                    {"cumulative", "Cumulative frequency", ReportKind::Ratio},
                    {"first", "First random number", ReportKind::Text},
                    {"last", "Last random number", ReportKind::Text}},
                   std::move(rows));
}

void addDays(ReportGroup &top, const Worksheet &sheet, bool withAnswers) {
    std::vector<ReportColumn> columns = {{"day", "Day", ReportKind::Count},
                                         {"random_number", "Random number", ReportKind::Text}};
    for (const SheetColumn column : kSheetColumns) {
        columns.push_back({std::string(sheetColumnKey(column)),
                           std::string(sheetColumnLabel(column)),
                           isMoneyColumn(column) ? ReportKind::Money : ReportKind::Units});
    }
    std::vector<std::vector<ReportScalar>> rows;
    rows.reserve(sheet.days().size());
    for (const WorksheetDay &day : sheet.days()) {
        std::vector<ReportScalar> row;
        row.reserve(2 + kSheetColumns.size());
        row.emplace_back(std::int64_t{day.answer.day});
        row.emplace_back(sheet.plan().table().numberText(day.number));
        for (const SheetColumn column : kSheetColumns) {
            if (withAnswers) {
                row.emplace_back(sheetAnswer(day.answer, column));
            } else {
                row.emplace_back(Absent{});
            }
        }
        rows.push_back(std::move(row));
    }
    top.addRecords("days", withAnswers ? "Days with the answers" : "Days to fill in",
                   std::move(columns), std::move(rows));
}

}  // namespace

Report worksheetReport(const Worksheet &sheet, bool withAnswers) {
    Report report;
    report.title = withAnswers ? "Hand simulation: answer key" : "Hand simulation worksheet";
    addInputs(report, sheet);
    ReportGroup &top = report.addSection("", "").addGroup("", "");
    top.add("digits", "Digits of a random number", ReportKind::Count,
            std::int64_t{sheet.plan().table().digits()});
    addIntervals(top, sheet.plan().table());
    addDays(top, sheet, withAnswers);
    return report;
}

Report checkReport(const Worksheet &sheet, const SheetCheck &check) {
    Report report;
    report.title = "Hand simulation: marked worksheet";
    addInputs(report, sheet);
    ReportGroup &top = report.addSection("", "").addGroup("", "");
    top.add("right", "Cells right", ReportKind::Count, std::int64_t{check.right});
    top.add("total", "Cells marked", ReportKind::Count, std::int64_t{check.total});
    top.add("score", "Score (cells right / cells marked)", ReportKind::Share,
            check.total > 0
                ? reportNumber(static_cast<double>(check.right) / static_cast<double>(check.total))
                : ReportScalar{Absent{}});
    std::vector<std::vector<ReportScalar>> wrong;
    for (const SheetCell &cell : check.cells) {
        if (!cell.right) {
            wrong.push_back({std::int64_t{cell.day}, std::string(sheetColumnKey(cell.column)),
                             cell.written ? ReportScalar{*cell.written} : ReportScalar{Absent{}},
                             cell.answer});
        }
    }
    top.addRecords("wrong_cells", "Wrong cells",
                   {{"day", "Day", ReportKind::Count},
                    {"column", "Column", ReportKind::Text},
                    {"written", "Written by the student", ReportKind::Text},
                    {"right_value", "Right value (units; $ for the profits)", ReportKind::Units}},
                   std::move(wrong));
    return report;
}

}  // namespace nv
