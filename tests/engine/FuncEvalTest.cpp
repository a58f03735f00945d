#include "engine/core/Scalar.h"
#include "engine/func/FuncSet.h"
#include "engine/func/FuncText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

using namespace tallix;

namespace {

// Types text into slot n (replacing what it held) as the editor would.
void define(FuncSet& set, int n, std::string_view text) {
    set.setTokens(n, funcTokensFromText(text));
}

class FuncEval : public ::testing::Test {
protected:
    std::unique_ptr<FuncSet> set = std::make_unique<FuncSet>();

    // The value of text at x, or NaN after an error.
    Extended at(std::string_view text, Extended x, TrigMode trig = TrigMode::Radians) {
        define(*set, 1, text);
        set->EvalFuncAtX(1, x, trig);
        return set->FuncErrorText.empty() ? set->FuncResult : NAN;
    }
    std::string errorOf(std::string_view text) {
        define(*set, 1, text);
        set->EvalFuncAtX(1, 1, TrigMode::Radians);
        return set->FuncErrorText;
    }
    int poolInUse() const {
        int used = 0;
        for (int n = 1; n <= kFnumPoolSize; ++n)
            used += set->poolEntryInUse(n);
        return used;
    }
};

struct ValueCase {
    const char* text;
    Extended x;
    Extended expected;
};

void expectNear(Extended actual, Extended expected) {
    EXPECT_NEAR(static_cast<double>(actual), static_cast<double>(expected),
                1e-15 * std::fmax(1.0, std::fabs(static_cast<double>(expected))));
}

TEST_F(FuncEval, ImplicitProducts) {
    const ValueCase cases[] = {
        {"2x^2", 3, 18},
        {"(x+1)(x-1)", 3, 8},
        {"2(x)", 3, 6},
        {"(x)2", 3, 6},
        {"x(x+1)", 3, 12},
        {"(x+1)x", 3, 12},
        {"x^2(x+1)", 2, 12},
        {"x^3(2)", 2, 16},
        {"2pi", 0, 2 * kPi},
        {"2sin x", 1, 2 * std::sin(1.0L)},
        {"(x)sin x", 2, 2 * std::sin(2.0L)},
        {"2sqrt 9", 0, 6},
        {"3 4", 0, 34},
        {"(2)(3)(4)", 0, 24},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.text);
        expectNear(at(c.text, c.x), c.expected);
    }
}

TEST_F(FuncEval, NoProductAfterVariableOrFactorial) {
    for (const char* text : {"x x", "x 2", "x sin x", "x!2"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(errorOf(text), funcerr::kTooMany);
    }
}

TEST_F(FuncEval, Precedence) {
    const ValueCase cases[] = {
        {"-x^2", 3, -9},
        {"2^-3", 0, 0.125L},
        {"2^3^2", 0, 512},
        {"sin x^2", 3, std::sin(9.0L)},
        {"sin x*2", 3, 2 * std::sin(3.0L)},
        {"2*3nrt8", 0, 4},
        {"10-4-3", 0, 3},
        {"64/8/2", 0, 4},
        {"1+2*3", 0, 7},
        {"-2+5", 0, 3},
        {"2*-x", 3, -6},
        {"x!^2", 3, 36},
        {"2x!", 3, 12},
        {"-x^2^-1", 4, -2},
        {"sqrt x^2", 3, 3},
        {"ln e^x", 2, 2},
        {"abs -x+1", 3, 4},
        {"2^x", 10, 1024},
        {"12/x", 4, 3},
        {"10-x-x", 4, 2},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.text);
        expectNear(at(c.text, c.x), c.expected);
    }
}

