#pragma once

// The value rules the calculator and the function evaluator share: the
// undefined value, the flush of tiny results, the angle conversions, the
// factorial and the power. The function evaluator calls these for every
// sample, so the hot ones stay inline here.
#include "engine/core/Extended.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace tallix {

// Whether v is the undefined value (UndefinedMarker, or any other NaN an
// operation on it produced). The only test for undefined: NaN compares
// unequal to everything, itself included.
inline bool isUndefined(Extended v) {
    return std::isnan(v);
}

// Trigonometric results below 1e-17 in magnitude become 0 (sin pi is 0, not
// a rounding remainder). Undefined stays undefined.
inline Extended flushTiny(Extended v) {
    return std::fabs(v) < 1e-17L ? 0 : v;
}

// An angle of the given unit in radians, and back.
inline Extended toRadians(Extended angle, TrigMode mode) {
    return mode == TrigMode::Degrees ? angle * kPi / 180 : angle;
}
inline Extended fromRadians(Extended radians, TrigMode mode) {
    return mode == TrigMode::Degrees ? radians * 180 / kPi : radians;
}

// Finite: neither an infinity nor a NaN, exactly when r - r is not a NaN.
// Needs no 80-bit constant from memory, unlike a comparison with the largest
// Extended, and compares a register with itself.
inline bool isFiniteValue(Extended r) {
    const Extended d = r - r;
    return d == d;
}

// |v| < limit, tested first against `above`, a double just above the limit:
// an 80-bit constant costs several times a double's to load, and nearly
// every value lies far from the limit.
inline bool belowLimit(Extended v, double above, Extended limit) {
    const Extended m = std::fabs(v);
    return m < above && m < limit;
}
inline constexpr double kSquareFloorAbove = 1e-99 * (1 + 0x1p-50);
inline constexpr double kDivisorFloorAbove = 1e-299 * (1 + 0x1p-50);
static_assert(Extended(kSquareFloorAbove) > 1e-99L && Extended(kDivisorFloorAbove) > 1e-299L);

// |v| < 1e-99: a square, cube root or whole power of v counts as 0.
inline bool belowSquareFloor(Extended v) {
    return belowLimit(v, kSquareFloorAbove, 1e-99L);
}
// |v| < 1e-299 (0 included): no division by v.
inline bool belowDivisorFloor(Extended v) {
    return belowLimit(v, kDivisorFloorAbove, 1e-299L);
}

// 0! .. 69!, each the product of the one before and k rounded once, as a
// loop multiplying them out would give; 70! is the first above 1e100.
inline constexpr std::array<Extended, 70> kFactorials = [] {
    std::array<Extended, 70> t{};
    t[0] = 1;
    for (int k = 1; k < 70; ++k)
        t[k] = t[k - 1] * k;
    return t;
}();

// 1 x 2 x ... x trunc(a) for a >= 0 while the product stays below 1e100;
// undefined past that (from 70 on), for a < 0 and for undefined a.
inline Extended factorial(Extended a) {
    if (!(a >= 0 && a < 70)) return UndefinedMarker;
    // Through double, whose truncation needs no change of the x87 rounding
    // mode; rounding to double can only carry a just below a whole number up
    // to it, which the comparison takes back.
    int k = static_cast<int>(static_cast<double>(a));
    if (k > a) --k;
    return kFactorials[k];
}

// Whether 0 <= e < 2^63 is a whole number. Adding and taking away 2^63
// rounds e to the nearest integer in the 64-bit mantissa; std::trunc would
// switch the x87 rounding mode twice, which costs more than the rest of a
// power.
inline bool isSmallIntegral(Extended e) {
    constexpr Extended kShift = 0x1p63L;
    const Extended shifted = e + kShift;
    return shifted - kShift == e;
}

// base^n multiplied out, for a whole n with abs(n) < 100. Exact as far as
// the products are; undefined stays undefined.
inline Extended wholePower(Extended base, int n) {
    Extended r = 1;
    for (int k = n < 0 ? -n : n; k > 0; --k)
        r *= base;
    return n < 0 ? 1 / r : r;
}

// A power's exponent as p / q in lowest terms; q is 0 when the exponent is no
// such fraction.
struct ExponentFraction {
    std::uint64_t p = 0;
    std::uint64_t q = 0;
};

// The fraction of an exponent magnitude e > 0 (not a whole number), found by
// the fraction search of the number texts: relative error below 1e-16, within
// kShortFracSteps moves. Costs about log q operations.
ExponentFraction exponentFraction(Extended e);

// base ^ exponent under the rules both evaluators share:
// - undefined when either operand is undefined; 1 for the exponent 0; base
//   and 1 / base for the exponents 1 and -1; 0 for a base below 1e-99 in
//   magnitude;
// - a whole exponent below 100 in magnitude multiplies out exactly;
// - a negative base with a whole exponent takes the sign of its parity;
//   with any other exponent it needs its fraction p / q: an odd q gives the
//   real root with the sign of (-1)^p, an even q or no fraction gives
//   undefined.
// magnitude(b, e) computes b^e for b > 0 and e > 0, or with SignedMagnitude
// for e < 0 as well (each evaluator keeps its own method, so that its digits
// stay as they were); fraction(e) returns the
// exponentFraction of e > 0, perhaps from a cache. Overflow is left to the
// caller (an infinity comes back).
template <bool SignedMagnitude = false, class Magnitude, class Fraction>
inline Extended signedPower(Extended base, Extended exponent, Magnitude magnitude,
                            Fraction fraction) {
    if (isUndefined(base) || isUndefined(exponent)) return UndefinedMarker;
    if (exponent == 0) return 1;
    if (exponent == 1) return base;
    if (exponent == -1) return 1 / base;
    if (belowSquareFloor(base)) return 0;
    const Extended e = std::fabs(exponent);
    bool negative = false;
    if (e >= 0x1p63L || isSmallIntegral(e)) {
        if (e < 100) return wholePower(base, static_cast<int>(exponent));
        // From 2^64 on every Extended is even.
        negative = base < 0 && e < 0x1p64L && (static_cast<std::uint64_t>(e) & 1) != 0;
    } else if (base < 0) {
        const ExponentFraction f = fraction(e);
        if (f.q % 2 == 0) return UndefinedMarker; // q == 0 included: no fraction
        negative = f.p % 2 != 0;
    }
    Extended r;
    if constexpr (SignedMagnitude) {
        r = magnitude(std::fabs(base), exponent < 0 ? -e : e);
    } else {
        r = magnitude(std::fabs(base), e);
        if (exponent < 0) r = 1 / r;
    }
    return negative ? -r : r;
}

} // namespace tallix
