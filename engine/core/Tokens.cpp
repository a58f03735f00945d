#include "engine/core/Tokens.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace tallix {

std::optional<TokenCode> calcGlyphOfFuncCode(TokenCode code) {
    switch (code) {
    case func::Abs:
        return calc::Abs;
    case func::Sin:
        return calc::Sin;
    case func::Sqrt:
        return calc::Sqrt;
    case func::Square:
        return calc::Square;
    case func::Cos:
        return calc::Cos;
    case func::Cbrt:
        return calc::Cbrt;
    case func::Cube:
        return calc::Cube;
    case func::Tan:
        return calc::Tan;
    case func::Log:
        return calc::Log;
    case func::TenPow:
        return calc::TenPow;
    case func::Arc:
        return calc::Arc;
    case func::Ln:
        return calc::Ln;
    case func::ExpPow:
        return calc::ExpPow;
    case func::NthRoot:
        return calc::NthRoot;
    case func::Factorial:
        return calc::Factorial;
    case func::Var:
    case func::Enter:
    case func::ClearLine:
    case func::Backspace:
    case func::EnterLow:
    case func::CloseBracket:
    case func::OpenBracket:
    case func::CloseBrace:
    case func::OpenBrace:
        return std::nullopt;
    default:
        break; // digits, operators, parentheses, pi, e and the point share their codes
    }
    if (code >= func::kCodeCount) return std::nullopt;
    return code;
}

int digitOfCode(TokenCode code) {
    for (int d = 0; d < 10; ++d)
        if (kDigitCodes[d] == code) return d;
    return -1;
}

const std::array<std::string_view, calc::kCodeCount> CalcKeyGlyphs = {
    "S",   "^2",  "Abs", "7",  "8", "9",  "+",  "^",  // row 0
    "S",   "^3",  "Sin", "4",  "5", "6",  "-",  "(",  // row 1
    "Log", "10^", "Cos", "1",  "2", "3",  "*",  ")",  // row 2
    "Ln",  "e^",  "Tan", "pi", "0", "e",  "/",  "=",  // row 3
    "S",   "!",   "Arc", "xx", ".", "xx", "xx", "xx", // row 4
};

const std::array<std::string_view, func::kCodeCount> FuncKeyGlyphs = {
    "x",   "abs", "sin", "7",  "8", "9",  "+",  "^",  // row 0
    "S",   "^2",  "cos", "4",  "5", "6",  "-",  "(",  // row 1
    "S",   "^3",  "tan", "1",  "2", "3",  "*",  ")",  // row 2
    "Log", "10^", "arc", "pi", "0", "e",  "/",  "xx", // row 3
    "Ln",  "e^",  "S",   "!",  ".", "xx", "xx", "xx", // row 4
    "[",   "]",   "{",   "}",                         // keyboard brackets
};

const std::array<std::string_view, mat::kCodeCount> MatKeyGlyphs = {
    "S",   "^2",  "abs", "7",  "8", "9",  "+",  "^",  // row 0
    "S",   "^3",  "sin", "4",  "5", "6",  "-",  "(",  // row 1
    "Log", "10^", "cos", "1",  "2", "3",  "*",  ")",  // row 2
    "Ln",  "e^",  "tan", "pi", "0", "e",  "/",  "=",  // row 3
    "S",   "xx",  "arc", "xx", ".", "xx", "xx", "xx", // row 4
    "A",   "B",   "C",   "D",  "E", "F",  "G",  "H",  "I", "J", "K", "L", "M",
    "N",   "O",   "P",   "Q",  "R", "S",  "T",  "U",  "V", "W", "X", "Y", "Z",
};

// clang-format off
const std::array<Keyword, 14> CalcKeywords = {{
    {"SQRT", 0}, {"CBRT", 8}, {"ABS", 2}, {"PI", 27}, {"E", 29}, {"LOG", 16}, {"LN", 24},
    {"FRAC", 35}, {"DEC", 37}, {"NRT", 32}, {"SIN", 10}, {"COS", 18}, {"TAN", 26}, {"ARC", 34},
}};

