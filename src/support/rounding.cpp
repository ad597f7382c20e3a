#include "support/rounding.h"

#include <cmath>

namespace nv {

double roundHalfEven(double x) noexcept {
    const double magnitude = std::fabs(x);
    const double below = std::floor(magnitude);
    const double fraction = magnitude - below;  // exact for a non-negative value
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) {
        rounded = below + 1.0;
    }
    return std::copysign(rounded, x);
}

}  // namespace nv
