// Copying a short text byte-exactly without a call: the cells of a grid row
// are a few bytes each, and a call to memcpy for each costs more than the
// copy. Sizes up to 16 are done with two fixed-size moves that may overlap;
// longer texts go to memcpy.
//
//     char line[64];
//     nv::copyBytes(line, cell.data(), cell.size());
#pragma once

#include <cstddef>
#include <cstring>

namespace nv {

inline void copyBytes(char *to, const char *from, std::size_t n) noexcept {
    if (n >= 8) {
        if (n > 16) {
            std::memcpy(to, from, n);
            return;
        }
        std::memcpy(to, from, 8);
        std::memcpy(to + n - 8, from + n - 8, 8);
    } else if (n >= 4) {
        std::memcpy(to, from, 4);
        std::memcpy(to + n - 4, from + n - 4, 4);
    } else if (n >= 2) {
        std::memcpy(to, from, 2);
        std::memcpy(to + n - 2, from + n - 2, 2);
    } else if (n == 1) {
        *to = *from;
    }
}

}  // namespace nv
