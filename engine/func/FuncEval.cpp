// Evaluation of compiled function programs. This runs for every sample of
// every graph, root search and integral, so the loop works on a fixed stack
// with no allocation, no text and no locale.
#include "engine/core/FuncCodes.h"
#include "engine/core/Scalar.h"
#include "engine/core/Trig.h"
#include "engine/func/FuncSet.h"

#include <cmath>
#include <iterator>

namespace tallix {

namespace {

using namespace fcode;

constexpr Extended U = UndefinedMarker;

} // namespace

ExponentFraction FuncSet::cachedFraction(Extended e) {
    if (powerCache_[0].exponent == e) return powerCache_[0].fraction; // already in front
    for (int i = 1; i < static_cast<int>(powerCache_.size()); ++i) {
        if (powerCache_[i].exponent == e) {
            const PowerCacheEntry hit = powerCache_[i];
            for (int j = i; j > 0; --j)
                powerCache_[j] = powerCache_[j - 1];
            powerCache_[0] = hit;
            return hit.fraction;
        }
    }
    for (int j = static_cast<int>(powerCache_.size()) - 1; j > 0; --j)
        powerCache_[j] = powerCache_[j - 1];
    powerCache_[0] = {e, exponentFraction(e)};
    return powerCache_[0].fraction;
}

namespace {

// Whether e > 0 lies within 1e-15 (relatively) of a whole number of sixths:
// the only exponents whose fraction can have the denominator 2 or 3, tested
// before the fraction search is paid for.
bool nearSixths(Extended e) {
    constexpr Extended kShift = 0x1.8p63L;
    const Extended sixths = e * 6;
    if (!(sixths < 0x1p62L)) return false;
    const Extended whole = (sixths + kShift) - kShift;
    return std::fabs(sixths - whole) <= sixths * 1e-15L;
}

// hi + lo with hi = a * b rounded and lo the exact remainder (Dekker's
// product: each factor split into two 32-bit halves, whose products are
// exact in the 64-bit mantissa). For factors whose product neither
// overflows nor comes near the smallest normal numbers.
struct TwoPart {
    Extended hi;
    Extended lo;
};
TwoPart exactProduct(Extended a, Extended b) {
    constexpr Extended kSplit = 0x1p32L + 1;
    auto halves = [](Extended v) {
        const Extended t = v * kSplit;
        const Extended high = t - (t - v);
        return TwoPart{high, v - high};
    };
    const TwoPart x = halves(a);
    const TwoPart y = halves(b);
    const Extended hi = a * b;
    return {hi, ((x.hi * y.hi - hi) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}

// 1 / (v.hi + v.lo) to about twice the working precision.
TwoPart reciprocal(TwoPart v) {
    const Extended hi = 1 / v.hi;
    const TwoPart p = exactProduct(hi, v.hi);
    // 1 - p.hi is exact: p.hi lies within one unit of 1.
    return {hi, (((1 - p.hi) - p.lo) - hi * v.lo) * hi};
}

// The cube root (index 3) or square root (index 2) of v.hi + v.lo, rounded
// once: the library's root, then one Newton step whose residual r^n - v is
// computed exactly, so that the root of the unrounded v comes out within
// about half a unit.
template <int Index> Extended refinedRoot(TwoPart v) {
    const Extended r = Index == 3 ? std::cbrt(v.hi) : std::sqrt(v.hi);
    const TwoPart square = exactProduct(r, r);
    if constexpr (Index == 2) {
        const Extended residual = (square.hi - v.hi) + (square.lo - v.lo);
        return r - residual / (2 * r);
    } else {
        const TwoPart cube = exactProduct(square.hi, r);
        const Extended residual = (cube.hi - v.hi) + (cube.lo + square.lo * r - v.lo);
        return r - residual / (3 * square.hi);
    }
}

// b^(p/q) for b > 0, q = 2 or 3, p = +-1 or (for q = 3) +-2: the root of
// b^2, 1/b or 1/b^2 carried to twice the precision, so that only the last
// operation rounds (cbrtl of a rounded b^2, or one over a rounded root, is
// off by more than a unit). b = 2^(q*m) * c with c near 1 keeps every
// intermediate far from overflow and from subnormal numbers; the result is
// scaled back exactly.
Extended simpleRootPower(Extended b, int p, int q) {
    // cbrtl alone is within a unit (0.81 at worst), and the cube root keys
    // give the same bits.
    if (p == 1 && q == 3) return std::cbrt(b);
    const int m = std::ilogb(b) / q;
    const Extended c = std::scalbn(b, -q * m);
    const int power = p < 0 ? -p : p;
    TwoPart v = power == 1 ? TwoPart{c, 0} : exactProduct(c, c);
    if (p < 0) v = reciprocal(v);
    const Extended root = q == 3 ? refinedRoot<3>(v) : refinedRoot<2>(v);
    return std::scalbn(root, p * m);
}

// b^(p/3) for b > 0 and p > 3 not a multiple of 3: the whole power times the
// root. powl with the rounded exponent p/3 is off by hundreds of units for
// huge and tiny b (the exponent's rounding error is multiplied by ln b).
Extended thirdsPower(Extended b, std::uint64_t p) {
    const int whole = static_cast<int>(p / 3);
    const Extended root = simpleRootPower(b, static_cast<int>(p % 3), 3);
    return whole == 0 ? root : wholePower(b, whole) * root;
}

} // namespace

Extended FuncSet::power(Extended b, Extended a) {
    // Square roots come from std::sqrt, thirds and reciprocal square roots
    // from the refined roots above, every other magnitude from std::pow.
    if (a == 0.5L && b >= 1e-99L) return std::sqrt(b);
    return signedPower<true>(
        b, a,
        [this](Extended base, Extended e) {
            const Extended size = std::fabs(e);
            if (size < 100 && nearSixths(size)) {
                const ExponentFraction f = cachedFraction(size);
                const int sign = e < 0 ? -1 : 1;
                if (f.q == 3 && f.p < 3)
                    return simpleRootPower(base, sign * static_cast<int>(f.p), 3);
                if (f.q == 3) return e < 0 ? 1 / thirdsPower(base, f.p) : thirdsPower(base, f.p);
                if (f.q == 2 && f.p == 1) return simpleRootPower(base, sign, 2);
            }
            return e < 0 ? 1 / std::pow(base, size) : std::pow(base, size);
        },
        [this](Extended e) { return cachedFraction(e); });
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
    PushKMulX,
    // The square of the variable with a constant added or taken away
    // ("x^2+1"), pushed as a new value.
    PushXSquareAddK,
    PushXSquareSubK,
    // A binary operator whose right operand is one of the eight leaves from
    // PushXSquare on ("(x+1)(x-1)", "/(x^2+1)"): LeafOps + 8 * operator +
    // leaf, operators in the order add, subtract, multiply, divide.
    LeafOps
};

constexpr int kFusedLeaves = LeafOps - PushXSquare;
static_assert(kFusedLeaves == 8, "the run loop lists the LeafOps steps of eight leaves");

// The unary operators that also come as one step with the variable ("sin x",
// "ln x", "x!"), pushed as a new value: XUnaries + their place here.
// clang-format off
#define TALLIX_X_UNARIES(X) \
    X(Neg) X(Sqrt) X(Cbrt) X(Log) X(Ln) X(ExpPow) X(Abs) X(Fact) \
    X(Sin) X(Cos) X(Tan) X(ArcSin) X(ArcCos) X(ArcTan)
// clang-format on
#define TALLIX_LIST_OP(op) op,
constexpr int kXUnaryOps[] = {TALLIX_X_UNARIES(TALLIX_LIST_OP)};
#undef TALLIX_LIST_OP
constexpr int XUnaries = LeafOps + 4 * kFusedLeaves;
constexpr int kXUnaryCount = static_cast<int>(std::size(kXUnaryOps));

constexpr int xUnaryCode(int op) {
    for (int i = 0; i < kXUnaryCount; ++i)
        if (kXUnaryOps[i] == op) return XUnaries + i;
    return 0;
}

// Unary operators that need no library call.
constexpr bool unaryCallFree(int op) {
    return op == Neg || op == Abs || op == Fact;
}

bool isLeaf(int code) {
    return code == PushK || code == PushX || (code >= PushXSquare && code < LeafOps) ||
           (code >= XUnaries && code < XUnaries + kXUnaryCount);
}

int leafOpIndex(int op) {
    return op == Add ? 0 : op == Sub ? 1 : op == Mul ? 2 : op == Div ? 3 : -1;
}

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
    if (belowSquareFloor(b)) return 0;
    if (n == 2) return b * b;
    return wholePower(b, n);
}

Extended divide(Extended a, Extended b) {
    return belowDivisorFloor(b) ? U : a / b;
}

} // namespace

void FuncSet::setConstant(RunStep& step, Extended k) {
    step.k = k;
    const double high = static_cast<double>(k);
    const double low = std::isfinite(high) ? static_cast<double>(k - high) : 0;
    step.paired = Extended(high) + Extended(low) == k &&
                  std::signbit(Extended(high) + Extended(low)) == std::signbit(k);
    step.kHigh = step.paired ? high : 0;
    step.kLow = step.paired ? low : 0;
}

template <int Code> Extended FuncSet::constantOf(const RunStep& step) {
    return Code == PushK ? step.k : step.pairedK();
}

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
            if (constant) setConstant(step, poolValue_[-item - 1]);
            const int next = i + 1 < s.FuncRPNLength ? s.FuncRPN[i + 1] : 0;
            std::int16_t merged = next > 0 ? mergedCode(next, constant) : 0;
            // Merged steps read the constant as two doubles; PowK reads k.
            if (constant && !step.paired && merged != PowK) merged = 0;
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
    chooseRunners(p);
}

