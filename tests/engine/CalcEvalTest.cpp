#include "engine/calc/CalcEval.h"
#include "engine/calc/CalcEditor.h"
#include "engine/core/Scalar.h"
#include "engine/func/FuncSet.h"
#include "engine/func/FuncText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

using namespace tallix;

namespace {

CalcEvalResult typed(std::string_view text, TrigMode mode = TrigMode::Radians) {
    CalcEditor editor;
    editor.context().trig = mode;
    TypedFeed feed = feedTypedLine(editor, text);
    if (!feed.sawEquals) feed.effect = editor.ProcessExpButtonClick(calc::Evaluate);
    return feed.effect.result;
}

struct ValueCase {
    const char* line;
    Extended expected;
};

void expectValues(std::initializer_list<ValueCase> cases, TrigMode mode = TrigMode::Radians) {
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.line);
        const CalcEvalResult r = typed(c.line, mode);
        ASSERT_TRUE(r.ok()) << r.errorText;
        EXPECT_NEAR(static_cast<double>(r.value), static_cast<double>(c.expected),
                    1e-15 * std::fmax(1.0, std::fabs(static_cast<double>(c.expected))));
    }
}

struct ErrorCase {
    const char* line;
    const char* message;
};

void expectErrors(std::initializer_list<ErrorCase> cases, TrigMode mode = TrigMode::Radians) {
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.line);
        const CalcEvalResult r = typed(c.line, mode);
        EXPECT_FALSE(r.ok());
        EXPECT_EQ(r.errorText, c.message);
    }
}

} // namespace

TEST(CalcEvaluator, PrecedenceAndImplicitProducts) {
    // clang-format off
    expectValues({
        {"2(3)", 6},           {"2pi", 2 * kPiKey},       {"(1+2)(3+4)", 21},
        {"3*2+4", 10},         {"3+2*4", 11},             {"8/4/2", 1},
        {"8-4-2", 2},          {"-3^2", -9},              {"2^-1", 0.5L},
        {"2^3^2", 512},        {"--2", 2},                {"2*-3", -6},
        {"(2)(3)4", 24},       {"2 sqrt 9", 6},           {"3(2)^2", 12},
        {"pi e", kPiKey * std::exp(1.0L)},
    });
    // clang-format on
}

TEST(CalcEvaluator, PostfixSquareAndCubeBindToTheOperandBefore) {
    // 3 x^2 (2): the square, then an implicit product with the parenthesis.
    const TokenCode threeSquaredTimesTwo[] = {21, calc::Square, calc::OpenParen, 20,
                                              calc::CloseParen};
    const CalcEvalResult r = EvalCrExp(threeSquaredTimesTwo, TrigMode::Radians);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value, 18);
    const TokenCode minusThreeSquared[] = {calc::Minus, 21, calc::Square};
    EXPECT_EQ(EvalCrExp(minusThreeSquared, TrigMode::Radians).value, -9);
    const TokenCode twoCubedCubed[] = {20, calc::Cube, calc::Cube};
    EXPECT_EQ(EvalCrExp(twoCubedCubed, TrigMode::Radians).value, 512);
}

TEST(CalcEvaluator, PowersAndRoots) {
    // clang-format off
    expectValues({
        {"cbrt(-8)", -2},     {"(-8)^(1/3)", -2},   {"3nrt8", 2},        {"sqrt16", 4},
        {"sqrt2^2", std::sqrt(4.0L)}, {"2^0.5", std::sqrt(2.0L)}, {"0^0", 1},
        {"0^-2", 0},          {"(-2)^3", -8},       {"(-2)^2", 4},       {"4^-0.5", 0.5L},
        {"2^100", std::ldexp(1.0L, 100)},           {"e^0", 1},
    });
    // clang-format on
    const TokenCode tenPowThree[] = {calc::TenPow, 21};
    EXPECT_EQ(EvalCrExp(tenPowThree, TrigMode::Radians).value, 1000);
    const TokenCode tenPowMinusOne[] = {calc::TenPow, calc::Minus, 19};
    EXPECT_EQ(EvalCrExp(tenPowMinusOne, TrigMode::Radians).value, 0.1L);
    EXPECT_EQ(XtoY(100, -2), std::ldexp(1.0L, 100));
    EXPECT_EQ(XtoY(-1, 4), 0.25L);
    EXPECT_EQ(XtoY(5, 1e-100L), 0);
}

