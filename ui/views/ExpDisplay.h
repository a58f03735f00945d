#pragma once

#include "engine/calc/CalcEditor.h"
#include "engine/calc/ExpGeometry.h"
#include "ui/views/PaintBox.h"
#include "ui/views/TokenGlyphs.h"

#include <QFont>

#include <array>
#include <optional>

namespace tallix {

// The calculator display `expPB`: the 8 lines of the editor as horizontal
// bands (line 1 at the bottom), each with its tokens drawn as mathematics,
// its cursor mark, its selection and its answer. Token positions are this
// display's (one layout per line); the horizontal scroll is the editor's.
//
// Mouse: a left press picks the line under it, a drag selects tokens, the
// release places the cursor. A right press asks for the calculator menu.
class ExpDisplay : public PaintBox {
    Q_OBJECT
public:
    ExpDisplay(CalcEditor& editor, QWidget* parent);

    // Cursor colour (Windows colour value) and whether parentheses are
    // coloured by their nesting depth (otherwise black).
    void setLook(int cursorColor, bool colorParens);

    // Width in pixels of the token at 1-based pos of line n, in the small
    // font (an n-th root index digit) or the normal one.
    int ExpTokenWidth(int line, int pos, bool small) const;
    // Lays out the current line.
    void VerifyExpPBallocation() { layoutLine(editor_.currentLine()); }
    // Positions every token of line n (1..8) from x = 4; n-th root index
    // digits take the small font and the radical overlaps them.
    void layoutLine(int n);
    // Where line n's tokens were drawn at its last layout.
    const expgeo::LineLayout& layout(int n) const {
        return layouts_[static_cast<std::size_t>(n < 1 ? 0 : n > 8 ? 7 : n - 1)];
    }
    // Repaints only line n's band.
    void InvalidateExpPBExpN(int n);
    // Lays out every line and repaints the whole display.
    void repaintAll();

    // The cursor mark of line n: its x on the display, or nothing when it is
    // scrolled out of sight.
    std::optional<int> cursorMarkX(int n) const;
    // One blink: the current line's cursor mark drawn in exclusive-or, so
    // that it alternately disappears and reappears.
    void blinkCursor();

    // Fonts of the tokens (normal, small index digits, radical and pi).
    const QFont& normalFont() const { return glyphs_.normalFont(); }
    const QFont& smallFont() const { return glyphs_.smallFont(); }

signals:
    // The current line, a cursor or a selection changed through the mouse.
    void edited();
    // A right press at pos (display coordinates).
    void menuRequested(QPoint pos);

protected:
    void render(QPainter& painter) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool bandActive(int n) const;
    QColor bandColor(int n) const;
    void paintBand(QPainter& p, int n);
    void paintResult(QPainter& p, const ExpLine& line, int bottom);
    void paintFrame(QPainter& p);

    CalcEditor& editor_;
    std::array<expgeo::LineLayout, expgeo::kLines> layouts_;
    TokenGlyphs glyphs_;
    QColor cursorColor_;
    bool colorParens_ = true;

    // Mouse state of a left press on the current line.
    bool leftDown_ = false;
    bool pressSwitchedLine_ = false;
    bool dragging_ = false;
    QPoint pressAt_;
};

} // namespace tallix
