// Reading a student's cells and marking them against the key.
#include "engine/worksheet/sheet_check.h"

#include <cstddef>

#include "support/csv.h"
#include "support/lines.h"

namespace nv {

namespace {

constexpr std::size_t kDayField = 0;  // field slots: day, then the five columns
constexpr std::size_t kFields = 1 + kSheetColumns.size();
constexpr std::size_t kNoField = static_cast<std::size_t>(-1);

// The field separator of a student's text: ';' (the export of a spreadsheet
// that writes a decimal comma) or a tab (cells copied from a spreadsheet)
// when the first line with anything but blanks and separators holds more
// of it than commas, outside quotes; else ','.
char separatorOf(std::string_view text) noexcept {
    std::size_t commas = 0;
    std::size_t semicolons = 0;
    std::size_t tabs = 0;
    bool quoted = false;
    bool content = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
            content = true;
        } else if (quoted) {
            continue;
        } else if (c == '\n' || c == '\r') {
            if (content) {
                break;
            }
            commas = semicolons = tabs = 0;
        } else {
            commas += c == ',' ? 1 : 0;
            semicolons += c == ';' ? 1 : 0;
            tabs += c == '\t' ? 1 : 0;
            content = content || (c != ',' && c != ';' && !isBlank(c));
        }
    }
    if (semicolons > commas && semicolons >= tabs) {
        return ';';
    }
    return tabs > commas && tabs > semicolons ? '\t' : ',';
}

// The records of a student's text, its fields split at its separator.
std::vector<CsvRecord> readRecords(std::string_view text) {
    const char separator = separatorOf(text);
    if (separator == ',') {
        return readCsv(text);
    }
    // Read as CSV with the separator made a comma and the commas outside
    // quotes set aside, then put back.
    constexpr char kSetAside = '\x1F';
    std::string swapped;
    swapped.reserve(text.size());
    bool quoted = false;
    for (const char c : text) {
        quoted = c == '"' ? !quoted : quoted;
        swapped += quoted || (c != separator && c != ',') ? c : c == ',' ? kSetAside : ',';
    }
    std::vector<CsvRecord> records = readCsv(swapped);
    for (CsvRecord &record : records) {
        for (std::string &field : record) {
            for (char &c : field) {
                c = c == kSetAside ? ',' : c;
            }
        }
    }
    return records;
}

std::string headerName(std::string_view field) {
    std::string name;
    for (const char c : trimmedBlanks(field)) {
        if (c == ' ' || c == '-') {
            name += '_';
        } else if (c >= 'A' && c <= 'Z') {
            name += static_cast<char>(c - 'A' + 'a');
        } else {
            name += c;
        }
    }
    return name;
}

std::string_view fieldName(std::size_t slot) noexcept {
    return slot == kDayField ? std::string_view("day") : sheetColumnKey(kSheetColumns[slot - 1]);
}

// Where each field stands in a record; nullopt when the record names none.
std::optional<std::array<std::size_t, kFields>> headerPositions(const CsvRecord &record) {
    std::array<std::size_t, kFields> positions{};
    positions.fill(kNoField);
    bool any = false;
    for (std::size_t index = 0; index < record.size(); ++index) {
        const std::string name = headerName(record[index]);
        for (std::size_t slot = 0; slot < kFields; ++slot) {
            if (positions[slot] == kNoField && name == fieldName(slot)) {
                positions[slot] = index;
                any = true;
            }
        }
    }
    if (!any) {
        return std::nullopt;
    }
    return positions;
}

bool isBlankRecord(const CsvRecord &record) noexcept {
    for (const std::string &field : record) {
        if (!trimmedBlanks(field).empty()) {
            return false;
        }
    }
    return true;
}

std::string kept(std::string_view text) {
    if (text.size() <= kMaxWrittenBytes) {
        return std::string(text);
    }
    return std::string(text.substr(0, kMaxWrittenBytes)) + "...";
}

}  // namespace