TEST_F(FuncEval, UndefinedValues) {
    const ValueCase cases[] = {
        {"x/0", 1, UndefinedMarker},
        {"ln 0", 1, UndefinedMarker},
        {"sqrt -1", 1, UndefinedMarker},
        {"log -x", 2, UndefinedMarker},
        {"70!", 0, UndefinedMarker},
        {"-1!", 0, -1}, // the sign applies after !
        {"(-1)!", 0, UndefinedMarker},
        {"arcsin 2", 0, UndefinedMarker},
        {"arccos -1.5", 0, UndefinedMarker},
        {"0nrt8", 0, UndefinedMarker},
        // U passes through every operator.
        {"ln 0 + 1", 0, UndefinedMarker},
        {"abs(ln 0)", 0, UndefinedMarker},
        {"sin(x/0)", 1, UndefinedMarker},
        {"(ln 0)^2", 0, UndefinedMarker},
        {"2^(ln 0)", 0, UndefinedMarker},
        // Floating-point faults.
        {"e^x", 100000, UndefinedMarker},
        {"10^x", 5000, UndefinedMarker},
        {"x^2", 1e3000L, UndefinedMarker},
        {"x*x*x", 1e2000L, UndefinedMarker},
        {"1/x", 1e-4000L, UndefinedMarker},
        {"1/x", 0, UndefinedMarker},
        {"x/x", 0, UndefinedMarker},
        {"2^x", 20000, UndefinedMarker},
        // Operators that could turn U into a number.
        {"3nrt(ln x)", -1, UndefinedMarker},
        {"(ln 0)nrt 8", 0, UndefinedMarker},
        {"(ln 0)^0", 0, UndefinedMarker},
        {"0^(ln 0)", 0, UndefinedMarker},
        {"cbrt(ln 0)", 0, UndefinedMarker},
        {"10^(ln 0)", 0, UndefinedMarker},
        {"(ln 0)!", 0, UndefinedMarker},
        {"x^0", UndefinedMarker, UndefinedMarker},
        {"0*x", UndefinedMarker, UndefinedMarker},
        {"arcsin x", UndefinedMarker, UndefinedMarker},
        {"x^0.5", UndefinedMarker, UndefinedMarker},
        // The number that used to stand for U is an ordinary number.
        {"x+1", -123456790, -123456789},
        {"abs x", -123456789, 123456789},
        {"x*0", -123456789, 0},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.text);
        const Extended v = at(c.text, c.x);
        EXPECT_EQ(isUndefined(v), isUndefined(c.expected)) << static_cast<double>(v);
        if (!isUndefined(c.expected)) {
            EXPECT_EQ(v, c.expected);
        }
    }
    EXPECT_FALSE(isUndefined(at("69!", 0)));
    EXPECT_EQ(at("3.7!", 0), 6);
    EXPECT_EQ(at("0!", 0), 1);
}

TEST_F(FuncEval, PowersOfNegativeBases) {
    const ValueCase cases[] = {
        {"(-8)^(1/3)", 0, -2},
        {"(-8)^(2/3)", 0, 4},
        {"(-8)^(1/2)", 0, UndefinedMarker},
        {"(-8)^(-1/3)", 0, -0.5L},
        {"(-32)^0.4", 0, 4},
        {"(-16)^0.25", 0, UndefinedMarker},
        {"3nrt-8", 0, -2},
        {"2nrt-8", 0, UndefinedMarker},
        {"5nrt x", -32, -2},
        {"cbrt x", -27, -3},
        {"0^-2", 0, 0},
        {"x^3", -2, -8},
        {"x^-2", -2, 0.25L},
        {"x^0.5", 9, 3},
        // A whole exponent gives its parity's sign at any size.
        {"(-2)^100", 0, std::ldexp(1.0L, 100)},
        {"x^101", -2, -std::ldexp(1.0L, 101)},
        {"x^-100", -2, std::ldexp(1.0L, -100)},
        {"x^1001", -1, -1},
        // No fraction for the exponent: no real value.
        {"(-2)^pi", 0, UndefinedMarker},
        {"(-4)^(1/2)", 0, UndefinedMarker},
        {"x^1.2", -32, 64},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.text);
        const Extended v = at(c.text, c.x);
        ASSERT_EQ(isUndefined(v), isUndefined(c.expected)) << static_cast<double>(v);
        if (!isUndefined(c.expected)) expectNear(v, c.expected);
    }
}

