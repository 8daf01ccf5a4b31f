#pragma once
// Rounding used by all of the engine's layout arithmetic: halves and
// fractions are computed in floating point and rounded once, to the nearest
// integer with ties to even (0.5 -> 0, 1.5 -> 2, 2.5 -> 2, -1.5 -> -2).
//
// Callers keep whole expressions in double and round only at the end, e.g.
// the combo arrow's left edge is RoundHalfEven((bw - 7) - (bw - 7) / 2.0),
// which for bw - 7 = 11 is 5.5 -> 6, not 11 - HalfEven(11) = 5.
#include <cmath>
#include <cstdint>
#include <limits>

namespace tarnwick {

// Nearest integer, ties to even. Does not depend on the floating-point
// rounding mode. Values beyond the 32-bit range saturate; NaN gives 0.
inline std::int32_t RoundHalfEven(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    double floor = std::floor(value);
    double fraction = value - floor;
    double rounded = floor;
    if (fraction > 0.5) {
        rounded = floor + 1.0;
    } else if (fraction == 0.5) {
        rounded = std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
    }
    if (rounded >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (rounded <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(rounded);
}

// value / 2 rounded with ties to even: 5 -> 2, 7 -> 4, 15 -> 8, 13 -> 6.
inline std::int32_t HalfEven(std::int32_t value) {
    return RoundHalfEven(static_cast<double>(value) / 2.0);
}

}  // namespace tarnwick
