#pragma once

#include "engine/calc/ExpGeometry.h"
#include "engine/core/Tokens.h"

#include <QColor>
#include <QFont>

#include <array>

class QPainter;

namespace tallix {

// How calculator tokens look: the fonts, each code's width and its drawing
// (radicals and pi as symbols, x^2 and x^3 as raised digits, 10^ and e^ with
// their caret). Shared by the calculator display and the history list, so a
// line looks the same in both.
class TokenGlyphs {
public:
    TokenGlyphs();

    // Width in pixels of a code (0 for an unknown code, else at least 1), in
    // the small font (an n-th root index digit) or the normal one.
    int width(TokenCode code, bool small) const;
    // Draws a code with its box's top-left corner at (left, top); a box is
    // about 18 pixels tall.
    void paint(QPainter& p, TokenCode code, int left, int top, bool small, const QColor& ink) const;

    // Lays tokens out from x = left, each advancing by its width + 1: n-th
    // root index digits take the small font and the radical is drawn back over
    // its index. `index` receives which tokens are index digits.
    void layout(std::span<const TokenCode> tokens, int left, expgeo::LineLayout& out,
                std::vector<bool>& index) const;

    const QFont& normalFont() const { return normal_; }
    const QFont& smallFont() const { return small_; }

    // The DejaVu Sans font at a pixel size.
    static QFont pixelFont(int px);

private:
    QFont normal_, small_, symbol_, super_;
    // Widths per code (normal, small), measured once; 0 = not yet.
    mutable std::array<std::array<int, calc::kCodeCount>, 2> widths_{};
};

} // namespace tallix
