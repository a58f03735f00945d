#pragma once

#include "engine/core/Tokens.h"

#include <string_view>
#include <vector>

namespace tallix {

class FuncSet;

// The tokens that typing text on the function keypad produces: digits,
// operators and brackets by their keys, letters through the keyword words
// (x, abs, sqrt, cbrt, pi, e, log, ln, nrt, sin, cos, tan, arc), exactly as
// the keyboard does in the f(x) mode: pending letters wait across other keys,
// and a character that spells no word (a blank, say) drops them. "=" (Enter)
// is not stored.
std::vector<TokenCode> funcTokensFromText(std::string_view text);

} // namespace tallix

namespace tallix {

// Replaces the tokens of slot n (1..20) with those of `text`, as an edit of
// the slot would: its program and samples are dropped and FuncsChanged is
// set. Text longer than a slot holds is cut short.
void setFuncText(FuncSet& set, int n, std::string_view text);

} // namespace tallix
