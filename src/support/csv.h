// Comma-separated values (RFC 4180): what the runner prints and the windows
// save.
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
#pragma once

#include <span>
#include <string>
#include <string_view>

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

}  // namespace nv
