// Evaluation of compiled function programs. This runs for every sample of
// every graph, root search and integral, so the loop works on a fixed stack
// with no allocation, no text and no locale.
#include "engine/core/FuncCodes.h"
#include "engine/func/FuncSet.h"

#include <cmath>

namespace tallix {

namespace {

using namespace fcode;

constexpr Extended U = UndefinedMarker;

Extended flushTiny(Extended v) {
    return std::fabs(v) < 1e-17L ? 0 : v;
}

// 1 x 2 x ... x trunc(a) while the product stays below 1e100; U past that.
// For a whole k and a >= 0, k <= trunc(a) exactly when k <= a, so the loop
// compares with a itself: std::trunc would switch the x87 rounding mode twice
// per call.
Extended factorial(Extended a) {
    if (a < 0) return U;
    Extended p = 1;
    for (Extended k = 1; p < 1e100L && k <= a; k += 1)
        p *= k;
    return p >= 1e100L ? U : p;
}

// Whether 0 <= e < 2^63 is a whole number. Adding and taking away 2^63
// rounds e to the nearest integer in the 64-bit mantissa; std::trunc would
// switch the x87 rounding mode twice, which costs more than the rest of a
// power.
bool isSmallIntegral(Extended e) {
    constexpr Extended kShift = 0x1p63L;
    const Extended shifted = e + kShift;
    return shifted - kShift == e;
}

} // namespace

bool FuncSet::findFraction(Extended e, int& num, int& den) {
    for (int i = 0; i < static_cast<int>(powerCache_.size()); ++i) {
        if (powerCache_[i].exponent == e) {
            const PowerCacheEntry hit = powerCache_[i];
            for (int j = i; j > 0; --j)
                powerCache_[j] = powerCache_[j - 1];
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
        if (q <= e)
            ++g;
        else
            ++d;
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
    if (e < 100 && isSmallIntegral(e)) {
        Extended r = 1;
        for (int k = static_cast<int>(e); k > 0; --k)
            r *= b;
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

namespace {

// Steps that take their right operand from the step itself: a constant (K)
// or the variable (X). Numbered after the operator codes.
enum : std::int16_t {
    PushK = 40,
    PushX,
    AddK,
    SubK,
    MulK,
    DivK,
    PowK,
    PowIntK,
    AddX,
    SubX,
    MulX,
    DivX,
    PowX,
    // Squares of the top, and of the variable pushed as a new value.
    SquareK,
    PushXSquare,
    // The variable combined with a constant, pushed as a new value.
    PushXAddK,
    PushXSubK,
    PushXMulK,
    PushXDivK,
    PushKMulX
};

std::int16_t mergedCode(int op, bool constant) {
    switch (op) {
    case Add:
        return constant ? AddK : AddX;
    case Sub:
        return constant ? SubK : SubX;
    case Mul:
        return constant ? MulK : MulX;
    case Div:
        return constant ? DivK : DivX;
    case Pow:
        return constant ? PowK : PowX;
    default:
        return 0;
    }
}

// power(b, n) for an integral n with 2 <= abs(n) < 100.
Extended integralPower(Extended b, int n) {
    if (std::fabs(b) < 1e-99L) return 0;
    if (n == 2) return b * b;
    const int count = n < 0 ? -n : n;
    Extended r = 1;
    for (int k = 0; k < count; ++k)
        r *= b;
    return n < 0 ? 1 / r : r;
}

Extended divide(Extended a, Extended b) {
    return (b == 0 || std::fabs(b) < 1e-299L) ? U : a / b;
}

} // namespace

void FuncSet::prepareRun(int n) {
    const FuncSlot& s = slot(n);
    RunProgram& p = runPrograms_[n - 1];
    p.length = 0;
    p.error = nullptr;

    // The depth of the value stack does not depend on x, so its errors are
    // known now.
    int depth = 0;
    for (int i = 0; i < s.FuncRPNLength; ++i) {
        const int item = s.FuncRPN[i];
        const int arity = item < 0 || item == Var ? -1 : kProps[item].arity;
        if (arity < 0) {
            ++depth;
        } else if (depth < arity) {
            p.error = funcerr::kInsufficient;
            return;
        } else if (arity > 0) {
            depth -= arity - 1;
        }
    }
    if (depth != 1) {
        p.error = depth == 0 ? funcerr::kTooFew : funcerr::kTooMany;
        return;
    }

    for (int i = 0; i < s.FuncRPNLength; ++i) {
        const int item = s.FuncRPN[i];
        RunStep step;
        if (item < 0 || item == Var) {
            const bool constant = item < 0;
            if (constant) step.k = poolValue_[-item - 1];
            const int next = i + 1 < s.FuncRPNLength ? s.FuncRPN[i + 1] : 0;
            const std::int16_t merged = next > 0 ? mergedCode(next, constant) : 0;
            // A merged step needs its left operand already on the stack.
            if (merged != 0 && p.length > 0) {
                step.code = merged;
                if (merged == PowK && std::trunc(step.k) == step.k && std::fabs(step.k) >= 2 &&
                    std::fabs(step.k) < 100) {
                    step.code = PowIntK;
                    step.count = static_cast<std::int16_t>(step.k);
                }
                ++i;
            } else {
                step.code = constant ? PushK : PushX;
            }
        } else if (kProps[item].arity == 0) {
            continue; // brackets never reach a program; nothing to do if they did
        } else {
            step.code = static_cast<std::int16_t>(item);
        }
        p.steps[p.length++] = step;
    }
    fuseLeaves(p);
}

// Joins a push of the variable with the constant step after it ("x+1",
// "x^2", "3x"), and gives integral squares their own step: fewer dispatches
// for the shapes nearly every function is made of.
void FuncSet::fuseLeaves(RunProgram& p) {
    int out = 0;
    for (int i = 0; i < p.length; ++i) {
        RunStep step = p.steps[i];
        if (step.code == PowIntK && step.count == 2) step.code = SquareK;
        const std::int16_t next = i + 1 < p.length ? p.steps[i + 1].code : 0;
        const bool square = next == SquareK || (next == PowIntK && p.steps[i + 1].count == 2);
        std::int16_t fused = 0;
        if (step.code == PushX) {
            fused = square         ? PushXSquare
                    : next == AddK ? PushXAddK
                    : next == SubK ? PushXSubK
                    : next == MulK ? PushXMulK
                    : next == DivK ? PushXDivK
                                   : 0;
        } else if (step.code == PushK && next == MulX) {
            fused = PushKMulX;
        }
        if (fused != 0) {
            step.code = fused;
            if (fused != PushKMulX && fused != PushXSquare) step.k = p.steps[i + 1].k;
            ++i;
        }
        p.steps[out++] = step;
    }
    p.length = out;
}

// Inlined into EvalFuncAtX: passing x on through another call costs an
// 80-bit store and reload per evaluation.
[[gnu::always_inline]] inline Extended FuncSet::run(const RunProgram& p, Extended x,
                                                    TrigMode trig) {
    // The top of the stack is kept apart; below holds the rest. The depth was
    // checked when the program was prepared, and each step pushes at most one
    // value, so below never overflows. The first push parks a dummy in
    // below[0] that no step reads.
    Extended below[kMaxFuncProgram + 1];
    int sp = 0;
    if (!std::isfinite(x)) x = U;
    const bool xU = x == U;
    const bool degrees = trig == TrigMode::Degrees;
    // Overflow, division by zero and invalid operations all end in an
    // infinity or a NaN; operations that cannot raise them skip the test.
    auto checked = [](Extended r) { return std::isfinite(r) ? r : U; };
    Extended top = 0;
    auto push = [&](Extended v) {
        below[sp++] = top;
        top = v;
    };

    const RunStep* step = p.steps.data();
    const RunStep* const end = step + p.length;
    for (; step != end; ++step) {
        const Extended a = top;
        // An operand equal to U gives U; a merged constant is never U.
        switch (step->code) {
        case PushK:
            push(step->k);
            break;
        case PushX:
            push(x);
            break;
        case PushXSquare:
            push(xU ? U : std::fabs(x) < 1e-99L ? 0 : checked(x * x));
            break;
        case PushXAddK:
            push(xU ? U : checked(x + step->k));
            break;
        case PushXSubK:
            push(xU ? U : checked(x - step->k));
            break;
        case PushXMulK:
            push(xU ? U : checked(x * step->k));
            break;
        case PushXDivK:
            push(xU ? U : checked(divide(x, step->k)));
            break;
        case PushKMulX:
            push(xU ? U : checked(step->k * x));
            break;
        case SquareK:
            if (a != U) top = std::fabs(a) < 1e-99L ? 0 : checked(a * a);
            break;
        case AddK:
            if (a != U) top = checked(a + step->k);
            break;
        case SubK:
            if (a != U) top = checked(a - step->k);
            break;
        case MulK:
            if (a != U) top = checked(a * step->k);
            break;
        case DivK:
            if (a != U) top = checked(divide(a, step->k));
            break;
        case PowK:
            if (a != U) top = checked(power(a, step->k));
            break;
        case PowIntK:
            if (a != U) top = checked(integralPower(a, step->count));
            break;
        case AddX:
            top = a == U || xU ? U : checked(a + x);
            break;
        case SubX:
            top = a == U || xU ? U : checked(a - x);
            break;
        case MulX:
            top = a == U || xU ? U : checked(a * x);
            break;
        case DivX:
            top = a == U || xU ? U : checked(divide(a, x));
            break;
        case PowX:
            top = a == U || xU ? U : checked(power(a, x));
            break;
        case Add: {
            const Extended l = below[--sp];
            top = l == U || a == U ? U : checked(l + a);
            break;
        }
        case Sub: {
            const Extended l = below[--sp];
            top = l == U || a == U ? U : checked(l - a);
            break;
        }
        case Mul: {
            const Extended l = below[--sp];
            top = l == U || a == U ? U : checked(l * a);
            break;
        }
        case Div: {
            const Extended l = below[--sp];
            top = l == U || a == U ? U : checked(divide(l, a));
            break;
        }
        case Pow: {
            const Extended l = below[--sp];
            top = l == U || a == U ? U : checked(power(l, a));
            break;
        }
        case NthRoot: { // U operands are not tested here
            const Extended l = below[--sp];
            top = std::fabs(l) < 1e-9L ? U : checked(power(a, 1 / l));
            break;
        }
        case Plus:
            break;
        case Neg:
            if (a != U) top = -a;
            break;
        case Sqrt:
            if (a != U) top = a >= 0 ? std::sqrt(a) : U;
            break;
        case Square:
            if (a != U) top = checked(a * a);
            break;
        case Cube:
            if (a != U) top = checked(a * a * a);
            break;
        case Cbrt:
            if (a != U) top = checked(power(a, 1.0L / 3));
            break;
        case Log:
            if (a != U) top = a > 0 ? std::log10(a) : U;
            break;
        case TenPow:
            if (a != U) top = checked(power(10, a));
            break;
        case Ln:
            if (a != U) top = a > 0 ? std::log(a) : U;
            break;
        case ExpPow:
            if (a != U) top = checked(std::exp(a));
            break;
        case Abs:
            if (a != U) top = std::fabs(a);
            break;
        case Fact:
            if (a != U) top = factorial(a);
            break;
        case Sin:
            if (a != U) top = flushTiny(std::sin(degrees ? a * kPi / 180 : a));
            break;
        case Cos:
            if (a != U) top = flushTiny(std::cos(degrees ? a * kPi / 180 : a));
            break;
        case Tan:
            if (a != U) top = checked(flushTiny(std::tan(degrees ? a * kPi / 180 : a)));
            break;
        case ArcSin:
        case ArcCos:
            if (a == U) break;
            if (a < -1 || a > 1) {
                top = U;
            } else {
                Extended r = flushTiny(step->code == ArcSin ? std::asin(a) : std::acos(a));
                top = degrees ? r * 180 / kPi : r;
            }
            break;
        case ArcTan:
            if (a != U) {
                const Extended r = flushTiny(std::atan2(a, 1.0L));
                top = degrees ? r * 180 / kPi : r;
            }
            break;
        default:
            __builtin_unreachable(); // nothing else reaches a prepared program
        }
    }
    return top;
}

void FuncSet::EvalFuncAtX(int n, Extended x, TrigMode trig) {
    FuncErrorText.clear();
    if (n < 1 || n > kFuncSlotCount) {
        FuncErrorText = "error: no function with that number.";
        return;
    }
    if (slot(n).FuncRPNLength == 0) {
        compile(n);
        if (!FuncErrorText.empty()) return;
    }
    const RunProgram& p = runPrograms_[n - 1];
    if (p.error) [[unlikely]] {
        FuncErrorText = p.error;
        return;
    }
    FuncResult = run(p, x, trig);
}

} // namespace tallix
