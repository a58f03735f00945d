#pragma once

#include <array>
#include <functional>
#include <string_view>
#include <vector>

namespace tallix {

// Where the cells of a matrix go in a box: one rule for the cell editor, the
// algebra result, the Inv and Rref results and the Gauss-Jordan animation.
// All lengths in logical pixels.
struct MatGridLayout {
    int gapSpaces = 0;          // the column gap in spaces (0 for one column, else 2..8)
    int gap = 0;                // the same in pixels
    std::array<int, 11> colX{}; // left x of each column, then the right end
    std::array<int, 11> rowY{}; // top y of each row
    int pitch = 0;              // row pitch
    int bottom = 0;             // the bottom of the last row's entry
    int leftBracket = 0;        // x of the left bracket
    int rightBracket = 0;       // x of the right bracket
    int bracketTop = 0;         // y of the hooks
    int bracketBottom = 0;
};

// `colWidths`: the widest cell text of each column (1..10 columns);
// `spaceWidth` the width of " " and `lineHeight` the height of "TLY" in the
// elements font; rows 1..10; the box is boxWidth x boxHeight.
MatGridLayout layoutMatGrid(const std::vector<int>& colWidths, int rows, int spaceWidth,
                            int lineHeight, int boxWidth, int boxHeight);

// The character cursor (1-based) a click puts into `text` at `offset` pixels
// from its left edge: after the longest prefix narrower than the offset; an
// offset of 3 or less gives 1. `width` measures a text.
int cursorForOffset(std::string_view text, int offset,
                    const std::function<int(std::string_view)>& width);

// The index (0-based) of the last of `starts` whose start - 4 is at or left
// of `pos`, 0 when none is.
int lastStartAtOrBefore(const int* starts, int count, int pos);

} // namespace tallix
