// The evaluator runs prepared, fused programs; this checks it against a plain
// walk of the compiled program that applies the value rules one item at a
// time, bit for bit, over many arguments including the awkward ones.
#include "engine/core/FuncCodes.h"
#include "engine/core/Scalar.h"
#include "engine/core/Trig.h"
#include "engine/func/FuncSet.h"
#include "engine/func/FuncText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace tallix;

namespace {

constexpr Extended U = UndefinedMarker;

Extended fin(Extended r) {
    return std::isfinite(r) ? r : U;
}
Extended cut(Extended r) {
    return std::fabs(r) < 1e-17L ? 0 : r;
}

// The value of slot 1's compiled program at x, or NaN when the program has
// an operand error.
Extended reference(FuncSet& set, Extended x, TrigMode trig) {
    using namespace fcode;
    const FuncSlot& s = set.slot(1);
    if (!std::isfinite(x)) x = U;
    const bool deg = trig == TrigMode::Degrees;
    auto toRad = [&](Extended v) { return deg ? v * kPi / 180 : v; };
    auto fromRad = [&](Extended v) { return deg ? v * 180 / kPi : v; };
    std::vector<Extended> st;
    for (int i = 0; i < s.FuncRPNLength; ++i) {
        const int item = s.FuncRPN[i];
        if (item < 0 || item == Var) {
            st.push_back(item < 0 ? set.poolValue(-item) : x);
            continue;
        }
        const int arity = kProps[item].arity;
        if (static_cast<int>(st.size()) < arity) return NAN;
        const Extended b = st.back();
        st.pop_back();
        Extended a = 0;
        if (arity == 2) {
            a = st.back();
            st.pop_back();
        }
        Extended r;
        if (item == NthRoot) {
            r = std::fabs(a) < 1e-9L ? U : fin(set.power(b, 1 / a));
        } else if (isUndefined(b) || (arity == 2 && isUndefined(a))) {
            r = U;
        } else {
            switch (item) {
            case Add:
                r = fin(a + b);
                break;
            case Sub:
                r = fin(a - b);
                break;
            case Mul:
                r = fin(a * b);
                break;
            case Div:
                r = b == 0 || std::fabs(b) < 1e-299L ? U : fin(a / b);
                break;
            case Pow:
                r = fin(set.power(a, b));
                break;
            case Plus:
                r = b;
                break;
            case Neg:
                r = -b;
                break;
            case Sqrt:
                r = b >= 0 ? std::sqrt(b) : U;
                break;
            case Square:
                r = fin(b * b);
                break;
            case Cube:
                r = fin(b * b * b);
                break;
            case Cbrt:
                r = fin(set.power(b, 1.0L / 3));
                break;
            case Log:
                r = b > 0 ? std::log10(b) : U;
                break;
            case TenPow:
                r = fin(set.power(10, b));
                break;
            case Ln:
                r = b > 0 ? std::log(b) : U;
                break;
            case ExpPow:
                r = fin(std::exp(b));
                break;
            case Abs:
                r = std::fabs(b);
                break;
            case Fact: {
                if (b < 0) {
                    r = U;
                    break;
                }
                Extended p = 1;
                for (Extended k = 1; p < 1e100L && k <= std::trunc(b); k += 1)
                    p *= k;
                r = p >= 1e100L ? U : p;
                break;
            }
            case Sin:
                r = cut(reducedSin(toRad(b)));
                break;
            case Cos:
                r = cut(reducedCos(toRad(b)));
                break;
            case Tan:
                r = fin(cut(reducedTan(toRad(b))));
                break;
            case ArcSin:
                r = b < -1 || b > 1 ? U : fromRad(cut(std::asin(b)));
                break;
            case ArcCos:
                r = b < -1 || b > 1 ? U : fromRad(cut(std::acos(b)));
                break;
            default:
                r = fromRad(cut(std::atan2(b, 1.0L)));
                break;
            }
        }
        st.push_back(r);
    }
    return st.size() == 1 ? st.back() : NAN;
}

std::vector<TokenCode> tokens(std::string_view text) {
    // '#', '$', '@' and '~' stand for the ^2, ^3, 10^ and e^ keys.
    std::vector<TokenCode> out;
    std::string chunk;
    auto flush = [&] {
        const std::vector<TokenCode> t = funcTokensFromText(chunk);
        out.insert(out.end(), t.begin(), t.end());
        chunk.clear();
    };
    for (char c : text) {
        const TokenCode key = c == '#'   ? func::Square
                              : c == '$' ? func::Cube
                              : c == '@' ? func::TenPow
                              : c == '~' ? func::ExpPow
                                         : TokenCode(255);
        if (key == 255) {
            chunk.push_back(c);
        } else {
            flush();
            out.push_back(key);
        }
    }
    flush();
    return out;
}

bool sameBits(Extended a, Extended b) {
    if (std::isnan(a) && std::isnan(b)) return true;
    return std::memcmp(&a, &b, 10) == 0;
}

TEST(FuncEvalDiff, PreparedProgramsMatchAPlainWalk) {
    // clang-format off
    const char* exprs[] = {
        "x^2-2", "sin x^2+cos(3x)", "(x+1)(x-1)/(x^2+1)", "~(-x^2)", "3nrt x", "(ln abs x)*x!",
        "x#-2", "x$+x", "1/x", "x/(x-1)", "sqrt(x-1)", "log x", "@x", "~(x*20000)", "x^x",
        "x^-2", "x^0.5", "x^(2/3)", "(-x)^(1/2)", "x^2.5", "2^x", "x^-1", "x^0", "x^99",
        "x^-99", "x^100", "(x+70)!", "tan x", "arcsin x", "arccos(x/2)", "arctan x", "cbrt(-x)",
        "x nrt 8", "(x-1)nrt x", "0nrt x", "-x", "+x", "x-123456789", "(x-123456789)*0+5",
        "x+123456789-123456789-123456789", "123456789*x", "x*1e300*1e300*1e300*1e300*1e300",
        "x/1e-300", "x/0", "1/(x-x)", "2x^2+3x-1", "x(x+1)(x+2)", "(x+1)^3", "3x/2", "2-x/7",
        "x^-0.5", "10^(x*400)", "x^2^3", "(x-1)^-1", "x^(x*0)", "x^2*1e2400", "(x*1e2000)^2",
        "x x", "2+",
        // stacks deeper than the two values held in registers
        "x-(2x-(3x-(4x-x^2)))", "1/(2-3/(4+5/(x-6/(7-x))))", "(x+1)nrt((x+2)nrt((x+3)nrt 8))",
        "2^(x-(3^(x-(4^(x-1)))))", "x*(x+(x*(x+(x*(x+(x*(x+(x*(x+1)))))))))",
        "sin(x-(cos(x-(tan(x-(arctan(x-(ln abs(x-1)))))))))",
        // operators whose right operand is the variable with a constant
        "1/(x^2-1)", "5-x/7", "3-x^2", "2/(3x)", "x^2+(x-1)", "(x+1)/(x/1e-300)",
        // constants inside and outside the range of doubles
        "x^2+0.1", "x*1.1+1e400-1e400", "1e400x", "x/1e-400", "x+1e-320", "x^2-1e-4000"};
    const Extended specials[] = {0, -0.0L, 1, -1, 0.5L, 1e-60L, -1e-60L, 1e-300L, 1e-4000L,
                                 1e4000L, -1e4000L, 1e300L, 69, 70, 69.9L, -123456789.0L,
                                 -123456788.0L, 123456789.0L, 1.5707963267948966192L, 1e20L,
                                 11356, 11357, -11400, 8, -8, 90, 180, INFINITY, -INFINITY, NAN};
    // clang-format on
    std::vector<Extended> xs(std::begin(specials), std::end(specials));
    for (int i = -600; i <= 600; ++i)
        xs.push_back(i / 97.0L);

    auto set = std::make_unique<FuncSet>();
    for (const char* text : exprs) {
        const std::vector<TokenCode> t = tokens(text);
        set->setTokens(1, t);
        for (TrigMode trig : {TrigMode::Radians, TrigMode::Degrees}) {
            // A block gives the values one call at a time gives; a program
            // that cannot run leaves the block alone.
            std::vector<Extended> block(xs.size(), 7);
            set->EvalFuncBlock(1, xs.data(), static_cast<int>(xs.size()), block.data(), trig);
            const bool runs = set->FuncErrorText.empty();
            for (std::size_t i = 0; i < xs.size(); ++i) {
                set->EvalFuncAtX(1, xs[i], trig);
                ASSERT_EQ(set->FuncErrorText.empty(), runs) << text;
                ASSERT_TRUE(sameBits(block[i], runs ? set->FuncResult : 7))
                    << text << " in a block at x = " << static_cast<double>(xs[i]);
            }
            for (Extended x : xs) {
                set->EvalFuncAtX(1, x, trig);
                const Extended got = set->FuncErrorText.empty() ? set->FuncResult : NAN;
                const Extended want = reference(*set, x, trig);
                ASSERT_TRUE(sameBits(got, want))
                    << text << " at x = " << static_cast<double>(x) << ": got "
                    << static_cast<double>(got) << ", want " << static_cast<double>(want)
                    << (trig == TrigMode::Degrees ? " (degrees)" : "");
            }
        }
    }
}

} // namespace
