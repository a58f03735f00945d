#include "engine/matrix/MatOps.h"

#include "../support/LiteralDet.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace tallix {
namespace {

using test::literalDet;

bool sameBits(Extended a, Extended b) {
    return std::memcmp(&a, &b, 10) == 0; // the 80 bits of the x87 format
}

TEST(MatDet, MemoisedExpansionIsBitForBitTheLiteralOne) {
    std::mt19937_64 rng(20261208);
    std::uniform_int_distribution<int> small(-9, 9);
    std::uniform_real_distribution<double> real(-1, 1);
    std::uniform_int_distribution<int> scale(-30, 30);
    int compared = 0;
    for (int n = 1; n <= 9; ++n) {
        const int count = n <= 7 ? 300 : (n == 8 ? 60 : 12);
        for (int k = 0; k < count; ++k) {
            MatGrid m;
            m.rows = m.cols = n;
            const int kind = k % 3;
            for (int r = 0; r < n; ++r)
                for (int c = 0; c < n; ++c) {
                    if (kind == 0) // integers: exact, with many zero minors
                        m.at(r, c) = small(rng);
                    else if (kind == 1) // rounding in every product and sum
                        m.at(r, c) = static_cast<Extended>(real(rng)) / 3;
                    else // mixed magnitudes: the order of additions shows
                        m.at(r, c) = std::ldexp(static_cast<Extended>(real(rng)), scale(rng));
                }
            const Extended want = literalDet(m);
            const Extended got = detCofactor(m);
            SCOPED_TRACE("n = " + std::to_string(n) + ", case " + std::to_string(k));
            EXPECT_TRUE(sameBits(got, want))
                << static_cast<double>(got) << " vs " << static_cast<double>(want);
            ++compared;
        }
    }
    EXPECT_GT(compared, 2000);
}

TEST(MatDet, SignsAlternateAlongTheFirstRow) {
    MatGrid m;
    m.rows = m.cols = 3;
    const Extended cells[] = {1, 2, 3, 4, 5, 6, 7, 8, 10};
    for (int i = 0; i < 9; ++i)
        m.at(i / 3, i % 3) = cells[i];
    // 1(50-48) - 2(40-42) + 3(32-35)
    EXPECT_EQ(detCofactor(m), -3);
    m.rows = m.cols = 1;
    EXPECT_EQ(detCofactor(m), 1);
}

} // namespace
} // namespace tallix