TEST_F(FuncEval, PowerCacheKeepsAnswersAcrossEvictions) {
    // Seven exponents through a five-entry cache, twice over: the sign of a
    // negative base's power comes from the exponent's fraction.
    struct Case {
        Extended exponent;
        int sign; // 0: no real value
    };
    const Case cases[] = {{1.0L / 3, -1}, {2.0L / 3, 1}, {0.2L, -1},    {0.4L, 1},
                          {1.0L / 7, -1}, {0.75L, 0},    {1.0L / 3, -1}};
    for (int round = 0; round < 2; ++round) {
        for (const Case& c : cases) {
            SCOPED_TRACE(static_cast<double>(c.exponent));
            const Extended v = set->power(-2, c.exponent);
            ASSERT_EQ(isUndefined(v), c.sign == 0);
            if (c.sign != 0) expectNear(v, c.sign * std::pow(2.0L, c.exponent));
            expectNear(set->power(2, c.exponent), std::pow(2.0L, c.exponent));
        }
    }
    EXPECT_TRUE(isUndefined(set->power(-2, kPi)));
}

TEST_F(FuncEval, BracketsOfAnyKindMatch) {
    EXPECT_EQ(at("[x+1]", 2), 3);
    EXPECT_EQ(at("{x+1}", 2), 3);
    EXPECT_EQ(at("[x+1}2", 2), 6);
    EXPECT_EQ(at("{(x]+1)", 2), 3);
}

TEST_F(FuncEval, DegreesAndRadians) {
    EXPECT_EQ(at("sin x", 90, TrigMode::Degrees), 1);
    EXPECT_EQ(at("cos x", 90, TrigMode::Degrees), 0);
    EXPECT_EQ(at("sin pi", 0), 0); // the remainder below 1e-17 is cut
    EXPECT_EQ(at("arcsin 1", 0, TrigMode::Degrees), 90);
    expectNear(at("arctan x", 1, TrigMode::Degrees), 45);
    expectNear(at("arccos x", 0), kPi / 2);
    expectNear(at("tan x", 1), std::tan(1.0L));
}

TEST_F(FuncEval, Literals) {
    EXPECT_EQ(at(".5", 0), 0.5L);
    EXPECT_EQ(at("5.", 0), 5);
    EXPECT_EQ(at("2.5x", 2), 5);
}

struct ErrorCase {
    const char* text;
    std::string error;
};

TEST_F(FuncEval, ErrorTexts) {
    const ErrorCase cases[] = {
        {"(x+1", "Unbalanced parentheses - too many \"(\" "},
        {"x+1)", "Unbalanced parentheses - too many \")\" "},
        {"(x+1]", "Unbalanced parentheses - too many \"(\" "},
        {"arc 5", "error: ARC not followed by Sin, Cos or Tan."},
        {"2 arc", "error: ARC not followed by Sin, Cos or Tan."},
        {"1.2.3", "error: invalid number format - \"1.2.3\""},
        {"x+..", "error: invalid number format - \"..\""},
        {"[x+1", "error: unbalanced operands and operators."},
        {"x+1]", "error: unbalanced operands and operators."},
        {"x]+[1", "error: unbalanced operands and operators."},
        {"2+", "error: insufficient operands."},
        {"*x", "error: insufficient operands."},
        {"", "error: too few data operands."},
        {"()", "error: too few data operands."},
        {"x x", "error: too many data operands."},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(errorOf(c.text), c.error);
    }
}

TEST_F(FuncEval, ErrorLeavesPreviousResult) {
    EXPECT_EQ(at("x+1", 1), 2);
    define(*set, 2, "2+");
    set->EvalFuncAtX(2, 5, TrigMode::Radians);
    EXPECT_FALSE(set->FuncErrorText.empty());
    EXPECT_EQ(set->FuncResult, 2);
    set->EvalFuncAtX(1, 4, TrigMode::Radians);
    EXPECT_TRUE(set->FuncErrorText.empty());
    EXPECT_EQ(set->FuncResult, 5);
}

