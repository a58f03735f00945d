// The integral window's sum at its largest cell count next to the bare
// evaluations it needs, and the slowest analysis reports.
#include "engine/analysis/DefInt.h"
#include "engine/analysis/GraphAnalysis.h"
#include "engine/func/FuncSet.h"
#include "engine/func/FuncText.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace tallix;

namespace {

constexpr int kCells = 1 << 20;
const char* const kIntegrands[] = {"x^2-2", "sin x^2+cos(3x)"};

std::unique_ptr<FuncSet> slotsWith(std::initializer_list<const char*> texts) {
    auto set = std::make_unique<FuncSet>();
    int n = 1;
    for (const char* t : texts)
        setFuncText(*set, n++, t);
    return set;
}

void BM_IntegralSum(benchmark::State& state) {
    const char* f = kIntegrands[state.range(0)];
    state.SetLabel(f);
    auto set = slotsWith({f});
    IntegralInput in;
    in.primary = 1;
    in.xmin = -3;
    in.xmax = 3;
    in.cells = kCells;
    for (auto _ : state)
        benchmark::DoNotOptimize(integralSum(*set, in));
}
BENCHMARK(BM_IntegralSum)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

// The same points evaluated one by one, with nothing summed.
void BM_IntegralBareEvaluations(benchmark::State& state) {
    const char* f = kIntegrands[state.range(0)];
    state.SetLabel(f);
    auto set = slotsWith({f});
    for (auto _ : state) {
        for (int i = 0; i <= kCells; ++i) {
            set->EvalFuncAtX(1, -3 + 6.0L * i / kCells, TrigMode::Radians);
            benchmark::DoNotOptimize(set->FuncResult);
        }
    }
}
BENCHMARK(BM_IntegralBareEvaluations)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

// Three functions, every pair meeting several times in the region.
void BM_IntersectionsThreeFunctions(benchmark::State& state) {
    auto set = slotsWith({"sin x", "cos x", "x/10"});
    AnalysisInput in;
    in.xa = -10;
    in.xb = 10;
    for (auto _ : state)
        benchmark::DoNotOptimize(analyze(*set, AnalysisTool::Isect, in));
}
BENCHMARK(BM_IntersectionsThreeFunctions)->Unit(benchmark::kMillisecond);

// Three parametric curves that cross each other many times, in phase and
// out of phase: the slowest report found.
void BM_IntersectionsThreeCurves(benchmark::State& state) {
    auto set = slotsWith({"sin(3x)", "sin(2x)", "cos(3x)", "sin(4x)", "sin(5x)", "cos(2x)"});
    set->ParamMode = true;
    AnalysisInput in;
    in.xa = -10;
    in.xb = 10;
    in.tMin = 0;
    in.tMax = 6.3L;
    for (auto _ : state)
        benchmark::DoNotOptimize(analyze(*set, AnalysisTool::Isect, in));
}
BENCHMARK(BM_IntersectionsThreeCurves)->Unit(benchmark::kMillisecond);

} // namespace
