#include "engine/func/FuncEditor.h"

#include <algorithm>

namespace tallix {

namespace {

bool insertsToken(TokenCode code) {
    return code <= 30 || (code >= 32 && code <= 36) || (code >= 40 && code < func::kCodeCount);
}

} // namespace

void FuncEditor::setTopSlot(int top) {
    topSlot_ = std::clamp(top, 1, kFuncSlotCount);
    set_.CurrentFunc =
        std::max(topSlot_, std::min(set_.CurrentFunc, std::min(topSlot_ + kRows - 1, 20)));
}

bool FuncEditor::chooseSlot(int n) {
    n = std::clamp(n, topSlot_, std::min(topSlot_ + kRows - 1, kFuncSlotCount));
    if (n == set_.CurrentFunc) return false;
    set_.CurrentFunc = n;
    return true;
}

FuncEditor::KeyEffect FuncEditor::ProcessFuncButtonClick(TokenCode code) {
    KeyEffect e;
    const int n = set_.CurrentFunc;
    if (code == func::Enter || code == func::EnterLow) {
        e.graph = true;
    } else if (code == func::ClearLine) {
        set_.editText(n, [](TokenLine& t) { t.clear(); });
        set_.InvalidateFuncRPNn(n);
        set_.InvalidateFuncCacheN(n);
        set_.FuncsChanged = true;
        e.changed = e.cleared = e.graph = true;
    } else if (code == func::Backspace) {
        if (set_.slot(n).defined())
            e.changed = set_.editText(n, [](TokenLine& t) { t.backspace(); });
        // Even a key that deletes nothing drops the compiled program.
        set_.InvalidateFuncRPNn(n);
        set_.InvalidateFuncCacheN(n);
    } else if (insertsToken(code)) {
        e.changed = set_.editText(n, [code](TokenLine& t) { t.insertAtCursor(code); });
    }
    return e;
}

FuncEditor::KeyEffect FuncEditor::moveCursor(int to) {
    KeyEffect e;
    set_.editText(set_.CurrentFunc,
                  [to](TokenLine& t) { t.cursor = std::clamp(to, 1, t.count() + 1); });
    return e;
}

FuncEditor::KeyEffect FuncEditor::home() {
    return moveCursor(1);
}

FuncEditor::KeyEffect FuncEditor::end() {
    return moveCursor(set_.slot(set_.CurrentFunc).TokenCount() + 1);
}

FuncEditor::KeyEffect FuncEditor::left() {
    const int c = set_.slot(set_.CurrentFunc).text.cursor;
    return c > 1 ? moveCursor(c - 1) : KeyEffect{};
}

FuncEditor::KeyEffect FuncEditor::right() {
    const TokenLine& t = set_.slot(set_.CurrentFunc).text;
    return t.cursor <= t.count() ? moveCursor(t.cursor + 1) : KeyEffect{};
}

FuncEditor::KeyEffect FuncEditor::selectSlot(int n, int top) {
    KeyEffect e;
    e.slotChanged = n != set_.CurrentFunc;
    e.topChanged = top != topSlot_;
    set_.CurrentFunc = n;
    topSlot_ = top;
    return e;
}

FuncEditor::KeyEffect FuncEditor::up() {
    const int n = std::max(1, set_.CurrentFunc - 1);
    return selectSlot(n, std::min(topSlot_, n));
}

FuncEditor::KeyEffect FuncEditor::down() {
    const int n = std::min(kFuncSlotCount, set_.CurrentFunc + 1);
    return selectSlot(n, std::max(topSlot_, n - (kRows - 1)));
}

FuncEditor::KeyEffect FuncEditor::pageUp() {
    const int n = std::max(1, set_.CurrentFunc - kRows);
    return selectSlot(n, std::min(topSlot_, n));
}

FuncEditor::KeyEffect FuncEditor::pageDown() {
    const int n = std::min(kFuncSlotCount, set_.CurrentFunc + kRows);
    return selectSlot(n, std::max(topSlot_, n - (kRows - 1)));
}

FuncEditor::KeyEffect FuncEditor::deleteKey() {
    KeyEffect e;
    e.changed = set_.editText(set_.CurrentFunc, [](TokenLine& t) { t.deleteForward(); });
    return e;
}

void FuncEditor::copySelected() {
    std::vector<TokenCode> selected = set_.slot(set_.CurrentFunc).text.selectedTokens();
    if (!selected.empty()) shared_.clipboard = std::move(selected);
}

FuncEditor::KeyEffect FuncEditor::cutSelected() {
    KeyEffect e;
    if (!set_.slot(set_.CurrentFunc).text.hasSelection()) return e;
    copySelected();
    e.changed = set_.editText(set_.CurrentFunc, [](TokenLine& t) { t.backspace(); });
    return e;
}

// The clipboard's tokens at the cursor, all or nothing; a selection is not replaced.
FuncEditor::KeyEffect FuncEditor::pasteSelected() {
    KeyEffect e;
    const TokenClipboard& clip = shared_.clipboard;
    e.changed = set_.editText(set_.CurrentFunc, [&clip](TokenLine& t) { t.pasteAtCursor(clip); });
    return e;
}

void FuncEditor::clearAll() {
    set_.ClearAll();
    topSlot_ = 1;
}

} // namespace tallix
