#include "json_reader.h"

#include <cstdint>
#include <cstdlib>
#include <string>

#include "support/utf8.h"

namespace nv::runner::testing {

const JsonValue *JsonValue::find(std::string_view key) const {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] == key) {
            return &values[i];
        }
    }
    return nullptr;
}

namespace {

class Reader {
public:
    explicit Reader(std::string_view text) : m_text(text) {}

    std::optional<JsonValue> document() {
        std::optional<JsonValue> value = this->value(0);
        blanks();
        if (value && m_at != m_text.size()) {
            return fail("text after the value");
        }
        return value;
    }

    JsonError error;

private:
    static constexpr int kMaxDepth = 64;

    std::nullopt_t fail(std::string what) {
        if (error.what.empty()) {
            error = JsonError{m_at, std::move(what)};
        }
        return std::nullopt;
    }

    void blanks() {
        while (m_at < m_text.size() && (m_text[m_at] == ' ' || m_text[m_at] == '\t' ||
                                        m_text[m_at] == '\n' || m_text[m_at] == '\r')) {
            ++m_at;
        }
    }

    bool take(std::string_view word) {
        if (m_text.substr(m_at).starts_with(word)) {
            m_at += word.size();
            return true;
        }
        return false;
    }

    std::optional<JsonValue> value(int depth) {
        if (depth > kMaxDepth) {
            return fail("too deep");
        }
        blanks();
        if (m_at == m_text.size()) {
            return fail("no value");
        }
        JsonValue v;
        const char c = m_text[m_at];
        if (take("null")) {
            return v;
        }
        if (take("true") || take("false")) {
            v.kind = JsonValue::Kind::Bool;
            v.boolean = c == 't';
            return v;
        }
        if (c == '"') {
            std::optional<std::string> s = string();
            if (!s) {
                return std::nullopt;
            }
            v.kind = JsonValue::Kind::String;
            v.text = std::move(*s);
            return v;
        }
        if (c == '[') {
            ++m_at;
            v.kind = JsonValue::Kind::Array;
            blanks();
            if (take("]")) {
                return v;
            }
            while (true) {
                std::optional<JsonValue> item = value(depth + 1);
                if (!item) {
                    return std::nullopt;
                }
                v.items.push_back(std::move(*item));
                blanks();
                if (take("]")) {
                    return v;
                }
                if (!take(",")) {
                    return fail("',' or ']' expected");
                }
            }
        }
        if (c == '{') {
            ++m_at;
            v.kind = JsonValue::Kind::Object;
            blanks();
            if (take("}")) {
                return v;
            }
            while (true) {
                blanks();
                if (m_at == m_text.size() || m_text[m_at] != '"') {
                    return fail("a key expected");
                }
                std::optional<std::string> key = string();
                if (!key) {
                    return std::nullopt;
                }
                if (v.find(*key) != nullptr) {
                    return fail("key given twice: " + *key);
                }
                blanks();
                if (!take(":")) {
                    return fail("':' expected");
                }
                std::optional<JsonValue> member = value(depth + 1);
                if (!member) {
                    return std::nullopt;
                }
                v.keys.push_back(std::move(*key));
                v.values.push_back(std::move(*member));
                blanks();
                if (take("}")) {
                    return v;
                }
                if (!take(",")) {
                    return fail("',' or '}' expected");
                }
            }
        }
        return number();
    }

    bool digit() const {
        return m_at < m_text.size() && m_text[m_at] >= '0' && m_text[m_at] <= '9';
    }

    std::optional<JsonValue> number() {
        const std::size_t start = m_at;
        if (m_at < m_text.size() && m_text[m_at] == '-') {
            ++m_at;
        }
        if (!digit()) {
            return fail("a value expected");
        }
        if (m_text[m_at] == '0') {
            ++m_at;
        } else {
            while (digit()) {
                ++m_at;
            }
        }
        if (m_at < m_text.size() && m_text[m_at] == '.') {
            ++m_at;
            if (!digit()) {
                return fail("digits expected after '.'");
            }
            while (digit()) {
                ++m_at;
            }
        }
        if (m_at < m_text.size() && (m_text[m_at] == 'e' || m_text[m_at] == 'E')) {
            ++m_at;
            if (m_at < m_text.size() && (m_text[m_at] == '+' || m_text[m_at] == '-')) {
                ++m_at;
            }
            if (!digit()) {
                return fail("digits expected in the exponent");
            }
            while (digit()) {
                ++m_at;
            }
        }
        JsonValue v;
        v.kind = JsonValue::Kind::Number;
        v.text = std::string(m_text.substr(start, m_at - start));
        v.number = std::strtod(v.text.c_str(), nullptr);  // the tests run in the C locale
        return v;
    }

