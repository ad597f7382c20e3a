// UTF-8 texts measured and checked byte by byte: counting code points for
// aligned columns, and telling well-formed UTF-8 from other bytes.
//
//     nv::codePointCount("1\u202F000")      -> 5
//     nv::isValidUtf8("\xED\xA0\x80")        -> false   (an encoded surrogate)
//     nv::utf8SequenceLength("\xC3\xA9x")    -> 2
#pragma once

#include <cstddef>
#include <string_view>

namespace nv {

// The number of code points of a UTF-8 text: every byte that is not a
// continuation byte (10xxxxxx) starts one. Meant for valid UTF-8; for other
// bytes it is still a bounded count.
[[nodiscard]] std::size_t codePointCount(std::string_view text) noexcept;

// Whether text is well-formed UTF-8: shortest forms only, no surrogates
// (U+D800..U+DFFF), nothing above U+10FFFF.
[[nodiscard]] bool isValidUtf8(std::string_view text) noexcept;

// The length of the well-formed UTF-8 sequence text starts with (1 to 4), or
// 0 when its first byte starts none (or text is empty).
[[nodiscard]] std::size_t utf8SequenceLength(std::string_view text) noexcept;

}  // namespace nv
