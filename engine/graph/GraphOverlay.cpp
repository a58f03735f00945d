#include "engine/graph/GraphOverlay.h"

#include "engine/core/Scalar.h"

#include <algorithm>

namespace tallix {

namespace {

bool defined(const WorldPoint& w) {
    return !isUndefined(w.x) && !isUndefined(w.y);
}

PixelPoint toPixel(const PlotLayout& p, const WorldPoint& w) {
    return {p.column(w.x), p.row(w.y)};
}

} // namespace

PixelOverlay resolveOverlay(const GraphOverlay& o, const PlotLayout& p) {
    PixelOverlay out;
    for (const GraphOverlay::Shade& s : o.shades) {
        PixelOverlay::Shade ps{{}, s.colour};
        for (const WorldPoint& w : s.outline)
            if (defined(w)) ps.outline.push_back(toPixel(p, w));
        if (ps.outline.size() >= 3) out.shades.push_back(std::move(ps));
    }
    for (const GraphOverlay::Line& l : o.lines) {
        if (!defined(l.from) || !defined(l.to)) continue;
        if (auto seg = clipSegment(toPixel(p, l.from), toPixel(p, l.to), p.top, p.B))
            out.lines.push_back({*seg, l.colour});
    }
    for (const GraphOverlay::Mark& m : o.marks) {
        if (!defined(m.at)) continue;
        const PixelPoint c = toPixel(p, m.at);
        if (c.x <= p.left || c.x >= p.R || c.y <= p.top || c.y >= p.B) continue;
        out.marks.push_back({c, m.colour, m.shape, m.label});
    }
    return out;
}

void HotZones::set(int n, const PixelRect& r) {
    if (n >= 1 && n <= kCount) zones_[static_cast<std::size_t>(n - 1)] = r;
}

std::optional<PixelRect> HotZones::zone(int n) const {
    if (n < 1 || n > kCount) return std::nullopt;
    return zones_[static_cast<std::size_t>(n - 1)];
}

int HotZones::at(int x, int y) const {
    static constexpr std::array<int, kCount> kOrder = {1,  2,  3,  4,  5,  6,  7,  8,  9,
                                                       10, 11, 12, 13, 14, 17, 18, 15, 16};
    for (int n : kOrder)
        if (const auto& z = zones_[static_cast<std::size_t>(n - 1)]; z && z->contains(x, y))
            return n;
    return 0;
}

} // namespace tallix
