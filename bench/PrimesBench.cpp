// The sieve behind the prime windows, and factorization of the hardest
// 63-bit numbers (two primes near 2^31.5).
#include "engine/primes/Factor64.h"
#include "engine/primes/PrimeSieve.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

using namespace tallix;

void BM_PrimeSieve(benchmark::State& state) {
    for (auto _ : state) {
        PrimeSieve sieve;
        benchmark::DoNotOptimize(sieve.isPrime(999'983));
    }
}
BENCHMARK(BM_PrimeSieve)->Unit(benchmark::kMicrosecond);

// Baseline: one byte per integer, every unmarked i marking all its multiples
// (no square-root cut-off).
void BM_PrimeSieveBytesBaseline(benchmark::State& state) {
    constexpr int kLimit = 1'000'000;
    for (auto _ : state) {
        std::vector<char> composite(kLimit + 1, 0);
        for (int i = 2; i <= kLimit; ++i)
            if (!composite[i])
                for (int m = 2 * i; m <= kLimit; m += i)
                    composite[m] = 1;
        benchmark::DoNotOptimize(composite.data());
    }
}
BENCHMARK(BM_PrimeSieveBytesBaseline)->Unit(benchmark::kMicrosecond);

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

// Baseline: trial division of 2^61 - 1 by every prime up to 1,000,000, which
// is all the cost of the plain method and still leaves the number unproved.
void BM_TrialDivisionToOneMillionBaseline(benchmark::State& state) {
    const PrimeSieve sieve;
    const std::uint64_t n = kSemiprimes[4];
    for (auto _ : state) {
        std::uint64_t divisors = 0;
        for (std::int64_t q = 2; q <= PrimeSieve::kLimit; ++q)
            if (sieve.isPrime(q) && n % static_cast<std::uint64_t>(q) == 0) ++divisors;
        benchmark::DoNotOptimize(divisors);
    }
}
BENCHMARK(BM_TrialDivisionToOneMillionBaseline)->Unit(benchmark::kMicrosecond);

} // namespace
