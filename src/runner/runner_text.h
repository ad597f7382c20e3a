// Showing a user's text safely inside a one-line message of the runner.
//
//     displayText("abc")                -> "abc"
//     displayText("a\x1b[2Jb")          -> "a\\x1B[2Jb"   (control bytes escaped)
//     displayText("\xFF")               -> "\\xFF"        (invalid UTF-8 escaped)
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace nv::runner {

// Well-formed UTF-8 sequences of printable characters are kept; ASCII control
// bytes, DEL, the C1 controls U+0080..U+009F and bytes that are not
// well-formed UTF-8 become \xNN; a text longer than maxCodePoints is cut
// there and ends with "...".
[[nodiscard]] std::string displayText(std::string_view text, std::size_t maxCodePoints = 60);

}  // namespace nv::runner
