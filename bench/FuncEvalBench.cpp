// Cost of one function evaluation: ours (80-bit, with the undefined-value
// rules), muParser (double) on the same expressions, and the bare long double
// library calls each expression needs, which no 80-bit evaluator can beat.
#include "engine/func/FuncSet.h"
#include "engine/func/FuncText.h"

#include <benchmark/benchmark.h>

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
        for (Extended x : xs) {
            set->EvalFuncAtX(1, x, TrigMode::Radians);
            benchmark::DoNotOptimize(set->FuncResult);
        }
    }
    perEvaluation(state);
}
BENCHMARK(BM_Tallix)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

Extended factorialL(Extended a) {
    if (a < 0) return UndefinedMarker;
    Extended p = 1;
    for (Extended k = 1; p < 1e100L && k <= std::trunc(a); k += 1)
        p *= k;
    return p;
}

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
        return powl(fabsl(x), 1.0L / 3);
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
