#include "engine/core/NumFormat.h"
#include "engine/core/FracSearch.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <locale>
#include <string>

using namespace tallix;

namespace {

struct FormatCase {
    FloatFormat kind;
    int precision;
    int digits;
    Extended x;
    const char* expected;
};

struct ResultCase {
    const char* what;
    DisplayMode mode;
    CalcDisplaySettings settings;
    Extended v;
    std::string expected;
};

const Extended kSqrt2 = std::sqrt(2.0L);

} // namespace

TEST(NumFormat, LayoutsOfTheFloatTexts) {
    const FloatFormat G = FloatFormat::General, F = FloatFormat::Fixed, E = FloatFormat::Exponent;
    const FormatCase cases[] = {
        {G, 15, 0, 0.75L, "0.75"},
        {G, 15, 0, -2.5L, "-2.5"},
        {G, 15, 0, 100.0L, "100"},
        {G, 15, 0, 0.0001L, "0.0001"},
        {G, 15, 0, 0.00001L, "1E-5"},
        {G, 15, 0, 1e15L, "1E+15"},
        {G, 15, 0, 999999999999999.0L, "999999999999999"},
        {G, 15, 0, 9999999999999999.0L, "1E+16"}, // rounds up past the precision
        {G, 15, 0, 2.0L / 3, "0.666666666666667"},
        {G, 15, 0, 1.0L / 3 * 1e-7L, "3.33333333333333E-8"},
        {G, 15, 0, -0.0L, "0"},
        {G, 20, 4, 1.5e25L, "1.5E+0025"},
        {G, 20, 4, 0x1p-20L, "9.5367431640625E-0007"},
        {G, 20, 4, 2.0L / 3, "0.66666666666666666668"},
        {G, 20, 4, 0x1p64L, "18446744073709551616"},
        {G, 20, 4, 0x1p70L, "1.1805916207174113034E+0021"},
        {F, 20, 3, 2.0L / 3, "0.667"},
        {F, 20, 3, -2.0L / 3, "-0.667"},
        {F, 20, 3, -0.0001L, "0.000"},
        {F, 20, 0, 2.5L, "2"}, // half to even
        {F, 20, 0, 3.5L, "4"},
        {F, 20, 2, 9.999L, "10.00"},
        {F, 20, 20, 1.0L / 3, "0.33333333333333333334"}, // 20 significant digits,
        {F, 20, 20, 1e18L / 3, "333333333333333333.34000000000000000000"},
        {F, 20, 2, 1e25L, "1.0000000000000000000E+25"},
        {E, 20, 0, 2.0L / 3, "6.6666666666666666668E-1"},
        {E, 20, 0, -0x1p100L, "-1.2676506002282294015E+30"},
        {E, 20, 0, 0.0L, "0.0000000000000000000E+0"},
        {E, 3, 2, 12345.0L, "1.23E+04"},
        {G, 15, 0, INFINITY, "INF"},
        {E, 20, 0, -INFINITY, "-INF"},
        {F, 20, 3, NAN, "NAN"},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(formatFloat(c.kind, c.precision, c.digits, c.x), c.expected);
    }
}

TEST(NumFormat, PointWhateverTheLocale) {
    struct CommaPoint : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
    };
    const std::locale saved =
        std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
    // The C locale too, where the machine has a comma one.
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_EQ(decimalText(2.5L), "2.5");
    EXPECT_EQ(general20Text(2.0L / 3), "0.66666666666666666668");
    EXPECT_EQ(fixedText(2.0L / 3, 3), "0.667");
    EXPECT_EQ(scientific20Text(0.5L), "5.0000000000000000000E-1");
    EXPECT_EQ(FloatToRationalStr(true, 0.75L), "0.75  =3 / 4");
    std::setlocale(LC_NUMERIC, "C");
    std::locale::global(saved);
}

