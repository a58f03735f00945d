#include "engine/calc/ExpGeometry.h"

#include <algorithm>
#include <cmath>

namespace tallix::expgeo {

int bandTop(int n, int height) {
    return static_cast<int>(std::lround(height * (kLines - n) / double(kLines)));
}

int bandBottom(int n, int height) {
    return static_cast<int>(std::lround(height * (kLines + 1 - n) / double(kLines)));
}

int lineAtY(int y, int height) {
    if (height <= 0) return 1;
    const int n = static_cast<int>((height - y) * kLines / double(height)) + 1;
    return std::clamp(n, 1, kLines);
}

std::vector<bool> nthRootIndexDigits(std::span<const TokenCode> tokens, TokenCode root) {
    std::vector<bool> index(tokens.size(), false);
    for (std::size_t i = tokens.size(); i-- > 1;) {
        if (tokens[i] != root) continue;
        for (std::size_t j = i; j-- > 0 && isDigitCode(tokens[j]);)
            index[j] = true;
    }
    return index;
}

int lastEdge(const TokenLine& line, const LineLayout& layout) {
    if (line.empty() || !layout.fits(line)) return 0;
    return std::max(layout.rightEdge.back(), 0);
}

int cursorForX(const TokenLine& line, const LineLayout& layout, int x) {
    const int n = line.count();
    if (n == 0 || !layout.fits(line) || x > lastEdge(line, layout)) return n + 1;
    for (int p = 1; p <= n; ++p)
        if (layout.rightEdge[static_cast<std::size_t>(p - 1)] >= x) return p;
    return n + 1;
}

void selectSpan(TokenLine& line, const LineLayout& layout, int x1, int x2) {
    const int lo = std::min(x1, x2), hi = std::max(x1, x2);
    line.clearSelection();
    if (!layout.fits(line)) return;
    for (int p = 1; p <= line.count(); ++p) {
        const int right = layout.rightEdge[static_cast<std::size_t>(p - 1)];
        if (right < 0) continue;
        const int left = right - layout.width[static_cast<std::size_t>(p - 1)];
        if (right < lo || left > hi) continue;
        if (line.selStart < 0) line.selStart = p;
        line.selEnd = p;
    }
}

int scrollAfterInsert(int offset, const TokenLine& line, const LineLayout& layout, int w) {
    const int edge = lastEdge(line, layout);
    if (edge - offset > w - 25) return edge - w + 35;
    return offset;
}

int scrollForEnd(const TokenLine& line, const LineLayout& layout, int w) {
    if (line.count() <= 1) return 0;
    return std::max(0, lastEdge(line, layout) - w + 40);
}

ScrollPart scrollPartAt(bool rightButton, int x, int width) {
    const int part = width > 0 ? std::clamp(3 * x / width, 0, 2) : 0;
    return static_cast<ScrollPart>((rightButton ? 3 : 0) + part);
}

int scrollByButton(ScrollPart part, int offset, int w, int e) {
    const int endOffset = e - w + 20;
    switch (part) {
    case ScrollPart::ToStart:
        return 0;
    case ScrollPart::PageLeft:
        return std::max(0, offset - w);
    case ScrollPart::TenthLeft:
        return std::max(0, offset - w / 10);
    case ScrollPart::TwentiethRight:
        offset += w / 20;
        break;
    case ScrollPart::PageRight:
        offset += w;
        break;
    case ScrollPart::ToEnd:
        offset = endOffset;
        break;
    }
    return std::max(0, std::min(offset, endOffset));
}

} // namespace tallix::expgeo
