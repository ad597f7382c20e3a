// A strict JSON reader for the tests (RFC 8259): objects keep their keys in
// order and refuse a key given twice, numbers must follow the grammar and
// keep their text, strings are unescaped (\uXXXX pairs included) and must be
// well-formed UTF-8. Anything else, and anything after the value but blanks,
// is an error.
//
//     auto doc = readJson("{\"a\": [1, null]}");
//     doc->find("a")->items[1].kind == JsonValue::Kind::Null
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nv::runner::testing {

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string text;               // a string's value, or a number's text as written
    std::vector<JsonValue> items;   // Array
    std::vector<std::string> keys;  // Object, in order
    std::vector<JsonValue> values;  // Object, values[i] for keys[i]

    // The member `key` of an object, nullptr when there is none.
    [[nodiscard]] const JsonValue *find(std::string_view key) const;
};

struct JsonError {
    std::size_t offset = 0;
    std::string what;
};

// The value, or the error in `error` when error is given.
[[nodiscard]] std::optional<JsonValue> readJson(std::string_view text, JsonError *error = nullptr);

// Records of an RFC 4180 text with CRLF line ends; nullopt when it is not
// one (a bare LF or CR outside quotes, a stray quote, no final CRLF).
[[nodiscard]] std::optional<std::vector<std::vector<std::string>>> readCsv(std::string_view text);

}  // namespace nv::runner::testing