// Joins a push of the variable with the constant step after it ("x+1",
// "x^2", "3x", then "x^2+1"), and gives integral squares their own step:
// fewer dispatches for the shapes nearly every function is made of.
void FuncSet::fuseLeaves(RunProgram& p) {
    int out = 0;
    for (int i = 0; i < p.length; ++i) {
        RunStep step = p.steps[i];
        if (step.code == PowIntK && step.count == 2) step.code = SquareK;
        const std::int16_t next = i + 1 < p.length ? p.steps[i + 1].code : 0;
        const bool square = next == SquareK || (next == PowIntK && p.steps[i + 1].count == 2);
        std::int16_t fused = 0;
        if (step.code == PushX && next > 0 && next < PushK && xUnaryCode(next) != 0) {
            fused = static_cast<std::int16_t>(xUnaryCode(next));
        } else if (step.code == PushX) {
            fused = square         ? PushXSquare
                    : next == AddK ? PushXAddK
                    : next == SubK ? PushXSubK
                    : next == MulK ? PushXMulK
                    : next == DivK ? PushXDivK
                                   : 0;
        } else if (step.code == PushK && next == MulX && step.paired) {
            fused = PushKMulX;
        }
        if (fused != 0) {
            step.code = fused;
            if (fused != PushKMulX && fused != PushXSquare && fused < XUnaries)
                setConstant(step, p.steps[i + 1].k);
            ++i;
        }
        p.steps[out++] = step;
    }
    p.length = out;

    out = 0;
    for (int i = 0; i < p.length; ++i) {
        RunStep step = p.steps[i];
        const std::int16_t next = i + 1 < p.length ? p.steps[i + 1].code : 0;
        if (step.code == PushXSquare && (next == AddK || next == SubK)) {
            step.code = next == AddK ? PushXSquareAddK : PushXSquareSubK;
            setConstant(step, p.steps[++i].k);
        }
        p.steps[out++] = step;
    }
    p.length = out;

    out = 0;
    for (int i = 0; i < p.length; ++i) {
        RunStep step = p.steps[i];
        const int op = i + 1 < p.length ? leafOpIndex(p.steps[i + 1].code) : -1;
        if (i > 0 && step.code >= PushXSquare && step.code < LeafOps && op >= 0) {
            step.code =
                static_cast<std::int16_t>(LeafOps + kFusedLeaves * op + (step.code - PushXSquare));
            ++i;
        }
        p.steps[out++] = step;
    }
    p.length = out;

    // The two upper values live in registers while the program runs; only a
    // push onto two values parks one in memory, and only a binary step with
    // three or more below it fetches one back.
    int depth = 0;
    for (int i = 0; i < p.length; ++i) {
        RunStep& step = p.steps[i];
        const bool binary = step.code < PushK && kProps[step.code].arity == 2;
        const bool leaf = isLeaf(step.code);
        step.spill = (leaf && depth >= 2) || (binary && depth >= 3);
        depth += leaf ? 1 : binary ? -1 : 0;
    }
}

