#pragma once

#include "engine/edit/TokenLine.h"

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

// One function definition of the f(x) mode. Only its FuncSet changes it, so
// that every change of the tokens drops the compiled program and advances the
// revision that samplers key their caches on.
struct FuncSlot {
    FuncSlot() : text(kMaxFuncTokens) {}

    TokenLine text; // the tokens with the editor's cursor and selection
    ColourValue Colour = 0;
    bool Shown = true;
    // Compiled postfix program: operator codes (> 0) and constants as minus
    // their FnumPool entry number. Length 0 = not compiled.
    std::array<std::int16_t, kMaxFuncProgram> FuncRPN{};
    int FuncRPNLength = 0;
    // Advances whenever values sampled from this slot go stale: an edit of
    // its tokens, or InvalidateFuncCacheN.
    std::uint64_t revision = 0;

    int TokenCount() const { return text.count(); }
    bool defined() const { return !text.empty(); }
};

} // namespace tallix