TEST(NumFormat, CalculatorResultText) {
    const DisplayMode Dec = DisplayMode::Decimal, Frac = DisplayMode::Fraction;
    const CalcDisplaySettings def;
    CalcDisplaySettings round3;
    round3.roundN = 3;
    CalcDisplaySettings sci;
    sci.floatVsSci = false;
    CalcDisplaySettings noPi;
    noPi.expPiReduction = false;
    CalcDisplaySettings loose;
    loose.fracOutErrDig = -4;

    const FracMatch walked = fracWalk(kPi / 2, 1e-8L, kLongFracSteps);
    const std::string noPiHalf = std::to_string(walked.p) + " / " + std::to_string(walked.q);

    const ResultCase cases[] = {
        {"1/2", Frac, def, 0.5L, "1 / 2"},
        {"0.333333333333", Frac, def, 0.333333333333L, "1 / 3"},
        {"pi/2", Frac, def, kPi / 2, " pi / 2"},
        {"-pi", Frac, def, -kPi, "-1 pi"},
        {"-pi/4", Frac, def, -kPi / 4, "-1 pi / 4"},
        {"2pi/3", Frac, def, 2 * kPi / 3, "2 pi / 3"},
        {"3pi", Frac, def, 3 * kPi, "3 pi"},
        {"6", Frac, def, 6.0L, "6"},
        {"-6", Frac, def, -6.0L, "-6"},
        {"-7/3", Frac, def, -7.0L / 3, "-7 / 3"},
        {"pi/73 is no pi form", Frac, def, kPi / 73, "1551 / 36040"},
        {"1e30 beyond 64 bits", Frac, def, 1e30L, "1E+30"},
        {"nothing within reach", Frac, def, 1.234567e-7L, "1.234567E-7"},
        {"pi/2 without pi", Frac, noPi, kPi / 2, noPiHalf},
        {"loose tolerance", Frac, loose, kSqrt2, "99 / 70"},
        {"round 3", Dec, round3, 2.0L / 3, "0.667"},
        {"round 3, big", Dec, round3, 1e20L, "1E+0020"},
        {"round 3, tiny", Dec, round3, 0x1p-50L, "8.8817841970012523234E-0016"},
        {"round 3, at 1e19", Dec, round3, 1e19L, "10000000000000000000.000"},
        {"full", Dec, def, 2.0L / 3, "0.66666666666666666668"},
        {"scientific", Dec, sci, 2.0L / 3, "6.6666666666666666668E-1"},
    };
    for (const ResultCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CalcResultText(c.v, c.mode, c.settings), c.expected);
    }
    EXPECT_GT(walked.q, 1000u);
}

TEST(NumFormat, SharedFractionAndPiTexts) {
    struct Case {
        Extended x;
        const char* strPi;
        const char* onlyPi;
        const char* rational;
    };
    const Case cases[] = {
        {-kPi / 2, "-pi / 2", "-pi / 2", "-312689 / 199064"},
        {-kPi, "-pi", "-1 pi", "-312689 / 99532"},
        {3 * kPi / 4, "3 pi / 4", "3 pi / 4", "599291 / 254347"},
        {0.3L, "3 / 10", "3 / 10", "3 / 10"},
        {-2.5L, "-5 / 2", "-5 / 2", "-5 / 2"},
        {kSqrt2, "", "", "275807 / 195025"},
        {1.234567e-7L, "", "", "1.234567E-7"},
        {5.0L, "5", "", "5"},
        {3.0000000001L, "3 / 1", "", "3.0000000001"},
        {2.000000000001L, "2 / 1", "", "2"},
        {1.0L / 257, "", "", "1 / 257"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.strPi);
        EXPECT_EQ(FloatToStrPiRational(c.x), c.strPi);
        EXPECT_EQ(FloatToOnlyPiRational(c.x), c.onlyPi);
        EXPECT_EQ(FloatToRationalStr(false, c.x), c.rational);
    }
    EXPECT_EQ(FloatToRationalStr(true, 0.75L), "0.75  =3 / 4");
    EXPECT_EQ(FloatToRationalStr(true, -2.0L / 3), "-0.666666666666667  =-2 / 3");
}
