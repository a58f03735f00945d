// Compilation of a function slot: tokens -> code list -> implicit products ->
// postfix program whose constants live in the shared pool.
#include "engine/calc/CalcEval.h"
#include "engine/core/FuncCodes.h"
#include "engine/core/Scalar.h"
#include "engine/func/FuncSet.h"

#include <cmath>
#include <string>

namespace tallix {

namespace {

using namespace fcode;

constexpr int kMaxCodeItems = 2048;
constexpr int kMaxFuncOperators = 100;

// The code list being built; refuses items past its capacity.
struct CodeList {
    std::array<int, kMaxCodeItems> items;
    int size = 0;
    bool push(int item) {
        if (size == kMaxCodeItems) return false;
        items[size++] = item;
        return true;
    }
};

// Codes after which a + or - is a sign.
bool signContext(int code) {
    switch (code) {
    case Add:
    case Sub:
    case Mul:
    case Div:
    case Pow:
    case Plus:
    case Neg:
    case Open:
    case Sqrt:
    case Cbrt:
    case Log:
    case TenPow:
    case Ln:
    case ExpPow:
    case NthRoot:
    case Abs:
    case Sin:
    case Cos:
    case Tan:
    case ArcSin:
    case ArcCos:
    case ArcTan:
        return true;
    default:
        return false;
    }
}

// Prefix functions that an implicit product may precede.
bool prefixFunction(int code) {
    switch (code) {
    case Sqrt:
    case Cbrt:
    case Log:
    case TenPow:
    case Ln:
    case ExpPow:
    case Var:
    case Abs:
    case Sin:
    case Cos:
    case Tan:
    case ArcSin:
    case ArcCos:
    case ArcTan:
        return true;
    default:
        return false;
    }
}

bool isLiteralToken(TokenCode t) {
    return t == func::Point || isDigitCode(t);
}

// Direct token -> code mapping; 0 for tokens handled elsewhere or ignored.
int directCode(TokenCode t) {
    switch (t) {
    case func::Var:
        return Var;
    case func::Abs:
        return Abs;
    case func::Sin:
        return Sin;
    case func::Cos:
        return Cos;
    case func::Tan:
        return Tan;
    case func::Power:
        return Pow;
    case func::Sqrt:
        return Sqrt;
    case func::Square:
        return Square;
    case func::Cbrt:
        return Cbrt;
    case func::Cube:
        return Cube;
    case 22:
        return Mul;
    case func::Divide:
        return Div;
    case func::Log:
        return Log;
    case func::TenPow:
        return TenPow;
    case func::Ln:
        return Ln;
    case func::ExpPow:
        return ExpPow;
    case func::NthRoot:
        return NthRoot;
    case func::Factorial:
        return Fact;
    case func::OpenParen:
    case func::OpenBracket:
    case func::OpenBrace:
        return Open;
    case func::CloseParen:
    case func::CloseBracket:
    case func::CloseBrace:
        return Close;
    default:
        return 0;
    }
}

// Copies src into dst with a Mul inserted between each neighbour pair that
// wants one. False when the result would not fit.
template <class Wants> bool insertProducts(const CodeList& src, CodeList& dst, Wants wants) {
    dst.size = 0;
    for (int i = 0; i < src.size; ++i) {
        if (i > 0 && wants(src.items[i - 1], src.items[i]) && !dst.push(Mul)) return false;
        if (!dst.push(src.items[i])) return false;
    }
    return true;
}

} // namespace

void FuncSet::compile(int n) {
    FuncSlot& s = slots_[n - 1];
    const int count = s.text.count();
    const TokenCode* tok = s.text.tokens().data();

    int opens = 0;
    for (int i = 0; i < count; ++i) {
        if (tok[i] == func::OpenParen)
            ++opens;
        else if (tok[i] == func::CloseParen)
            --opens;
    }
    if (opens > 0) {
        FuncErrorText = funcerr::kTooManyOpen;
        return;
    }
    if (opens < 0) {
        FuncErrorText = funcerr::kTooManyClose;
        return;
    }

    CodeList a, b;
    // Pool entries taken so far, given back when the compilation fails.
    std::array<int, kFnumPoolSize> taken;
    int takenCount = 0;
    auto fail = [&](const std::string& text) {
        for (int i = 0; i < takenCount; ++i)
            FreeFnumPoolEntry(taken[i]);
        FuncErrorText = text;
    };
    auto addConstant = [&](Extended v) -> bool {
        const int entry = AddFnumToPool(v);
        if (entry < 0) {
            fail(funcerr::kPoolFull);
            return false;
        }
        taken[takenCount++] = entry;
        if (!a.push(-entry)) {
            fail(funcerr::kTooLong);
            return false;
        }
        return true;
    };

    a.push(Open);
    for (int i = 0; i < count; ++i) {
        const TokenCode t = tok[i];
        const int prev = a.items[a.size - 1];
        if (isLiteralToken(t)) {
            std::string text;
            for (; i < count && isLiteralToken(tok[i]); ++i)
                text.push_back(
                    tok[i] == func::Point ? '.' : static_cast<char>('0' + digitOfCode(tok[i])));
            --i;
            const Extended v = parseNumberText(text);
            if (isUndefined(v)) {
                fail(std::string(funcerr::kNumberFormat) + '"' + text + '"');
                return;
            }
            if (!addConstant(v)) return;
            continue;
        }
        int code = 0;
        switch (t) {
        case func::Pi:
            if (!addConstant(kPi)) return;
            continue;
        case func::E:
            if (!addConstant(std::exp(1.0L))) return;
            continue;
        case func::Plus:
            code = prev >= 0 && signContext(prev) ? Plus : Add;
            break;
        case func::Minus:
            code = prev >= 0 && signContext(prev) ? Neg : Sub;
            break;
        case func::Arc: {
            const TokenCode next = i + 1 < count ? tok[i + 1] : func::Enter;
            code = next == func::Sin   ? ArcSin
                   : next == func::Cos ? ArcCos
                   : next == func::Tan ? ArcTan
                                       : 0;
            if (code == 0) {
                fail(funcerr::kArc);
                return;
            }
            ++i;
            break;
        }
        default:
            code = directCode(t);
            if (code == 0) continue; // Enter, CE, backspace and unknown codes
        }
        if (!a.push(code)) {
            fail(funcerr::kTooLong);
            return;
        }
    }
    if (!a.push(Close)) {
        fail(funcerr::kTooLong);
        return;
    }

    // Implicit products, five passes in this order.
    auto isConst = [](int c) { return c < 0; };
    const bool ok =
        insertProducts(a, b,
                       [&](int l, int r) {
                           return isConst(l) && (isConst(r) || r == Open || prefixFunction(r));
                       }) &&
        insertProducts(b, a, [](int l, int r) { return l == Var && r == Open; }) &&
        insertProducts(a, b, [](int l, int r) { return l == Close && r == Open; }) &&
        insertProducts(b, a,
                       [&](int l, int r) {
                           return (l == Close || isConst(l)) && (isConst(r) || prefixFunction(r));
                       }) &&
        insertProducts(a, b, [](int l, int r) { return (l == Square || l == Cube) && r == Open; });
    if (!ok) {
        fail(funcerr::kTooLong);
        return;
    }
    const CodeList& list = b;

    std::array<int, kMaxFuncOperators> stack;
    int sp = 0;
    int length = 0;
    auto failConverting = [&](const char* text) { fail(text); };
    for (int i = 0; i < list.size;) {
        const int item = list.items[i];
        const int f = props(item).f;
        const int g = sp == 0 ? 1000 : props(stack[sp - 1]).g;
        if (f < g) {
            if (sp == kMaxFuncOperators) return failConverting(funcerr::kTooDeep);
            stack[sp++] = item;
            ++i;
        } else if (f > g) {
            if (length == kMaxFuncProgram) return failConverting(funcerr::kProgramFull);
            s.FuncRPN[length++] = static_cast<std::int16_t>(stack[--sp]);
        } else {
            --sp;
            ++i;
        }
    }
    if (sp != 0) return failConverting(funcerr::kUnbalanced);
    s.FuncRPNLength = length;
    prepareRun(n);
}

} // namespace tallix
