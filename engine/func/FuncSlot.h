#pragma once

#include "engine/core/Tokens.h"

#include <array>
#include <cstdint>

namespace tallix {

inline constexpr int kFuncSlotCount = 20;
inline constexpr int kMaxFuncTokens = 4096;
inline constexpr int kMaxFuncProgram = 100;

// Colour values are stored as 0xBBGGRR (red in the low byte).
using ColourValue = std::uint32_t;

// Default curve colour of slot n (1..20); slots n and n + 10 share one.
ColourValue defaultFuncColour(int n);

// One function definition of the f(x) mode. Positions named in comments are
// 1-based (the editor's cursor counts that way); array index i holds position
// i + 1.
struct FuncSlot {
    std::array<TokenCode, kMaxFuncTokens> Tokens{};
    int TokenCount = 0; // 0..4096; the slot is defined when > 0
    int Cursor = 1;     // 1..TokenCount + 1; an inserted token goes before this one
    int SelStart = -1;  // first and last selected position, -1 when none
    int SelEnd = -1;
    std::array<std::int16_t, kMaxFuncTokens> TokenX{}; // -1 = not laid out yet
    std::array<std::uint8_t, kMaxFuncTokens> TokenWidth{};
    ColourValue Colour = 0;
    bool Shown = true;
    bool CacheValid = false; // the sampled values of the graph are current
    // Compiled postfix program: operator codes (> 0) and constants as minus
    // their FnumPool entry number. Length 0 = not compiled.
    std::array<std::int16_t, kMaxFuncProgram> FuncRPN{};
    int FuncRPNLength = 0;
    bool CursorDrawn = false;

    bool defined() const { return TokenCount > 0; }
};

} // namespace tallix
