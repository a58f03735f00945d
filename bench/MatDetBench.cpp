// The determinant of a 10 x 10 matrix: the memoised cofactor expansion
// against the literal recursion it reproduces bit for bit.
#include "engine/matrix/MatOps.h"

#include "../tests/support/LiteralDet.h"

#include <benchmark/benchmark.h>

#include <random>

using namespace tallix;

namespace {

MatGrid randomMatrix(int n) {
    std::mt19937_64 rng(10);
    std::uniform_real_distribution<double> real(-1, 1);
    MatGrid m;
    m.rows = m.cols = n;
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c)
            m.at(r, c) = static_cast<Extended>(real(rng)) / 3;
    return m;
}

void BM_DetMemoised(benchmark::State& state) {
    const MatGrid m = randomMatrix(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(detCofactor(m));
}
void BM_DetLiteral(benchmark::State& state) {
    const MatGrid m = randomMatrix(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(test::literalDet(m));
}

} // namespace

BENCHMARK(BM_DetMemoised)->Arg(10)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DetLiteral)->Arg(10)->Unit(benchmark::kMillisecond);
