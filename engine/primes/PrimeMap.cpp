#include "engine/primes/PrimeMap.h"

#include "engine/primes/PrimeSieve.h"

namespace tallix {

void primeMapRow(const PrimeSieve& sieve, int row, std::span<std::uint32_t> pixels) {
    for (int col = 0; col < kPrimeMapSide && col < static_cast<int>(pixels.size()); ++col) {
        const std::int64_t i = std::int64_t{row} * kPrimeMapSide + col + 1;
        pixels[static_cast<std::size_t>(col)] = i < 2              ? kMapBlack
                                                : sieve.isPrime(i) ? kMapPrime
                                                                   : kMapComposite;
    }
}

} // namespace tallix
