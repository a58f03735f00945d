#include "engine/primes/Factor64.h"

#include <algorithm>
#include <numeric>

namespace tallix {

namespace {

using u64 = std::uint64_t;
using u128 = unsigned __int128;

// Arithmetic modulo an odd n in Montgomery form (x stands for x * 2^64 mod
// n): a product costs two 64 x 64 -> 128-bit multiplications and no
// division. Every value is kept in 0..n-1, so equal residues compare equal.
class Montgomery {
public:
    explicit Montgomery(u64 n) : n_(n) {
        inv_ = n; // n * n = 1 mod 8: three correct bits, doubled by each step
        for (int i = 0; i < 5; ++i)
            inv_ *= 2 - n * inv_;
        const u64 r = (0 - n) % n; // 2^64 mod n
        r2_ = static_cast<u64>(static_cast<u128>(r) * r % n);
        one_ = r;
    }

    u64 n() const { return n_; }
    u64 one() const { return one_; }
    u64 from(u64 x) const { return mul(x % n_, r2_); }
    u64 mul(u64 a, u64 b) const {
        const u128 t = static_cast<u128>(a) * b;
        const u64 m = static_cast<u64>(t) * inv_;
        const u64 hi = static_cast<u64>(t >> 64);
        const u64 mn = static_cast<u64>((static_cast<u128>(m) * n_) >> 64);
        // t - m n is a multiple of 2^64 whose low words cancel exactly.
        return hi >= mn ? hi - mn : hi - mn + n_;
    }
    u64 add(u64 a, u64 b) const {
        const u64 s = a + b;
        return s < a || s >= n_ ? s - n_ : s;
    }
    u64 sub(u64 a, u64 b) const { return a >= b ? a - b : a - b + n_; }
    u64 pow(u64 base, u64 e) const {
        u64 r = one_;
        for (; e != 0; e >>= 1) {
            if (e & 1) r = mul(r, base);
            base = mul(base, base);
        }
        return r;
    }

private:
    u64 n_;
    u64 inv_; // n^-1 mod 2^64
    u64 r2_;  // 2^128 mod n
    u64 one_; // 2^64 mod n
};

constexpr u64 kTrialLimit = 1024; // odd divisors tried before the rho method

bool isPrimeOdd(u64 n) {
    // Deterministic for n < 3.3 * 10^24 (Sorenson and Webster).
    constexpr u64 kBases[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};
    const Montgomery m(n);
    u64 d = n - 1;
    int s = 0;
    while ((d & 1) == 0) {
        d >>= 1;
        ++s;
    }
    const u64 minusOne = m.sub(0, m.one());
    for (u64 a : kBases) {
        if (a % n == 0) continue;
        u64 x = m.pow(m.from(a), d);
        if (x == m.one() || x == minusOne) continue;
        bool witness = true;
        for (int i = 1; i < s && witness; ++i) {
            x = m.mul(x, x);
            witness = x != minusOne;
        }
        if (witness) return false;
    }
    return true;
}

// A factor of the odd composite n other than 1 and n: Brent's cycle search
// on x -> x^2 + c, with the differences multiplied together in batches of
// 128 so that one gcd serves them all. A batch that overshoots to n is
// walked again one step at a time; a cycle that closes without a factor is
// tried again with the next c.
u64 rhoFactor(u64 n) {
    const Montgomery m(n);
    constexpr u64 kBatch = 128;
    for (u64 c = 1;; ++c) {
        const u64 cm = m.from(c);
        auto f = [&](u64 x) { return m.add(m.mul(x, x), cm); };
        u64 y = m.from(2), x = y, ys = y, q = m.one(), g = 1;
        for (u64 r = 1; g == 1; r *= 2) {
            x = y;
            for (u64 i = 0; i < r; ++i)
                y = f(y);
            for (u64 k = 0; k < r && g == 1; k += kBatch) {
                ys = y;
                for (u64 i = 0; i < std::min(kBatch, r - k); ++i) {
                    y = f(y);
                    q = m.mul(q, m.sub(x, y));
                }
                g = std::gcd(q, n);
            }
        }
        if (g == n) {
            do {
                ys = f(ys);
                g = std::gcd(m.sub(x, ys), n);
            } while (g == 1);
        }
        if (g != n) return g;
    }
}

void factorOdd(u64 n, std::vector<u64>& out) {
    if (n == 1) return;
    if (isPrimeOdd(n)) {
        out.push_back(n);
        return;
    }
    const u64 d = rhoFactor(n);
    factorOdd(d, out);
    factorOdd(n / d, out);
}

} // namespace

bool isPrime64(std::uint64_t n) {
    if (n < 2) return false;
    if (n % 2 == 0) return n == 2;
    for (u64 d = 3; d < kTrialLimit && d * d <= n; d += 2)
        if (n % d == 0) return false;
    return n < kTrialLimit * kTrialLimit || isPrimeOdd(n);
}

std::vector<std::uint64_t> primeFactors(std::uint64_t n) {
    std::vector<u64> out;
    if (n < 2) return out;
    for (; n % 2 == 0; n /= 2)
        out.push_back(2);
    // Odd trial divisors: a composite one never divides, its prime factors
    // having been taken out before it.
    for (u64 d = 3; d < kTrialLimit && d * d <= n; d += 2)
        for (; n % d == 0; n /= d)
            out.push_back(d);
    if (n == 1) return out;
    if (n < kTrialLimit * kTrialLimit) {
        out.push_back(n);
        return out;
    }
    const std::size_t small = out.size();
    factorOdd(n, out);
    std::sort(out.begin() + static_cast<std::ptrdiff_t>(small), out.end());
    return out;
}

} // namespace tallix
