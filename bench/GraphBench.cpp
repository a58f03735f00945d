// Cost of one graph repaint's sampling in the f(x) mode, at the graph's size
// (344 x 170): every slot after a window change, and nothing with a warm cache.
#include "engine/func/FuncSet.h"
#include "engine/func/FuncText.h"
#include "engine/graph/GraphSampler.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace tallix;

namespace {

constexpr int kWidth = 344, kHeight = 170;

const char* const kFunctions[kFuncSlotCount] = {
    "sin x*3",    "x^2/4-5", "sqrtx",    "1/x",        "abs x-4",     "cos(2x)",     "x^3/50",
    "ln x",       "e^(x/5)", "tan x",    "2sin x+x",   "sqrt(9-x^2)", "x/3+1",       "cos x*sin x",
    "log(x^2+1)", "cbrtx",   "x^2-3x+1", "sin(x^2)/2", "abs(sin x)",  "(x+1)/(x-1)",
};

struct Fixture {
    std::unique_ptr<FuncSet> set = std::make_unique<FuncSet>();
    std::unique_ptr<GraphSampler> sampler = std::make_unique<GraphSampler>();
    GraphWindow window;
    Fixture() {
        for (int n = 1; n <= kFuncSlotCount; ++n)
            setFuncText(*set, n, kFunctions[n - 1]);
        sampler->sample(*set, window, TrigMode::Radians, kWidth, kHeight);
    }
};

void BM_RepaintAfterWindowChange(benchmark::State& state) {
    Fixture f;
    bool wide = false;
    long evaluations = 0;
    for (auto _ : state) {
        wide = !wide;
        f.window.XMax = wide ? 10.5L : 10;
        benchmark::DoNotOptimize(
            &f.sampler->sample(*f.set, f.window, TrigMode::Radians, kWidth, kHeight));
        evaluations += f.sampler->evaluations();
    }
    state.counters["evals/pass"] = double(evaluations) / double(state.iterations());
    state.SetItemsProcessed(evaluations);
}
BENCHMARK(BM_RepaintAfterWindowChange);

void BM_RepaintWarmCache(benchmark::State& state) {
    Fixture f;
    long evaluations = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            &f.sampler->sample(*f.set, f.window, TrigMode::Radians, kWidth, kHeight));
        evaluations += f.sampler->evaluations();
    }
    state.counters["evals/pass"] = double(evaluations) / double(state.iterations());
}
BENCHMARK(BM_RepaintWarmCache);

} // namespace
