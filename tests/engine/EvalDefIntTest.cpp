#include "engine/analysis/DefInt.h"
#include "engine/analysis/EvalAtX.h"
#include "engine/core/Scalar.h"
#include "engine/func/FuncSet.h"
#include "engine/func/FuncText.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace tallix;

namespace {

using Lines = std::vector<std::string>;

std::unique_ptr<FuncSet> slots(std::vector<const char*> texts) {
    auto set = std::make_unique<FuncSet>();
    for (std::size_t i = 0; i < texts.size(); ++i)
        setFuncText(*set, static_cast<int>(i) + 1, texts[i]);
    return set;
}

Lines evalLines(std::vector<const char*> funcs, const char* x, EvalOptions o = {}) {
    auto set = slots(std::move(funcs));
    const EvalAtXResult r = evaluateAtX(*set, TrigMode::Radians, x, o);
    return r.valid ? r.lines : Lines{kInvalidXText};
}

IntegralTexts integral(std::vector<const char*> funcs, const char* xmin, const char* xmax,
                       IntegralType type = IntegralType::OverRange, int cells = 1024) {
    auto set = slots(funcs);
    IntegralInput in;
    in.type = type;
    in.primary = 1;
    in.secondary = funcs.size() > 1 ? 2 : 0;
    in.xmin = *readRangeText(xmin);
    in.xmax = *readRangeText(xmax);
    in.cells = cells;
    return integralTexts(integralSum(*set, in));
}

} // namespace

TEST(EvalAtX, ValueTexts) {
    const EvalOptions rational{true, false, false}, pi{true, true, false};
    EXPECT_EQ(evalLines({"sin x"}, "PI/4"), (Lines{"1,0.707106781186548"}));
    EXPECT_EQ(evalLines({"x"}, "PI/2", pi), (Lines{"1, pi / 2"}));
    EXPECT_EQ(evalLines({"x"}, "0.75", rational), (Lines{"1,3 / 4"}));
    EXPECT_EQ(evalLines({"x", "", "x/0"}, "4", pi), (Lines{"1,4", "3,- no value -"}));
    // A negative pi multiple keeps its sign when p is 1.
    EXPECT_EQ(evalLines({"x"}, "-PI/2", pi), (Lines{"1,-1 pi / 2"}));
    EXPECT_EQ(evalLines({"x"}, "-3PI/4", pi), (Lines{"1,-3 pi / 4"}));
    // No pi multiple within the search's steps: the plain fraction, not the
    // pi search's last guess.
    EXPECT_EQ(evalLines({"x"}, "100.3", pi), (Lines{"1,1003 / 10"}));
    // No fraction within the steps either: the decimal text.
    EXPECT_EQ(evalLines({"x"}, "PI/1000003", rational), (Lines{"1,3.14158322884011E-6"}));
}

TEST(EvalAtX, SlopesAndTheirFallbacks) {
    const EvalOptions slope{false, false, true};
    EXPECT_EQ(evalLines({"x^2+x"}, "0", slope), (Lines{"1,0", "m=1"}));
    EXPECT_EQ(evalLines({"x^2"}, "3", slope), (Lines{"1,9", "m=6"}));
    // sqrt is undefined left of 0: the one-sided difference from the value.
    EXPECT_EQ(evalLines({"sqrt x"}, "0", slope), (Lines{"1,0", "m=31622.8"}));
    EXPECT_EQ(evalLines({"1/x"}, "0", slope), (Lines{"1,- no value -", "m=1E+18"}));
    EXPECT_EQ(evalLines({"sqrt(0-x^2)"}, "1", slope), (Lines{"1,- no value -"}));
}

TEST(EvalAtX, UnreadableXTexts) {
    for (const char* text : {"", "  ", "1/0", "2/", "/2", "abc", "1/0.0", "1/-"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(evalLines({"x"}, text), (Lines{kInvalidXText}));
    }
    EXPECT_EQ(evalLines({"x"}, " 2PI/3 ", {true, true, false}), (Lines{"1,2 pi / 3"}));
}

TEST(DefInt, SumsOfEachType) {
    EXPECT_EQ(integral({"x"}, "0", "1").value, "0.5");
    EXPECT_EQ(integral({"x"}, "0", "1").value2, "1 / 2");
    // The trapezoid sum lies above 1/3 by 1 / (6 n^2).
    EXPECT_EQ(integral({"x^2"}, "0", "1").value, "0.333333492279053");
    EXPECT_EQ(integral({"x"}, "1", "0").value, "-0.5");
    EXPECT_EQ(integral({"x", "1"}, "0", "2", IntegralType::Difference).value, "0");
    EXPECT_EQ(integral({"x^2", "x"}, "0", "1", IntegralType::Difference, 16).value, "-0.166015625");
    const IntegralTexts flat = integral({"0"}, "0", "3", IntegralType::PathLength);
    EXPECT_EQ(flat.value, "3");
    EXPECT_EQ(flat.value2, "");
    EXPECT_EQ(integral({"x"}, "0", "3", IntegralType::PathLength, 16).value2, "");
    EXPECT_NEAR(std::stold(integral({"sin x"}, "-PI", "PI").value), 0, 1e-15);
    EXPECT_EQ(integral({"1"}, "0", "PI/2").value2, " pi / 2");
}

TEST(DefInt, UndefinedValuesShowNothing) {
    EXPECT_EQ(integral({"1/x"}, "-1", "1").value, ""); // x_512 = 0
    // Undefined at x_0 alone.
    EXPECT_EQ(integral({"1/x"}, "0", "1").value, "");
    EXPECT_EQ(integral({"x", "1/(x-1)"}, "0", "2", IntegralType::Difference).value, "");
    auto set = slots({"x"});
    IntegralInput in;
    in.type = IntegralType::Difference;
    in.primary = 1; // no secondary selected
    EXPECT_TRUE(isUndefined(integralSum(*set, in)));
}

TEST(DefInt, RangeTexts) {
    EXPECT_NEAR(*readRangeText("PI/2"), 1.5707963267948966L, 1e-18L);
    EXPECT_NEAR(*readRangeText(" 2PI/3"), 2.0943951023931955L, 1e-18L);
    EXPECT_NEAR(*readRangeText("1E5"), 2.718281828459045L, 1e-15L); // 1 times e
    EXPECT_FALSE(readRangeText("1/0"));
    EXPECT_FALSE(readRangeText("x"));
    EXPECT_FALSE(readRangeText("1/y"));
}

TEST(DefInt, SteppingAValueText) {
    struct Step {
        const char* text;
        StepSize size;
        bool up;
        const char* expected;
    };
    const Step steps[] = {
        {"0.25", StepSize::Small, true, "0.26"},   {"0.25", StepSize::Large, true, "1.25"},
        {"3", StepSize::Medium, false, "-7"},      {"2/3", StepSize::Small, true, "3/3"},
        {"0.0", StepSize::Small, true, "0.1"},     {"0.0", StepSize::Large, true, "10.0"},
        {"-0.05", StepSize::Small, true, "-0.04"}, {"2PI", StepSize::Small, false, "1PI"},
        {"-", StepSize::Small, true, "0"},         {" 1.5 ", StepSize::Medium, true, "2.5"},
        {"PI", StepSize::Small, true, "PI"},   // no number
        {"2-3", StepSize::Small, true, "2-3"}, // not a number: left alone
        {"1+", StepSize::Small, true, "1+"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.text);
        EXPECT_EQ(steppedText(s.text, s.size, s.up), s.expected);
    }
}
