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

}  // namespace nv
