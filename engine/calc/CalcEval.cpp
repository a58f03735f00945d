#include "engine/calc/CalcEval.h"

#include "engine/core/Scalar.h"
#include "engine/core/TextUtil.h"
#include "engine/core/Trig.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

namespace tallix {

namespace {

// Internal item kinds (operator codes) and their four tables; operands count
// as code 31.
enum Op : int {
    OpAdd = 1,
    OpSub = 2,
    OpMul = 3,
    OpMulTight = 4,
    OpDiv = 5,
    OpPow = 6,
    OpPlusSign = 7,
    OpMinusSign = 8,
    OpOpen = 9,
    OpClose = 10,
    OpSqrt = 11,
    OpSquare = 12,
    OpCbrt = 13,
    OpCube = 14,
    OpLog = 15,
    OpTenPow = 16,
    OpLn = 17,
    OpExpPow = 18,
    OpNthRoot = 19,
    OpConstE = 20,
    OpConstPi = 21,
    OpAbs = 22,
    OpSin = 23,
    OpCos = 24,
    OpTan = 25,
    OpArcSin = 27,
    OpArcCos = 28,
    OpArcTan = 29,
    OpFactorial = 30,
    OpNumber = 31,
};

constexpr std::array<int, 32> kInputPrec = {0, 36, 36, 28, 24, 28, 12, 19, 19, 1, 120,
                                            6, 6,  6,  6,  6,  6,  6,  6,  6,  4, 4,
                                            6, 6,  6,  6,  0,  6,  6,  6,  6,  4};
constexpr std::array<int, 32> kStackPrec = {0,  35, 35, 27, 23, 27, 26, 20, 20, 120, 0,
                                            26, 5,  26, 5,  26, 26, 26, 26, 26, 3,   3,
                                            26, 26, 26, 26, 0,  26, 26, 26, 26, 3};
constexpr std::array<int, 32> kOperands = {0, 2, 2, 2, 2, 2, 2, 1, 1, 0, 0, 1, 1, 1, 1, 1,
                                           1, 1, 1, 2, 0, 0, 1, 1, 1, 1, 0, 1, 1, 1, 1, 0};
constexpr std::array<bool, 32> kSignContext = {
    false, true,  true, true,  true, true, true, true, true,  true,  false,
    true,  false, true, false, true, true, true, true, true,  false, false,
    true,  true,  true, true,  true, true, true, true, false, false};

int kindOf(int item) {
    return item < 0 ? OpNumber : item;
}

// Calculator tokens that map one to one onto an item.
std::optional<int> directItem(TokenCode code) {
    switch (code) {
    case 0:
        return OpSqrt;
    case 1:
        return OpSquare;
    case 2:
        return OpAbs;
    case 7:
        return OpPow;
    case 8:
        return OpCbrt;
    case 9:
        return OpCube;
    case 10:
        return OpSin;
    case 15:
        return OpOpen;
    case 16:
        return OpLog;
    case 17:
        return OpTenPow;
    case 18:
        return OpCos;
    case 22:
        return OpMul;
    case 23:
        return OpClose;
    case 24:
        return OpLn;
    case 25:
        return OpExpPow;
    case 26:
        return OpTan;
    case 30:
        return OpDiv;
    case 32:
        return OpNthRoot;
    case 33:
        return OpFactorial;
    default:
        return std::nullopt;
    }
}

const char* const kTooLong = "error: expression too long.";
const char* const kTooDeep = "error: too many pending operators.";
const char* const kNoTemps = "int error: no free num temps";
const char* const kUnbalancedOps = "error: unbalanced operands and operators.";
const char* const kEvalError = "error: Evaluation error.";
const char* const kUndefined = "error: result undefined.";

// One evaluation's working storage: the item list, the number temporaries
// (numbered 1..kNumTemps; item -k refers to temporary k) and the result.
class Evaluator {
public:
    explicit Evaluator(TrigMode mode) : mode_(mode) { items_.reserve(256); }

    CalcEvalResult run(std::span<const TokenCode> tokens);

private:
    bool tokensToItems(std::span<const TokenCode> tokens);
    bool insertImplicitProducts();
    bool toPostfix();
    bool evaluatePostfix();
    bool compute(int op, Extended a, Extended b, Extended& out);
    // XtoY; a power with no real value is an evaluation error.
    bool power(Extended exponent, Extended base, Extended& out) {
        out = XtoY(exponent, base);
        return isUndefined(out) ? fail(kEvalError) : true;
    }

