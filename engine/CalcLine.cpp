#include "engine/CalcLine.h"

#include <algorithm>

namespace tallix {

void ExpLine::clear() {
    tokens.clear();
    cursor = 1;
    selStart = selEnd = -1;
    resultValue = 0;
    resultText.clear();
}

namespace {

void deleteSelection(ExpLine& line) {
    const int lo = std::min(line.selStart, line.selEnd);
    const int hi = std::max(line.selStart, line.selEnd);
    const int first = std::clamp(lo, 1, line.count() + 1);
    const int last = std::clamp(hi, 0, line.count());
    if (first <= last)
        line.tokens.erase(line.tokens.begin() + (first - 1), line.tokens.begin() + last);
    line.cursor = std::clamp(first, 1, line.count() + 1);
    line.selStart = line.selEnd = -1;
}

} // namespace

bool insertToken(ExpLine& line, TokenCode code) {
    line.cursor = std::clamp(line.cursor, 1, line.count() + 1);
    if (line.cursor != line.count() + 1 && line.hasSelection() &&
        std::min(line.selStart, line.selEnd) <= line.cursor &&
        line.cursor <= std::max(line.selStart, line.selEnd))
        deleteSelection(line);
    if (line.count() >= kMaxLineTokens) return false;
    line.tokens.insert(line.tokens.begin() + (line.cursor - 1), code);
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
    line.tokens.erase(line.tokens.begin() + (line.cursor - 2));
    --line.cursor;
    return true;
}

void TypedLineFeeder::key(TokenCode code, Outcome& outcome) {
    switch (code) {
    case calc::Evaluate:
        outcome.evaluated = true;
        outcome.result = EvalCrExp(line_.tokens, trigMode_);
        if (outcome.result.ok()) {
            line_.resultValue = outcome.result.value;
            line_.resultText = CalcResultText(outcome.result.value, displayMode_, settings_);
        } else {
            line_.resultText = outcome.result.errorText;
        }
        break;
    case calc::FracMode: displayMode_ = DisplayMode::Fraction; break;
    case calc::DecMode: displayMode_ = DisplayMode::Decimal; break;
    case calc::Backspace: backspaceToken(line_); break;
    case calc::ClearLine: line_.clear(); break;
    default:
        if (code < calc::kCodeCount) insertToken(line_, code);
        break;
    }
}

TypedLineFeeder::Outcome TypedLineFeeder::feed(std::string_view text) {
    Outcome outcome;
    for (char c : text) {
        ++outcome.consumed;
        if (auto code = calcCodeForChar(c)) {
            key(*code, outcome);
            if (outcome.evaluated) break;
        } else if (auto word = keywords_.feed(c, VerifyKeywords)) {
            key(*word, outcome);
        }
    }
    return outcome;
}

} // namespace tallix
