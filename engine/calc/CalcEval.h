#pragma once

#include "engine/core/Extended.h"
#include "engine/core/Tokens.h"

#include <span>
#include <string>
#include <string_view>

namespace tallix {

enum class CalcEvalStatus {
    Empty,      // the line has no tokens: nothing happens
    Ok,         // value holds the result
    Error,      // errorText holds the message; the line still scrolls
    Unbalanced, // parenthesis count: errorText holds the message; the line stays put
};

struct CalcEvalResult {
    CalcEvalStatus status = CalcEvalStatus::Empty;
    Extended value = 0;
    std::string errorText;
    bool ok() const { return status == CalcEvalStatus::Ok; }
};

// Limits of one evaluation.
inline constexpr int kMaxLineTokens = 4096;
// Room for a full line with an implicit product after every token, plus the
// enclosing parentheses, so that no line the editor can hold overflows it.
inline constexpr int kMaxEvalItems = 2 * kMaxLineTokens + 2;
inline constexpr int kNumTemps = 2048;
inline constexpr int kMaxOperatorStack = 100;

// Evaluates one calculator line (its tokens, in order). On success the caller
// stores value as the line's result and formats it; on an error only the
// line's result text changes. Never throws, never reads past the tokens.
CalcEvalResult EvalCrExp(std::span<const TokenCode> tokens, TrigMode trigMode);

// base raised to exponent: the calculator's "^", roots and "10^", under the
// shared power rules (signedPower in engine/core/Scalar.h). UndefinedMarker
// when the power has no real value: a negative base with an exponent that is
// neither whole nor a fraction with an odd denominator.
Extended XtoY(Extended exponent, Extended base);

// The number-text parser: "." as decimal point, blanks trimmed, a leading or
// trailing "." tolerated ("-.5" too). Returns UndefinedMarker when the text is
// not a number.
Extended parseNumberText(std::string_view text);

// A typed limit or value that may name pi or e ("2pi", "-PI", "3e" = 3 e).
// Empty text gives 0; text that does not convert gives UndefinedMarker.
Extended ExtractFPval(std::string_view text);

} // namespace tallix
