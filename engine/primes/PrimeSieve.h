#pragma once

#include <cstdint>
#include <vector>

namespace tallix {

// The primes up to one million, as one bit per odd number (62.5 kB). Built
// once per run, on first use, and shared by the factorization window, the
// number line and the prime map through the Workspace.
class PrimeSieve {
public:
    static constexpr std::int64_t kLimit = 1'000'000;

    // Sieves 3..kLimit (about a millisecond).
    PrimeSieve();

    // Whether n is a prime; false for every n outside 2..kLimit.
    bool isPrime(std::int64_t n) const {
        if (n < 2 || n > kLimit) return false;
        if ((n & 1) == 0) return n == 2;
        const auto k = static_cast<std::size_t>(n >> 1);
        return (composite_[k >> 6] >> (k & 63) & 1) == 0;
    }

    // The smallest prime above n, or 0 when there is none up to kLimit.
    std::int64_t nextAbove(std::int64_t n) const;
    // The largest prime below n, or 0 when there is none (n <= 2).
    std::int64_t prevBelow(std::int64_t n) const;

private:
    // Bit k stands for the odd number 2k + 1; set when it is composite (and
    // for 1).
    std::vector<std::uint64_t> composite_;
};

} // namespace tallix
