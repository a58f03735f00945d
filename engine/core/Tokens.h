#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tallix {

// One element of an expression: the index (row * 8 + column) of its key on the
// keypad of the mode that produced it. Matrix codes 40..65 are the names A..Z;
// function codes 40..43 are the keyboard-only brackets.
using TokenCode = std::uint8_t;

// Calculator keypad codes with a meaning of their own (the digits are listed in
// kDigitCodes).
namespace calc {
inline constexpr TokenCode Sqrt = 0, Square = 1, Abs = 2, Plus = 6, Power = 7, Cbrt = 8, Cube = 9,
                           Sin = 10, Minus = 14, OpenParen = 15, Log = 16, TenPow = 17, Cos = 18,
                           Times = 22, CloseParen = 23, Ln = 24, ExpPow = 25, Tan = 26, Pi = 27,
                           E = 29, Divide = 30, Evaluate = 31, NthRoot = 32, Factorial = 33,
                           Arc = 34, FracMode = 35, Point = 36, DecMode = 37, Backspace = 38,
                           ClearLine = 39;
inline constexpr int kCodeCount = 40;
} // namespace calc

namespace func {
inline constexpr TokenCode Var = 0, Abs = 1, Sin = 2, Plus = 6, Power = 7, Sqrt = 8, Square = 9,
                           Cos = 10, Minus = 14, OpenParen = 15, Cbrt = 16, Cube = 17, Tan = 18,
                           CloseParen = 23, Log = 24, TenPow = 25, Arc = 26, Pi = 27, E = 29,
                           Divide = 30, Enter = 31, Ln = 32, ExpPow = 33, NthRoot = 34,
                           Factorial = 35, Point = 36, ClearLine = 37, Backspace = 38,
                           EnterLow = 39, CloseBracket = 40, OpenBracket = 41, CloseBrace = 42,
                           OpenBrace = 43;
inline constexpr int kCodeCount = 44;
} // namespace func

namespace mat {
inline constexpr TokenCode FirstName = 40; // 'A'
inline constexpr int kCodeCount = 66;
} // namespace mat

// Codes of the digits 0..9 (the same on every keypad).
inline constexpr std::array<TokenCode, 10> kDigitCodes = {28, 19, 20, 21, 11, 12, 13, 3, 4, 5};

// The calculator code drawn like a function code (the same glyph), or nothing
// for the function variable and the keyboard brackets (drawn as text) and the
// key actions.
std::optional<TokenCode> calcGlyphOfFuncCode(TokenCode code);

// The digit 0..9 of a digit code, or -1.
int digitOfCode(TokenCode code);
inline bool isDigitCode(TokenCode code) {
    return digitOfCode(code) >= 0;
}

// Display texts of each code, used to measure a token's width. "xx" marks keys
// that act at once and are never stored; "S" marks the radical signs.
extern const std::array<std::string_view, calc::kCodeCount> CalcKeyGlyphs;
extern const std::array<std::string_view, func::kCodeCount> FuncKeyGlyphs;
extern const std::array<std::string_view, mat::kCodeCount> MatKeyGlyphs;

struct Keyword {
    std::string_view word; // upper case
    TokenCode code;
};
// Stored in this order; the first exact match wins.
extern const std::array<Keyword, 14> CalcKeywords;
extern const std::array<Keyword, 13> FuncKeywords;
// The verification suite uses the calculator's words and codes.
inline const std::array<Keyword, 14>& VerifyKeywords = CalcKeywords;

// Keyboard character to calculator code ("0".."9", + - * / ^ ( ) . ! =), or
// nothing for a character that goes to the keyword mechanism.
std::optional<TokenCode> calcCodeForChar(char c);
// The same for the function mode: "!" is 35, "=" is Enter (31), and the
// brackets [ ] { } give 41 40 43 42.
std::optional<TokenCode> funcCodeForChar(char c);

// The pending letters of a keyword being typed (mirrored in pendingCharsLbl).
class KeywordFeed {
public:
    // Appends the upper-case form of c. Returns the keyword's code when the
    // buffer now spells a whole keyword (and empties the buffer); otherwise keeps
    // the buffer while it is a prefix of some keyword, or drops it.
    std::optional<TokenCode> feed(char c, std::span<const Keyword> keywords);
    // Removes the last pending letter; false when there was none (the caller
    // then acts as the backspace key).
    bool backspace();
    void clear() { pending_.clear(); }
    const std::string& pending() const { return pending_; }

private:
    std::string pending_;
};

// Keypad geometry: 8 columns by 5 rows over an image of the given size.
struct KeypadHit {
    int column;
    int row;
    TokenCode code;
};
struct PixelRect { // both ends inclusive
    int left = 0, top = 0, right = -1, bottom = -1;
    bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    bool operator==(const PixelRect&) const = default;
};
// The key under (x, y), or nothing when the point lies outside the image.
std::optional<KeypadHit> keypadHitTest(int imageWidth, int imageHeight, int x, int y);
// The pixel cell of a pressed key. With tallEnter (the function keypads), codes
// 31 and 39 cover rows 3 and 4 of column 7. Clipped to the image.
PixelRect keypadCellRect(int imageWidth, int imageHeight, TokenCode code, bool tallEnter);

inline constexpr int kCalcKeypadWidth = 235, kCalcKeypadHeight = 147;
inline constexpr int kFuncKeypadWidth = 238, kFuncKeypadHeight = 148;

} // namespace tallix
