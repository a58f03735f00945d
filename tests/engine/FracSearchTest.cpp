#include "engine/core/FracSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iomanip>
#include <random>
#include <sstream>
#include <vector>

using namespace tallix;

namespace {

constexpr std::int64_t kLimits[] = {kPiSearchSteps, kShortFracSteps, kLongFracSteps};
constexpr Extended kTolerances[] = {1e-4L, 1e-5L, 1e-6L, 1e-7L, 1e-8L, 1e-9L, 1e-10L, 1e-11L};

std::string describe(const FracMatch& m) {
    std::ostringstream s;
    s << (m.found ? "found " : "not found ") << m.p << "/" << m.q << " after " << m.steps;
    return s.str();
}

bool same(const FracMatch& a, const FracMatch& b) {
    return a.found == b.found && a.p == b.p && a.q == b.q && a.steps == b.steps;
}

// The walk with a smaller limit is a prefix of the walk with a larger one.
FracMatch underLimit(const FracMatch& walk, std::int64_t limit) {
    if (walk.found && walk.steps <= limit) return walk;
    return {false, 0, 0, limit + 1};
}

struct KnownCase {
    Extended t;
    Extended tol;
    std::int64_t limit;
    FracMatch expected;
};

} // namespace

TEST(FracSearch, KnownResultsOfTheWalk) {
    const KnownCase cases[] = {
        {kPi, 1e-6L, kLongFracSteps, {true, 355, 113, 464}},
        {kPi, 1e-9L, kLongFracSteps, {true, 103283, 32876, 136155}},
        {kPi, 1e-9L, kShortFracSteps, {false, 0, 0, kShortFracSteps + 1}},
        {0.3L, 1e-12L, kLongFracSteps, {true, 3, 10, 12}},
        {2.5L, 0.1L, kLongFracSteps, {true, 5, 2, 4}},
        {2.5L, 0.25L, kLongFracSteps, {true, 2, 1, 0}}, // round half to even
        {0.5L, 1e-8L, kPiSearchSteps, {true, 1, 2, 2}},
        {1e-9L, 1e-8L, kLongFracSteps, {false, 0, 0, kLongFracSteps + 1}},
        {1e6L + 0.37L, 1e-6L, kLongFracSteps, {true, 1000000, 1, 0}},
        {1e6L + 0.5L, 1e-11L, kLongFracSteps + 1, {true, 2000001, 2, 1000002}},
        {1e6L + 0.5L, 1e-11L, kLongFracSteps, {false, 0, 0, kLongFracSteps + 1}},
    };
    for (const KnownCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "t=" << static_cast<double>(c.t) << " tol="
                                          << static_cast<double>(c.tol) << " limit=" << c.limit);
        const FracMatch walk = fracWalk(c.t, c.tol, c.limit);
        EXPECT_TRUE(same(walk, c.expected)) << describe(walk);
        const FracMatch fast = fracSearch(c.t, c.tol, c.limit);
        EXPECT_TRUE(same(fast, c.expected)) << describe(fast);
    }
}

TEST(FracSearch, OutsideItsDomainFindsNothing) {
    const Extended targets[] = {0.0L, -0.5L, NAN, INFINITY, 0x1p63L};
    for (Extended t : targets) {
        SCOPED_TRACE(static_cast<double>(t));
        EXPECT_FALSE(fracWalk(t, 1e-8L, kPiSearchSteps).found);
        EXPECT_FALSE(fracSearch(t, 1e-8L, kPiSearchSteps).found);
    }
}

