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

int lastEdge(const ExpLine& line) {
    if (line.tokens.empty() || line.rightEdge.size() != line.tokens.size()) return 0;
    return std::max(line.rightEdge.back(), 0);
}

int cursorForX(const ExpLine& line, int x) {
    const int n = line.count();
    if (n == 0 || line.rightEdge.size() != line.tokens.size() || x > lastEdge(line)) return n + 1;
    for (int p = 1; p <= n; ++p)
        if (line.rightEdge[static_cast<std::size_t>(p - 1)] >= x) return p;
    return n + 1;
}

void selectSpan(ExpLine& line, int x1, int x2) {
    const int lo = std::min(x1, x2), hi = std::max(x1, x2);
    line.selStart = line.selEnd = -1;
    if (line.rightEdge.size() != line.tokens.size()) return;
    for (int p = 1; p <= line.count(); ++p) {
        const int right = line.rightEdge[static_cast<std::size_t>(p - 1)];
        if (right < 0) continue;
        const int left = right - line.width[static_cast<std::size_t>(p - 1)];
        if (right < lo || left > hi) continue;
        if (line.selStart < 0) line.selStart = p;
        line.selEnd = p;
    }
}

int scrollAfterInsert(int offset, const ExpLine& line, int w) {
    const int edge = lastEdge(line);
    if (edge - offset > w - 25) return edge - w + 35;
    return offset;
}

int scrollForEnd(const ExpLine& line, int w) {
    if (line.count() <= 1) return 0;
    return std::max(0, lastEdge(line) - w + 40);
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
