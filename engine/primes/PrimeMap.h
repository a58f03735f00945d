#pragma once

#include <cstdint>
#include <span>

namespace tallix {

class PrimeSieve;

// The prime map: the integers 1..1,000,000 as a 1000 x 1000 raster, left to
// right and top to bottom, integer i at column (i - 1) mod 1000, row
// (i - 1) div 1000.
inline constexpr int kPrimeMapSide = 1000;

// Pixel colours as 0xAARRGGBB: composites grey, primes red, 1 black (the
// background).
inline constexpr std::uint32_t kMapBlack = 0xFF000000u;
inline constexpr std::uint32_t kMapComposite = 0xFFC0C0C0u;
inline constexpr std::uint32_t kMapPrime = 0xFFFF0000u;

// Writes the kPrimeMapSide pixels of one row (0-based) into `pixels`.
void primeMapRow(const PrimeSieve& sieve, int row, std::span<std::uint32_t> pixels);

} // namespace tallix