TEST(CalcEvaluator, NegativeBasesFollowTheExponent) {
    // A whole exponent gives the sign of its parity at any size; a fraction
    // p/q in lowest terms gives the real root when q is odd.
    expectValues({
        {"(-2)^100", std::ldexp(1.0L, 100)},
        {"(-2)^101", -std::ldexp(1.0L, 101)},
        {"(-1)^1001", -1},
        {"(-0.5)^-100", std::ldexp(1.0L, 100)},
        {"(-8)^(2/3)", 4},
        {"(-8)^(1/3)", -2},
        {"(-8)^(-2/3)", 0.25L},
        {"(-32)^0.2", -2},
        {"(-32)^0.4", 4},
        {"(-32)^1.2", 64},
        {"3nrt-8", -2},
        {"cbrt(-27)", -3},
    });
    EXPECT_EQ(typed("(-2)^100").value, 1267650600228229401496703205376.0L);
    // No real value: an even denominator, or no fraction at all.
    expectErrors({
        {"(-4)^(1/2)", "error: Evaluation error."},
        {"(-4)^0.5", "error: Evaluation error."},
        {"(-2)^0.5", "error: Evaluation error."},
        {"(-8)^0.75", "error: Evaluation error."},
        {"2nrt-4", "error: Evaluation error."},
        {"(-2)^pi", "error: Evaluation error."},
    });
}

TEST(CalcEvaluator, TrigonometryInBothModes) {
    expectValues({{"sin0", 0},
                  {"cos0", 1},
                  {"sin(pi/6)", 0.5L},
                  {"arctan1", kPi / 4},
                  {"sin2^2", std::sin(4.0L)},
                  {"sinpi", 0}});
    expectValues({{"arcsin1", 90},
                  {"arccos0", 90},
                  {"arctan1", 45},
                  {"sin30", 0.5L},
                  {"cos60", 0.5L},
                  {"tan45", 1},
                  {"sin180", 0},
                  {"cos90", 0}},
                 TrigMode::Degrees);
    // sin 180 in degrees is exactly 0, not a tiny remainder.
    EXPECT_EQ(typed("sin180", TrigMode::Degrees).value, 0);
    EXPECT_EQ(typed("arcsin1", TrigMode::Degrees).value, 90);
}

TEST(CalcEvaluator, TrigonometryAgreesWithTheFunctionMode) {
    // One reduction and one set of kernels for both modes: the calculator's
    // sin 5 is the graph's f(5) to the last bit.
    auto set = std::make_unique<FuncSet>();
    for (const char* function : {"sin", "cos", "tan"}) {
        set->setTokens(1, funcTokensFromText(std::string(function) + " x"));
        for (const char* argument : {"5", "2", "100", "12345.678", "33", "7"}) {
            const std::string line = std::string(function) + argument;
            SCOPED_TRACE(line);
            set->EvalFuncAtX(1, parseNumberText(argument), TrigMode::Radians);
            const CalcEvalResult r = typed(line);
            ASSERT_TRUE(r.ok()) << r.errorText;
            EXPECT_EQ(r.value, set->FuncResult);
        }
    }
}

TEST(CalcEvaluator, FactorialAndItsLimit) {
    // A factorial lets a following power apply first: 3!^2 is (3^2)!.
    expectValues({{"5!", 120}, {"3.7!", 6}, {"0!", 1}, {"3!^2", 362880}, {"2+3!", 8}});
    const CalcEvalResult big = typed("69!");
    ASSERT_TRUE(big.ok());
    EXPECT_GT(big.value, 1.71e98L);
    EXPECT_LT(big.value, 1.72e98L);
}

