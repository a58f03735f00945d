#pragma once

#include "engine/core/Extended.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallix {

class PrimeSieve;

// What the factorization window does with the text of its box, without the
// window: the integer it holds, the factor list, the next and previous prime.

// The message shown for a value the prime searches refuse.
inline constexpr const char* kValueErrorText = "value error";

// The integer that the trimmed text converts to (number-text parser): a whole
// number below 2^64 in magnitude, where every Extended is exact. Nothing for
// any other text: not a number, a fraction, or a value too large to stand for
// one integer.
std::optional<Extended> integerInput(std::string_view text);

// The text of a whole Extended below 2^64 in magnitude ("-12").
std::string integerValueText(Extended v);

// The box's text after the up (+1) or down (-1) arrow: the integer plus the
// step, or nothing when the text holds no integer or the step would leave
// the range integerInput accepts.
std::optional<std::string> steppedText(std::string_view text, int step);

// The prime factors of the text's integer as decimal texts, ascending with
// repeats, led by "-1" for a negative integer (-1 gives "-1" alone); empty
// for 0, 1 and every text integerInput refuses. Every other entry is a prime.
std::vector<std::string> factorList(std::string_view text);

// A run of equal factors: the base and how many times it repeats.
struct FactorGroup {
    std::string base;
    int count = 0;
};
std::vector<FactorGroup> groupFactors(const std::vector<std::string>& factors);

// "Find Next Prime Larger than N": the text written into the box, or nothing
// for "value error" (no integer N, N >= 1,000,000, or no prime above N up to
// 1,000,000). N < 1 gives 2.
std::optional<std::string> nextPrimeText(const PrimeSieve& sieve, std::string_view text);

// "Find Largest Prime Smaller than N": the text written into the box, or
// nothing for "value error" (no integer N, N < 3 or N > 1,000,000).
std::optional<std::string> prevPrimeText(const PrimeSieve& sieve, std::string_view text);

} // namespace tallix
