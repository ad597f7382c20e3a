// Rounding a double to a whole number, an exact half to the even neighbour
// (banker's rounding), written out rather than left to the floating-point
// environment's rounding mode. NaN and the infinities come back unchanged.
//
//     nv::roundHalfEven(2.5)    // 2
//     nv::roundHalfEven(3.5)    // 4
//     nv::roundHalfEven(-0.5)   // -0
#pragma once

namespace nv {

[[nodiscard]] double roundHalfEven(double x) noexcept;

}  // namespace nv
