#include "runner/draws.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

#include "runner/runner_text.h"
#include "support/text_conversion.h"

namespace nv::runner {

namespace {

bool isBlank(std::string_view line) noexcept {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

std::string_view trimBlanks(std::string_view text) noexcept {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string tooLargeMessage(std::string_view what) {
    return std::string(what) + " is larger than " + std::to_string(kMaxDrawsBytes >> 20) + " MiB";
}

Result<std::string, std::string> readStream(std::istream &in, std::string_view noun) {
    std::string text;
    char buffer[1 << 16];
    while (in) {
        in.read(buffer, sizeof buffer);
        const auto got = static_cast<std::size_t>(in.gcount());
        if (text.size() + got > kMaxDrawsBytes) {
            return Failure{tooLargeMessage("The " + std::string(noun) + " on standard input")};
        }
        text.append(buffer, got);
    }
    if (in.bad()) {
        return Failure{"Cannot read the " + std::string(noun) + " from standard input"};
    }
    return text;
}

Result<std::string, std::string> readFile(const std::string &path, std::string_view noun) {
    const std::string shown = std::string(noun) + " file '" + displayText(path) + "'";
    errno = 0;
    const std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::fopen(path.c_str(), "rb"),
                                                                &std::fclose);
    const auto failure = [&](int error) {
        std::string message = "Cannot read the " + shown;
        if (error != 0) {
            message += ": " + std::generic_category().message(error);
        }
        return Failure{std::move(message)};
    };
    if (!file) {
        return failure(errno);
    }
    std::string text;
    char buffer[1 << 16];
    while (true) {
        errno = 0;
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
        if (text.size() + got > kMaxDrawsBytes) {
            return Failure{tooLargeMessage("The " + shown)};
        }
        text.append(buffer, got);
        if (got < sizeof buffer) {
            if (std::ferror(file.get()) != 0) {
                return failure(errno);
            }
            break;
        }
    }
    return text;
}

}  // namespace

Result<std::string, std::string> readDrawsText(const std::string &path, std::istream &in) {
    return readInputText(path, in, "draws");
}

Result<std::string, std::string> readInputText(const std::string &path, std::istream &in,
                                               std::string_view noun) {
    return path == "-" ? readStream(in, noun) : readFile(path, noun);
}

Result<std::vector<float>, DrawsError> parseDraws(std::string_view text) {
    std::vector<float> draws;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (isBlank(line)) {
            continue;
        }
        const auto number = parseDouble(line);
        if (!number) {
            if (number.error() == ConversionError::NotANumber) {
                return Failure{
                    DrawsError{DrawsErrorKind::NotANumber, lineNumber, std::string(line)}};
            }
            return Failure{DrawsError{DrawsErrorKind::OutOfRange, lineNumber, std::string(line)}};
        }
        // Test the range in double first: a double beyond the float range
        // cannot be converted. Then the rounding may still reach 1.
        const double value = *number;
        const bool inRange = value >= 0.0 && value < 1.0;
        const float draw = inRange ? static_cast<float>(value) : 0.0f;
        if (!inRange || draw >= 1.0f) {
            return Failure{DrawsError{DrawsErrorKind::OutOfRange, lineNumber, std::string(line)}};
        }
        draws.push_back(draw);
    }
    return draws;
}

std::string drawsErrorMessage(const DrawsError &error) {
    std::string message = "Line " + std::to_string(error.line) + " of the draws file ";
    message +=
        error.kind == DrawsErrorKind::NotANumber ? "is not a number: " : "is outside [0, 1): ";
    message += displayText(trimBlanks(error.text));
    return message;
}

std::string tooFewDrawsMessage(std::size_t available, std::size_t needed) {
    return "The draws file has " + std::to_string(available) +
           (available == 1 ? " draw" : " draws") + " but the run needs " + std::to_string(needed);
}

}  // namespace nv::runner
