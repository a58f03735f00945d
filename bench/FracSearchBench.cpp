// The fraction search against the literal walk it must agree with, on the
// same values, under the three step limits of the number texts.
#include "engine/core/FracSearch.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

using namespace tallix;

namespace {

struct Target {
    const char* name;
    Extended t;
};

const Target kTargets[] = {
    {"3/4", 0.75L},
    {"0.3", 0.3L},
    {"22/7", 22.0L / 7},
    {"sqrt2", std::sqrt(2.0L)},
    {"e", std::exp(1.0L)},
    {"pi/7 (pi search)", (kPi / 7) / kPi},
    {"1e6+0.37", 1e6L + 0.37L},
    {"1e-9", 1e-9L},
};
constexpr std::int64_t kLimits[] = {kPiSearchSteps, kShortFracSteps, kLongFracSteps};
// The calculator's default tolerance and the matrix results' one.
constexpr Extended kTolerances[] = {1e-8L, 1e-11L};

template <FracMatch (*Search)(Extended, Extended, std::int64_t)> void run(benchmark::State& state) {
    const Target& target = kTargets[state.range(0)];
    const std::int64_t limit = kLimits[state.range(1)];
    const Extended tol = kTolerances[state.range(2)];
    state.SetLabel(target.name);
    for (auto _ : state) {
        Extended t = target.t;
        benchmark::DoNotOptimize(t);
        benchmark::DoNotOptimize(Search(t, tol, limit));
    }
}

void BM_FracSearch(benchmark::State& state) {
    run<fracSearch>(state);
}
void BM_FracWalk(benchmark::State& state) {
    run<fracWalk>(state);
}

void allCases(benchmark::internal::Benchmark* b) {
    b->ArgNames({"value", "limit", "tol"});
    for (int tol = 0; tol < 2; ++tol)
        for (int limit = 0; limit < 3; ++limit)
            for (int v = 0; v < static_cast<int>(std::size(kTargets)); ++v)
                b->Args({v, limit, tol});
}

BENCHMARK(BM_FracSearch)->Apply(allCases);
BENCHMARK(BM_FracWalk)->Apply(allCases)->Unit(benchmark::kMicrosecond);

} // namespace
