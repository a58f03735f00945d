// The sieve behind the prime windows, and factorization of the hardest
// 63-bit numbers (two primes near 2^31.5).
#include "engine/primes/Factor64.h"
#include "engine/primes/PrimeSieve.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

using namespace tallix;

void BM_PrimeSieve(benchmark::State& state) {
    for (auto _ : state) {
        PrimeSieve sieve;
        benchmark::DoNotOptimize(sieve.isPrime(999'983));
    }
}
BENCHMARK(BM_PrimeSieve)->Unit(benchmark::kMicrosecond);

// Each argument picks one semiprime below 2^63 with both factors near its
// square root: the worst case of the rho method.
constexpr std::uint64_t kSemiprimes[] = {
    9'223'371'873'002'223'329u, // 3037000453 * 3037000493
    9'223'371'599'672'183'183u, // 3037000427 * 3037000429
    9'223'371'399'230'156'009u, // 3037000391 * 3037000399
    9'223'371'994'482'243'049u, // 3037000493^2
    2'305'843'009'213'693'951u, // 2^61 - 1, a prime: the primality test alone
};

void BM_FactorHardSemiprime(benchmark::State& state) {
    const std::uint64_t n = kSemiprimes[state.range(0)];
    for (auto _ : state)
        benchmark::DoNotOptimize(primeFactors(n));
}
BENCHMARK(BM_FactorHardSemiprime)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

} // namespace