    bool append(int item) {
        if (static_cast<int>(items_.size()) >= kMaxEvalItems) return fail(kTooLong);
        items_.push_back(item);
        return true;
    }
    // Takes the lowest free temporary; 0 when all are in use.
    int allocTemp(Extended v) {
        for (int k = lowestFree_; k <= kNumTemps; ++k) {
            if (!used_[k]) {
                used_[k] = true;
                temps_[k] = v;
                lowestFree_ = k + 1;
                return k;
            }
        }
        lowestFree_ = kNumTemps + 1;
        return 0;
    }
    void freeTemp(int k) {
        used_[k] = false;
        if (k < lowestFree_) lowestFree_ = k;
    }
    bool appendNumber(Extended v) {
        const int k = allocTemp(v);
        return k != 0 ? append(-k) : fail(kNoTemps);
    }
    bool fail(std::string text) {
        error_ = std::move(text);
        return false;
    }

    TrigMode mode_;
    std::vector<int> items_;
    std::vector<int> postfix_;
    std::array<Extended, kNumTemps + 1> temps_; // read only where used_ is set
    std::array<bool, kNumTemps + 1> used_{};
    int lowestFree_ = 1; // no free temporary below this one
    std::string error_;
};

CalcEvalResult Evaluator::run(std::span<const TokenCode> tokens) {
    CalcEvalResult result;
    if (tokens.empty()) return result;

    int balance = 0;
    for (TokenCode t : tokens) {
        if (t == calc::OpenParen) ++balance;
        if (t == calc::CloseParen) --balance;
    }
    if (balance != 0) {
        result.status = CalcEvalStatus::Unbalanced;
        result.errorText = balance > 0 ? "Unbalanced parentheses - too many \"(\" "
                                       : "Unbalanced parentheses - too many \")\" ";
        return result;
    }

    if (tokensToItems(tokens) && insertImplicitProducts() && toPostfix() && evaluatePostfix()) {
        int count = 0;
        int last = 0;
        for (int item : postfix_) {
            if (item < 0) {
                ++count;
                last = item;
            }
        }
        if (count == 0) {
            error_ = "error: too few data operands.";
        } else if (count > 1) {
            error_ = "error: too many data operands.";
        } else {
            result.status = CalcEvalStatus::Ok;
            result.value = temps_[-last];
            return result;
        }
    }
    result.status = CalcEvalStatus::Error;
    result.errorText = error_;
    return result;
}

bool Evaluator::tokensToItems(std::span<const TokenCode> tokens) {
    if (!append(OpOpen)) return false;
    const std::size_t n = tokens.size();
    for (std::size_t i = 0; i < n; ++i) {
        const TokenCode t = tokens[i];
        if (isDigitCode(t) || t == calc::Point) {
            std::string text;
            while (i < n && (isDigitCode(tokens[i]) || tokens[i] == calc::Point)) {
                text.push_back(tokens[i] == calc::Point ? '.' : char('0' + digitOfCode(tokens[i])));
                ++i;
            }
            --i;
            const Extended v = parseNumberText(text);
            if (isUndefined(v)) return fail("error: invalid number format - \"" + text + "\"");
            if (!appendNumber(v)) return false;
        } else if (t == calc::Pi) {
            if (!appendNumber(kPiKey)) return false;
        } else if (t == calc::E) {
            if (!appendNumber(std::exp(1.0L))) return false;
        } else if (t == calc::Plus || t == calc::Minus) {
            const int prev = kindOf(items_.back());
            const bool sign = items_.size() == 1 || kSignContext[prev];
            const bool plus = t == calc::Plus;
            if (!append(sign ? (plus ? OpPlusSign : OpMinusSign) : (plus ? OpAdd : OpSub)))
                return false;
        } else if (t == calc::Arc) {
            const TokenCode next = i + 1 < n ? tokens[i + 1] : TokenCode(255);
            int item = 0;
            if (next == calc::Sin) item = OpArcSin;
            if (next == calc::Cos) item = OpArcCos;
            if (next == calc::Tan) item = OpArcTan;
            if (item == 0) return fail("error: ARC not followed by Sin, Cos or Tan.");
            if (!append(item)) return false;
            ++i;
        } else if (auto item = directItem(t)) {
            if (!append(*item)) return false;
        }
        // 31 (=), 35 (frac), 37 (dec) and codes above are not part of the value.
    }
    return append(OpClose);
}

bool Evaluator::insertImplicitProducts() {
    auto isNum = [](int item) { return item < 0; };
    auto pass = [&](auto needsProduct) {
        for (std::size_t i = 0; i + 1 < items_.size(); ++i) {
            if (needsProduct(items_[i], items_[i + 1])) {
                if (static_cast<int>(items_.size()) >= kMaxEvalItems) return fail(kTooLong);
                items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(i) + 1, OpMul);
                ++i;
            }
        }
        return true;
    };
    return pass([&](int a, int b) {
               if (!isNum(a)) return false;
               return isNum(b) || b == OpOpen || b == OpSqrt || b == OpCbrt || b == OpLog ||
                      b == OpTenPow || b == OpLn || b == OpExpPow;
           }) &&
           pass([](int a, int b) { return a == OpClose && b == OpOpen; }) &&
           pass([&](int a, int b) { return (a == OpClose || isNum(a)) && isNum(b); }) &&
           pass([](int a, int b) { return (a == OpSquare || a == OpCube) && b == OpOpen; });
}

bool Evaluator::toPostfix() {
    std::array<int, kMaxOperatorStack> stack{};
    int top = 0; // number of entries
    postfix_.clear();
    postfix_.reserve(items_.size());
    std::size_t i = 0;
    while (i < items_.size()) {
        const int item = items_[i];
        const int in = kInputPrec[kindOf(item)];
        const int st = top == 0 ? 1000 : kStackPrec[kindOf(stack[top - 1])];
        if (in < st) {
            if (top >= kMaxOperatorStack) return fail(kTooDeep);
            stack[top++] = item;
            ++i;
        } else if (in > st) {
            postfix_.push_back(stack[--top]);
        } else {
            --top;
            ++i;
        }
    }
    if (top != 0) return fail(kUnbalancedOps);
    return true;
}

bool Evaluator::evaluatePostfix() {
    for (std::size_t pos = 0; pos < postfix_.size(); ++pos) {
        const int op = postfix_[pos];
        if (op <= 0 || op == OpNumber) continue;
        // Parentheses reach this list only when they were misplaced (")1(").
        if (op == OpOpen || op == OpClose || kInputPrec[op] == 0) return fail(kUnbalancedOps);
        const int n = kOperands[op];
        std::array<Extended, 2> operand{}; // right operand first
        int found = 0;
        for (std::size_t j = pos; j-- > 0 && found < n;) {
            if (postfix_[j] < 0) {
                const int slot = -postfix_[j];
                operand[found++] = temps_[slot];
                freeTemp(slot);
                postfix_[j] = 0;
            }
        }
        if (found < n) return fail("error: insufficient operands.");
        const Extended a = n == 2 ? operand[1] : operand[0];
        const Extended b = n == 2 ? operand[0] : 0;
        Extended r = 0;
        if (!compute(op, a, b, r)) return false;
        // An undefined value (a factorial out of range) ends the evaluation:
        // nothing computed from it has a value either.
        if (isUndefined(r)) return fail(kUndefined);
        if (!std::isfinite(r)) return fail(kEvalError);
        // The result takes a temporary; one was just freed unless n is 0.
        const int slot = allocTemp(r);
        if (slot == 0) return fail(kNoTemps);
        postfix_[pos] = -slot;
    }
    return true;
}

bool Evaluator::compute(int op, Extended a, Extended b, Extended& out) {
    switch (op) {
    case OpAdd:
        out = a + b;
        return true;
    case OpSub:
        out = a - b;
        return true;
    case OpMul:
    case OpMulTight:
        out = a * b;
        return true;
    case OpDiv:
        if (b == 0) return fail("error: division by zero.");
        if (std::fabs(b) < 1e-299L) return fail("error: division overflow.");
        out = a / b;
        return true;
    case OpPow:
        return power(b, a, out);
    case OpPlusSign:
        out = a;
        return true;
    case OpMinusSign:
        out = -a;
        return true;
    case OpSqrt:
        if (a < 0) return fail("error: Square Root of negative number.");
        out = std::sqrt(a);
        return true;
    case OpSquare:
        out = a * a;
        return true;
    case OpCube:
        out = a * a * a;
        return true;
    case OpCbrt:
        return power(1.0L / 3, a, out);
    case OpLog:
        if (a <= 0) return fail("error: Log of negative number.");
        out = std::log10(a);
        return true;
    case OpTenPow:
        return power(a, 10, out);
    case OpLn:
        if (a <= 0) return fail("error: Ln of negative number.");
        out = std::log(a);
        return true;
    case OpExpPow:
        out = std::exp(a);
        return true;
    case OpNthRoot:
        if (std::fabs(a) < 1e-9L) return fail("error: 0th root not supported.");
        return power(1 / a, b, out);
    case OpConstE:
        out = std::exp(1.0L);
        return true;
    case OpConstPi:
        out = kPi;
        return true;
    case OpAbs:
        out = std::fabs(a);
        return true;
    case OpSin:
    case OpCos:
    case OpTan: {
        const Extended x = toRadians(a, mode_);
        Extended r = op == OpSin ? reducedSin(x) : op == OpCos ? reducedCos(x) : reducedTan(x);
        if (op == OpTan && !std::isfinite(r)) return fail("error: Tan argument out of range.");
        out = flushTiny(r);
        return true;
    }
    case OpArcSin:
    case OpArcCos:
    case OpArcTan: {
        if (op != OpArcTan && (a < -1 || a > 1))
            return fail(op == OpArcSin ? "error: ArcSin argument out of range."
                                       : "error: ArcCos argument out of range.");
        Extended r = op == OpArcSin ? std::asin(a) : op == OpArcCos ? std::acos(a) : std::atan(a);
        out = fromRadians(flushTiny(r), mode_);
        return true;
    }
    case OpFactorial:
        out = factorial(a);
        return true;
    default:
        return fail(kUnbalancedOps);
    }
}

// Accepts: optional sign, digits with at most one ".", optional exponent.
bool isPlainNumber(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    bool point = false;
    for (; i < s.size(); ++i) {
        if (s[i] >= '0' && s[i] <= '9') {
            ++digits;
        } else if (s[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t expDigits = 0;
        for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
            ++expDigits;
        if (expDigits == 0) return false;
    }
    return i == s.size();
}

// The leading/trailing-point repairs of the number-text parser.
std::string prepareNumberText(std::string_view s) {
    std::string t;
    t.reserve(s.size() + 2);
    if (s.starts_with("-.")) {
        t.push_back('-');
        s.remove_prefix(1);
    }
    if (s.starts_with('.')) t.push_back('0');
    t.append(s);
    if (t.ends_with('.')) t.push_back('0');
    return t;
}

// Converts prepared text, or UndefinedMarker.
Extended convertNumber(const std::string& t) {
    if (!isPlainNumber(t)) return UndefinedMarker;
    const char* first = t.data();
    if (*first == '+') ++first;
    Extended v = 0;
    const auto [end, ec] = std::from_chars(first, t.data() + t.size(), v);
    if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(v))
        return UndefinedMarker;
    return v;
}

} // namespace

CalcEvalResult EvalCrExp(std::span<const TokenCode> tokens, TrigMode trigMode) {
    Evaluator evaluator(trigMode);
    return evaluator.run(tokens.size() > kMaxLineTokens ? tokens.first(kMaxLineTokens) : tokens);
}

Extended XtoY(Extended exponent, Extended base) {
    // The calculator's magnitudes go through exp2 and log2.
    return signedPower(
        base, exponent, [](Extended b, Extended e) { return std::exp2(e * std::log2(b)); },
        exponentFraction);
}

Extended parseNumberText(std::string_view text) {
    return convertNumber(prepareNumberText(trimBlanks(text)));
}

Extended ExtractFPval(std::string_view text) {
    std::string upper(trimBlanks(text));
    if (upper.empty()) return 0;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');

    auto multipleOf = [&](std::size_t at, Extended constant) -> Extended {
        if (at == 0) return constant;
        const std::string before = upper.substr(0, at);
        if (trimBlanks(before) == "-") return -constant;
        const Extended v = parseNumberText(before);
        return v * constant; // undefined stays undefined
    };
    if (const auto at = upper.find("PI"); at != std::string::npos) return multipleOf(at, kPi);
    if (const auto at = upper.find('E'); at != std::string::npos)
        return multipleOf(at, std::exp(1.0L));
    return parseNumberText(upper);
}

} // namespace tallix
