// Cost of one function evaluation: ours (80-bit, with the undefined-value
// rules), one call at a time and in blocks; the same expression written out
// by hand with the same rules and calls (the floor for any interpreter), with
// the evaluator's tests of the limits and with std::isfinite; the bare long double library calls
// each expression needs; and muParser (double). Then the trigonometry and
// cube roots alone, the library's against ours.
#include "engine/core/Scalar.h"
#include "engine/core/Trig.h"
#include "engine/func/FuncSet.h"
#include "engine/func/FuncText.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#ifdef TALLIX_HAVE_MUPARSER
#include <muParser.h>
#endif

using namespace tallix;

namespace {

constexpr int kPoints = 1'000'000;

const std::vector<Extended>& arguments() {
    static const std::vector<Extended> xs = [] {
        std::vector<Extended> v(kPoints);
        for (int i = 0; i < kPoints; ++i)
            v[i] = -3.0L + 6.0L * (i + 0.5L) / kPoints;
        return v;
    }();
    return xs;
}

struct Expression {
    const char* name;
    const char* typed;  // on the function keypad; "E^" stands for the e^ key
    const char* parser; // muParser's spelling
};

const Expression kExpressions[] = {
    {"x^2-2", "x^2-2", "x^2-2"},
    {"sin x^2+cos(3x)", "sin x^2+cos(3x)", "sin(x^2)+cos(3*x)"},
    {"(x+1)(x-1)/(x^2+1)", "(x+1)(x-1)/(x^2+1)", "(x+1)*(x-1)/(x^2+1)"},
    {"e^(-x^2)", "E^(-x^2)", "exp(-x^2)"},
    {"3 nrt x", "3nrt x", "x^(1/3)"},
    {"(ln abs x)x!", "(ln abs x)*x!", "ln(abs(x))*fact(x)"},
};

void perEvaluation(benchmark::State& state) {
    state.counters["ns/eval"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kPoints,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

std::vector<TokenCode> tokensFor(const char* typed) {
    std::string text(typed);
    std::vector<TokenCode> tokens;
    const std::size_t key = text.find("E^");
    if (key != std::string::npos) {
        tokens = funcTokensFromText(text.substr(0, key));
        tokens.push_back(func::ExpPow);
        const std::vector<TokenCode> rest = funcTokensFromText(text.substr(key + 2));
        tokens.insert(tokens.end(), rest.begin(), rest.end());
    } else {
        tokens = funcTokensFromText(text);
    }
    return tokens;
}

void BM_Tallix(benchmark::State& state) {
    const Expression& e = kExpressions[state.range(0)];
    state.SetLabel(e.name);
    auto set = std::make_unique<FuncSet>();
    const std::vector<TokenCode> tokens = tokensFor(e.typed);
    set->setTokens(1, tokens);
    set->EvalFuncAtX(1, 1, TrigMode::Radians);
    if (!set->FuncErrorText.empty()) {
        state.SkipWithError(set->FuncErrorText.c_str());
        return;
    }
    const std::vector<Extended>& xs = arguments();
    for (auto _ : state) {
        for (const Extended& x : xs) {
            set->EvalFuncAtX(1, x, TrigMode::Radians);
            benchmark::DoNotOptimize(set->FuncResult);
        }
    }
    perEvaluation(state);
}
BENCHMARK(BM_Tallix)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// The same through EvalFuncBlock, 256 arguments a call, as the graph and the
// integral sums use it.
void BM_TallixBlock(benchmark::State& state) {
    const Expression& e = kExpressions[state.range(0)];
    state.SetLabel(e.name);
    auto set = std::make_unique<FuncSet>();
    set->setTokens(1, tokensFor(e.typed));
    const std::vector<Extended>& xs = arguments();
    std::vector<Extended> out(256);
    for (auto _ : state) {
        for (int first = 0; first < kPoints; first += 256) {
            set->EvalFuncBlock(1, xs.data() + first, std::min(256, kPoints - first), out.data(),
                               TrigMode::Radians);
            benchmark::DoNotOptimize(out.data());
            benchmark::ClobberMemory();
        }
    }
    perEvaluation(state);
}
BENCHMARK(BM_TallixBlock)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

Extended factorialL(Extended a) {
    if (a < 0) return UndefinedMarker;
    Extended p = 1;
    for (Extended k = 1; p < 1e100L && k <= std::trunc(a); k += 1)
        p *= k;
    return p;
}

// Each expression as a programmer would write it for this one function, with
// the evaluator's rules: undefined arguments, non-finite results and
// divisors below 1e-299 give the undefined value, squares of values below
// 1e-99 are 0, trig results are flushed, and the same library calls. Tuned
// uses the evaluator's own tests of those limits (isFiniteValue,
// belowSquareFloor, belowDivisorFloor); otherwise std::isfinite and plain
// comparisons.
template <bool Tuned> Extended handWritten(int which, Extended x) {
    constexpr Extended U = UndefinedMarker;
    auto finite = [](Extended r) { return Tuned ? isFiniteValue(r) : std::isfinite(r); };
    auto tiny = [](Extended r) { return Tuned ? belowSquareFloor(r) : std::fabs(r) < 1e-99L; };
    auto noDivisor = [](Extended r) {
        return Tuned ? belowDivisorFloor(r) : r == 0 || std::fabs(r) < 1e-299L;
    };
    auto checked = [&](Extended r) { return finite(r) ? r : U; };
    if (!finite(x)) x = U;
    const Extended square = tiny(x) ? 0 : checked(x * x);
    switch (which) {
    case 0:
        return checked(square - 2);
    case 1:
        return checked(flushTiny(reducedSin(square)) + flushTiny(reducedCos(checked(3 * x))));
    case 2: {
        const Extended d = checked(square + 1);
        const Extended n = checked(checked(x + 1) * checked(x - 1));
        return noDivisor(d) ? U : checked(n / d);
    }
    case 3:
        return checked(std::exp(-square));
    case 4:
        return tiny(x) ? 0 : std::cbrt(x);
    default: {
        const Extended a = std::fabs(x);
        return checked((a > 0 ? std::log(a) : U) * factorial(x));
    }
    }
}

template <bool Tuned> void BM_HandWritten(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    state.SetLabel(kExpressions[which].name);
    const std::vector<Extended>& xs = arguments();
    for (auto _ : state) {
        for (Extended x : xs)
            benchmark::DoNotOptimize(handWritten<Tuned>(which, x));
    }
    perEvaluation(state);
}
BENCHMARK(BM_HandWritten<true>)
    ->Name("BM_HandWritten")
    ->DenseRange(0, 5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HandWritten<false>)
    ->Name("BM_HandWrittenIsfinite")
    ->DenseRange(0, 5)
    ->Unit(benchmark::kMillisecond);

// The floor: the same arithmetic and library calls in long double, without
// a program to walk or undefined values to check.
Extended bare(int which, Extended x) {
    switch (which) {
    case 0:
        return x * x - 2;
    case 1:
        return sinl(x * x) + cosl(3 * x);
    case 2:
        return (x + 1) * (x - 1) / (x * x + 1);
    case 3:
        return expl(-(x * x));
    case 4:
        return cbrtl(x);
    default:
        return logl(fabsl(x)) * factorialL(x);
    }
}

void BM_BareLibm(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    state.SetLabel(kExpressions[which].name);
    const std::vector<Extended>& xs = arguments();
    for (auto _ : state) {
        for (Extended x : xs)
            benchmark::DoNotOptimize(bare(which, x));
    }
    perEvaluation(state);
}
BENCHMARK(BM_BareLibm)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// One function over [-9, 9] (or, for the "small" rows, [-pi/4, pi/4], where
// the library needs no reduction of its own).
const char* const kSingleNames[] = {"sinl",       "reducedSin", "cosl",           "reducedCos",
                                    "tanl",       "reducedTan", "sinl small",     "cosl small",
                                    "tanl small", "cbrtl",      "powl(|x|, 1/3)", "power(x, 1/3)"};

void BM_Single(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    state.SetLabel(kSingleNames[which]);
    const Extended half = which >= 6 && which <= 8 ? 0.78539816339744830962L : 9;
    std::vector<Extended> xs(arguments());
    for (Extended& x : xs)
        x *= half / 3;
    auto set = std::make_unique<FuncSet>();
    for (auto _ : state) {
        for (Extended x : xs) {
            Extended r;
            switch (which) {
            case 0:
            case 6:
                r = sinl(x);
                break;
            case 1:
                r = reducedSin(x);
                break;
            case 2:
            case 7:
                r = cosl(x);
                break;
            case 3:
                r = reducedCos(x);
                break;
            case 4:
            case 8:
                r = tanl(x);
                break;
            case 5:
                r = reducedTan(x);
                break;
            case 9:
                r = cbrtl(x);
                break;
            case 10:
                r = powl(fabsl(x), 1.0L / 3);
                break;
            default:
                r = set->power(x, 1.0L / 3);
                break;
            }
            benchmark::DoNotOptimize(r);
        }
    }
    perEvaluation(state);
}
BENCHMARK(BM_Single)->DenseRange(0, 11)->Unit(benchmark::kMillisecond);

#ifdef TALLIX_HAVE_MUPARSER
double factorialD(double a) {
    return static_cast<double>(factorialL(a));
}

void BM_MuParser(benchmark::State& state) {
    const Expression& e = kExpressions[state.range(0)];
    state.SetLabel(e.name);
    double x = 0;
    mu::Parser parser;
    try {
        parser.DefineVar("x", &x);
        parser.DefineFun("fact", factorialD);
        parser.SetExpr(e.parser);
        parser.Eval();
    } catch (const mu::Parser::exception_type& err) {
        state.SkipWithError(err.GetMsg().c_str());
        return;
    }
    std::vector<double> xs(arguments().begin(), arguments().end());
    for (auto _ : state) {
        for (double v : xs) {
            x = v;
            benchmark::DoNotOptimize(parser.Eval());
        }
    }
    perEvaluation(state);
}
BENCHMARK(BM_MuParser)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);
#endif

} // namespace
