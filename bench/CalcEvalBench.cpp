#include "engine/calc/CalcEval.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace tallix;

namespace {

// A typical line: sqrt(2)^3 + sin(pi/7) * 12.5 / (1 + e)
// clang-format off
const std::vector<TokenCode> kTypicalLine = {
    calc::Sqrt, 20, calc::Power, 21, calc::Plus, calc::Sin, calc::OpenParen, calc::Pi,
    calc::Divide, 3, calc::CloseParen, calc::Times, 19, 20, calc::Point, 12, calc::Divide,
    calc::OpenParen, 19, calc::Plus, calc::E, calc::CloseParen};
// clang-format on

void BM_EvalTypicalLine(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(EvalCrExp(kTypicalLine, TrigMode::Radians));
}
BENCHMARK(BM_EvalTypicalLine);

// A full line of 4096 tokens: 1+1+...+1.
void BM_EvalFullLine(benchmark::State& state) {
    std::vector<TokenCode> sum{19};
    while (sum.size() + 2 <= kMaxLineTokens)
        sum.insert(sum.end(), {calc::Plus, 19});
    for (auto _ : state)
        benchmark::DoNotOptimize(EvalCrExp(sum, TrigMode::Radians));
}
BENCHMARK(BM_EvalFullLine);

} // namespace