namespace {

// Compares the fast search with the walk on every value, tolerance and limit
// up to maxLimit; returns the number of values compared.
std::size_t compareWithWalk(const std::vector<Extended>& values, std::int64_t maxLimit,
                            const char* family) {
    int reported = 0;
    for (Extended t : values) {
        for (Extended tol : kTolerances) {
            const FracMatch walk = fracWalk(t, tol, maxLimit);
            for (std::int64_t limit : kLimits) {
                if (limit > maxLimit) continue;
                const FracMatch expected = underLimit(walk, limit);
                const FracMatch fast = fracSearch(t, tol, limit);
                if (!same(fast, expected) && reported++ < 10)
                    ADD_FAILURE() << family << ": t=" << std::hexfloat << static_cast<double>(t)
                                  << " (" << std::defaultfloat << std::setprecision(21)
                                  << static_cast<double>(t) << ") tol=" << static_cast<double>(tol)
                                  << " limit=" << limit << ": walk " << describe(expected)
                                  << ", fast " << describe(fast);
            }
        }
    }
    return values.size();
}

#ifdef NDEBUG
constexpr std::size_t kScale = 1;
#else
constexpr std::size_t kScale = 10; // sanitizer and unoptimised builds: a sample
#endif

Extended uniform(std::mt19937_64& rng, Extended lo, Extended hi) {
    const Extended u = static_cast<Extended>(rng() >> 1) * 0x1p-63L;
    return lo + (hi - lo) * u;
}

} // namespace

// The walk is cheap on values with short fractions, so those families are
// compared in bulk under every limit; values without a short fraction cost the
// walk up to a million steps each, so they get the full limit on a sample.
TEST(FracSearch, AgreesWithTheWalk) {
    std::mt19937_64 rng(20261208);
    auto randInt = [&](std::uint64_t lo, std::uint64_t hi) { return lo + rng() % (hi - lo + 1); };
    std::size_t compared = 0;

    std::vector<Extended> cheap;
    const std::size_t nCheap = 1'000'000 / kScale;
    while (cheap.size() < nCheap) {
        const std::uint64_t b = randInt(1, 72);
        const std::uint64_t a = randInt(1, 2 * b + 1);
        const Extended f = static_cast<Extended>(a) / static_cast<Extended>(b);
        switch (cheap.size() % 5) {
        case 0:
            cheap.push_back(f);
            break; // exact small fraction
        case 1:
            cheap.push_back(std::nextafter(f, 10.0L));
            break; // one ulp up
        case 2:
            cheap.push_back(std::nextafter(f, 0.0L));
            break; // one ulp down
        case 3:
            cheap.push_back(kPi * f / kPi);
            break; // a pi multiple, as the pi search sees it
        case 4: {  // around 1/2 and integers
            const std::uint64_t n = randInt(0, 6);
            Extended v = static_cast<Extended>(n) + (n == 0 || rng() & 1 ? 0.5L : 0.0L);
            for (std::uint64_t k = randInt(0, 3); k > 0; --k)
                v = std::nextafter(v, rng() & 1 ? 10.0L : 0.0L);
            cheap.push_back(v);
            break;
        }
        }
    }
    compared += compareWithWalk(cheap, kLongFracSteps, "short fractions");

    std::vector<Extended> costly;
    const std::size_t nCostly = 20'000 / kScale;
    for (std::size_t i = 0; i < nCostly; ++i) {
        switch (i % 5) {
        case 0:
            costly.push_back(uniform(rng, 0.0L, 4.0L));
            break; // random reals
        case 1:
            costly.push_back(
                std::ldexp(uniform(rng, 1.0L, 2.0L), -static_cast<int>(randInt(10, 60))));
            break; // tiny
        case 2:
            costly.push_back(
                std::ldexp(uniform(rng, 1.0L, 2.0L), static_cast<int>(randInt(10, 62))));
            break; // huge
        case 3:
            costly.push_back(kPi * static_cast<Extended>(randInt(1, 50)) / kPi +
                             uniform(rng, 1e-9L, 1e-5L));
            break;
        case 4:
            costly.push_back(static_cast<Extended>(randInt(1, 20)) + uniform(rng, -1e-3L, 1e-3L));
            break;
        }
    }
    compared += compareWithWalk(costly, kShortFracSteps, "no short fraction, short limits");
    costly.resize(std::max<std::size_t>(costly.size() / 100, 10));
    compared += compareWithWalk(costly, kLongFracSteps, "no short fraction, long limit");

    EXPECT_GE(compared * kScale, 1'000'000u);
}
