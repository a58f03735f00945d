#include "engine/edit/CalcLine.h"

#include <algorithm>

namespace tallix {

void ExpLine::clear() {
    clearTokens();
    resultValue = 0;
    resultText.clear();
}

void ExpLine::clearTokens() {
    tokens.clear();
    rightEdge.clear();
    width.clear();
    cursor = 1;
    selStart = selEnd = -1;
}

void ExpLine::invalidateLayout() {
    rightEdge.assign(tokens.size(), -1);
    width.assign(tokens.size(), 0);
}

void ExpLine::insertAt(int at, std::span<const TokenCode> codes) {
    if (rightEdge.size() != tokens.size()) invalidateLayout();
    const auto pos = static_cast<std::ptrdiff_t>(std::clamp(at, 1, count() + 1) - 1);
    tokens.insert(tokens.begin() + pos, codes.begin(), codes.end());
    rightEdge.insert(rightEdge.begin() + pos, codes.size(), -1);
    width.insert(width.begin() + pos, codes.size(), 0);
}

void ExpLine::eraseRange(int first, int last) {
    if (rightEdge.size() != tokens.size()) invalidateLayout();
    first = std::max(first, 1);
    last = std::min(last, count());
    if (first > last) return;
    tokens.erase(tokens.begin() + (first - 1), tokens.begin() + last);
    rightEdge.erase(rightEdge.begin() + (first - 1), rightEdge.begin() + last);
    width.erase(width.begin() + (first - 1), width.begin() + last);
}

void deleteSelection(ExpLine& line) {
    const int lo = std::min(line.selStart, line.selEnd);
    const int hi = std::max(line.selStart, line.selEnd);
    const int first = std::clamp(lo, 1, line.count() + 1);
    line.eraseRange(first, hi);
    line.cursor = std::clamp(first, 1, line.count() + 1);
    line.selStart = line.selEnd = -1;
}

bool insertToken(ExpLine& line, TokenCode code) {
    line.cursor = std::clamp(line.cursor, 1, line.count() + 1);
    if (line.cursor != line.count() + 1 && line.hasSelection() &&
        std::min(line.selStart, line.selEnd) <= line.cursor &&
        line.cursor <= std::max(line.selStart, line.selEnd))
        deleteSelection(line);
    if (line.count() >= kMaxLineTokens) return false;
    line.insertAt(line.cursor, std::span<const TokenCode>(&code, 1));
    ++line.cursor;
    return true;
}

bool backspaceToken(ExpLine& line) {
    if (line.tokens.empty()) return false;
    if (line.hasSelection()) {
        deleteSelection(line);
        return true;
    }
    line.cursor = std::clamp(line.cursor, 1, line.count() + 1);
    if (line.cursor <= 1) return false;
    line.eraseRange(line.cursor - 1, line.cursor - 1);
    --line.cursor;
    return true;
}

} // namespace tallix
