#include "engine/matrix/MatEval.h"

#include "engine/calc/CalcEval.h"
#include "engine/core/FracSearch.h"
#include "engine/core/NumFormat.h"
#include "engine/core/Scalar.h"
#include "engine/matrix/MatMessages.h"
#include "engine/matrix/MatOps.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace tallix {

namespace {

struct KindInfo {
    int incoming;
    int stack;
    int operands;
};

// Indexed by MatTok.
constexpr std::array<KindInfo, 15> kKinds = {{
    {0, 0, 0},   // consumed
    {4, 3, 0},   // matrix
    {4, 3, 0},   // number
    {36, 35, 2}, // +
    {36, 35, 2}, // -
    {28, 27, 2}, // *
    {28, 27, 2}, // /
    {12, 26, 2}, // ^
    {12, 26, 1}, // ^T
    {12, 26, 1}, // ^-1
    {1, 120, 0}, // (
    {120, 0, 0}, // )
    {19, 20, 1}, // unary +
    {19, 20, 1}, // unary -
    {24, 23, 2}, // implicit product
}};

const KindInfo& info(MatTok k) {
    return kKinds[static_cast<int>(k)];
}

bool isDigitOrDot(char c) {
    return (c >= '0' && c <= '9') || c == '.';
}
bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
char upperChar(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
bool isOperand(MatTok k) {
    return k == MatTok::Matrix || k == MatTok::Number;
}

// Rounds half to even.
Extended roundEven(Extended x) {
    return std::nearbyint(x);
}

MatGrid identity(int n) {
    MatGrid g;
    g.rows = g.cols = n;
    for (int i = 0; i < n; ++i)
        g.at(i, i) = 1;
    return g;
}

MatGrid product(const MatGrid& m, const MatGrid& n) {
    MatGrid p;
    p.rows = m.rows;
    p.cols = n.cols;
    for (int i = 0; i < m.rows; ++i)
        for (int j = 0; j < n.cols; ++j) {
            Extended sum = 0;
            for (int k = 0; k < m.cols; ++k)
                sum += m.at(i, k) * n.at(k, j);
            p.at(i, j) = sum;
        }
    return p;
}

// Powers up to this are multiplied out one factor at a time, as the
// expression reads; larger ones by repeated squaring, so that no exponent
// can stall the evaluation.
constexpr Extended kLiteralPowerLimit = 4096;

MatGrid matrixPower(const MatGrid& m, Extended k) {
    if (k == 0) return identity(m.rows);
    if (k <= kLiteralPowerLimit) {
        MatGrid r = m;
        for (Extended i = 1; i < k; i += 1)
            r = product(r, m);
        return r;
    }
    MatGrid result = identity(m.rows);
    MatGrid base = m;
    while (k > 0) {
        if (std::fmod(k, 2) == 1) result = product(result, base);
        k = std::floor(k / 2);
        if (k > 0) base = product(base, base);
    }
    return result;
}

// One operand of an operator: a number or a temporary matrix (slot from 1).
struct Value {
    bool matrix = false;
    Extended number = 0;
    MatGrid grid;
};

bool finite(const Value& v) {
    if (!v.matrix) return std::isfinite(v.number);
    for (int i = 0; i < v.grid.rows; ++i)
        for (int j = 0; j < v.grid.cols; ++j)
            if (!std::isfinite(v.grid.at(i, j))) return false;
    return true;
}

class Evaluator {
public:
    Evaluator(const MatCatalog& catalog, int poolSlots)
        : catalog_(catalog), slots_(std::clamp(poolSlots, 0, kMatPoolSlots)) {}

    MatEvalOutcome run(std::string_view text);

private:
    bool fail(std::string_view m) {
        message_ = m;
        return false;
    }
    int allocSlot() {
        for (int s = 1; s <= slots_; ++s)
            if (!used_[s - 1]) {
                used_[s - 1] = true;
                return s;
            }
        return -1;
    }
    MatGrid& slot(int s) { return pool_[s - 1]; }
    bool loadOperand(MatToken& t);
    bool reduce(std::vector<MatToken>& out);
    bool compute(MatTok op, const Value* left, const Value& right, Value& result);
    bool binary(MatTok op, const Value& a, const Value& b, Value& r);
    bool unary(MatTok op, const Value& a, Value& r);

    const MatCatalog& catalog_;
    int slots_;
    std::array<MatGrid, kMatPoolSlots> pool_;
    std::array<bool, kMatPoolSlots> used_{};
    std::string message_;
};

// A catalog matrix operand is read into a free slot.
bool Evaluator::loadOperand(MatToken& t) {
    if (t.kind != MatTok::Matrix || t.index < 0) return true;
    const int s = allocSlot();
    if (s < 0) return fail(matmsg::kPoolOverflow);
    MatLoad load = loadCatalogMat(catalog_, t.index);
    if (!load.ok) return fail(load.message);
    slot(s) = load.grid;
    t.index = -s;
    return true;
}

bool Evaluator::binary(MatTok op, const Value& a, const Value& b, Value& r) {
    const bool am = a.matrix;
    const bool bm = b.matrix;
    auto each = [&](const MatGrid& g, auto f) {
        r.matrix = true;
        r.grid = g;
        for (int i = 0; i < g.rows; ++i)
            for (int j = 0; j < g.cols; ++j)
                r.grid.at(i, j) = f(g.at(i, j));
    };
    switch (op) {
    case MatTok::Add:
        if (!am && !bm) r.number = a.number + b.number;
        if (!am && bm) each(b.grid, [&](Extended e) { return a.number + e; });
        if (am && !bm) each(a.grid, [&](Extended e) { return e + b.number; });
        if (am && bm) {
            if (a.grid.rows != b.grid.rows || a.grid.cols != b.grid.cols)
                return fail(matmsg::addSize(a.grid.rows, a.grid.cols, b.grid.rows, b.grid.cols));
            each(a.grid, [](Extended e) { return e; });
            for (int i = 0; i < a.grid.rows; ++i)
                for (int j = 0; j < a.grid.cols; ++j)
                    r.grid.at(i, j) = a.grid.at(i, j) + b.grid.at(i, j);
        }
        return true;
    case MatTok::Sub:
        if (!am && !bm) r.number = a.number - b.number;
        if (!am && bm) each(b.grid, [&](Extended e) { return a.number - e; });
        if (am && !bm) each(a.grid, [&](Extended e) { return e - b.number; });
        if (am && bm) {
            if (a.grid.rows != b.grid.rows || a.grid.cols != b.grid.cols)
                return fail(matmsg::subSize(a.grid.rows, a.grid.cols, b.grid.rows, b.grid.cols));
            each(a.grid, [](Extended e) { return e; });
            for (int i = 0; i < a.grid.rows; ++i)
                for (int j = 0; j < a.grid.cols; ++j)
                    r.grid.at(i, j) = a.grid.at(i, j) - b.grid.at(i, j);
        }
        return true;
    case MatTok::Mul:
    case MatTok::ImplicitMul:
        if (!am && !bm) r.number = a.number * b.number;
        if (!am && bm) each(b.grid, [&](Extended e) { return a.number * e; });
        if (am && !bm) each(a.grid, [&](Extended e) { return e * b.number; });
        if (am && bm) {
            if (a.grid.cols != b.grid.rows)
                return fail(matmsg::mulSize(a.grid.rows, a.grid.cols, b.grid.rows, b.grid.cols));
            r.matrix = true;
            r.grid = product(a.grid, b.grid);
        }
        return true;
    case MatTok::Div:
        if (am && bm) return fail(matmsg::kMatDivMat);
        if (!bm) {
            if (!(std::fabs(b.number) >= 1e-39L)) return fail(matmsg::kDivisionByZero);
            if (am)
                each(a.grid, [&](Extended e) { return e / b.number; });
            else
                r.number = a.number / b.number;
            return true;
        }
        for (int i = 0; i < b.grid.rows; ++i)
            for (int j = 0; j < b.grid.cols; ++j)
                if (b.grid.at(i, j) == 0) return fail(matmsg::kDivisionByZero);
        each(b.grid, [&](Extended e) { return a.number / e; });
        return true;
    case MatTok::Power: {
        if (!am && !bm) {
            r.number = XtoY(b.number, a.number);
            return true;
        }
        if (!am) return fail(matmsg::kNumPowMat);
        if (bm) return fail(matmsg::kMatPowMat);
        // Negative, undefined and infinite powers have no meaning here.
        if (!(b.number >= 0) || !std::isfinite(b.number)) return fail(matmsg::kPowerNotPositive);
        const Extended k = roundEven(b.number);
        if (k != 1 && a.grid.rows != a.grid.cols)
            return fail(matmsg::powerNotSquare(a.grid.rows, a.grid.cols));
        r.matrix = true;
        r.grid = matrixPower(a.grid, k);
        return true;
    }
    default:
        return fail(matmsg::kEvaluationError);
    }
}

bool Evaluator::unary(MatTok op, const Value& a, Value& r) {
    switch (op) {
    case MatTok::Transpose:
        if (!a.matrix) return fail(matmsg::kTransposeNumber);
        r.matrix = true;
        r.grid.rows = a.grid.cols;
        r.grid.cols = a.grid.rows;
        for (int i = 0; i < a.grid.rows; ++i)
            for (int j = 0; j < a.grid.cols; ++j)
                r.grid.at(j, i) = a.grid.at(i, j);
        return true;
    case MatTok::Inverse:
        if (!a.matrix) {
            if (!(std::fabs(a.number) >= 1e-39L)) return fail(matmsg::kZeroInverse);
            r.number = 1 / a.number;
            return true;
        }
        if (a.grid.rows != a.grid.cols) return fail(matmsg::kInverseNotSquare);
        r.matrix = true;
        if (!invertMatrix(a.grid, r.grid)) return fail(matmsg::kNoInverse);
        return true;
    case MatTok::Plus:
        r = a;
        return true;
    case MatTok::Minus:
        r = a;
        r.number = -a.number;
        for (int i = 0; i < a.grid.rows; ++i)
            for (int j = 0; j < a.grid.cols; ++j)
                r.grid.at(i, j) = -a.grid.at(i, j);
        return true;
    default:
        return fail(matmsg::kEvaluationError);
    }
}

bool Evaluator::compute(MatTok op, const Value* left, const Value& right, Value& result) {
    if (left) return binary(op, *left, right, result);
    return unary(op, right, result);
}

bool Evaluator::reduce(std::vector<MatToken>& out) {
    for (;;) {
        std::size_t at = 0;
        while (at < out.size() && (out[at].kind == MatTok::Consumed || isOperand(out[at].kind)))
            ++at;
        if (at == out.size()) return true;
        const MatTok op = out[at].kind;
        const int n = info(op).operands;
        // A parenthesis left over has no operation.
        if (n == 0) return fail(matmsg::kEvaluationError);
        std::array<std::size_t, 2> taken{};
        int found = 0;
        for (std::size_t j = at; j-- > 0 && found < n;)
            if (isOperand(out[j].kind)) taken[found++] = j;
        if (found < n) return fail(matmsg::kInsufficientOperands);
        for (int i = 0; i < n; ++i)
            if (!loadOperand(out[taken[i]])) return false;

        std::array<Value, 2> values;
        for (int i = 0; i < n; ++i) {
            const MatToken& t = out[taken[i]];
            values[i].matrix = t.kind == MatTok::Matrix;
            if (values[i].matrix)
                values[i].grid = slot(-t.index);
            else
                values[i].number = t.value;
        }
        Value result;
        if (!compute(op, n == 2 ? &values[1] : nullptr, values[0], result)) return false;
        // Overflow and invalid operations (a power with no real value, a
        // value computed from an undefined cell) end the evaluation.
        if (!finite(result)) return fail(matmsg::kEvaluationError);
        for (int i = 0; i < n; ++i) {
            MatToken& t = out[taken[i]];
            if (t.kind == MatTok::Matrix) used_[-t.index - 1] = false;
            t.kind = MatTok::Consumed;
        }
        if (result.matrix) {
            const int s = allocSlot();
            if (s < 0) return fail(matmsg::kNoFreeTemp);
            slot(s) = result.grid;
            out[at] = {MatTok::Matrix, -s, 0};
        } else {
            out[at] = {MatTok::Number, 0, result.number};
        }
    }
}

MatEvalOutcome Evaluator::run(std::string_view text) {
    MatEvalOutcome outcome;
    MatTokens tokens = tokenizeMatExpr(text, catalog_);
    if (!tokens.ok) {
        outcome.message = tokens.message;
        return outcome;
    }
    std::vector<MatToken> out = matPostfix(tokens.tokens);
    if (!reduce(out)) {
        outcome.message = message_;
        return outcome;
    }
    MatToken* last = nullptr;
    int operands = 0;
    for (MatToken& t : out)
        if (isOperand(t.kind)) {
            ++operands;
            last = &t;
        }
    if (operands == 0) {
        outcome.message = matmsg::kTooFewOperands;
        return outcome;
    }
    if (operands > 1) {
        outcome.message = matmsg::kTooManyOperands;
        return outcome;
    }
    if (last->kind == MatTok::Number) {
        outcome.ok = true;
        outcome.scalar = true;
        outcome.rows = outcome.cols = 1;
        outcome.cells[0] = decimalText(last->value);
        return outcome;
    }
    if (!loadOperand(*last)) {
        outcome.message = message_;
        return outcome;
    }
    if (-last->index < 1) {
        outcome.message = matmsg::kBadTempIndex;
        return outcome;
    }
    const MatGrid& g = slot(-last->index);
    outcome.ok = true;
    outcome.rows = g.rows;
    outcome.cols = g.cols;
    for (int i = 0; i < g.rows; ++i)
        for (int j = 0; j < g.cols; ++j)
            outcome.cells[i * kMatMaxDim + j] = matResultCellText(g.at(i, j));
    return outcome;
}

} // namespace

int matIncomingPrec(MatTok kind) {
    return info(kind).incoming;
}
int matStackPrec(MatTok kind) {
    return info(kind).stack;
}
int matOperandCount(MatTok kind) {
    return info(kind).operands;
}

MatTokens tokenizeMatExpr(std::string_view s, const MatCatalog& catalog) {
    MatTokens result;
    std::vector<MatToken>& tokens = result.tokens;
    auto fail = [&](std::string m) {
        result.message = std::move(m);
        tokens.clear();
        return result;
    };
    bool lastOperand = false;
    int opens = 0;
    std::size_t pos = 0;
    auto runFrom = [&](std::size_t from) {
        std::size_t end = from;
        while (end < s.size() && isDigitOrDot(s[end]))
            ++end;
        return end;
    };
    while (pos < s.size()) {
        // One more than the limit is enough to know it is passed.
        if (static_cast<int>(tokens.size()) > kMatMaxTokens) break;
        const char c = upperChar(s[pos]);
        if (isDigitOrDot(c) || ((c == '+' || c == '-') && !lastOperand && pos + 1 < s.size() &&
                                isDigitOrDot(s[pos + 1]))) {
            const std::size_t end = runFrom(isDigitOrDot(c) ? pos : pos + 1);
            const std::string run(s.substr(pos, end - pos));
            const Extended v = parseNumberText(run);
            if (isUndefined(v)) return fail(matmsg::invalidNumeric(run));
            tokens.push_back({MatTok::Number, 0, v});
            lastOperand = true;
            pos = end;
        } else if (isLetter(c)) {
            std::size_t end = pos;
            while (end < s.size() && (isLetter(s[end]) || (s[end] >= '0' && s[end] <= '9')))
                ++end;
            const std::string name(s.substr(pos, end - pos));
            const int index = FindMatDefInMatsTSL(catalog, name);
            if (index < 0) return fail(matmsg::unknownName(name));
            tokens.push_back({MatTok::Matrix, index, 0});
            lastOperand = true;
            pos = end;
        } else if (c == '^') {
            std::string next;
            for (std::size_t i = pos; i < s.size() && i < pos + 3; ++i)
                next.push_back(upperChar(s[i]));
            if (next.starts_with("^T")) {
                tokens.push_back({MatTok::Transpose, 0, 0});
                pos += 2;
            } else if (next == "^-1") {
                tokens.push_back({MatTok::Inverse, 0, 0});
                pos += 3;
            } else {
                tokens.push_back({MatTok::Power, 0, 0});
                pos += 1;
            }
            lastOperand = true;
        } else if (c == '(') {
            tokens.push_back({MatTok::Open, 0, 0});
            ++opens;
            lastOperand = false;
            ++pos;
        } else if (c == ')') {
            if (opens == 0) return fail(matmsg::missingOpen(static_cast<int>(pos) + 1));
            tokens.push_back({MatTok::Close, 0, 0});
            lastOperand = true;
            ++pos;
        } else if (c == '*' || c == '/') {
            tokens.push_back({c == '*' ? MatTok::Mul : MatTok::Div, 0, 0});
            lastOperand = false;
            ++pos;
        } else if (c == '+' || c == '-') {
            if (lastOperand) {
                tokens.push_back({c == '+' ? MatTok::Add : MatTok::Sub, 0, 0});
                lastOperand = false;
            } else {
                tokens.push_back({c == '+' ? MatTok::Plus : MatTok::Minus, 0, 0});
            }
            ++pos;
        } else {
            return fail(matmsg::invalidChar(s[pos]));
        }
    }
    for (std::size_t i = 0; i + 1 < tokens.size(); ++i)
        if (tokens[i].kind == MatTok::Number && tokens[i + 1].kind == MatTok::Matrix)
            tokens.insert(tokens.begin() + static_cast<std::ptrdiff_t>(++i),
                          {MatTok::ImplicitMul, 0, 0});
    if (static_cast<int>(tokens.size()) > kMatMaxTokens)
        return fail(std::string(matmsg::kEvaluationError));
    result.ok = true;
    return result;
}

std::vector<MatToken> matPostfix(const std::vector<MatToken>& tokens) {
    std::vector<MatToken> stack;
    std::vector<MatToken> out;
    for (std::size_t i = 0; i < tokens.size();) {
        const int f = info(tokens[i].kind).incoming;
        const int h = stack.empty() ? 1000 : info(stack.back().kind).stack;
        if (f < h) {
            stack.push_back(tokens[i++]);
        } else if (f == h) {
            stack.pop_back();
            ++i;
        } else {
            out.push_back(stack.back());
            stack.pop_back();
        }
    }
    while (!stack.empty()) {
        out.push_back(stack.back());
        stack.pop_back();
    }
    return out;
}

std::vector<std::string> MatResult::cellList() const {
    std::vector<std::string> list;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            list.push_back(cell(r, c));
    return list;
}

MatEvalOutcome evalMatExpr(std::string_view text, const MatCatalog& catalog, int poolSlots) {
    Evaluator evaluator(catalog, poolSlots);
    return evaluator.run(text);
}

std::string matResultCellText(Extended v) {
    if (std::fabs(v) < 1e-15L) v = 0;
    if (std::trunc(v) == v) return integerText(v);
    const bool negative = v < 0;
    const FracMatch pi = fracSearch(std::fabs(v) / kPi, 1e-11L, 200);
    if (pi.found && pi.q <= 8) return piText(negative, pi.p, pi.q);
    const FracMatch m = fracSearch(std::fabs(v), 1e-11L, 1000);
    if (m.found) {
        if (m.q != 1) return signedFraction(negative, m.p, m.q);
        std::string text(negative ? "-" : "");
        return text.append(std::to_string(m.p));
    }
    return decimalText(v);
}

} // namespace tallix
