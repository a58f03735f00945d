#pragma once

#include "engine/core/Tokens.h"

#include <cstdint>
#include <span>
#include <vector>

namespace tallix {

// One editable line of token codes: the calculator's expression lines and
// the function slots (and the matrix texts) edit through it. Positions are
// 1-based as the editors count them: the cursor runs 1..count + 1, the
// selection is -1 when there is none. Every change of the tokens goes through
// a member, which keeps the cursor and the selection on the tokens they were
// on and advances revision(); cursor and selection moves do not.
class TokenLine {
public:
    explicit TokenLine(int capacity) : capacity_(capacity) {}

    int cursor = 1;
    int selStart = -1;
    int selEnd = -1;

    const std::vector<TokenCode>& tokens() const { return tokens_; }
    TokenCode at(int pos) const { return tokens_[static_cast<std::size_t>(pos - 1)]; }
    int count() const { return static_cast<int>(tokens_.size()); }
    bool empty() const { return tokens_.empty(); }
    int capacity() const { return capacity_; }
    // Advances on every change of the tokens; a cached result of the tokens
    // (a program, samples, a layout) is current while it stays the same.
    std::uint64_t revision() const { return revision_; }

    bool hasSelection() const { return selStart >= 0 && selEnd >= 0; }
    // First and last selected position inside the line; first > last when
    // there is no selection.
    int selFirst() const;
    int selLast() const;
    std::vector<TokenCode> selectedTokens() const;
    void clearSelection() { selStart = selEnd = -1; }

    // No tokens, cursor 1, no selection.
    void clear();
    // The tokens become `codes` (cut at the capacity), cursor after the last,
    // no selection.
    void assign(std::span<const TokenCode> codes);
    // Inserts codes before position `at`: all of them, or nothing (false) when
    // they do not fit. A cursor or selection at or after `at` moves with its
    // tokens; a selection that `at` falls inside grows over the new tokens.
    bool insertAt(int at, std::span<const TokenCode> codes);
    // Erases positions first..last (clamped). The cursor and a selection after
    // them move back; a selection they overlap is cleared.
    void eraseRange(int first, int last);

    // Inserts one code at the cursor, the cursor after it. A selection that
    // spans the cursor (not at the end of the line) is replaced. False (and
    // nothing changed) when the line is full.
    bool insertAtCursor(TokenCode code);
    // Inserts codes at the cursor, all or nothing, the cursor after them.
    bool pasteAtCursor(std::span<const TokenCode> codes);
    // Deletes the selected tokens; the cursor goes to where they began.
    void deleteSelection();
    // Deletes the selection, or the token before the cursor; false when
    // nothing was deleted.
    bool backspace();
    // Deletes the selection, or the token after the cursor.
    bool deleteForward();

private:
    std::vector<TokenCode> tokens_;
    int capacity_;
    std::uint64_t revision_ = 0;
};

// The token clipboard shared by every editor of one run.
using TokenClipboard = std::vector<TokenCode>;

} // namespace tallix
