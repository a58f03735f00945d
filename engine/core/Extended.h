#pragma once

#include <cstdint>
#include <limits>

namespace tallix {

// Every number of the calculator: the x87 80-bit extended type. Comparisons
// against tiny constants (1e-99, 1e-299) and the 1e100 factorial bound rely on
// its range, and the two pi constants below on its 64-bit mantissa.
using Extended = long double;
static_assert(std::numeric_limits<Extended>::digits == 64,
              "Extended must be the x87 80-bit type with a 64-bit mantissa");

// The undefined value: a quiet NaN, so that no arithmetic on numbers can
// produce it by accident and arithmetic on it stays undefined. Returned by the
// number-text parser for text that is not a number, and by several functions
// for "no value". Test for it with isUndefined (engine/core/Scalar.h), never by
// comparison: a NaN is unequal to everything, itself included.
inline constexpr Extended UndefinedMarker = std::numeric_limits<Extended>::quiet_NaN();

// Pi as the calculator's pi key stores it: mantissa 0xC90FDAA22168C234, one
// unit in the last place below the correctly rounded value.
inline constexpr Extended kPiKey = 0xC90FDAA22168C234p-62L;
// Pi correctly rounded (3.14159265358979323851); used by the degree conversions,
// the pi-multiple searches and every other place that needs pi.
inline constexpr Extended kPi = 0xC90FDAA22168C235p-62L;

inline int iMax(int a, int b) {
    return a > b ? a : b;
}
inline int iMin(int a, int b) {
    return a < b ? a : b;
}
inline Extended fMax(Extended a, Extended b) {
    return a > b ? a : b;
}
// Returns the second value when both are equal.
inline Extended fMin(Extended a, Extended b) {
    return a < b ? a : b;
}

// Angle unit of the trigonometric functions.
enum class TrigMode { Radians, Degrees };

} // namespace tallix
