// Reading the teacher's list of random numbers.
#include "engine/worksheet/random_numbers.h"

#include "support/lines.h"

namespace nv {

namespace {

constexpr std::size_t kShownBytes = 40;

bool isNumber(std::string_view line, int digits) noexcept {
    if (line.size() != static_cast<std::size_t>(digits)) {
        return false;
    }
    for (const char c : line) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

std::uint32_t valueOf(std::string_view line) noexcept {
    std::uint32_t value = 0;
    for (const char c : line) {
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return value;
}

// The line as a message shows it: short, one line, a tab as "[tab]" and
// nothing that moves a terminal's cursor.
std::string shown(std::string_view text) {
    std::string out;
    for (const char c : text.substr(0, kShownBytes)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\t') {
            out += "[tab]";
        } else {
            out += byte < 0x20 || byte == 0x7F ? '?' : c;
        }
    }
    if (text.size() > kShownBytes) {
        out += "...";
    }
    return out;
}

std::string counted(std::size_t count, const char *one, const char *many) {
    return std::to_string(count) + ' ' + (count == 1 ? one : many);
}

// The blanks of a line that holds nothing else: "2 spaces and 1 tab".
std::string blanksOf(std::string_view text) {
    std::size_t tabs = 0;
    for (const char c : text) {
        tabs += c == '\t' ? 1 : 0;
    }
    const std::size_t spaces = text.size() - tabs;
    if (tabs == 0 || spaces == 0) {
        return tabs == 0 ? counted(spaces, "space", "spaces") : counted(tabs, "tab", "tabs");
    }
    return counted(spaces, "space", "spaces") + " and " + counted(tabs, "tab", "tabs");
}

}  // namespace

Result<std::vector<std::uint32_t>, RandomNumbersError> readRandomNumbers(std::string_view text,
                                                                         int digits,
                                                                         std::int32_t days) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    // Empty and blank lines at the end carry nothing.
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || isBlank(text.back()))) {
        text.remove_suffix(1);
    }
    std::vector<std::uint32_t> numbers;
    LineReader lines(text);
    while (const auto next = lines.next()) {
        const std::string_view line = trimmedBlanks(*next);
        if (!isNumber(line, digits)) {
            RandomNumbersError error;
            error.line = lines.number();
            error.text = std::string(*next);
            error.days = days;
            error.digits = digits;
            return Failure{std::move(error)};
        }
        numbers.push_back(valueOf(line));
    }
    if (days < 0 || numbers.size() < static_cast<std::size_t>(days)) {
        RandomNumbersError error;
        error.kind = RandomNumbersError::Kind::TooFew;
        error.numbers = numbers.size();
        error.days = days;
        error.digits = digits;
        return Failure{std::move(error)};
    }
    return numbers;
}

std::string randomNumbersMessage(const RandomNumbersError &error) {
    const std::string number = std::to_string(error.digits) + "-digit number";
    if (error.kind == RandomNumbersError::Kind::TooFew) {
        return "The random numbers file has " + std::to_string(error.numbers) +
               (error.numbers == 1 ? " number" : " numbers") + " but the worksheet has " +
               std::to_string(error.days) + (error.days == 1 ? " day" : " days");
    }
    const std::string line = "Line " + std::to_string(error.line) + " of the random numbers";
    if (error.text.empty()) {
        return line + " is empty; it should hold a " + number;
    }
    const std::string_view written = trimmedBlanks(error.text);
    if (written.empty()) {
        return line + " holds only blanks (" + blanksOf(error.text) + "); it should hold a " +
               number;
    }
    return line + " is not a " + number + ": " + shown(written);
}

}  // namespace nv