std::string_view sheetColumnKey(SheetColumn column) noexcept {
    switch (column) {
        case SheetColumn::Demand:
            return "demand";
        case SheetColumn::Order:
            return "order";
        case SheetColumn::Sales:
            return "sales";
        case SheetColumn::DailyProfit:
            return "daily_profit";
        case SheetColumn::CumulativeProfit:
            return "cumulative_profit";
    }
    return {};
}

std::string_view sheetColumnLabel(SheetColumn column) noexcept {
    switch (column) {
        case SheetColumn::Demand:
            return "Demand (units)";
        case SheetColumn::Order:
            return "Order (units)";
        case SheetColumn::Sales:
            return "Sales (units)";
        case SheetColumn::DailyProfit:
            return "Daily profit ($)";
        case SheetColumn::CumulativeProfit:
            return "Cumulative profit ($)";
    }
    return {};
}

Currency sheetAnswer(const DayResult &day, SheetColumn column) noexcept {
    switch (column) {
        case SheetColumn::Demand:
            return day.demand;
        case SheetColumn::Order:
            return day.order;
        case SheetColumn::Sales:
            return day.sales;
        case SheetColumn::DailyProfit:
            return day.dailyProfit;
        case SheetColumn::CumulativeProfit:
            return day.cumulativeProfit;
    }
    return {};
}

SheetCheck checkSheet(const Worksheet &sheet, std::string_view csvText,
                      const NumberLocale &locale) {
    const std::vector<CsvRecord> records = readRecords(csvText);
    const auto days = static_cast<std::size_t>(sheet.plan().days());

    // The header, or the columns in their order when the first record is data.
    std::array<std::size_t, kFields> positions{};
    for (std::size_t slot = 0; slot < kFields; ++slot) {
        positions[slot] = slot;
    }
    std::vector<const CsvRecord *> rowOfDay(days, nullptr);
    bool headerRead = false;
    for (const CsvRecord &record : records) {
        if (isBlankRecord(record)) {
            continue;
        }
        if (!headerRead) {
            headerRead = true;
            if (const auto header = headerPositions(record)) {
                positions = *header;
                continue;
            }
        }
        const std::size_t dayField = positions[kDayField];
        if (dayField == kNoField || dayField >= record.size()) {
            continue;
        }
        const std::optional<Currency> day = readSheetAmount(record[dayField], locale);
        if (!day || day->units() % Currency::kUnitsPerWhole != 0) {
            continue;
        }
        const std::int64_t number = day->units() / Currency::kUnitsPerWhole;
        if (number >= 1 && static_cast<std::size_t>(number) <= days &&
            rowOfDay[static_cast<std::size_t>(number - 1)] == nullptr) {
            rowOfDay[static_cast<std::size_t>(number - 1)] = &record;
        }
    }

    SheetCheck check;
    check.cells.reserve(days * kSheetColumns.size());
    for (std::size_t index = 0; index < sheet.days().size(); ++index) {
        const DayResult &answer = sheet.days()[index].answer;
        const CsvRecord *row = index < rowOfDay.size() ? rowOfDay[index] : nullptr;
        for (std::size_t c = 0; c < kSheetColumns.size(); ++c) {
            SheetCell cell;
            cell.day = answer.day;
            cell.column = kSheetColumns[c];
            cell.answer = sheetAnswer(answer, cell.column);
            const std::size_t field = positions[c + 1];
            if (row != nullptr && field != kNoField && field < row->size()) {
                const std::string_view text = trimmedBlanks((*row)[field]);
                cell.written = kept(text);
                const std::optional<Currency> value = readSheetAmount(text, locale);
                cell.right = value && isRightAnswer(cell.column, *value, cell.answer);
            }
            check.right += cell.right ? 1 : 0;
            ++check.total;
            check.cells.push_back(std::move(cell));
        }
    }
    return check;
}

}  // namespace nv
