#include "engine/FracSearch.h"

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
// Moves walked literally before the fast search takes over: most results of
// the calculator are short fractions, found within these.
constexpr std::int64_t kLiteralPrefix = 16;

FracMatch notFound(std::int64_t maxSteps) {
    return {false, 0, 0, maxSteps < 0 ? 1 : maxSteps + 1};
}

bool inDomain(Extended t) { return t > 0 && t < kMaxTarget; }

struct WalkState {
    Extended p;
    Extended q;
    std::int64_t step;
};

// Advances the walk until it finds, passes maxSteps, or reaches stopAt moves.
// Returns true when the walk is over (found or exhausted).
bool walk(WalkState& s, Extended t, Extended thr, std::int64_t maxSteps, std::int64_t stopAt,
          FracMatch& out) {
    for (;;) {
        const Extended r = s.p / s.q;
        if (std::fabs(r - t) < thr) {
            out = {true, static_cast<std::uint64_t>(s.p), static_cast<std::uint64_t>(s.q), s.step};
            return true;
        }
        if (r <= t)
            s.p += 1;
        else
            s.q += 1;
        ++s.step;
        if (s.step > maxSteps) {
            out = notFound(maxSteps);
            return true;
        }
        if (s.step >= stopAt) return false;
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
    WalkState s{std::nearbyint(t), 1, 0};
    FracMatch out;
    walk(s, t, std::fabs(t * tol), maxSteps, INT64_MAX, out);
    return out;
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
    WalkState s{std::nearbyint(t), 1, 0};
    FracMatch out;
    // The prefix also settles denominator 1, so the descent below only has to
    // find a fraction with q >= 2.
    if (walk(s, t, thr, maxSteps, kLiteralPrefix, out)) return out;

    const auto p0 = static_cast<std::uint64_t>(std::nearbyint(t));
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

    const auto c1 = static_cast<std::uint64_t>(std::floor(t)) + 1; // smallest integer > t
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
        for (std::uint64_t k = 2;; k *= 2) {
            if (k > kMax) {
                bad = kMax + 1;
                break;
            }
            if (side(node(k)) != moving) {
                bad = k;
                break;
            }
            good = k;
        }
        while (bad - good > 1) {
            const std::uint64_t mid = good + (bad - good) / 2;
            if (side(node(mid)) == moving)
                good = mid;
            else
                bad = mid;
        }
        if (good == kMax) return notFound(maxSteps);
        const Frac next = node(good + 1);
        const Frac last = node(good);
        if (side(next) == Side::Pass) {
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