const std::array<Keyword, 13> FuncKeywords = {{
    {"X", 0}, {"ABS", 1}, {"SQRT", 8}, {"CBRT", 16}, {"PI", 27}, {"E", 29}, {"LOG", 24},
    {"LN", 32}, {"NRT", 34}, {"SIN", 2}, {"COS", 10}, {"TAN", 18}, {"ARC", 26},
}};
// clang-format on

namespace {

// Characters shared by both keypads: digits and the common operators.
std::optional<TokenCode> commonCodeForChar(char c) {
    if (c >= '0' && c <= '9') return kDigitCodes[c - '0'];
    switch (c) {
    case '+':
        return calc::Plus;
    case '-':
        return calc::Minus;
    case '*':
        return calc::Times;
    case '/':
        return calc::Divide;
    case '^':
        return calc::Power;
    case '(':
        return calc::OpenParen;
    case ')':
        return calc::CloseParen;
    case '.':
        return calc::Point;
    default:
        return std::nullopt;
    }
}

} // namespace

std::optional<TokenCode> calcCodeForChar(char c) {
    if (c == '!') return calc::Factorial;
    if (c == '=') return calc::Evaluate;
    return commonCodeForChar(c);
}

std::optional<TokenCode> funcCodeForChar(char c) {
    switch (c) {
    case '!':
        return func::Factorial;
    case '=':
        return func::Enter;
    case '[':
        return func::OpenBracket;
    case ']':
        return func::CloseBracket;
    case '{':
        return func::OpenBrace;
    case '}':
        return func::CloseBrace;
    default:
        return commonCodeForChar(c);
    }
}

std::optional<TokenCode> KeywordFeed::feed(char c, std::span<const Keyword> keywords) {
    pending_.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    for (const Keyword& k : keywords) {
        if (k.word == pending_) {
            pending_.clear();
            return k.code;
        }
    }
    for (const Keyword& k : keywords)
        if (k.word.starts_with(pending_)) return std::nullopt;
    pending_.clear();
    return std::nullopt;
}

bool KeywordFeed::backspace() {
    if (pending_.empty()) return false;
    pending_.pop_back();
    return true;
}

std::optional<KeypadHit> keypadHitTest(int imageWidth, int imageHeight, int x, int y) {
    if (imageWidth <= 0 || imageHeight <= 0 || x < 0 || y < 0 || x >= imageWidth ||
        y >= imageHeight)
        return std::nullopt;
    const double colWidth = imageWidth / 8.0;
    const double rowHeight = imageHeight / 5.0;
    const int column = std::min(7, static_cast<int>(x / colWidth));
    const int row = std::min(4, static_cast<int>(y / rowHeight));
    return KeypadHit{column, row, static_cast<TokenCode>(row * 8 + column)};
}

PixelRect keypadCellRect(int imageWidth, int imageHeight, TokenCode code, bool tallEnter) {
    const double colWidth = imageWidth / 8.0;
    const double rowHeight = imageHeight / 5.0;
    const int column = code % 8;
    const int row = (code / 8) % 5;
    // Rounding as the runtime does: to nearest, halves to even.
    auto rnd = [](double v) { return static_cast<int>(std::nearbyint(v)); };
    PixelRect r{rnd(column * colWidth), rnd(row * rowHeight), rnd((column + 1) * colWidth),
                rnd((row + 1) * rowHeight)};
    if (tallEnter && (code == func::Enter || code == func::EnterLow)) {
        r.top = rnd(3 * rowHeight);
        r.bottom = rnd(5 * rowHeight);
    }
    // The last column and row would end one pixel past the image.
    r.right = std::min(r.right, imageWidth - 1);
    r.bottom = std::min(r.bottom, imageHeight - 1);
    return r;
}

} // namespace tallix
