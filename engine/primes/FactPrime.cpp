#include "engine/primes/FactPrime.h"

#include "engine/calc/CalcEval.h"
#include "engine/core/Scalar.h"
#include "engine/primes/Factor64.h"
#include "engine/primes/PrimeSieve.h"

#include <cmath>
#include <cstdint>

namespace tallix {

namespace {

constexpr Extended kTwo64 = 0x1p64L;

std::uint64_t magnitude(Extended v) {
    return static_cast<std::uint64_t>(std::fabs(v));
}

} // namespace

std::optional<Extended> integerInput(std::string_view text) {
    const Extended v = parseNumberText(text);
    if (isUndefined(v) || !(std::fabs(v) < kTwo64) || v != std::trunc(v)) return {};
    return v + 0; // no negative zero
}

std::string integerValueText(Extended v) {
    const std::string digits = std::to_string(magnitude(v));
    return v < 0 ? "-" + digits : digits;
}

std::optional<std::string> steppedText(std::string_view text, int step) {
    const auto v = integerInput(text);
    if (!v) return {};
    const Extended next = *v + step; // exact: both below 2^64 in magnitude
    if (!(std::fabs(next) < kTwo64)) return {};
    return integerValueText(next);
}

std::vector<std::string> factorList(std::string_view text) {
    std::vector<std::string> out;
    const auto v = integerInput(text);
    if (!v || *v == 0) return out;
    if (*v < 0) out.emplace_back("-1");
    for (std::uint64_t p : primeFactors(magnitude(*v)))
        out.push_back(std::to_string(p));
    return out;
}

std::vector<FactorGroup> groupFactors(const std::vector<std::string>& factors) {
    std::vector<FactorGroup> groups;
    for (const std::string& f : factors) {
        if (!groups.empty() && groups.back().base == f)
            ++groups.back().count;
        else
            groups.push_back({f, 1});
    }
    return groups;
}

std::optional<std::string> nextPrimeText(const PrimeSieve& sieve, std::string_view text) {
    const auto v = integerInput(text);
    if (!v || *v >= PrimeSieve::kLimit) return {};
    const std::int64_t p = sieve.nextAbove(*v < 1 ? 0 : static_cast<std::int64_t>(*v));
    if (p == 0) return {};
    return std::to_string(p);
}

std::optional<std::string> prevPrimeText(const PrimeSieve& sieve, std::string_view text) {
    const auto v = integerInput(text);
    if (!v || *v < 2 || *v > PrimeSieve::kLimit) return {};
    const std::int64_t p = sieve.prevBelow(static_cast<std::int64_t>(*v));
    if (p == 0) return {};
    return std::to_string(p);
}

} // namespace tallix
