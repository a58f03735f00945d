#pragma once

#include "engine/core/Tokens.h"

#include <string_view>
#include <vector>

namespace tallix {

class FuncEditor;
class FuncSet;

// The function key codes that type a copy text: digits, ".", "x", "e", the
// operators and parentheses; "l" is the Ln key and swallows the "n" after
// it. Every other character (an exponent's "E" among them) is skipped.
std::vector<TokenCode> copyTextCodes(std::string_view text);

// Where a copied fit goes: the first empty slot 1..20 (20 when none is
// empty); in parametric mode the first odd slot with an empty x part (19
// when none).
int copyTargetSlot(const FuncSet& funcs);

// Types `text` into the target slot through the function keys and sends
// Enter. Returns the slot, or 0 when the text is empty and nothing changed.
int copyFitToFunctions(FuncSet& funcs, FuncEditor& editor, std::string_view text);

} // namespace tallix
