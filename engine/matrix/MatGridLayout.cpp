#include "engine/matrix/MatGridLayout.h"

#include <algorithm>
#include <numeric>

namespace tallix {

MatGridLayout layoutMatGrid(const std::vector<int>& colWidths, int rows, int spaceWidth,
                            int lineHeight, int boxWidth, int boxHeight) {
    MatGridLayout g;
    const int cols = std::clamp(static_cast<int>(colWidths.size()), 1, 10);
    rows = std::clamp(rows, 1, 10);
    spaceWidth = std::max(1, spaceWidth);
    const int sum = std::accumulate(colWidths.begin(), colWidths.begin() + cols, 0);
    if (cols > 1) {
        // Integer divisions truncate towards zero, as the rule is written.
        const int spread = (boxWidth - sum) / (cols - 1) / spaceWidth;
        g.gapSpaces = std::clamp(spread * 20 / 64, 2, 8);
    }
    g.gap = g.gapSpaces * spaceWidth;
    const int total = sum + (cols - 1) * g.gap;
    g.colX[0] = boxWidth / 2 - total / 2;
    for (int c = 1; c <= cols; ++c)
        g.colX[static_cast<std::size_t>(c)] = g.colX[static_cast<std::size_t>(c - 1)] +
                                              colWidths[static_cast<std::size_t>(c - 1)] +
                                              (c < cols ? g.gap : 0);
    const int right = g.colX[static_cast<std::size_t>(cols)];
    for (int c = cols + 1; c <= 10; ++c)
        g.colX[static_cast<std::size_t>(c)] = right;

    g.pitch = lineHeight * 19 / 16;
    g.rowY[0] = boxHeight * 29 / 64 - (rows * g.pitch) / 2;
    for (int r = 1; r <= 10; ++r)
        g.rowY[static_cast<std::size_t>(r)] = g.rowY[static_cast<std::size_t>(r - 1)] + g.pitch;
    g.bottom = g.rowY[static_cast<std::size_t>(rows - 1)] + g.pitch - 2 * lineHeight / 16;
    g.leftBracket = g.colX[0] - g.gap;
    g.rightBracket = right + g.gap;
    g.bracketTop = g.rowY[0] - 4;
    g.bracketBottom = g.bottom + 4;
    return g;
}

int cursorForOffset(std::string_view text, int offset,
                    const std::function<int(std::string_view)>& width) {
    if (offset <= 3) return 1;
    std::size_t n = 0;
    while (n < text.size() && width(text.substr(0, n + 1)) < offset)
        ++n;
    return static_cast<int>(n) + 1;
}

int lastStartAtOrBefore(const int* starts, int count, int pos) {
    int found = 0;
    for (int i = 0; i < count; ++i)
        if (starts[i] - 4 <= pos) found = i;
    return found;
}

} // namespace tallix
