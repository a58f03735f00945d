#pragma once

#include "engine/core/Extended.h"

#include <cstdint>

namespace tallix {

// The step limits the number texts use: the pi search, the short fraction
// search of the graph labels, and the long fraction search of the calculator
// and matrix results.
inline constexpr std::int64_t kPiSearchSteps = 1001;
inline constexpr std::int64_t kShortFracSteps = 10001;
inline constexpr std::int64_t kLongFracSteps = 1000001;

struct FracMatch {
    bool found = false;
    std::uint64_t p = 0;    // numerator when found, else 0
    std::uint64_t q = 0;    // denominator when found, else 0
    std::int64_t steps = 0; // moves of the walk before it stopped: the
                            // position of p / q when found, maxSteps + 1 when not
};

// The fraction walk, one move at a time: p = round(t) (half to even), q = 1;
// p / q is accepted when |p / q - t| < |t * tol|, otherwise p grows when
// p / q <= t and q grows when not. Positions 0..maxSteps are tested.
// Costs up to maxSteps divisions; kept as the reference for fracSearch.
FracMatch fracWalk(Extended t, Extended tol, std::int64_t maxSteps);

// Exactly what fracWalk returns (found, p, q, steps), in a number of
// operations that grows with log q. t must be positive and finite for the
// fast path; anything else is handed to the walk.
FracMatch fracSearch(Extended t, Extended tol, std::int64_t maxSteps);

} // namespace tallix
