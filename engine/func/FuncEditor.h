#pragma once

#include "engine/edit/EditContext.h"
#include "engine/func/FuncSet.h"

namespace tallix {

// The f(x) mode's editor of the twenty slots: the function keys, the cursor
// keys and the token clipboard acting on the current slot (CurrentFunc).
// Every change of tokens goes through the FuncSet, which drops the slot's
// program and samples and sets FuncsChanged. The list's first visible slot
// is kept here with the current slot; pixel scrolling belongs to the list view.
class FuncEditor {
public:
    static constexpr int kRows = 3; // slots the list shows at a time

    FuncEditor(FuncSet& set, EditContext& shared) : set_(set), shared_(shared) {}

    // What a key did, for the views to repaint.
    struct KeyEffect {
        bool changed = false;     // the current slot's tokens changed
        bool cleared = false;     // the slot was emptied (CE): its scroll goes back to 0
        bool graph = false;       // the graph must be repainted (Enter, CE)
        bool slotChanged = false; // another slot became current
        bool topChanged = false;  // the first visible slot moved
    };

    int current() const { return set_.CurrentFunc; }
    // The slot in the list's first row, 1..20.
    int topSlot() const { return topSlot_; }
    // The scroll bar moved: the current slot is pulled into the visible rows.
    void setTopSlot(int top);
    // A click on a row: slot `n` (kept inside the visible rows) becomes current.
    bool chooseSlot(int n);

    // The function key handler for codes 0..43: inserts a token (a selection
    // around the cursor is replaced; a full slot ignores the key), 31 and 39
    // repaint the graph, 37 clears the slot, 38 deletes backwards.
    KeyEffect ProcessFuncButtonClick(TokenCode code);

    // Cursor and slot keys.
    KeyEffect home();
    KeyEffect end();
    KeyEffect left();
    KeyEffect right();
    KeyEffect up();
    KeyEffect down();
    KeyEffect pageUp();
    KeyEffect pageDown();
    KeyEffect deleteKey();

    // The token clipboard shared with the calculator.
    void copySelected();
    KeyEffect cutSelected();
    KeyEffect pasteSelected();

    // "Clear All" of the f(x) mode: every slot empty, slot 1 current and first.
    void clearAll();

private:
    KeyEffect moveCursor(int to);
    KeyEffect selectSlot(int n, int top);

    FuncSet& set_;
    EditContext& shared_;
    int topSlot_ = 1;
};

} // namespace tallix