namespace {

[[gnu::always_inline]] inline bool finiteValue(Extended r) {
    return isFiniteValue(r);
}

// Overflow, division by zero and invalid operations all end in an infinity
// or a NaN; operations that cannot raise them skip the test.
[[gnu::always_inline]] inline Extended checked(Extended r) {
    return finiteValue(r) ? r : U;
}

// power(a, 1/3) without the division and the search for the exponent's
// fraction: the same bits.
[[gnu::always_inline]] inline Extended cubeRoot(Extended a) {
    return belowSquareFloor(a) ? 0 : std::cbrt(a);
}

// A unary operator's value at a.
template <int Op> [[gnu::always_inline]] inline Extended unaryValue(Extended a, TrigMode trig) {
    if constexpr (Op == Neg) return -a;
    if constexpr (Op == Sqrt) return a >= 0 ? std::sqrt(a) : U;
    if constexpr (Op == Cbrt) return cubeRoot(a);
    if constexpr (Op == Log) return a > 0 ? std::log10(a) : U;
    if constexpr (Op == Ln) return a > 0 ? std::log(a) : U;
    if constexpr (Op == ExpPow) return checked(std::exp(a));
    if constexpr (Op == Abs) return std::fabs(a);
    if constexpr (Op == Fact) return factorial(a);
    if constexpr (Op == Sin) return flushTiny(reducedSin(toRadians(a, trig)));
    if constexpr (Op == Cos) return flushTiny(reducedCos(toRadians(a, trig)));
    if constexpr (Op == Tan) return checked(flushTiny(reducedTan(toRadians(a, trig))));
    if constexpr (Op == ArcSin || Op == ArcCos) {
        if (a < -1 || a > 1) return U;
        return fromRadians(flushTiny(Op == ArcSin ? std::asin(a) : std::acos(a)), trig);
    }
    if constexpr (Op == ArcTan) return fromRadians(flushTiny(std::atan2(a, 1.0L)), trig);
}

// The value a leaf step (one that only pushes) pushes. Unchecked, an
// infinity may be left for the caller: only for an addition, subtraction or
// multiplication, which keep it infinite or make it NaN, and whose own
// result is checked.
template <int Code, bool Check = true>
[[gnu::always_inline]] inline Extended leafValue(Extended k, Extended x,
                                                 TrigMode trig = TrigMode::Radians) {
    auto out = [](Extended r) { return Check ? checked(r) : r; };
    if constexpr (Code == PushK) return k;
    if constexpr (Code == PushX) return x;
    if constexpr (Code == PushXSquare) return belowSquareFloor(x) ? 0 : out(x * x);
    if constexpr (Code == PushXAddK) return out(x + k);
    if constexpr (Code == PushXSubK) return out(x - k);
    if constexpr (Code == PushXMulK) return out(x * k);
    if constexpr (Code == PushXDivK) return out(divide(x, k));
    if constexpr (Code == PushKMulX) return out(k * x);
    if constexpr (Code >= XUnaries) return unaryValue<kXUnaryOps[Code - XUnaries]>(x, trig);
    if constexpr (Code == PushXSquareAddK || Code == PushXSquareSubK) {
        const Extended square = leafValue<PushXSquare, false>(k, x);
        return out(Code == PushXSquareAddK ? square + k : square - k);
    }
}

// l op r for the operators of the LeafOps steps, by their index there, with
// r the value of the leaf step Leaf.
template <int Op, int Leaf>
[[gnu::always_inline]] inline Extended leafOpValue(Extended l, Extended k, Extended x) {
    if constexpr (Op == 0) return checked(l + leafValue<Leaf, false>(k, x));
    if constexpr (Op == 1) return checked(l - leafValue<Leaf, false>(k, x));
    if constexpr (Op == 2) return checked(l * leafValue<Leaf, false>(k, x));
    if constexpr (Op == 3) return checked(divide(l, leafValue<Leaf>(k, x)));
}

} // namespace

