// The lines of a text file, one at a time: LF or CRLF ends a line (the CR is
// not part of it); the last line needs no line end. Line numbers count every
// line from 1, blank ones too, for messages that name a line.
//
//     nv::LineReader lines("50\r\n\r\n60");
//     while (const auto line = lines.next()) {
//         use(lines.number(), *line);       // (1, "50"), (2, ""), (3, "60")
//     }
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace nv {

class LineReader {
public:
    constexpr explicit LineReader(std::string_view text) noexcept : m_rest(text) {}

    // The next line, or nullopt after the last.
    [[nodiscard]] constexpr std::optional<std::string_view> next() noexcept {
        if (m_rest.empty()) {
            return std::nullopt;
        }
        ++m_number;
        const std::size_t end = m_rest.find('\n');
        std::string_view line = m_rest.substr(0, end);
        m_rest.remove_prefix(end == std::string_view::npos ? m_rest.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        return line;
    }

    // The number of the line next() gave last (0 before the first).
    [[nodiscard]] constexpr std::size_t number() const noexcept { return m_number; }

private:
    std::string_view m_rest;
    std::size_t m_number = 0;
};

// Whether c is a blank: a space or a tab.
[[nodiscard]] constexpr bool isBlank(char c) noexcept {
    return c == ' ' || c == '\t';
}

// Whether a line holds only spaces and tabs (or nothing).
[[nodiscard]] constexpr bool isBlankLine(std::string_view line) noexcept {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

// The text without the spaces and tabs around it.
[[nodiscard]] constexpr std::string_view trimmedBlanks(std::string_view text) noexcept {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace nv
