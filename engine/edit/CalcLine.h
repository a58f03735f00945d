#pragma once

#include "engine/calc/CalcEval.h"
#include "engine/core/Extended.h"
#include "engine/core/NumFormat.h"
#include "engine/core/Tokens.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tallix {

// One calculator expression line. Positions are 1-based as the editor counts
// them: the cursor runs 1..count + 1, the selection is -1 when there is none.
struct ExpLine {
    std::vector<TokenCode> tokens; // at most kMaxLineTokens
    int cursor = 1;
    int selStart = -1;
    int selEnd = -1;
    Extended resultValue = 0;
    std::string resultText;
    // Pixel layout kept by the display, one entry per token: the token's right
    // edge (-1 = not laid out yet) and its width. Kept parallel to tokens.
    std::vector<int> rightEdge;
    std::vector<int> width;

    int count() const { return static_cast<int>(tokens.size()); }
    bool hasSelection() const { return selStart >= 0 && selEnd >= 0; }
    // Empties the line: no tokens, cursor 1, no selection, no result.
    void clear();
    // Empties the tokens only (the result stays).
    void clearTokens();
    // Marks every token for a new layout.
    void invalidateLayout();
    // Inserts codes before 1-based position `at`, marked for layout.
    void insertAt(int at, std::span<const TokenCode> codes);
    // Erases the tokens at 1-based positions first..last.
    void eraseRange(int first, int last);
};

// Inserts code at the cursor. A selection that spans the cursor is replaced.
// Returns false (and changes nothing) when the line is full.
bool insertToken(ExpLine& line, TokenCode code);
// Deletes the selected tokens, puts the cursor at the selection's start and
// clears the selection.
void deleteSelection(ExpLine& line);
// Deletes the selection, or the token before the cursor; false when nothing
// was deleted.
bool backspaceToken(ExpLine& line);

} // namespace tallix
