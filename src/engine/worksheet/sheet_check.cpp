// Reading a student's cells and marking them against the key.
#include "engine/worksheet/sheet_check.h"

#include <cstddef>

#include "support/csv.h"
#include "support/text_conversion.h"

namespace nv {

namespace {

constexpr std::size_t kDayField = 0;  // field slots: day, then the five columns
constexpr std::size_t kFields = 1 + kSheetColumns.size();
constexpr std::size_t kNoField = static_cast<std::size_t>(-1);
constexpr std::int64_t kHalfCent = Currency::kUnitsPerWhole / 200;
constexpr std::int64_t kCent = Currency::kUnitsPerWhole / 100;
constexpr std::size_t kMaxDecimals = 4;

constexpr bool isBlank(char c) noexcept {
    return c == ' ' || c == '\t';
}
constexpr bool isDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view text) noexcept {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Digits, either without commas or grouped by commas in threes: "1,234,567".
bool wellGrouped(std::string_view digits) noexcept {
    const std::size_t firstComma = digits.find(',');
    const std::size_t lead = firstComma == std::string_view::npos ? digits.size() : firstComma;
    if (firstComma == 0 ||
        (firstComma != std::string_view::npos && (lead > 3 || (digits.size() - lead) % 4 != 0))) {
        return false;
    }
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const bool commaPlace = i >= lead && (i - lead) % 4 == 0;
        if (commaPlace ? digits[i] != ',' : !isDigit(digits[i])) {
            return false;
        }
    }
    return true;
}

std::string headerName(std::string_view field) {
    std::string name;
    for (const char c : trimmed(field)) {
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
        if (!trimmed(field).empty()) {
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

std::optional<Currency> readSheetAmount(std::string_view cell) {
    // Without blanks, at most one "$", a sign on either side of it.
    std::string compact;
    for (const char c : cell) {
        if (!isBlank(c)) {
            compact += c;
        }
    }
    std::string_view text = compact;
    bool negative = false;
    if (text.size() >= 2 && text.front() == '(' && text.back() == ')') {
        negative = true;
        text = text.substr(1, text.size() - 2);
    }
    bool signSeen = false;
    bool dollarSeen = false;
    while (!text.empty() && !isDigit(text.front()) && text.front() != '.') {
        const char c = text.front();
        if ((c == '-' || c == '+') && !signSeen && !negative) {
            signSeen = true;
            negative = c == '-';
        } else if (c == '$' && !dollarSeen) {
            dollarSeen = true;
        } else {
            return std::nullopt;
        }
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    std::string_view decimals =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if ((whole.empty() && decimals.empty()) || !wellGrouped(whole)) {
        return std::nullopt;
    }
    for (const char c : decimals) {
        if (!isDigit(c)) {
            return std::nullopt;
        }
    }
    while (!decimals.empty() && decimals.back() == '0') {
        decimals.remove_suffix(1);
    }
    if (decimals.size() > kMaxDecimals) {
        return std::nullopt;  // not an amount of four decimals
    }
    std::string plain = negative ? "-" : "";
    for (const char c : whole) {
        if (c != ',') {
            plain += c;
        }
    }
    if (whole.empty()) {
        plain += '0';
    }
    if (!decimals.empty()) {
        plain += '.';
        plain += decimals;
    }
    const Result<Currency, ConversionError> value = parseCurrency(plain);
    if (!value) {
        return std::nullopt;
    }
    return *value;
}

bool isRightAnswer(SheetColumn column, Currency written, Currency answer) noexcept {
    if (written == answer) {
        return true;
    }
    if (!isMoneyColumn(column) || written.units() % kCent != 0 || answer.units() % kCent == 0) {
        return false;
    }
    const std::optional<Currency> difference = checkedSubtract(written, answer);
    return difference && difference->units() <= kHalfCent && difference->units() >= -kHalfCent;
}

SheetCheck checkSheet(const Worksheet &sheet, std::string_view csvText) {
    const std::vector<CsvRecord> records = readCsv(csvText);
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
        const std::optional<Currency> day = readSheetAmount(record[dayField]);
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
                const std::string_view text = trimmed((*row)[field]);
                cell.written = kept(text);
                const std::optional<Currency> value = readSheetAmount(text);
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