TEST_F(FuncEval, FailedCompileReportsTheSameErrorEachTimeAndHoldsNoConstants) {
    for (const char* text : {"1+2+[3", "arc 5", "1.2+3.4.5"}) {
        SCOPED_TRACE(text);
        const std::string first = errorOf(text);
        ASSERT_FALSE(first.empty());
        EXPECT_EQ(poolInUse(), 0);
        set->EvalFuncAtX(1, 2, TrigMode::Radians);
        EXPECT_EQ(set->FuncErrorText, first);
        EXPECT_EQ(set->slot(1).FuncRPNLength, 0);
        EXPECT_EQ(poolInUse(), 0);
    }
}

TEST_F(FuncEval, ProgramIsReusedUntilInvalidated) {
    define(*set, 3, "2x+pi");
    set->EvalFuncAtX(3, 1, TrigMode::Radians);
    EXPECT_EQ(set->slot(3).FuncRPNLength, 5);
    EXPECT_EQ(poolInUse(), 2);
    set->EvalFuncAtX(3, 2, TrigMode::Radians);
    EXPECT_EQ(poolInUse(), 2);
    expectNear(set->FuncResult, 4 + kPi);
    set->InvalidateFuncRPNn(3);
    EXPECT_EQ(poolInUse(), 0);
    set->EvalFuncAtX(3, 0, TrigMode::Radians);
    expectNear(set->FuncResult, kPi);
    // Clearing every slot leaves no program behind to run.
    set->ClearAll();
    set->EvalFuncAtX(3, 0, TrigMode::Radians);
    EXPECT_FALSE(set->FuncErrorText.empty());
}

// The factorial reads a table up to 69!; each entry must be the product a
// loop multiplying out 1 x 2 x ... x k gives, and a just below a whole number
// must not be taken for it.
TEST(Factorial, TableMatchesTheProductAndItsLimits) {
    Extended p = 1;
    for (int k = 0; k < 70; ++k) {
        if (k > 0) p *= k;
        SCOPED_TRACE(k);
        EXPECT_EQ(factorial(k), p);
        EXPECT_EQ(factorial(k + 0.5L), p);
        EXPECT_EQ(factorial(std::nextafter(Extended(k + 1), Extended(0))), p);
    }
    EXPECT_EQ(factorial(-0.0L), 1);
    for (Extended a : {70.0L, 1e30L, -1e-30L, -1.0L, Extended(INFINITY), Extended(NAN)})
        EXPECT_TRUE(isUndefined(factorial(a))) << static_cast<double>(a);
}

// Texts past the fixed limits fail with a message instead of overflowing.
TEST_F(FuncEval, LimitsEndInAnError) {
    std::string sum = "x", nested = "x";
    for (int i = 0; i < 50; ++i)
        sum += "+x"; // 101 program items
    for (int i = 0; i < 100; ++i)
        nested = "(" + nested + ")";
    std::string longList = "x";
    for (int i = 0; i < 1100; ++i)
        longList += "+x";
    EXPECT_EQ(errorOf(sum), funcerr::kProgramFull);
    EXPECT_EQ(errorOf(nested), funcerr::kTooDeep);
    EXPECT_EQ(errorOf(longList), funcerr::kTooLong);
    EXPECT_EQ(at(sum.substr(0, sum.size() - 2), 1), 50); // 99 items fit

    // 150 constants fill the pool; the 151st fails and gives back its slot's.
    for (int n = 1; n <= 15; ++n)
        define(*set, n, "1+2+3+4+5+6+7+8+9+10");
    for (int n = 1; n <= 15; ++n)
        set->EvalFuncAtX(n, 0, TrigMode::Radians);
    EXPECT_EQ(poolInUse(), kFnumPoolSize);
    define(*set, 16, "x+1+2");
    set->EvalFuncAtX(16, 0, TrigMode::Radians);
    EXPECT_EQ(set->FuncErrorText, funcerr::kPoolFull);
    EXPECT_EQ(poolInUse(), kFnumPoolSize);
    set->InvalidateFuncRPNn(15);
    set->EvalFuncAtX(16, 0, TrigMode::Radians);
    EXPECT_EQ(set->FuncResult, 3);
}

} // namespace
