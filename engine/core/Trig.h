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

// 1 / n!, rounded once: n! itself is exact in the 64-bit mantissa up to 25!
// (its odd part stays below 2^64).
consteval Extended inverseFactorial(int n) {
    Extended f = 1;
    for (int k = 2; k <= n; ++k)
        f *= k;
    return 1 / f;
}

// c[0] + c[1] z + ... + c[8] z^8 by Estrin's scheme: the x87 latencies make
// Horner's chain of eight multiply-adds the slowest part of the kernels.
inline Extended polynomial8(const Extended (&c)[9], Extended z, Extended z2) {
    const Extended z4 = z2 * z2;
    const Extended low = (c[0] + c[1] * z) + z2 * (c[2] + c[3] * z);
    const Extended high = ((c[4] + c[5] * z) + z2 * (c[6] + c[7] * z)) + z4 * c[8];
    return low + z4 * high;
}

// (-1)^k / (2k + 3)!: sin r = r - r^3 P(r^2), so that P is near 1/6.
inline constexpr Extended kSinTaylor[9] = {
    inverseFactorial(3),  -inverseFactorial(5),  inverseFactorial(7),
    -inverseFactorial(9), inverseFactorial(11),  -inverseFactorial(13),
    inverseFactorial(15), -inverseFactorial(17), inverseFactorial(19)};
// (-1)^k / (2k + 4)!: cos r = 1 - r^2 / 2 + r^4 Q(r^2).
inline constexpr Extended kCosTaylor[9] = {
    inverseFactorial(4),   -inverseFactorial(6),  inverseFactorial(8),
    -inverseFactorial(10), inverseFactorial(12),  -inverseFactorial(14),
    inverseFactorial(16),  -inverseFactorial(18), inverseFactorial(20)};

// sin(hi + lo) and cos(hi + lo) for |hi| <= pi/4 (a little more at the
// rounding of the multiple) and lo within hi's last place: the first-order
// term of lo is enough. The series alternate, so the first omitted term
// bounds the truncation: r^21 / 21! stays below 2^-72 of sin r and
// r^22 / 22! below 2^-77 of cos r on [0, pi/4], well under the rounding.
inline Extended sinOfSum(Extended hi, Extended lo) {
    const Extended z = hi * hi;
    const Extended p = polynomial8(kSinTaylor, z, z * z);
    // The leading hi is exact, so the rounding errors only touch the tail,
    // at most a sixth of the result.
    return hi - (hi * z * p - lo * (1 - z * 0.5L));
}
inline Extended cosOfSum(Extended hi, Extended lo) {
    const Extended z = hi * hi;
    const Extended z2 = z * z;
    const Extended q = polynomial8(kCosTaylor, z, z2);
    // 1 - z / 2 with its rounding error kept: z / 2 is exact and below 0.31,
    // so the fast two-sum is exact.
    const Extended w = z * 0.5L;
    const Extended s = 1 - w;
    const Extended error = (1 - s) - w;
    return s + (error + (z2 * q - lo * hi));
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
    // Below 2^-33, x^3 / 6 is under half a unit in x's last place; x itself
    // also keeps the sign of a zero.
    if (std::fabs(x) < 0x1p-33L) return x;
    if (std::fabs(x) <= kPiOver4) return sinOfSum(x, 0);
    if (!(std::fabs(x) <= kQuarterTurnLimit)) return std::sin(x);
    const QuarterTurns r = reduceQuarterTurns(x);
    const Extended v = (r.quadrant & 1) ? cosOfSum(r.hi, r.lo) : sinOfSum(r.hi, r.lo);
    return (r.quadrant & 2) ? -v : v;
}

inline Extended reducedCos(Extended x) {
    using namespace trig_detail;
    if (std::fabs(x) <= kPiOver4) return cosOfSum(x, 0);
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