TEST(CalcEvaluator, UndefinedResultsAreErrors) {
    // Past 1e100 or below 0 a factorial has no value, and neither has
    // anything computed from it.
    for (const char* line : {"70!", "100!", "1000000000000!", "(-1)!", "(0-1)!", "(-3)!", "(0-3)!",
                             "(-0.5)!", "sin(70!)", "abs(70!)", "arctan(70!)", "0*70!", "(70!)^0",
                             "1+(-1)!", "3nrt(70!)", "(70!)nrt8"}) {
        SCOPED_TRACE(line);
        const CalcEvalResult r = typed(line);
        EXPECT_EQ(r.status, CalcEvalStatus::Error);
        EXPECT_EQ(r.errorText, "error: result undefined.");
    }
    // The line shows the message and the history is not told.
    CalcEditor editor;
    int recorded = 0;
    editor.setEvaluatedHook([&](std::span<const TokenCode>) { ++recorded; });
    feedTypedLine(editor, "70!=");
    EXPECT_EQ(editor.current().resultText, "error: result undefined.");
    EXPECT_EQ(recorded, 0);
    // The number that used to stand for "undefined" is an ordinary number.
    expectValues({{"abs(0-123456789)", 123456789},
                  {"abs-123456789", 123456789},
                  {"0-123456789+1", -123456788}});
}

TEST(CalcEvaluator, ErrorMessagesAreExact) {
    expectErrors({
        {"1/0", "error: division by zero."},
        {"log0", "error: Log of negative number."},
        {"ln(-1)", "error: Ln of negative number."},
        {"sqrt(-4)", "error: Square Root of negative number."},
        {"0nrt8", "error: 0th root not supported."},
        {"arc5", "error: ARC not followed by Sin, Cos or Tan."},
        {"2arc", "error: ARC not followed by Sin, Cos or Tan."},
        {"arcsin2", "error: ArcSin argument out of range."},
        {"arccos(-1.5)", "error: ArcCos argument out of range."},
        {"1.2.3", "error: invalid number format - \"1.2.3\""},
        {"(1+2", "Unbalanced parentheses - too many \"(\" "},
        {"1+2)", "Unbalanced parentheses - too many \")\" "},
        {"1)+(2", "error: unbalanced operands and operators."},
        {"2+", "error: insufficient operands."},
        {"*", "error: insufficient operands."},
        {"()", "error: too few data operands."},
        {"2sin30", "error: too many data operands."},
        {"10^5000", "error: Evaluation error."},
        {"e^100000", "error: Evaluation error."},
        {"1/(10^-300)", "error: division overflow."},
        // from the verification suite
        {"2ABS3", "error: too many data operands."},
        {"2SIN0", "error: too many data operands."},
        {"2COS0", "error: too many data operands."},
        {"4ARCTAN1", "error: too many data operands."},
        {"(2)SQRT4", "error: too many data operands."},
        {"(3)ABS2", "error: too many data operands."},
        {"3!2", "error: too many data operands."},
        {"SQRT-4", "error: Square Root of negative number."},
        {"SQRT(1-2)", "error: Square Root of negative number."},
        {"NRT8", "error: insufficient operands."},
        {"LOG-1", "error: Log of negative number."},
        {"LN0", "error: Ln of negative number."},
        {"LN-2", "error: Ln of negative number."},
        {"E^20000", "error: Evaluation error."},
        {"ARCLOG10", "error: ARC not followed by Sin, Cos or Tan."},
        {"1+ARC", "error: ARC not followed by Sin, Cos or Tan."},
        {"2+3)", "Unbalanced parentheses - too many \")\" "},
        {")2(", "error: unbalanced operands and operators."},
        {"5/(2-2)", "error: division by zero."},
        {"2*", "error: insufficient operands."},
        {"*2", "error: insufficient operands."},
        {"ARCCOS-1.5", "error: ArcCos argument out of range."},
        {"1/10^-300", "error: division overflow."},
    });
    expectErrors({{"ARCSIN1.5", "error: ArcSin argument out of range."}}, TrigMode::Degrees);
    EXPECT_EQ(typed("(1+2").status, CalcEvalStatus::Unbalanced);
    EXPECT_EQ(typed("1/0").status, CalcEvalStatus::Error);
}

