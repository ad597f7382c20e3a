// 128-bit integers for the exact intermediate results of Currency arithmetic
// and the range checks built on it, and the magnitude of a 64-bit count.
//
//     nv::Int128 product = nv::Int128{a.units()} * b.units();   // never overflows
//     nv::magnitude(INT64_MIN)                                    // 2^63
#pragma once

#include <cstdint>

namespace nv {

__extension__ typedef __int128 Int128;
__extension__ typedef unsigned __int128 UInt128;

// |units| without overflow, also for the most negative count.
[[nodiscard]] constexpr std::uint64_t magnitude(std::int64_t units) noexcept {
    return units < 0 ? static_cast<std::uint64_t>(-(units + 1)) + 1U
                     : static_cast<std::uint64_t>(units);
}

}  // namespace nv