    std::optional<unsigned> hex4() {
        if (m_text.size() - m_at < 4) {
            return std::nullopt;
        }
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_text[m_at++];
            value <<= 4;
            if (c >= '0' && c <= '9') {
                value |= static_cast<unsigned>(c - '0');
            } else if (c >= 'a' && c <= 'f') {
                value |= static_cast<unsigned>(c - 'a' + 10);
            } else if (c >= 'A' && c <= 'F') {
                value |= static_cast<unsigned>(c - 'A' + 10);
            } else {
                return std::nullopt;
            }
        }
        return value;
    }

    static void appendUtf8(std::string &out, unsigned cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    std::optional<std::string> string() {
        ++m_at;  // the opening quote
        std::string out;
        while (true) {
            if (m_at == m_text.size()) {
                return fail("unterminated string");
            }
            const auto byte = static_cast<unsigned char>(m_text[m_at]);
            if (byte == '"') {
                ++m_at;
                return out;
            }
            if (byte < 0x20) {
                return fail("control character in a string");
            }
            if (byte >= 0x80) {
                const std::size_t length = utf8SequenceLength(m_text.substr(m_at));
                if (length == 0) {
                    return fail("bad UTF-8 in a string");
                }
                out.append(m_text.substr(m_at, length));
                m_at += length;
                continue;
            }
            ++m_at;
            if (byte != '\\') {
                out += static_cast<char>(byte);
                continue;
            }
            if (m_at == m_text.size()) {
                return fail("unterminated escape");
            }
            const char e = m_text[m_at++];
            switch (e) {
                case '"':
                case '\\':
                case '/':
                    out += e;
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u': {
                    std::optional<unsigned> cp = hex4();
                    if (!cp) {
                        return fail("bad \\u escape");
                    }
                    if (*cp >= 0xD800 && *cp < 0xDC00) {
                        if (!take("\\u")) {
                            return fail("lone high surrogate");
                        }
                        const std::optional<unsigned> low = hex4();
                        if (!low || *low < 0xDC00 || *low >= 0xE000) {
                            return fail("bad low surrogate");
                        }
                        cp = 0x10000 + ((*cp - 0xD800) << 10) + (*low - 0xDC00);
                    } else if (*cp >= 0xDC00 && *cp < 0xE000) {
                        return fail("lone low surrogate");
                    }
                    appendUtf8(out, *cp);
                    break;
                }
                default:
                    return fail("unknown escape");
            }
        }
    }

    std::string_view m_text;
    std::size_t m_at = 0;
};

}  // namespace

std::optional<JsonValue> readJson(std::string_view text, JsonError *error) {
    Reader reader(text);
    std::optional<JsonValue> value = reader.document();
    if (error != nullptr) {
        *error = reader.error;
    }
    return value;
}

std::optional<std::vector<std::vector<std::string>>> readCsv(std::string_view text) {
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> record;
    std::string field;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '"') {
            if (!field.empty()) {
                return std::nullopt;  // a quote inside an unquoted field
            }
            ++i;
            while (true) {
                if (i == text.size()) {
                    return std::nullopt;
                }
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
            if (i < text.size() && text[i] != ',' && text[i] != '\r') {
                return std::nullopt;
            }
            continue;
        }
        if (text[i] == ',') {
            record.push_back(std::move(field));
            field.clear();
            ++i;
        } else if (text[i] == '\r') {
            if (i + 1 >= text.size() || text[i + 1] != '\n') {
                return std::nullopt;
            }
            record.push_back(std::move(field));
            field.clear();
            records.push_back(std::move(record));
            record.clear();
            i += 2;
        } else if (text[i] == '\n') {
            return std::nullopt;
        } else {
            field += text[i++];
        }
    }
    if (!field.empty() || !record.empty()) {
        return std::nullopt;  // no CRLF after the last record
    }
    return records;
}

}  // namespace nv::runner::testing
