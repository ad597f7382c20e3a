// The draws file of newsvendor-run: the random numbers of a run, one per
// simulated day, in order.
//
// Rules:
//   - One decimal number per line, read as a whole text ("." is the point;
//     spaces and tabs around it are allowed) and rounded to the nearest
//     single-precision value.
//   - Lines end with LF or CRLF; the last line needs no line end.
//   - Blank lines (empty, or spaces and tabs only) are skipped; line numbers
//     in messages count every line, blank ones too, from 1.
//   - A line that is not a number, and a draw outside [0, 1) after the
//     rounding to single precision (0.99999999 rounds to 1 and is refused),
//     stop the reading with an error naming the line.
//
//     auto draws = nv::runner::parseDraws("0.25\r\n\r\n0.75\n");
//     // *draws == {0.25f, 0.75f}
//     nv::runner::parseDraws("0.5\nabc\n").error()
//     // {DrawsErrorKind::NotANumber, 2, "abc"}
//     auto text = nv::runner::readDrawsText("draws.txt", std::cin);
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "support/result.h"

namespace nv::runner {

enum class DrawsErrorKind { NotANumber, OutOfRange };

struct DrawsError {
    DrawsErrorKind kind = DrawsErrorKind::NotANumber;
    std::size_t line = 0;  // 1-based
    std::string text;      // the line as written, without its line end
    friend bool operator==(const DrawsError &, const DrawsError &) = default;
};

[[nodiscard]] Result<std::vector<float>, DrawsError> parseDraws(std::string_view text);

// "Line 3 of the draws file is not a number: abc"
// "Line 5 of the draws file is outside [0, 1): 1.5"
[[nodiscard]] std::string drawsErrorMessage(const DrawsError &error);

// "The draws file has 10 draws but the run needs 250"
[[nodiscard]] std::string tooFewDrawsMessage(std::size_t available, std::size_t needed);

// The largest draws file read, in bytes.
inline constexpr std::size_t kMaxDrawsBytes = std::size_t{64} << 20;

// The whole text of the draws file at path ("-": all of `in`), or why it
// cannot be read: "Cannot read the draws file 'F': No such file or
// directory", "The draws file 'F' is larger than 64 MiB".
[[nodiscard]] Result<std::string, std::string> readDrawsText(const std::string &path,
                                                             std::istream &in);

// The same for another input file, named in messages by `noun`: for
// "random numbers", "Cannot read the random numbers file 'F': ...", "The
// random numbers on standard input is larger than 64 MiB".
[[nodiscard]] Result<std::string, std::string> readInputText(const std::string &path,
                                                             std::istream &in,
                                                             std::string_view noun);

}  // namespace nv::runner
