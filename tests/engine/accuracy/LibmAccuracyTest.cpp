// The evaluator's sine, cosine, tangent and roots against libquadmath's
// 113-bit functions, in units in the last place of the 64-bit result.
// TALLIX_ACCURACY_SAMPLE arguments are drawn (fewer under the sanitizers).
#include "engine/core/Trig.h"
#include "engine/func/FuncSet.h"

#include <gtest/gtest.h>
#include <quadmath.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

using namespace tallix;

namespace {

constexpr int kSample = TALLIX_ACCURACY_SAMPLE;

// |got - want| in units of the last place of want's 64-bit binade.
double ulpError(Extended got, __float128 want) {
    if (want == 0) return got == 0 ? 0 : 1e30;
    int exponent = 0;
    frexpq(want, &exponent);
    return static_cast<double>(
        fabsq((static_cast<__float128>(got) - want) / ldexpq(1, exponent - 64)));
}

// An Extended with a random full mantissa, magnitude in [2^(low-1), 2^high),
// random sign.
Extended randomMagnitude(std::mt19937_64& g, int low, int high) {
    const Extended mantissa = static_cast<Extended>(g() | (1ULL << 63)) * 0x1p-64L;
    const int exponent = low + static_cast<int>(g() % static_cast<std::uint64_t>(high - low + 1));
    const Extended m = std::ldexp(mantissa, exponent);
    return (g() & 1) ? -m : m;
}

struct Worst {
    double error = 0;
    Extended at = 0;
    void take(double e, Extended x) {
        if (e > error) {
            error = e;
            at = x;
        }
    }
};

struct TrigWorst {
    Worst sin, cos, tan;
    void check(Extended x) {
        const __float128 q = x;
        sin.take(ulpError(reducedSin(x), sinq(q)), x);
        cos.take(ulpError(reducedCos(x), cosq(q)), x);
        tan.take(ulpError(reducedTan(x), tanq(q)), x);
    }
    void expectWithin(double bound) const {
        EXPECT_LE(sin.error, bound) << "sin at " << static_cast<double>(sin.at);
        EXPECT_LE(cos.error, bound) << "cos at " << static_cast<double>(cos.at);
        EXPECT_LE(tan.error, bound) << "tan at " << static_cast<double>(tan.at);
    }
};

TEST(TrigAccuracy, WithinOneAndAHalfUnitsUpToTenToTheEight) {
    std::mt19937_64 g(20);
    TrigWorst worst;
    for (int i = 0; i < kSample; ++i) {
        Extended x;
        if (i % 2 == 0) { // the graph's usual range
            x = static_cast<Extended>(g()) * 0x1p-64L * 18 - 9;
        } else {
            do
                x = randomMagnitude(g, -20, 27);
            while (std::fabs(x) > kQuarterTurnLimit);
        }
        worst.check(x);
    }
    worst.check(kQuarterTurnLimit);
    worst.check(-kQuarterTurnLimit);
    worst.expectWithin(1.5);
}

TEST(TrigAccuracy, WithinOneAndAHalfUnitsNextToMultiplesOfHalfPi) {
    // The arguments nearest to n pi/2 and their neighbours, where the
    // remainder loses most of its leading bits.
    const __float128 halfPi = acosq(0);
    TrigWorst worst;
    const std::int64_t last = static_cast<std::int64_t>(kQuarterTurnLimit / 1.5707963267948966L);
    const std::int64_t step = last / (kSample / 40);
    for (std::int64_t n = 1; n <= last; n += n < 2000 ? 1 : step) {
        Extended x = static_cast<Extended>(halfPi * n);
        Extended down = x;
        Extended up = x;
        for (int k = 0; k < 3; ++k) {
            for (Extended v : {down, up}) {
                worst.check(v);
                worst.check(-v);
            }
            down = std::nextafter(down, Extended(0));
            up = std::nextafter(up, kQuarterTurnLimit * 2);
        }
    }
    worst.expectWithin(1.5);
}

TEST(TrigAccuracy, SmallArgumentsAndSignedZeros) {
    // Below the random test's magnitudes, down to where sin x rounds to x.
    std::mt19937_64 g(21);
    Worst sin, cos;
    for (int i = 0; i < kSample / 10; ++i) {
        const Extended x = randomMagnitude(g, -70, -20);
        sin.take(ulpError(reducedSin(x), sinq(static_cast<__float128>(x))), x);
        cos.take(ulpError(reducedCos(x), cosq(static_cast<__float128>(x))), x);
    }
    EXPECT_LE(sin.error, 1.0) << "sin at " << static_cast<double>(sin.at);
    EXPECT_LE(cos.error, 1.0) << "cos at " << static_cast<double>(cos.at);
    EXPECT_TRUE(std::signbit(reducedSin(-0.0L)));
    EXPECT_FALSE(std::signbit(reducedSin(0.0L)));
    EXPECT_EQ(reducedCos(-0.0L), 1.0L);
}

TEST(RootAccuracy, ThirdsAndHalvesThroughTheRootFunctions) {
    // Through the power rules, as x^(1/3), x^(-1/3), x^(2/3), x^(-2/3), x^(1/2) and x^(-1/2)
    // reach them, over the exponent range (bases below 1e-99 give 0). All but x^(1/3) (the
    // library's cube root) carry b^2 or 1/b to twice the precision and refine the root, so
    // they round once.
    auto set = std::make_unique<FuncSet>();
    std::mt19937_64 g(3);
    Worst cube, cubeInverse, square, squareInverse, twoThirds, twoThirdsInverse;
    for (int i = 0; i < kSample / 4; ++i) {
        const Extended x = randomMagnitude(g, -320, 16000);
        const __float128 root = cbrtq(fabsq(static_cast<__float128>(x)));
        const __float128 signedRoot = x < 0 ? -root : root;
        cube.take(ulpError(set->power(x, 1.0L / 3), signedRoot), x);
        cubeInverse.take(ulpError(set->power(x, -1.0L / 3), 1 / signedRoot), x);
        twoThirds.take(ulpError(set->power(x, 2.0L / 3), root * root), x);
        twoThirdsInverse.take(ulpError(set->power(x, -2.0L / 3), 1 / (root * root)), x);
        const Extended positive = std::fabs(x);
        square.take(ulpError(set->power(positive, 0.5L), sqrtq(positive)), positive);
        squareInverse.take(ulpError(set->power(positive, -0.5L), 1 / sqrtq(positive)), positive);
    }
    EXPECT_LE(cube.error, 1.0) << cube.at;
    EXPECT_LE(cubeInverse.error, 0.55) << cubeInverse.at;
    EXPECT_LE(twoThirds.error, 0.55) << twoThirds.at;
    EXPECT_LE(twoThirdsInverse.error, 0.55) << twoThirdsInverse.at;
    EXPECT_LE(square.error, 0.5) << square.at;
    EXPECT_LE(squareInverse.error, 0.55) << squareInverse.at;
}

} // namespace