TEST(CalcEvaluator, LimitsEndInMessagesNotCrashes) {
    // 4096 pi keys: more numbers than temporaries.
    std::vector<TokenCode> pis(kMaxLineTokens, calc::Pi);
    EXPECT_EQ(EvalCrExp(pis, TrigMode::Radians).errorText, "int error: no free num temps");
    // Deep nesting overflows the operator stack.
    std::vector<TokenCode> nested(150, calc::OpenParen);
    nested.push_back(19);
    nested.insert(nested.end(), 150, calc::CloseParen);
    EXPECT_EQ(EvalCrExp(nested, TrigMode::Radians).errorText, "error: too many pending operators.");
    // A full line of implicit products still fits the item list.
    std::vector<TokenCode> products;
    for (int i = 0; i < 1365; ++i)
        products.insert(products.end(), {19, calc::Sqrt, 19});
    EXPECT_TRUE(EvalCrExp(products, TrigMode::Radians).ok());
    // A full line of 1+1+...+1.
    std::vector<TokenCode> sum{19};
    while (sum.size() + 2 <= kMaxLineTokens)
        sum.insert(sum.end(), {calc::Plus, 19});
    sum.push_back(calc::Square);
    ASSERT_EQ(sum.size(), kMaxLineTokens);
    const CalcEvalResult r = EvalCrExp(sum, TrigMode::Radians);
    ASSERT_TRUE(r.ok()) << r.errorText;
    EXPECT_EQ(r.value, 2048);
    // Only the first 4096 tokens of an over-long line are read.
    sum.push_back(calc::Plus);
    EXPECT_EQ(EvalCrExp(sum, TrigMode::Radians).value, 2048);
}

TEST(CalcEvaluator, PiConstantsDifferByOneUnitInTheLastPlace) {
    EXPECT_EQ(std::nextafter(kPiKey, 4.0L), kPi);
    EXPECT_LT(std::fabs(kPi - 3.14159265358979323846264338327950288L), 1e-19L);
    const TokenCode pi[] = {calc::Pi};
    EXPECT_EQ(EvalCrExp(pi, TrigMode::Radians).value, kPiKey);
}

TEST(CalcEvaluator, EmptyLineAndIgnoredKeys) {
    EXPECT_EQ(EvalCrExp({}, TrigMode::Radians).status, CalcEvalStatus::Empty);
    // Keys that are not part of a value still split a digit run: 2 [frac] 3 is 2 * 3.
    const TokenCode withModeKeys[] = {20, calc::FracMode, 21, calc::DecMode};
    EXPECT_EQ(EvalCrExp(withModeKeys, TrigMode::Radians).value, 6);
}

TEST(NumberText, ParserRepairsPointsAndRejectsJunk) {
    struct Case {
        const char* text;
        Extended value;
    };
    for (const Case& c : std::initializer_list<Case>{{".5", 0.5L},
                                                     {"5.", 5},
                                                     {"-.25", -0.25L},
                                                     {" 12 ", 12},
                                                     {"1e3", 1000},
                                                     {"-7", -7},
                                                     {"+2", 2},
                                                     {"1.2.3", UndefinedMarker},
                                                     {"", UndefinedMarker},
                                                     {"abc", UndefinedMarker},
                                                     {"1,5", UndefinedMarker},
                                                     {"inf", UndefinedMarker},
                                                     {"nan", UndefinedMarker},
                                                     {"1e99999", UndefinedMarker},
                                                     {".", 0},
                                                     {"-", UndefinedMarker},
                                                     {"-123456789", -123456789}}) {
        SCOPED_TRACE(c.text);
        const Extended v = parseNumberText(c.text);
        EXPECT_EQ(isUndefined(v), isUndefined(c.value));
        if (!isUndefined(c.value)) {
            EXPECT_EQ(v, c.value);
        }
    }
    EXPECT_EQ(parseNumberText("0.1"), 0.1L); // correctly rounded in extended precision
}

TEST(NumberText, ExtractFPvalNamesPiAndE) {
    const Extended e = std::exp(1.0L);
    EXPECT_EQ(ExtractFPval(""), 0);
    EXPECT_EQ(ExtractFPval("pi"), kPi);
    EXPECT_EQ(ExtractFPval("-pi"), -kPi);
    EXPECT_EQ(ExtractFPval("2PI"), 2 * kPi);
    EXPECT_EQ(ExtractFPval("-.5pi"), -0.5L * kPi);
    EXPECT_EQ(ExtractFPval("e"), e);
    EXPECT_EQ(ExtractFPval("3e"), 3 * e);
    EXPECT_EQ(ExtractFPval("1E5"), e); // no exponent notation
    EXPECT_EQ(ExtractFPval("-.5"), -0.5L);
    EXPECT_TRUE(isUndefined(ExtractFPval("xpi")));
    EXPECT_TRUE(isUndefined(ExtractFPval("12q")));
}