// The run loop, inlined into the runners (runSteps, runStepsBlock): passing x
// on through another call would cost an 80-bit store and reload per
// evaluation. CallFree: the program calls no library function (preparation
// checked it), so the loop needs no registers that survive calls and its
// frame costs less to set up; the steps that call are left out.
template <bool CallFree>
[[gnu::always_inline]] inline Extended FuncSet::run(const RunProgram& p, Extended x,
                                                    TrigMode trig) {
    // The top of the stack and the value under it are kept apart; below holds
    // the rest. The depth was checked when the program was prepared, and each
    // step pushes at most one value, so below never overflows. Every program
    // starts with a leaf, which sets the top without moving anything down.
    Extended below[kMaxFuncProgram];
    int sp = 0;
    if (!finiteValue(x)) x = U;
    const RunStep* step = p.steps.data();
    const RunStep* const end = step + p.length;
    Extended top = 0;
    switch (step->code) {
#define TALLIX_FIRST_LEAF(code)                                                                    \
    case code:                                                                                     \
        top = leafValue<code>(constantOf<code>(*step), x, trig);                                   \
        break;
        TALLIX_FIRST_LEAF(PushK)
        TALLIX_FIRST_LEAF(PushX)
        TALLIX_FIRST_LEAF(PushXSquare)
        TALLIX_FIRST_LEAF(PushXAddK)
        TALLIX_FIRST_LEAF(PushXSubK)
        TALLIX_FIRST_LEAF(PushXMulK)
        TALLIX_FIRST_LEAF(PushXDivK)
        TALLIX_FIRST_LEAF(PushKMulX)
        TALLIX_FIRST_LEAF(PushXSquareAddK)
        TALLIX_FIRST_LEAF(PushXSquareSubK)
#define TALLIX_FIRST_X_UNARY(op)                                                                   \
    case xUnaryCode(op):                                                                           \
        if constexpr (CallFree && !unaryCallFree(op))                                              \
            __builtin_unreachable();                                                               \
        else                                                                                       \
            top = leafValue<xUnaryCode(op)>(0, x, trig);                                           \
        break;
        TALLIX_X_UNARIES(TALLIX_FIRST_X_UNARY)
#undef TALLIX_FIRST_X_UNARY
#undef TALLIX_FIRST_LEAF
    default:
        __builtin_unreachable(); // preparation puts a leaf first
    }
    ++step;
    Extended next = 0; // the value under the top, when there is one
    auto push = [&](Extended v, bool spill) {
        if (spill) below[sp++] = next;
        next = top;
        top = v;
    };
    // The left operand of a binary step; the value under it moves up.
    auto pop = [&](bool spill) {
        const Extended l = next;
        if (spill) next = below[--sp];
        return l;
    };

    // Undefined operands need no test of their own: U is a NaN, and every
    // step either carries a NaN on or meets it in a test that gives U (a
    // comparison that fails, checked, or the power and factorial rules).
    for (; step != end; ++step) {
        const Extended a = top;
        switch (step->code) {
#define TALLIX_LEAF(code)                                                                          \
    case code:                                                                                     \
        push(leafValue<code>(constantOf<code>(*step), x, trig), step->spill);                      \
        break;
            TALLIX_LEAF(PushK)
            TALLIX_LEAF(PushX)
            TALLIX_LEAF(PushXSquare)
            TALLIX_LEAF(PushXAddK)
            TALLIX_LEAF(PushXSubK)
            TALLIX_LEAF(PushXMulK)
            TALLIX_LEAF(PushXDivK)
            TALLIX_LEAF(PushKMulX)
            TALLIX_LEAF(PushXSquareAddK)
            TALLIX_LEAF(PushXSquareSubK)
#define TALLIX_X_UNARY_LEAF(op)                                                                    \
    case xUnaryCode(op):                                                                           \
        if constexpr (CallFree && !unaryCallFree(op))                                              \
            __builtin_unreachable();                                                               \
        else                                                                                       \
            push(leafValue<xUnaryCode(op)>(0, x, trig), step->spill);                              \
        break;
            TALLIX_X_UNARIES(TALLIX_X_UNARY_LEAF)
#undef TALLIX_X_UNARY_LEAF
#undef TALLIX_LEAF
#define TALLIX_LEAF_OP(op, leaf)                                                                   \
    case LeafOps + kFusedLeaves* op + (leaf - PushXSquare):                                        \
        top = leafOpValue<op, leaf>(a, constantOf<leaf>(*step), x);                                \
        break;
#define TALLIX_LEAF_OPS(leaf)                                                                      \
    TALLIX_LEAF_OP(0, leaf) TALLIX_LEAF_OP(1, leaf) TALLIX_LEAF_OP(2, leaf) TALLIX_LEAF_OP(3, leaf)
            TALLIX_LEAF_OPS(PushXSquare)
            TALLIX_LEAF_OPS(PushXAddK)
            TALLIX_LEAF_OPS(PushXSubK)
            TALLIX_LEAF_OPS(PushXMulK)
            TALLIX_LEAF_OPS(PushXDivK)
            TALLIX_LEAF_OPS(PushKMulX)
            TALLIX_LEAF_OPS(PushXSquareAddK)
            TALLIX_LEAF_OPS(PushXSquareSubK)
#undef TALLIX_LEAF_OPS
#undef TALLIX_LEAF_OP
        case SquareK:
            top = belowSquareFloor(a) ? 0 : checked(a * a);
            break;
        case AddK:
            top = checked(a + step->pairedK());
            break;
        case SubK:
            top = checked(a - step->pairedK());
            break;
        case MulK:
            top = checked(a * step->pairedK());
            break;
        case DivK:
            top = checked(divide(a, step->pairedK()));
            break;
        case PowK:
            if constexpr (CallFree)
                __builtin_unreachable();
            else
                top = checked(power(a, step->k));
            break;
        case PowIntK:
            top = checked(integralPower(a, step->count));
            break;
        case AddX:
            top = checked(a + x);
            break;
        case SubX:
            top = checked(a - x);
            break;
        case MulX:
            top = checked(a * x);
            break;
        case DivX:
            top = checked(divide(a, x));
            break;
        case PowX:
            if constexpr (CallFree)
                __builtin_unreachable();
            else
                top = checked(power(a, x));
            break;
        case Add:
            top = checked(pop(step->spill) + a);
            break;
        case Sub:
            top = checked(pop(step->spill) - a);
            break;
        case Mul:
            top = checked(pop(step->spill) * a);
            break;
        case Div:
            top = checked(divide(pop(step->spill), a));
            break;
        case Pow:
            if constexpr (CallFree)
                __builtin_unreachable();
            else
                top = checked(power(pop(step->spill), a));
            break;
        case NthRoot: { // index below, radicand on top
            if constexpr (CallFree) __builtin_unreachable();
            const Extended l = pop(step->spill);
            if (l == 3)
                top = cubeRoot(a);
            else
                top = std::fabs(l) < 1e-9L ? U : checked(power(a, 1 / l));
            break;
        }
        case Plus:
            break;
        case Square:
            top = checked(a * a);
            break;
        case Cube:
            top = checked(a * a * a);
            break;
        case TenPow:
            if constexpr (CallFree)
                __builtin_unreachable();
            else
                top = checked(power(10, a));
            break;
#define TALLIX_UNARY(op)                                                                           \
    case op:                                                                                       \
        if constexpr (CallFree && !unaryCallFree(op))                                              \
            __builtin_unreachable();                                                               \
        else                                                                                       \
            top = unaryValue<op>(a, trig);                                                         \
        break;
            TALLIX_X_UNARIES(TALLIX_UNARY)
#undef TALLIX_UNARY
        default:
            __builtin_unreachable(); // nothing else reaches a prepared program
        }
    }
    return top;
}

