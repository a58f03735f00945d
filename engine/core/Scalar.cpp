#include "engine/core/Scalar.h"

#include "engine/core/FracSearch.h"

#include <numeric>

namespace tallix {

ExponentFraction exponentFraction(Extended e) {
    const FracMatch m = fracSearch(e, 1e-16L, kShortFracSteps);
    if (!m.found || m.q == 0) return {};
    const std::uint64_t g = std::gcd(m.p, m.q);
    return {m.p / g, m.q / g};
}

} // namespace tallix
