#include "engine/graph/GraphInteraction.h"

#include <algorithm>

namespace tallix {

namespace {

bool polarKind(GraphKind k) {
    return k == GraphKind::Polar || k == GraphKind::PolarParametric;
}

// The x limits a graph of this kind is drawn from, made explicit from the
// plot when not set yet.
UserLimits& xLimits(GraphWindow& w, GraphKind kind, const PlotLayout& p) {
    UserLimits& u = polarKind(kind) ? w.polarX : w.userX;
    if (!u.set) u = {true, p.PlotXMin, p.PlotXMax};
    return u;
}

UserLimits& yLimits(GraphWindow& w, GraphKind kind, const PlotLayout& p) {
    UserLimits& u = polarKind(kind) ? w.polarY : w.userY;
    if (!u.set || (!polarKind(kind) && w.yScaling != YScaling::UserDef))
        u = {true, p.PlotYMin, p.PlotYMax};
    if (!polarKind(kind)) w.yScaling = YScaling::UserDef;
    return u;
}

// Moves one end of x: the cartesian graph's XMin/XMax, the others' limits.
void moveX(GraphWindow& w, const PlotLayout& p, GraphKind kind, bool maxEnd, Extended by) {
    if (kind == GraphKind::Cartesian) {
        Extended& end = maxEnd ? w.XMax : w.XMin;
        const Extended moved = end + by;
        if (maxEnd ? moved > w.XMin : moved < w.XMax) end = moved;
        return;
    }
    UserLimits& u = xLimits(w, kind, p);
    Extended& end = maxEnd ? u.max : u.min;
    const Extended moved = end + by;
    if (maxEnd ? moved > u.min : moved < u.max) end = moved;
}

void moveY(GraphWindow& w, const PlotLayout& p, GraphKind kind, bool maxEnd, Extended by) {
    UserLimits& u = yLimits(w, kind, p);
    Extended& end = maxEnd ? u.max : u.min;
    const Extended moved = end + by;
    if (maxEnd ? moved > u.min : moved < u.max) end = moved;
}

void scaleAbout(Extended& lo, Extended& hi, Extended f) {
    const Extended span = hi - lo;
    lo -= f * span;
    hi += f * span;
}

} // namespace

void zoomToBox(GraphWindow& w, const PlotLayout& p, GraphKind kind, const PixelRect& box) {
    const Extended x1 = p.PlotXMin + (box.left - p.left) * p.XPerPixel;
    const Extended x2 = p.PlotXMin + (box.right - p.left) * p.XPerPixel;
    const Extended y1 = p.PlotYMax - (box.top - p.top) * p.YPerPixel;
    const Extended y2 = p.PlotYMax - (box.bottom - p.top) * p.YPerPixel;
    const UserLimits xs{true, std::min(x1, x2), std::max(x1, x2)};
    const UserLimits ys{true, std::min(y1, y2), std::max(y1, y2)};
    if (!(xs.min < xs.max) || !(ys.min < ys.max)) return;
    if (polarKind(kind)) {
        w.polarX = xs;
        w.polarY = ys;
    } else {
        if (kind == GraphKind::Cartesian) {
            w.XMin = xs.min;
            w.XMax = xs.max;
        } else {
            w.userX = xs;
        }
        w.userY = ys;
    }
    w.yScaling = YScaling::UserDef;
}

void applyHotZone(GraphWindow& w, const PlotLayout& p, GraphKind kind, int zone) {
    const Extended xSpan = p.PlotXMax - p.PlotXMin, ySpan = p.PlotYMax - p.PlotYMin;
    static constexpr Extended kSteps[4] = {-0.5L, -0.1L, 0.1L, 0.5L};
    switch (zone) {
    case 1:
    case 2: {
        const Extended f = zone == 1 ? -0.1L : 0.1L;
        if (kind == GraphKind::Cartesian) {
            scaleAbout(w.XMin, w.XMax, f);
            if (w.yScaling == YScaling::UserDef && w.userY.set)
                scaleAbout(w.userY.min, w.userY.max, f);
            break;
        }
        if (kind == GraphKind::Parametric) {
            w.userX = {true, p.PlotXMin, p.PlotXMax};
            w.userY = {true, p.PlotYMin, p.PlotYMax};
            w.yScaling = YScaling::UserDef;
        }
        UserLimits& x = xLimits(w, kind, p);
        UserLimits& y = yLimits(w, kind, p);
        scaleAbout(x.min, x.max, f);
        scaleAbout(y.min, y.max, f);
        break;
    }
    case 3:
    case 4:
    case 5:
    case 6:
        moveX(w, p, kind, true, kSteps[zone - 3] * xSpan);
        break;
    case 7:
    case 8:
    case 9:
    case 10:
        moveX(w, p, kind, false, kSteps[zone - 7] * xSpan);
        break;
    case 11:
    case 12: {
        if (!polarKind(kind)) break;
        UserLimits& y = yLimits(w, kind, p);
        scaleAbout(y.min, y.max, zone == 11 ? -0.1L : 0.1L);
        break;
    }
    case 13:
    case 14:
        moveY(w, p, kind, false, (zone == 13 ? -0.1L : 0.1L) * ySpan);
        break;
    case 15:
    case 16:
        moveY(w, p, kind, true, (zone == 15 ? 0.1L : -0.1L) * ySpan);
        break;
    case 17:
    case 18: {
        const Extended by = (zone == 17 ? 0.1L : -0.1L) * ySpan;
        if (w.yScaling == YScaling::OneToOne) {
            w.YCentre += by;
        } else if (w.yScaling == YScaling::UserDef && w.userY.set) {
            w.userY.min += by;
            w.userY.max += by;
        }
        break;
    }
    default:
        break;
    }
}

std::vector<GraphOverlay::HotMark> hotZoneMarks(int width, int height, GraphKind kind,
                                                YScaling scaling) {
    std::vector<GraphOverlay::HotMark> m;
    auto add = [&m](int zone, int left, int top, int w, const char* text) {
        m.push_back({zone, PixelRect{left, top, left + w - 1, top + 10}, text});
    };
    // Along the top: zoom in at the left, zoom out at the right.
    add(1, 3, 2, 28, "ZmIn    ");
    add(2, width - 34, 2, 32, "    ZmOut");
    // Bottom right: the right end of x; bottom left: the left end.
    const int bottom = height - 14;
    const char* arrows[4] = {"\xC2\xAB", "\xE2\x80\xB9", "\xE2\x80\xBA", "\xC2\xBB"}; // « ‹ › »
    for (int i = 0; i < 4; ++i) {
        add(3 + i, width - 4 - (4 - i) * 10, bottom, 9, arrows[i]);
        add(7 + i, 4 + i * 10, bottom, 9, arrows[i]);
    }
    // The left column: the upper end of y at the top, the lower end lower down.
    const char* up = "\xE2\x96\xB4";   // ▴
    const char* down = "\xE2\x96\xBE"; // ▾
    add(15, 3, 16, 9, up);
    add(16, 3, 27, 9, down);
    add(13, 3, bottom - 24, 9, down);
    add(14, 3, bottom - 13, 9, up);
    if (kind == GraphKind::Polar || kind == GraphKind::PolarParametric) {
        add(11, width - 13, 16, 9, "+");
        add(12, width - 13, 27, 9, "-");
    }
    if (scaling != YScaling::Auto) {
        add(17, width - 13, height / 2 - 11, 9, up);
        add(18, width - 13, height / 2, 9, down);
    }
    return m;
}

} // namespace tallix