template <bool CallFree>
void FuncSet::runSteps(FuncSet& set, const RunProgram& p, const Extended& x, TrigMode trig) {
    set.FuncResult = set.run<CallFree>(p, x, trig);
}

template <bool CallFree>
void FuncSet::runStepsBlock(FuncSet& set, const RunProgram& p, const Extended* xs, int count,
                            Extended* out, TrigMode trig) {
    for (int i = 0; i < count; ++i)
        out[i] = set.run<CallFree>(p, xs[i], trig);
}

namespace {

// Whether a prepared step calls no library function.
bool callFreeStep(int code) {
    if (code >= XUnaries) return unaryCallFree(kXUnaryOps[code - XUnaries]);
    if (code >= PushK) return code != PowK && code != PowX;
    return code != Pow && code != NthRoot && code != TenPow &&
           (code == Plus || code == Square || code == Cube || kProps[code].arity == 2 ||
            unaryCallFree(code));
}

} // namespace

template <int Code>
void FuncSet::runLeaf(FuncSet& set, const RunProgram& p, const Extended& x, TrigMode trig) {
    set.FuncResult = leafValue<Code>(constantOf<Code>(p.steps[0]), finiteValue(x) ? x : U, trig);
}

template <int Code>
void FuncSet::runLeafBlock(FuncSet&, const RunProgram& p, const Extended* xs, int count,
                           Extended* out, TrigMode trig) {
    const Extended k = constantOf<Code>(p.steps[0]);
    for (int i = 0; i < count; ++i)
        out[i] = leafValue<Code>(k, finiteValue(xs[i]) ? xs[i] : U, trig);
}

