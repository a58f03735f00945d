#include "engine/edit/TokenLine.h"

#include <algorithm>

namespace tallix {

int TokenLine::selFirst() const {
    return hasSelection() ? std::max(1, std::min(selStart, selEnd)) : 1;
}

int TokenLine::selLast() const {
    return hasSelection() ? std::min(count(), std::max(selStart, selEnd)) : 0;
}

std::vector<TokenCode> TokenLine::selectedTokens() const {
    const int first = selFirst(), last = selLast();
    if (first > last) return {};
    return {tokens_.begin() + (first - 1), tokens_.begin() + last};
}

void TokenLine::clear() {
    if (!tokens_.empty()) ++revision_;
    tokens_.clear();
    cursor = 1;
    clearSelection();
}

void TokenLine::assign(std::span<const TokenCode> codes) {
    const std::size_t n = std::min(codes.size(), static_cast<std::size_t>(capacity_));
    tokens_.assign(codes.begin(), codes.begin() + static_cast<std::ptrdiff_t>(n));
    ++revision_;
    cursor = count() + 1;
    clearSelection();
}

bool TokenLine::insertAt(int at, std::span<const TokenCode> codes) {
    if (codes.empty()) return true;
    if (codes.size() > static_cast<std::size_t>(capacity_ - count())) return false;
    at = std::clamp(at, 1, count() + 1);
    tokens_.insert(tokens_.begin() + (at - 1), codes.begin(), codes.end());
    ++revision_;
    const int n = static_cast<int>(codes.size());
    if (cursor >= at) cursor += n;
    if (hasSelection()) {
        int& lo = selStart <= selEnd ? selStart : selEnd;
        int& hi = selStart <= selEnd ? selEnd : selStart;
        if (lo >= at) lo += n;
        if (hi >= at) hi += n;
    }
    return true;
}

void TokenLine::eraseRange(int first, int last) {
    first = std::max(first, 1);
    last = std::min(last, count());
    if (first > last) return;
    tokens_.erase(tokens_.begin() + (first - 1), tokens_.begin() + last);
    ++revision_;
    const int n = last - first + 1;
    if (cursor > last)
        cursor -= n;
    else if (cursor > first)
        cursor = first;
    if (hasSelection()) {
        const int lo = std::min(selStart, selEnd), hi = std::max(selStart, selEnd);
        if (lo > last) {
            selStart = lo - n;
            selEnd = hi - n;
        } else if (hi >= first) {
            clearSelection();
        }
    }
    cursor = std::clamp(cursor, 1, count() + 1);
}

bool TokenLine::insertAtCursor(TokenCode code) {
    cursor = std::clamp(cursor, 1, count() + 1);
    if (cursor != count() + 1 && hasSelection() && std::min(selStart, selEnd) <= cursor &&
        cursor <= std::max(selStart, selEnd))
        deleteSelection();
    return pasteAtCursor(std::span<const TokenCode>(&code, 1));
}

bool TokenLine::pasteAtCursor(std::span<const TokenCode> codes) {
    if (codes.empty()) return false;
    cursor = std::clamp(cursor, 1, count() + 1);
    const int at = cursor;
    if (!insertAt(at, codes)) return false;
    cursor = at + static_cast<int>(codes.size());
    return true;
}

void TokenLine::deleteSelection() {
    const int first = std::clamp(std::min(selStart, selEnd), 1, count() + 1);
    const int last = std::max(selStart, selEnd);
    clearSelection();
    eraseRange(first, last);
    cursor = std::clamp(first, 1, count() + 1);
}

bool TokenLine::backspace() {
    if (tokens_.empty()) return false;
    if (hasSelection()) {
        deleteSelection();
        return true;
    }
    cursor = std::clamp(cursor, 1, count() + 1);
    if (cursor <= 1) return false;
    eraseRange(cursor - 1, cursor - 1);
    return true;
}

bool TokenLine::deleteForward() {
    if (hasSelection()) {
        deleteSelection();
        return true;
    }
    if (cursor < 1 || cursor > count()) return false;
    eraseRange(cursor, cursor);
    return true;
}

} // namespace tallix
