// Fuzzes the marking of a student's worksheet. The first byte of an input
// chooses the sheet (bit 0: Average Annual Demand instead of Yesterday's
// Demand; bit 1: frequencies, price and cost with four decimals, so the key
// has amounts between whole cents; bits 2-3: 1, 3 or 20 days); the rest is
// the student's CSV file, and also a teacher's random-numbers file.
//
// Checked:
//   - no crash, no sanitizer report, and marking twice gives the same marks;
//   - the CSV reader gives no more bytes than it was given, and what it reads,
//     written out by the CSV writer, reads back the same;
//   - every cell of the sheet is marked once, in order, with the key's value;
//     the score never exceeds the total, and the right cells are counted;
//   - a right cell has a written text that reads as a right amount; a missing
//     cell is never right; a kept text is at most kMaxWrittenBytes + "...";
//   - the marking's report lists as many wrong cells as the score misses,
//     each a day of the sheet and one of its five columns;
//   - the random-numbers reader gives only numbers of the sheet's digits, at
//     least one a day, or names a line that exists.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "engine/worksheet/random_numbers.h"
#include "engine/worksheet/sheet_check.h"
#include "engine/worksheet/worksheet.h"
#include "engine/worksheet/worksheet_report.h"
#include "support/csv.h"

namespace {

void check(bool condition, const char *what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz_worksheet_check: %s\n", what);
        std::abort();
    }
}

nv::Worksheet sheetFor(std::uint8_t selector) {
    static const std::int64_t kCents[5] = {1500, 2500, 3000, 2000, 1000};
    static const std::int64_t kFine[5] = {1234, 2000, 3000, 2766, 1000};
    const bool fine = (selector & 2) != 0;
    nv::WorksheetInputs inputs;
    for (std::size_t cls = 0; cls < 5; ++cls) {
        inputs.run.distribution.setFrequency(
            cls, nv::Currency::fromUnits(fine ? kFine[cls] : kCents[cls]));
    }
    inputs.run.priceText = fine ? "4.6025" : "4.60";
    inputs.run.costText = fine ? "2.2013" : "2.20";
    inputs.run.annualSelected = (selector & 1) != 0;
    inputs.run.yesterdaySelected = !inputs.run.annualSelected;
    static const std::int32_t kDays[4] = {1, 3, 20, 20};
    inputs.days = kDays[(selector >> 2) & 3];
    const auto plan = nv::WorksheetPlan::fromInputs(inputs);
    check(plan.ok(), "the fuzzed sheets are valid");
    return nv::Worksheet::fromSeed(*plan, selector);
}

void checkCsvReader(std::string_view text) {
    const std::vector<nv::CsvRecord> records = nv::readCsv(text);
    std::size_t bytes = 0;
    for (const nv::CsvRecord &record : records) {
        check(!record.empty(), "a record has a field");
        for (const std::string &field : record) {
            bytes += field.size();
        }
    }
    check(bytes <= text.size(), "the reader invents no bytes");
    // A first field that itself starts with a byte-order mark would lose it.
    if (!records.empty() && !records[0][0].starts_with("\xEF\xBB\xBF")) {
        check(nv::readCsv(nv::csvText(records)) == records, "written records read back");
    }
}

void checkMarks(const nv::Worksheet &sheet, const nv::SheetCheck &marks) {
    const auto days = static_cast<std::size_t>(sheet.plan().days());
    check(marks.total == static_cast<std::int32_t>(days * nv::kSheetColumns.size()),
          "five cells a day");
    check(marks.cells.size() == static_cast<std::size_t>(marks.total), "every cell marked");
    check(marks.right >= 0 && marks.right <= marks.total, "score within the total");
    std::int32_t right = 0;
    for (std::size_t i = 0; i < marks.cells.size(); ++i) {
        const nv::SheetCell &cell = marks.cells[i];
        const nv::WorksheetDay &day = sheet.days()[i / nv::kSheetColumns.size()];
        check(cell.day == day.answer.day, "cells in day order");
        check(cell.column == nv::kSheetColumns[i % nv::kSheetColumns.size()], "column order");
        check(cell.answer == nv::sheetAnswer(day.answer, cell.column), "the key's value");
        check(!cell.written || cell.written->size() <= nv::kMaxWrittenBytes + 3, "kept short");
        if (cell.right) {
            ++right;
            check(cell.written.has_value(), "a missing cell is wrong");
            if (cell.written->size() <= nv::kMaxWrittenBytes) {
                const auto value = nv::readSheetAmount(*cell.written);
                check(value && nv::isRightAnswer(cell.column, *value, cell.answer),
                      "a right cell reads right");
            }
        }
    }
    check(right == marks.right, "the right cells are counted");

    const nv::Report report = nv::checkReport(sheet, marks);
    const nv::ReportItem *wrong = report.find("", "", "wrong_cells");
    check(wrong != nullptr, "the report lists the wrong cells");
    check(wrong->rows.size() == static_cast<std::size_t>(marks.total - marks.right),
          "one row a wrong cell");
    for (const auto &row : wrong->rows) {
        const auto *day = std::get_if<std::int64_t>(&row[0]);
        const auto *column = std::get_if<std::string>(&row[1]);
        check(day != nullptr && *day >= 1 && *day <= static_cast<std::int64_t>(days),
              "a wrong cell is a day of the sheet");
        bool known = false;
        for (const nv::SheetColumn c : nv::kSheetColumns) {
            known = known || (column != nullptr && *column == nv::sheetColumnKey(c));
        }
        check(known, "a wrong cell is one of the five columns");
    }
}

void checkNumbersReader(const nv::Worksheet &sheet, std::string_view text) {
    const nv::IntervalTable &table = sheet.plan().table();
    const auto read = nv::readRandomNumbers(text, table.digits(), sheet.plan().days());
    if (read) {
        for (const std::uint32_t number : *read) {
            check(number < table.numberCount(), "a number of the sheet's digits");
        }
        check(nv::Worksheet::fromNumbers(sheet.plan(), *read).has_value(), "enough numbers");
        return;
    }
    const nv::RandomNumbersError &error = read.error();
    if (error.kind == nv::RandomNumbersError::Kind::NotANumber) {
        check(error.line >= 1 && error.line <= text.size() + 1, "the line exists");
    } else {
        check(error.numbers < static_cast<std::size_t>(sheet.plan().days()), "too few indeed");
    }
    check(!nv::randomNumbersMessage(error).empty(), "a message");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    static const std::vector<nv::Worksheet> sheets = [] {
        std::vector<nv::Worksheet> all;
        for (unsigned selector = 0; selector < 16; ++selector) {
            all.push_back(sheetFor(static_cast<std::uint8_t>(selector)));
        }
        return all;
    }();
    const nv::Worksheet &sheet = sheets[data[0] & 15];
    const std::string_view text(reinterpret_cast<const char *>(data + 1), size - 1);

    checkCsvReader(text);
    const nv::SheetCheck marks = nv::checkSheet(sheet, text);
    checkMarks(sheet, marks);
    const nv::SheetCheck again = nv::checkSheet(sheet, text);
    check(again.cells == marks.cells && again.right == marks.right, "the same marks twice");
    checkNumbersReader(sheet, text);
    return 0;
}
