#pragma once

// Sine, cosine and tangent of an Extended in radians, for both evaluators
// (the function evaluator calls them for every sample). The C library reduces
// every argument beyond pi/4 with its general multi-precision method, which
// costs several times the sine itself; here arguments up to kQuarterTurnLimit are reduced by a
// multiple of pi/2 split into parts whose products with the multiple are exact, and the library
// (or, for the tangent, the rational kernel below) only sees |r| <= pi/4. Beyond the limit, and for
// infinities and NaNs, the library does the whole work. Measured against a 113-bit reference the
// sine and cosine stay within 1 unit in the last place, the tangent within 1.3, also at the
// arguments nearest to multiples of pi/2.
#include "engine/core/Extended.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace tallix {

// Largest magnitude reduced here: the multiple n of pi/2 stays below 2^26, so
// n times a 38-bit part of pi/2 is exact in the 64-bit mantissa.
inline constexpr Extended kQuarterTurnLimit = 1e8L;

// x = n pi/2 + hi + lo with |hi + lo| <= pi/4 (a little more at the
// rounding of n), |lo| at most half a unit in hi's last place, and
// quadrant = n mod 4. hi + lo is
// within 2^-70 of the true remainder, relatively.
struct QuarterTurns {
    Extended hi = 0;
    Extended lo = 0;
    unsigned quadrant = 0;
};

namespace trig_detail {

inline constexpr Extended kTwoOverPi = 0xA2F9836E4E44152Ap-64L;
// pi/2 = kPart1 + kPart2 + kPart3 + kPart4 + O(2^-179); the first three hold
// 38 bits each.
inline constexpr Extended kPart1 = 0x3243F6A888p-37L;
inline constexpr Extended kPart2 = 0x2D18469898p-76L;
inline constexpr Extended kPart3 = 0x33145C06E0p-114L;
inline constexpr Extended kPart4 = 0xE68948127044533Ep-178L;
inline constexpr Extended kPiOver4 = 0xC90FDAA22168C235p-64L;
// Adding and taking away 1.5 * 2^63 rounds to a whole number; the low
// mantissa bits of the sum are that number modulo 2^64.
inline constexpr Extended kRoundShift = 0x1.8p63L;
// Below this the fast remainder's absolute error (2^-114) is no longer small
// enough relative to it.
inline constexpr Extended kTinyRemainder = 0x1p-40L;

// The reduction with all four parts kept apart: for remainders below
// kTinyRemainder, which only arguments within a few units in the last place
// of a multiple of pi/2 have.
QuarterTurns reduceNearMultiple(Extended x, Extended n, unsigned quadrant);

} // namespace trig_detail

// For |x| <= kQuarterTurnLimit.
inline QuarterTurns reduceQuarterTurns(Extended x) {
    using namespace trig_detail;
    const Extended shifted = x * kTwoOverPi + kRoundShift;
    std::uint64_t mantissa;
    std::memcpy(&mantissa, &shifted, sizeof mantissa); // x86: the low 8 bytes
    const unsigned quadrant = static_cast<unsigned>(mantissa & 3);
    const Extended n = shifted - kRoundShift;
    const Extended y = x - n * kPart1; // exact: both near the same multiple
    const Extended w = n * kPart2;     // exact
    // hi + e = y - w exactly (the two-sum, whichever operand is larger).
    const Extended hi = y - w;
    const Extended back = hi - y;
    const Extended e = (y - (hi - back)) - (w + back);
    if (std::fabs(hi) < kTinyRemainder) [[unlikely]]
        return reduceNearMultiple(x, n, quadrant);
    // lo reaches 2^-50: renormalised so that it lies within hi's last place,
    // which the first-order corrections of the kernels assume.
    const Extended lo = e - n * (kPart3 + kPart4);
    const Extended sum = hi + lo;
    return {sum, lo - (sum - hi), quadrant};
}

namespace trig_detail {

// sin(hi + lo) and cos(hi + lo) for |hi| <= pi/4 and lo within hi's last
// place: the first-order term of lo is enough.
inline Extended sinOfSum(Extended hi, Extended lo) {
    return std::sin(hi) + lo * (1 - hi * hi * 0.5L);
}
inline Extended cosOfSum(Extended hi, Extended lo) {
    return std::cos(hi) - lo * hi;
}

// tan(hi + lo), or -1 / tan(hi + lo) when cotangent, for |hi| <= pi/4 + a
// little. tan r = r + r^3 C(r^2) / D(r^2), the ninth convergent of Lambert's
// continued fraction (relative error below 2^-69 on [0, pi/4]). The leading
// r is exact, so the rounding errors only touch the smaller second term; the
// library's tangent, inverted, would reach 1.6 units in the last place.
inline Extended tanOfSum(Extended hi, Extended lo, bool cotangent) {
    const Extended z = hi * hi;
    const Extended c = (((z - 1430) * z + 289575) * z - 16081065) * z + 218243025;
    const Extended d = ((((1485 - z) * z - 315315) * z + 18918900) * z - 310134825) * z + 654729075;
    const Extended p = hi * z * c / d;
    const Extended approx = hi + p;
    const Extended small = p + lo * (1 + approx * approx); // tan' = 1 + tan^2
    const Extended t = hi + small;
    if (!cotangent) return t;
    // -1 / (t + tail) where t + tail is the tangent before its last rounding:
    // q (1 + rho - q tail) with rho = 1 - q t, computed exactly by splitting
    // q and t into 32-bit halves.
    const Extended tail = small - (t - hi);
    const Extended q = 1 / t;
    constexpr Extended kSplit = 0x1p32L + 1;
    const Extended qs = q * kSplit;
    const Extended qHi = qs - (qs - q);
    const Extended qLo = q - qHi;
    const Extended ts = t * kSplit;
    const Extended tHi = ts - (ts - t);
    const Extended tLo = t - tHi;
    const Extended product = q * t;
    const Extended productError = ((qHi * tHi - product) + qHi * tLo + qLo * tHi) + qLo * tLo;
    const Extended rho = (1 - product) - productError;
    return -(q + q * (rho - q * tail));
}

} // namespace trig_detail

inline Extended reducedSin(Extended x) {
    using namespace trig_detail;
    if (std::fabs(x) <= kPiOver4) return std::sin(x);
    if (!(std::fabs(x) <= kQuarterTurnLimit)) return std::sin(x);
    const QuarterTurns r = reduceQuarterTurns(x);
    const Extended v = (r.quadrant & 1) ? cosOfSum(r.hi, r.lo) : sinOfSum(r.hi, r.lo);
    return (r.quadrant & 2) ? -v : v;
}

inline Extended reducedCos(Extended x) {
    using namespace trig_detail;
    if (std::fabs(x) <= kPiOver4) return std::cos(x);
    if (!(std::fabs(x) <= kQuarterTurnLimit)) return std::cos(x);
    const QuarterTurns r = reduceQuarterTurns(x);
    // cos x = sin(x + pi/2)
    const unsigned quadrant = r.quadrant + 1;
    const Extended v = (quadrant & 1) ? cosOfSum(r.hi, r.lo) : sinOfSum(r.hi, r.lo);
    return (quadrant & 2) ? -v : v;
}

inline Extended reducedTan(Extended x) {
    using namespace trig_detail;
    if (std::fabs(x) <= kPiOver4) return tanOfSum(x, 0, false);
    if (!(std::fabs(x) <= kQuarterTurnLimit)) return std::tan(x);
    const QuarterTurns r = reduceQuarterTurns(x);
    return tanOfSum(r.hi, r.lo, (r.quadrant & 1) != 0);
}

} // namespace tallix
