#pragma once

#include "engine/calc/CalcEval.h"
#include "engine/edit/TokenLine.h"

#include <string>

namespace tallix {

// One calculator expression line: up to kMaxLineTokens tokens with their
// cursor and selection, and the result of its last evaluation.
struct ExpLine : TokenLine {
    ExpLine() : TokenLine(kMaxLineTokens) {}

    Extended resultValue = 0;
    std::string resultText;

    // Empties the line: no tokens, cursor 1, no selection, no result.
    void clearAll() {
        clear();
        resultValue = 0;
        resultText.clear();
    }
};

} // namespace tallix