void FuncSet::chooseRunners(RunProgram& p) {
    bool callFree = true;
    for (int i = 0; i < p.length; ++i)
        callFree = callFree && callFreeStep(p.steps[i].code);
    p.runner = callFree ? &runSteps<true> : &runSteps<false>;
    p.blockRunner = callFree ? &runStepsBlock<true> : &runStepsBlock<false>;
    if (p.length != 1) return;
    switch (p.steps[0].code) {
#define TALLIX_LEAF_RUNNER(code)                                                                   \
    case code:                                                                                     \
        p.runner = &runLeaf<code>;                                                                 \
        p.blockRunner = &runLeafBlock<code>;                                                       \
        break;
        TALLIX_LEAF_RUNNER(PushK)
        TALLIX_LEAF_RUNNER(PushX)
        TALLIX_LEAF_RUNNER(PushXSquare)
        TALLIX_LEAF_RUNNER(PushXAddK)
        TALLIX_LEAF_RUNNER(PushXSubK)
        TALLIX_LEAF_RUNNER(PushXMulK)
        TALLIX_LEAF_RUNNER(PushXDivK)
        TALLIX_LEAF_RUNNER(PushKMulX)
        TALLIX_LEAF_RUNNER(PushXSquareAddK)
        TALLIX_LEAF_RUNNER(PushXSquareSubK)
#define TALLIX_X_UNARY_RUNNER(op) TALLIX_LEAF_RUNNER(xUnaryCode(op))
        TALLIX_X_UNARIES(TALLIX_X_UNARY_RUNNER)
#undef TALLIX_X_UNARY_RUNNER
#undef TALLIX_LEAF_RUNNER
    default:
        break;
    }
}

bool FuncSet::readyToRun(int n) {
    if (n < 1 || n > kFuncSlotCount) {
        FuncErrorText = "error: no function with that number.";
        return false;
    }
    if (slot(n).FuncRPNLength == 0) {
        compile(n);
        if (!FuncErrorText.empty()) return false;
    }
    const RunProgram& p = runPrograms_[n - 1];
    if (p.error) FuncErrorText = p.error;
    return p.error == nullptr;
}

[[gnu::noinline]] void FuncSet::evalUnprepared(int n, const Extended& x, TrigMode trig) {
    if (readyToRun(n)) runPrograms_[n - 1].runner(*this, runPrograms_[n - 1], x, trig);
}

void FuncSet::EvalFuncBlock(int n, const Extended* xs, int count, Extended* out, TrigMode trig) {
    if (!FuncErrorText.empty()) FuncErrorText.clear();
    if (count <= 0 || !readyToRun(n)) return;
    const RunProgram& p = runPrograms_[n - 1];
    p.blockRunner(*this, p, xs, count, out, trig);
}

#undef TALLIX_X_UNARIES

} // namespace tallix
