// Comma-separated values (RFC 4180).
#include "support/csv.h"

namespace nv {

std::string csvField(std::string_view text) {
    const bool special = text.find_first_of(",\"\r\n") != std::string_view::npos;
    const bool padded = !text.empty() && (text.front() == ' ' || text.back() == ' ');
    if (!special && !padded) {
        return std::string(text);
    }
    std::string field;
    field.reserve(text.size() + 2);
    field += '"';
    for (const char c : text) {
        if (c == '"') {
            field += '"';
        }
        field += c;
    }
    field += '"';
    return field;
}

void appendCsvRecord(std::string &out, std::span<const std::string> fields) {
    bool first = true;
    for (const std::string &field : fields) {
        if (!first) {
            out += ',';
        }
        first = false;
        out += csvField(field);
    }
    out += "\r\n";
}

std::vector<CsvRecord> readCsv(std::string_view text) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    std::vector<CsvRecord> records;
    if (text.empty()) {
        return records;
    }
    CsvRecord record;
    std::string field;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (true) {
        // One field: quoted when it starts with a quote, then plain text up
        // to the next comma or line end.
        if (i < n && text[i] == '"') {
            ++i;
            while (i < n) {
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
        }
        while (i < n && text[i] != ',' && text[i] != '\r' && text[i] != '\n') {
            field += text[i++];
        }
        record.push_back(std::move(field));
        field.clear();
        if (i < n && text[i] == ',') {
            ++i;
            continue;
        }
        // A line end or the end of the text closes the record.
        records.push_back(std::move(record));
        record.clear();
        if (i < n && text[i] == '\r') {
            ++i;
        }
        if (i < n && text[i] == '\n') {
            ++i;
        }
        if (i >= n) {
            break;
        }
    }
    return records;
}

}  // namespace nv
