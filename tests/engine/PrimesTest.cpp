#include "engine/primes/FactPrime.h"
#include "engine/primes/Factor64.h"
#include "engine/primes/PrimeLine.h"
#include "engine/primes/PrimeMap.h"
#include "engine/primes/PrimeSieve.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

using namespace tallix;

namespace {

const PrimeSieve& sieve() {
    static const PrimeSieve s;
    return s;
}

std::string joined(const std::vector<std::string>& v) {
    std::string s;
    for (const std::string& f : v)
        s += (s.empty() ? "" : " ") + f;
    return s;
}

} // namespace

TEST(PrimeSieve, AgreesWithMillerRabinUpToOneMillion) {
    int count = 0;
    for (std::int64_t n = -2; n <= PrimeSieve::kLimit + 2; ++n) {
        const bool sieved = sieve().isPrime(n);
        count += sieved;
        if (n <= PrimeSieve::kLimit && sieved != isPrime64(n < 0 ? 0 : std::uint64_t(n)))
            FAIL() << n;
    }
    EXPECT_EQ(count, 78498);
    EXPECT_FALSE(sieve().isPrime(1'000'003)); // prime, but past the table
}

TEST(PrimeSieve, NeighbouringPrimesStopAtTheTableEnds) {
    EXPECT_EQ(sieve().nextAbove(-5), 2);
    EXPECT_EQ(sieve().nextAbove(2), 3);
    EXPECT_EQ(sieve().nextAbove(999'979), 999'983);
    EXPECT_EQ(sieve().nextAbove(999'983), 0);
    EXPECT_EQ(sieve().prevBelow(3), 2);
    EXPECT_EQ(sieve().prevBelow(2), 0);
    EXPECT_EQ(sieve().prevBelow(1'000'000), 999'983);
}

TEST(Factor64, HardNumbersFactorIntoPrimes) {
    struct Case {
        std::uint64_t n;
        std::vector<std::uint64_t> factors;
    };
    const Case cases[] = {
        {1'000'036'000'099, {1'000'003, 1'000'033}},
        {1'000'006'000'009, {1'000'003, 1'000'003}},
        {2'305'843'009'213'693'951, {2'305'843'009'213'693'951}}, // 2^61 - 1
        {9'223'371'873'002'223'329, {3'037'000'453, 3'037'000'493}},
        {9'223'371'994'482'243'049, {3'037'000'493, 3'037'000'493}},
        {18'446'744'030'759'878'681u, {4'294'967'291, 4'294'967'291}},
        {18'446'744'073'709'551'615u, {3, 5, 17, 257, 641, 65537, 6'700'417}},
        {std::uint64_t{1} << 63, std::vector<std::uint64_t>(63, 2)},
        // Around the end of the trial division: 1021 is tried, 1031 and 1033
        // are left to the rho method.
        {1'052'651, {1021, 1031}},
        {1'065'023, {1031, 1033}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        EXPECT_EQ(primeFactors(c.n), c.factors);
    }
    EXPECT_TRUE(primeFactors(1).empty());
    EXPECT_TRUE(primeFactors(0).empty());
}

TEST(Factor64, RandomProductsComeBackWhole) {
    std::uint64_t state = 0x9E3779B97F4A7C15u;
    auto next = [&] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    for (int i = 0; i < 300; ++i) {
        const std::uint64_t n = next() >> (next() % 40);
        SCOPED_TRACE(n);
        std::uint64_t product = 1;
        const std::vector<std::uint64_t> f = primeFactors(n);
        for (std::size_t k = 0; k < f.size(); ++k) {
            EXPECT_TRUE(isPrime64(f[k])) << f[k];
            if (k > 0) {
                EXPECT_LE(f[k - 1], f[k]);
            }
            product *= f[k];
        }
        EXPECT_EQ(product, n);
    }
}

TEST(FactPrime, FactorListsOfTypedTexts) {
    struct Case {
        const char* text;
        const char* factors;
    };
    const Case cases[] = {
        {"-12", "-1 2 2 3"},
        {" 360 ", "2 2 2 3 3 5"},
        {"360.0", "2 2 2 3 3 5"},
        {"1000003", "1000003"},
        {"1000036000099", "1000003 1000033"},
        {"-2305843009213693951", "-1 2305843009213693951"},
        {"18446744073709551615", "3 5 17 257 641 65537 6700417"},
        {"-1", "-1"},
        {"0", ""},
        {"1", ""},
        {"", ""},
        {"abc", ""},
        {"2.5", ""},
        {"18446744073709551616", ""}, // 2^64: no longer one exact integer
        {"1e30", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(joined(factorList(c.text)), c.factors);
    }
    const auto groups = groupFactors(factorList("-360"));
    ASSERT_EQ(groups.size(), 4u);
    EXPECT_EQ(groups[1].base, "2");
    EXPECT_EQ(groups[1].count, 3);
    EXPECT_EQ(groups[3].count, 1);
}

TEST(FactPrime, NextAndPreviousPrimeTexts) {
    struct Case {
        const char* text;
        const char* next; // "" for value error
        const char* prev;
    };
    const Case cases[] = {
        {"-5", "2", ""},
        {"0", "2", ""},
        {"1", "2", ""},
        {"2", "3", ""},
        {"3", "5", "2"},
        {"14", "17", "13"},
        {"999983", "", "999979"},
        {"999999", "", "999983"},
        {"1000000", "", "999983"},
        {"1000001", "", ""},
        {"2.5", "", ""},
        {"x", "", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(nextPrimeText(sieve(), c.text).value_or(""), c.next);
        EXPECT_EQ(prevPrimeText(sieve(), c.text).value_or(""), c.prev);
    }
}

TEST(FactPrime, ArrowsStepWholeNumbersInsideTheRange) {
    EXPECT_EQ(steppedText("5", 1).value_or("none"), "6");
    EXPECT_EQ(steppedText(" -1 ", 1).value_or("none"), "0");
    EXPECT_EQ(steppedText("0", -1).value_or("none"), "-1");
    EXPECT_EQ(steppedText("1e3", -1).value_or("none"), "999");
    EXPECT_EQ(steppedText("18446744073709551614", 1).value_or("none"), "18446744073709551615");
    EXPECT_FALSE(steppedText("18446744073709551615", 1));
    EXPECT_FALSE(steppedText("-18446744073709551615", -1));
    EXPECT_FALSE(steppedText("2.5", 1));
    EXPECT_FALSE(steppedText("", 1));
}

TEST(PrimeLine, ControlsAtTheEndsOfTheRange) {
    using C = LineControl;
    struct Case {
        PrimeLineRange from;
        C control;
        PrimeLineRange to;
    };
    const Case cases[] = {
        {{0, 600}, C::LowLess, {0, 600}},
        {{30, 600}, C::LowLess, {0, 600}},
        {{0, 600}, C::LowMore, {60, 600}},
        {{580, 600}, C::LowMore, {582, 602}},
        {{0, 600}, C::ShiftDown, {0, 600}},
        {{30, 630}, C::ShiftDown, {0, 600}},
        {{0, 600}, C::ZoomIn, {60, 540}},
        {{100, 120}, C::ZoomIn, {100, 120}},
        {{100, 121}, C::ZoomIn, {102, 122}},
        {{0, 600}, C::ZoomOut, {0, 720}},
        {{100, 700}, C::ZoomOut, {40, 760}},
        {{0, 600}, C::ShiftUp, {60, 660}},
        {{0, 600}, C::HighLess, {0, 540}},
        {{0, 20}, C::HighLess, {0, 20}},
        {{100, 121}, C::HighLess, {99, 119}},
        {{0, 600}, C::HighMore, {0, 660}},
        {{9'000'000, 10'000'000}, C::ShiftUp, {9'000'000, 10'000'000}},
        {{0, 10'000'000}, C::ZoomOut, {0, 10'000'000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from.low << ".." << c.from.high << " control "
                                        << static_cast<int>(c.control));
        const PrimeLineRange r = applyLineControl(c.from, c.control);
        EXPECT_EQ(r.low, c.to.low);
        EXPECT_EQ(r.high, c.to.high);
    }
}

TEST(PrimeLine, TicksAndPrimesOfTheDefaultRange) {
    const PrimeLineGeometry g(640, 140, {0, 600});
    EXPECT_EQ(g.axisY(), 73);
    EXPECT_EQ(g.xOf(0), 20);
    EXPECT_EQ(g.xOf(600), 620);
    EXPECT_EQ(kMajorTicks[g.tickEntry()], 100);
    EXPECT_EQ(g.majorTicks(), (std::vector<std::int64_t>{0, 100, 200, 300, 400, 500, 600}));
    EXPECT_EQ(g.minorTicks().size(), 31u);
    const std::vector<int> xs = g.primeXs(sieve());
    ASSERT_EQ(xs.size(), 109u); // the primes below 600
    EXPECT_EQ(xs.front(), 22);
    EXPECT_EQ(xs.back(), 20 + 599);
}

TEST(PrimeLine, TickStepRoundsHalvesToEven) {
    // g = 3; round(25 / 10) = 2 leaves too few steps of 10, so 5 is taken.
    EXPECT_EQ(kMajorTicks[PrimeLineGeometry(160, 100, {0, 25}).tickEntry()], 5);
    EXPECT_EQ(kMajorTicks[PrimeLineGeometry(160, 100, {0, 35}).tickEntry()], 10);
    // A span of 20 on a wide line: steps of 2.
    EXPECT_EQ(kMajorTicks[PrimeLineGeometry(640, 100, {100, 120}).tickEntry()], 2);
    // No step fits at all: the first entry.
    EXPECT_EQ(PrimeLineGeometry(2000, 100, {0, 20}).tickEntry(), 0);
}

TEST(PrimeLine, ControlPlacesAndHitRectangles) {
    const PrimeLineGeometry g(640, 140, {0, 600});
    const std::array<int, kLineControlCount> w = {7, 7, 14, 30, 38, 14, 7, 7};
    const auto places = g.placeControls(w, 16);
    const int xs[] = {20, 35, 212, 270, 340, 422, 598, 613};
    for (int i = 0; i < kLineControlCount; ++i) {
        SCOPED_TRACE(lineControlText(static_cast<LineControl>(i)));
        EXPECT_EQ(places[i].x, xs[i]);
        EXPECT_EQ(places[i].y, 73 + 22);
    }
    EXPECT_EQ(lineControlAt(places, 16, 91), LineControl::LowLess);
    EXPECT_EQ(lineControlAt(places, 16, 115), LineControl::LowLess);
    EXPECT_FALSE(lineControlAt(places, 15, 100));
    EXPECT_FALSE(lineControlAt(places, 20, 90));
    EXPECT_FALSE(lineControlAt(places, 20, 116));
    EXPECT_EQ(lineControlAt(places, 270 + 30 + 4, 100), LineControl::ZoomIn);
    EXPECT_EQ(lineControlAt(places, 613 + 7 + 4, 100), LineControl::HighMore);
}

TEST(PrimeMap, PixelsFollowTheRaster) {
    std::vector<std::uint32_t> row(kPrimeMapSide);
    primeMapRow(sieve(), 0, row);
    EXPECT_EQ(row[0], kMapBlack); // 1
    EXPECT_EQ(row[1], kMapPrime); // 2
    EXPECT_EQ(row[3], kMapComposite);
    EXPECT_EQ(row[996], kMapPrime); // 997
    primeMapRow(sieve(), 999, row);
    EXPECT_EQ(row[982], kMapPrime); // 999983
    EXPECT_EQ(row[999], kMapComposite);
}
