#include "runner/draws.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

#include "runner/runner_text.h"
#include "support/lines.h"
#include "support/text_conversion.h"

namespace nv::runner {

namespace {

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

Result<std::string, std::string> readStream(std::istream &in, std::string_view what) {
    std::string text;
    char buffer[1 << 16];
    while (in) {
        in.read(buffer, sizeof buffer);
        const auto got = static_cast<std::size_t>(in.gcount());
        if (text.size() + got > kMaxDrawsBytes) {
            return Failure{tooLargeMessage("The " + std::string(what) + " on standard input")};
        }
        text.append(buffer, got);
    }
    if (in.bad()) {
        return Failure{"Cannot read the " + std::string(what) + " from standard input"};
    }
    return text;
}

Result<std::string, std::string> readFile(const std::string &path, std::string_view what) {
    const std::string shown = std::string(what) + " file '" + displayText(path) + "'";
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

Result<std::string, std::string> readInputText(const std::string &path, std::istream &in,
                                               std::string_view what) {
    return path == "-" ? readStream(in, what) : readFile(path, what);
}

Result<std::string, std::string> readDrawsText(const std::string &path, std::istream &in) {
    return readInputText(path, in, "draws");
}

Result<std::vector<float>, DrawsError> parseDraws(std::string_view text) {
    std::vector<float> draws;
    LineReader lines(text);
    while (const auto next = lines.next()) {
        const std::string_view line = *next;
        const std::size_t lineNumber = lines.number();
        if (isBlankLine(line)) {
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
