#pragma once

#include "engine/calc/ExpLine.h"

#include <span>
#include <vector>

namespace tallix {

// Pixel arithmetic of the calculator display that needs no fonts: the bands of
// the 8 lines, mouse hits against the laid-out tokens, and the horizontal
// scroll offset shared by all lines. Widths and heights are in logical pixels.
namespace expgeo {

inline constexpr int kLines = 8;

// Where the display drew each token of one line: the token's right edge and
// its width, one entry per token. The display owns it and lays it out again
// whenever the line's revision moves on; empty until the first layout.
struct LineLayout {
    std::vector<int> rightEdge;
    std::vector<int> width;
    bool fits(const TokenLine& line) const {
        return rightEdge.size() == line.tokens().size() && width.size() == rightEdge.size();
    }
};

// Top and bottom (exclusive) y of line n (1..8) in a display `height` high;
// line 1 is the bottom band.
int bandTop(int n, int height);
int bandBottom(int n, int height);
// The line under y: 1 at the bottom, 8 at the top (clamped to 1..8).
int lineAtY(int y, int height);

// Which tokens are digits of an n-th root index (drawn small, under the
// radical that follows them).
// `root` is the n-th root's code on the tokens' keypad.
std::vector<bool> nthRootIndexDigits(std::span<const TokenCode> tokens,
                                     TokenCode root = calc::NthRoot);

// Left x of the token at 1-based pos from its laid-out right edge and width.
inline int tokenLeft(const LineLayout& layout, int pos) {
    const auto i = static_cast<std::size_t>(pos - 1);
    return layout.rightEdge[i] - layout.width[i] + 1;
}
// Right edge of the line's last token, or 0 for an empty line.
int lastEdge(const TokenLine& line, const LineLayout& layout);

// The cursor position for a click at display x (scroll offset already added
// by the caller): after the last token when x lies beyond it, otherwise
// before the first token whose right edge is at or beyond x.
int cursorForX(const TokenLine& line, const LineLayout& layout, int x);

// The tokens whose span [right edge - width, right edge] overlaps [x1, x2]
// (display coordinates, the offset already added). Sets selStart/selEnd to
// the lowest and highest such positions; clears the selection when none.
void selectSpan(TokenLine& line, const LineLayout& layout, int x1, int x2);

// The new scroll offset after an insertion: keeps the last token 25 pixels
// inside the display of width w.
int scrollAfterInsert(int offset, const TokenLine& line, const LineLayout& layout, int w);
// The scroll offset for the End key: shows the end of the line, never below 0.
int scrollForEnd(const TokenLine& line, const LineLayout& layout, int w);

// The scroll buttons, each cut into three parts by x.
enum class ScrollPart { ToStart, PageLeft, TenthLeft, TwentiethRight, PageRight, ToEnd };
// part 0..2 of the left button or the right button, from x in a button `width` wide.
ScrollPart scrollPartAt(bool rightButton, int x, int width);
// The offset after a scroll-button part: w = display width, e = the largest
// right edge of a line's last token over all lines. Moves right stay in
// [0, e - w + 20]; moves left stop at 0.
int scrollByButton(ScrollPart part, int offset, int w, int e);

} // namespace expgeo
} // namespace tallix
