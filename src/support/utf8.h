// UTF-8 texts: checking them, counting their code points for aligned columns,
// and showing a user's text safely inside a one-line message.
//
//     codePointCount("1\u202F000")      -> 5
//     displayText("abc")                -> "abc"
//     displayText("a\x1b[2Jb")          -> "a\\x1B[2Jb"   (control bytes escaped)
//     displayText("\xFF")               -> "\\xFF"        (invalid UTF-8 escaped)
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace nv {

// The number of code points of a UTF-8 text: every byte that is not a
// continuation byte (10xxxxxx) starts one. Meant for texts that are valid
// UTF-8 (the grid's cells); for other bytes it is still a bounded count.
[[nodiscard]] std::size_t codePointCount(std::string_view text) noexcept;

// Whether text is well-formed UTF-8: shortest forms only, no surrogates
// (U+D800..U+DFFF), nothing above U+10FFFF.
[[nodiscard]] bool isValidUtf8(std::string_view text) noexcept;

// The length of the well-formed UTF-8 sequence text starts with (1 to 4), or
// 0 when its first byte starts none (or text is empty).
[[nodiscard]] std::size_t utf8SequenceLength(std::string_view text) noexcept;

// A user's text as it may be shown inside a one-line message: well-formed
// UTF-8 sequences of printable characters are kept; ASCII control bytes, DEL,
// the C1 controls U+0080..U+009F and bytes that are not well-formed UTF-8
// become \xNN; a text longer than maxCodePoints is cut there and ends with
// "...".
[[nodiscard]] std::string displayText(std::string_view text, std::size_t maxCodePoints = 60);

}  // namespace nv
