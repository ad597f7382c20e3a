// Comma-separated values (RFC 4180): what the runner prints and the windows
// save, and a reader for the files people hand in (a spreadsheet's export).
//
// A field is written as it is unless it holds a comma, a double quote, a CR,
// an LF, or begins or ends with a space; then it is enclosed in double quotes
// and every double quote in it is doubled. Fields are separated by commas and
// every record ends with CRLF, the last one too. The texts are UTF-8 and pass
// through byte for byte (no byte-order mark, no re-encoding).
//
//     nv::csvField("$1,500");              // "\"$1,500\""
//     nv::csvField("say \"hi\"");          // "\"say \"\"hi\"\"\""
//     nv::csvText(rows);                   // "Day,Demand\r\n1,40\r\n"
//
// Reading (readCsv) never fails: every text gives some records.
//   - A UTF-8 byte-order mark at the very start is skipped.
//   - Records end with CRLF, LF or a lone CR; the line end of the last record
//     is optional and makes no empty record after it. A blank line is a
//     record of one empty field (a caller skips blank records if it wants).
//   - A field that begins with a double quote is quoted: it runs to the next
//     double quote that is not doubled, a doubled one standing for one quote;
//     commas and line ends inside are part of the field.
//   - Stray quotes are kept as text: a quote inside an unquoted field is an
//     ordinary character ("ab\"c" stays ab"c), and whatever follows a closing
//     quote up to the next comma or line end is appended to the field
//     ("\"ab\"c" gives abc). A quoted field that is never closed runs to the
//     end of the text.
//
//     nv::readCsv("\xEF\xBB\xBFday,profit\r\n1,\"$1,234.50\"\r\n");
//     // {{"day", "profit"}, {"1", "$1,234.50"}}
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace nv {

// One field, quoted when it must be.
[[nodiscard]] std::string csvField(std::string_view text);

// Appends one record (the fields joined by commas, then CRLF) to `out`.
void appendCsvRecord(std::string &out, std::span<const std::string> fields);

// Every row of `rows` as one record, in order. A row is anything that gives a
// std::span<const std::string> (std::array, std::vector of std::string).
template <typename Rows>
[[nodiscard]] std::string csvText(const Rows &rows) {
    std::string text;
    for (const auto &row : rows) {
        appendCsvRecord(text, std::span<const std::string>(row));
    }
    return text;
}

using CsvRecord = std::vector<std::string>;

// The records of a text, in order (rules above).
[[nodiscard]] std::vector<CsvRecord> readCsv(std::string_view text);

}  // namespace nv
