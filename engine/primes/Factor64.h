#pragma once

#include <cstdint>
#include <vector>

namespace tallix {

// Whether n is a prime: Miller-Rabin with the first twelve primes as bases,
// which decides every n below 3.3 * 10^24, so every 64-bit n, without error.
bool isPrime64(std::uint64_t n);

// The prime factors of n in ascending order, with repeats; empty for 0 and
// 1. Trial division by the small primes, then Pollard's rho (Brent's
// variant, in Montgomery arithmetic) on what is left: a few milliseconds at
// most for the hardest n (two primes near 2^32).
std::vector<std::uint64_t> primeFactors(std::uint64_t n);

} // namespace tallix
