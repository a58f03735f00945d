#pragma once

#include "engine/calc/ExpGeometry.h"
#include "ui/views/PaintBox.h"
#include "ui/views/TokenGlyphs.h"

namespace tallix {

class Workspace;

// The function list of the f(x) mode (FuncPB): three slots at a time, each a
// row with its number, shown mark, colour bar, "y = " style prefix and
// tokens, the current slot with its cursor and selection. The first visible
// slot and the current slot are the editor's; the horizontal scroll of the
// current row and the token positions are this view's.
//
// Mouse: a press picks the row's slot; left of the text a click toggles the
// shown mark (x < 31) or asks for a colour (31..61); on the text a drag
// selects and the release places the cursor. A right press asks for the menu.
class FuncList : public PaintBox {
    Q_OBJECT
public:
    static constexpr int kTextLeft = 69; // where the token text area starts

    FuncList(Workspace& ws, QWidget* parent);

    void setCursorColour(int winColorValue);
    // The text of the variable token in the current graph mode: x, θ or t.
    QString variableText() const;

    // Lays out slot n's tokens: right edges from the text area's start.
    void VerifyFuncPBallocation(int n);
    const expgeo::LineLayout& layout(int n);
    // Width of a function token in the normal or small (root index) font.
    int FuncTokenWidth(TokenCode code, bool small) const;

    int scrollX() const { return scrollX_; }
    // The scroll buttons: part of the left or right button pressed at x.
    void scrollButton(bool rightButton, int x, int buttonWidth);
    // The scroll rules of the editor's keys.
    void resetScroll() { scrollX_ = 0; }
    void keepCursorInSight();   // after an insertion or Right
    void keepCursorAfterBack(); // after a deletion or Left (margin 20 or 12)
    void scrollForEnd();
    void afterLeft();

    // Repaints only slot n's row (when visible).
    void InvalidateFuncPBfuncN(int n);
    // One blink of the current slot's cursor, in exclusive-or.
    void DrawFuncPBcrCursor();
    // Row of slot n: top and bottom (inclusive), or top -1 when not visible.
    std::pair<int, int> rowOf(int n) const;

signals:
    void slotChosen();
    void edited();
    void shownToggled(int slot);
    void colourRequested(int slot);
    void menuRequested(QPoint pos);

protected:
    void render(QPainter& painter) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void paintRow(QPainter& p, int n);
    std::optional<int> cursorX() const;
    bool markedSlot(int n) const; // carries number, mark and colour bar

    Workspace& ws_;
    TokenGlyphs glyphs_;
    QFont prefixFont_;
    QColor cursorColour_;
    std::array<expgeo::LineLayout, 20> layouts_;
    std::array<std::vector<bool>, 20> small_;
    int scrollX_ = 0;

    // Mouse state of a left press.
    int anchor_ = 0;
    int dragEnd_ = -1;
    bool slotChanged_ = false, selectionMade_ = false, textDrag_ = false;
    bool togglePending_ = false, colourPending_ = false;
};

} // namespace tallix
