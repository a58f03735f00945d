#include "engine/primes/PrimeSieve.h"

namespace tallix {

PrimeSieve::PrimeSieve() : composite_(static_cast<std::size_t>(kLimit / 2 / 64 + 1), 0) {
    auto mark = [this](std::size_t k) { composite_[k >> 6] |= std::uint64_t{1} << (k & 63); };
    mark(0);                                                      // 1 is not a prime
    const auto last = static_cast<std::size_t>((kLimit - 1) / 2); // the last odd number's
    // Odd p marks its odd multiples from p * p on: index (p * p) / 2, step p.
    for (std::size_t k = 1;; ++k) {
        const std::size_t p = 2 * k + 1;
        const std::size_t start = p * p / 2;
        if (start > last) break;
        if (composite_[k >> 6] >> (k & 63) & 1) continue;
        for (std::size_t m = start; m <= last; m += p)
            mark(m);
    }
}

std::int64_t PrimeSieve::nextAbove(std::int64_t n) const {
    if (n < 2) return 2;
    for (std::int64_t k = n + 1; k <= kLimit; ++k)
        if (isPrime(k)) return k;
    return 0;
}

std::int64_t PrimeSieve::prevBelow(std::int64_t n) const {
    if (n > kLimit + 1) n = kLimit + 1;
    for (std::int64_t k = n - 1; k >= 2; --k)
        if (isPrime(k)) return k;
    return 0;
}

} // namespace tallix
