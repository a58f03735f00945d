// Evaluation of compiled function programs. This runs for every sample of
// every graph, root search and integral, so the loop works on a fixed stack
// with no allocation, no text and no locale.
#include "engine/FuncCodes.h"
#include "engine/FuncSet.h"

#include <cmath>

namespace tallix {

namespace {

using namespace fcode;

constexpr Extended U = UndefinedMarker;

Extended flushTiny(Extended v) { return std::fabs(v) < 1e-17L ? 0 : v; }

// 1 x 2 x ... x trunc(a) while the product stays below 1e100; U past that.
Extended factorial(Extended a) {
    if (a < 0) return U;
    const Extended last = std::trunc(a);
    Extended p = 1;
    for (Extended k = 1; p < 1e100L && k <= last; k += 1) p *= k;
    return p >= 1e100L ? U : p;
}

} // namespace

bool FuncSet::findFraction(Extended e, int& num, int& den) {
    for (int i = 0; i < static_cast<int>(powerCache_.size()); ++i) {
        if (powerCache_[i].exponent == e) {
            const PowerCacheEntry hit = powerCache_[i];
            for (int j = i; j > 0; --j) powerCache_[j] = powerCache_[j - 1];
            powerCache_[0] = hit;
            num = hit.num;
            den = hit.den;
            return den > 0;
        }
    }
    // Walk the fractions g/d upwards towards e.
    int g = 1, d = 2;
    bool found = false;
    while (g + d < 512) {
        const Extended q = static_cast<Extended>(g) / d;
        if (std::fabs(e - q) < 1e-16L) {
            found = true;
            break;
        }
        if (q <= e) ++g;
        else ++d;
    }
    for (int j = static_cast<int>(powerCache_.size()) - 1; j > 0; --j)
        powerCache_[j] = powerCache_[j - 1];
    powerCache_[0] = {e, g, found ? d : -1};
    num = g;
    den = found ? d : -1;
    return found;
}

Extended FuncSet::power(Extended b, Extended a) {
    if (a == 0) return 1;
    if (a == 1) return b;
    if (a == -1) return 1 / b;
    if (std::fabs(b) < 1e-99L) return 0;
    const Extended e = std::fabs(a);
    if (e < 100 && std::trunc(e) == e) {
        Extended r = 1;
        for (int k = static_cast<int>(e); k > 0; --k) r *= b;
        return a < 0 ? 1 / r : r;
    }
    if (a == 0.5L) return b >= 0 ? std::sqrt(b) : U;
    int g = 0, d = 0;
    if (!findFraction(e, g, d)) {
        Extended r = std::pow(std::fabs(b), e);
        if (a < 0) r = 1 / r;
        return b < 0 ? -r : r;
    }
    if (b < 0 && d % 2 == 0) return U;
    Extended r = std::pow(std::fabs(b), e);
    if (b < 0 && g % 2 == 1) r = -r;
    return a < 0 ? 1 / r : r;
}

void FuncSet::EvalFuncAtX(int n, Extended x, TrigMode trig) {
    FuncErrorText.clear();
    if (n < 1 || n > kFuncSlotCount) {
        FuncErrorText = "error: no function with that number.";
        return;
    }
    if (slot(n).FuncRPNLength == 0) compile(n);
    if (FuncErrorText.empty()) run(slot(n), x, trig);
}

void FuncSet::run(const FuncSlot& s, Extended x, TrigMode trig) {
    // Each item pushes at most one value, so the program length bounds the stack.
    Extended st[kMaxFuncProgram];
    int sp = 0;
    if (!std::isfinite(x)) x = U;
    const bool degrees = trig == TrigMode::Degrees;
    const std::int16_t* item = s.FuncRPN.data();
    const std::int16_t* const end = item + s.FuncRPNLength;

    for (; item != end; ++item) {
        const int code = *item;
        if (code < 0) {
            st[sp++] = poolValue_[-code - 1];
            continue;
        }
        if (code == Var) {
            st[sp++] = x;
            continue;
        }
        const int arity = kProps[code].arity;
        if (sp < arity) {
            FuncErrorText = funcerr::kInsufficient;
            return;
        }
        if (arity == 0) continue; // brackets never reach a program; harmless if they did
        Extended r;
        if (arity == 2) {
            const Extended b = st[--sp];
            const Extended a = st[sp - 1];
            if (code == NthRoot) {
                r = std::fabs(a) < 1e-9L ? U : power(b, 1 / a);
            } else if (a == U || b == U) {
                r = U;
            } else {
                switch (code) {
                case Add: r = a + b; break;
                case Sub: r = a - b; break;
                case Mul: r = a * b; break;
                case Div: r = (b == 0 || std::fabs(b) < 1e-299L) ? U : a / b; break;
                default: r = power(a, b); break; // Pow
                }
            }
        } else {
            const Extended a = st[sp - 1];
            if (a == U) continue; // U stays on the stack
            switch (code) {
            case Plus: r = a; break;
            case Neg: r = -a; break;
            case Sqrt: r = a >= 0 ? std::sqrt(a) : U; break;
            case Square: r = a * a; break;
            case Cube: r = a * a * a; break;
            case Cbrt: r = power(a, 1.0L / 3); break;
            case Log: r = a > 0 ? std::log10(a) : U; break;
            case TenPow: r = power(10, a); break;
            case Ln: r = a > 0 ? std::log(a) : U; break;
            case ExpPow: r = std::exp(a); break;
            case Abs: r = std::fabs(a); break;
            case Fact: r = factorial(a); break;
            case Sin: r = flushTiny(std::sin(degrees ? a * kPi / 180 : a)); break;
            case Cos: r = flushTiny(std::cos(degrees ? a * kPi / 180 : a)); break;
            case Tan: r = flushTiny(std::tan(degrees ? a * kPi / 180 : a)); break;
            case ArcSin:
            case ArcCos:
                if (a < -1 || a > 1) {
                    r = U;
                } else {
                    r = flushTiny(code == ArcSin ? std::asin(a) : std::acos(a));
                    if (degrees) r = r * 180 / kPi;
                }
                break;
            default: // ArcTan
                r = flushTiny(std::atan2(a, 1.0L));
                if (degrees) r = r * 180 / kPi;
                break;
            }
        }
        // Overflow, division by zero and invalid operations all end in an
        // infinity or a NaN.
        st[sp - 1] = std::isfinite(r) ? r : U;
    }
    if (sp == 0) FuncErrorText = funcerr::kTooFew;
    else if (sp > 1) FuncErrorText = funcerr::kTooMany;
    else FuncResult = st[0];
}

} // namespace tallix
