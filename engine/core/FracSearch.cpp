#include "engine/core/FracSearch.h"

#include <algorithm>
#include <cmath>

namespace tallix {

namespace {

// Both searches work on 0 < t < 2^63, where every numerator they can reach
// (at most round(t) + maxSteps + 1) is an exact uint64 and an exact Extended.
constexpr Extended kMaxTarget = 0x1p63L;
// Larger limits are left to the walk: no caller comes near them, and they
// would let the bounds of the fast search overflow.
constexpr std::int64_t kMaxFastSteps = std::int64_t{1} << 40;

FracMatch notFound(std::int64_t maxSteps) {
    return {false, 0, 0, maxSteps < 0 ? 1 : maxSteps + 1};
}

bool inDomain(Extended t) {
    return t > 0 && t < kMaxTarget;
}

// round(t), half to even, for 0 < t < 2^63: what std::nearbyint gives in the
// default rounding mode, without its cost of saving and restoring the
// floating-point environment.
std::uint64_t roundHalfEven(Extended t) {
    const auto i = static_cast<std::uint64_t>(t);
    const Extended frac = t - static_cast<Extended>(i); // exact
    if (frac > 0.5L || (frac == 0.5L && (i & 1) != 0)) return i + 1;
    return i;
}

struct WalkState {
    Extended p;
    Extended q;
    std::int64_t step;
};

// Advances the walk until it finds or passes maxSteps.
FracMatch walk(WalkState s, Extended t, Extended thr, std::int64_t maxSteps) {
    for (;;) {
        const Extended r = s.p / s.q;
        if (std::fabs(r - t) < thr) {
            return {true, static_cast<std::uint64_t>(s.p), static_cast<std::uint64_t>(s.q), s.step};
        }
        if (r <= t)
            s.p += 1;
        else
            s.q += 1;
        ++s.step;
        if (s.step > maxSteps) return notFound(maxSteps);
    }
}

struct Frac {
    std::uint64_t a;
    std::uint64_t b;
};

enum class Side { Below, Pass, Above };

} // namespace

FracMatch fracWalk(Extended t, Extended tol, std::int64_t maxSteps) {
    if (!inDomain(t)) return notFound(maxSteps);
    return walk({std::nearbyint(t), 1, 0}, t, std::fabs(t * tol), maxSteps);
}

// The walk accepts the first fraction it meets that passes the tolerance
// test. Because correctly rounded division and subtraction are monotone, the
// passing fractions form one interval of reals around t, and the walk, which
// at each denominator q visits only the numerators from where it left q - 1 up
// to the first p with p / q > t, meets the fraction of that interval with the
// smallest denominator first (for q >= 2 only one numerator can pass). That
// fraction is found here by the Stern-Brocot descent, run by run, with the
// walk's own two comparisons (the tolerance test and p / q <= t) deciding
// every node: no interval end is ever computed, so floating-point rounding at
// the tolerance boundary decides exactly as it does in the walk. Its position
// in the walk is (p - round(t)) + (q - 1).
FracMatch fracSearch(Extended t, Extended tol, std::int64_t maxSteps) {
    if (!inDomain(t)) return notFound(maxSteps);
    if (maxSteps > kMaxFastSteps) return fracWalk(t, tol, maxSteps);

    const Extended thr = std::fabs(t * tol);
    const std::uint64_t p0 = roundHalfEven(t);
    const auto c1 = static_cast<std::uint64_t>(t) + 1; // smallest integer > t
    // Denominator 1: the walk tests p0 and, when p0 <= t, p0 + 1 = c1. No
    // other integer can pass first: one further from t fails whenever these do.
    if (std::fabs(static_cast<Extended>(p0) - t) < thr) return {true, p0, 1, 0};
    if (maxSteps < 1) return notFound(maxSteps);
    if (static_cast<Extended>(p0) <= t) {
        if (std::fabs(static_cast<Extended>(c1) - t) < thr) return {true, c1, 1, 1};
    }
    const std::uint64_t pCap = p0 + static_cast<std::uint64_t>(maxSteps);
    const std::uint64_t qCap = static_cast<std::uint64_t>(maxSteps) + 1;

    auto side = [&](Frac f) {
        const Extended r = static_cast<Extended>(f.a) / static_cast<Extended>(f.b);
        if (std::fabs(r - t) < thr) return Side::Pass;
        return r <= t ? Side::Below : Side::Above;
    };
    // Every ancestor of the answer in the tree has a numerator and a
    // denominator no larger than its own, so a node beyond the caps means the
    // walk runs out of steps first.
    auto within = [&](Frac f) { return f.a <= pCap && f.b <= qCap; };

    Frac lo{c1 - 1, 1};
    Frac hi{c1, 1};
    for (;;) {
        const Frac m{lo.a + hi.a, lo.b + hi.b};
        if (!within(m)) return notFound(maxSteps);
        const Side moving = side(m);
        if (moving == Side::Pass) {
            lo = m;
            break;
        }
        // A run of nodes base + k * step, k = 1, 2, ..., all on side `moving`
        // up to some k; find the last one.
        const Frac base = moving == Side::Below ? lo : hi;
        const Frac step = moving == Side::Below ? hi : lo;
        std::uint64_t kMax = UINT64_MAX;
        if (step.a > 0) kMax = std::min(kMax, (pCap - base.a) / step.a);
        if (step.b > 0) kMax = std::min(kMax, (qCap - base.b) / step.b);
        auto node = [&](std::uint64_t k) { return Frac{base.a + k * step.a, base.b + k * step.b}; };
        std::uint64_t good = 1; // node(good) is on side `moving`
        std::uint64_t bad = 0;  // node(bad) is not, or bad == kMax + 1
        Side badSide = moving;  // side of node(bad) when bad <= kMax
        for (std::uint64_t k = 2;; k *= 2) {
            if (k > kMax) {
                bad = kMax + 1;
                break;
            }
            const Side sk = side(node(k));
            if (sk != moving) {
                bad = k;
                badSide = sk;
                break;
            }
            good = k;
        }
        while (bad - good > 1) {
            const std::uint64_t mid = good + (bad - good) / 2;
            const Side sm = side(node(mid));
            if (sm == moving) {
                good = mid;
            } else {
                bad = mid;
                badSide = sm;
            }
        }
        if (good == kMax) return notFound(maxSteps);
        const Frac next = node(bad);
        const Frac last = node(good);
        if (badSide == Side::Pass) {
            lo = next;
            break;
        }
        if (moving == Side::Below) {
            lo = last;
            hi = next;
        } else {
            hi = last;
            lo = next;
        }
    }
    // The answer lies on the walk's path, so lo.a >= round(t); anything else
    // would be a fault of the reasoning above, and the walk is the judge.
    if (lo.a < p0) return fracWalk(t, tol, maxSteps);
    const std::uint64_t steps = (lo.a - p0) + (lo.b - 1);
    if (steps > static_cast<std::uint64_t>(maxSteps)) return notFound(maxSteps);
    return {true, lo.a, lo.b, static_cast<std::int64_t>(steps)};
}

} // namespace tallix
