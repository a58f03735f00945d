#include "engine/graph/GraphReadout.h"

#include "engine/core/Scalar.h"
#include "engine/func/FuncSet.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tallix {

namespace {

constexpr const char* kNoValue = "- no value -";

std::string general(Extended v, int significant) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general,
                                 std::clamp(significant, 1, 18));
    return std::string(buf, r.ptr);
}

// Polar coordinates of a world point, θ in the trig mode's unit.
std::pair<Extended, Extended> polarOf(Extended x, Extended y, TrigMode trig) {
    const Extended theta = std::atan2(y, x);
    return {trig == TrigMode::Degrees ? theta * 180 / kPi : theta, std::hypot(x, y)};
}

} // namespace

std::string readoutNumber(Extended v, Extended perPixel) {
    if (isUndefined(v) || !std::isfinite(v)) return kNoValue;
    const Extended step = std::fabs(perPixel) > 0 ? std::fabs(perPixel) : 1;
    if (v == 0) return "0";
    // Digits down to the place of one pixel's step.
    const int lead = static_cast<int>(std::floor(std::log10(std::fabs(v))));
    const int last = static_cast<int>(std::floor(std::log10(step) + 1e-9L));
    if (lead < last) return "0";
    if (lead < -5 || lead >= 15) return general(v, lead - last + 1);
    char buf[64];
    const auto r =
        std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, std::max(0, -last));
    return std::string(buf, r.ptr);
}

std::string pointerReadout(const PlotLayout& p, GraphKind kind, TrigMode trig, int x, int y) {
    const Extended wx = p.worldX(x), wy = p.worldY(y);
    if (kind == GraphKind::Polar || kind == GraphKind::PolarParametric) {
        const auto [theta, r] = polarOf(wx, wy, trig);
        const Extended perRad = std::max(p.XPerPixel, p.YPerPixel) / std::max<Extended>(r, 1e-300L);
        const Extended thetaStep = trig == TrigMode::Degrees ? perRad * 180 / kPi : perRad;
        return "\u03B8 = " + readoutNumber(theta, thetaStep) +
               "   r = " + readoutNumber(r, std::max(p.XPerPixel, p.YPerPixel));
    }
    return "x = " + readoutNumber(wx, p.XPerPixel) + "   y = " + readoutNumber(wy, p.YPerPixel);
}

std::optional<TraceReadout> traceNearest(FuncSet& set, const GraphSampler& sampler, TrigMode trig,
                                         int x, int y) {
    const GraphScene& s = sampler.scene();
    const PlotLayout& p = s.layout;
    std::optional<TraceReadout> best;
    if (s.kind == GraphKind::Cartesian) {
        const Extended wx = p.worldX(x);
        Extended bestDistance = 0;
        for (int i = 0; i < s.curveCount; ++i) {
            const Curve& c = s.curves[static_cast<std::size_t>(i)];
            set.EvalFuncAtX(c.slot, wx, trig);
            const bool defined = set.FuncErrorText.empty() && !isUndefined(set.FuncResult) &&
                                 std::isfinite(set.FuncResult);
            const Extended fx = set.FuncResult;
            // An undefined curve is taken only when no curve has a value here.
            const Extended distance = defined ? std::fabs(p.row(fx) - y) : 1e30L;
            if (best && !(distance < bestDistance)) continue;
            bestDistance = distance;
            TraceReadout r;
            r.slot = c.slot;
            r.colour = c.colour;
            if (defined) {
                r.text = std::to_string(c.slot) + ":  x = " + readoutNumber(wx, p.XPerPixel) +
                         "   y = " + readoutNumber(fx, p.YPerPixel);
                r.at = WorldPoint{wx, fx};
            } else {
                r.text = std::to_string(c.slot) + ":  x = " + readoutNumber(wx, p.XPerPixel) +
                         "   " + kNoValue;
            }
            best = r;
        }
        return best;
    }
    // Polar and parametric: the nearest sampled point of any drawn curve.
    long bestSquare = 0;
    int bestCurve = -1;
    std::size_t bestK = 0;
    for (int i = 0; i < s.curveCount; ++i) {
        const Curve& c = s.curves[static_cast<std::size_t>(i)];
        for (std::size_t k = 0; k < c.points.size(); ++k) {
            const WorldPoint& w = c.points[k];
            if (isUndefined(w.x) || isUndefined(w.y)) continue;
            const long dx = p.column(w.x) - x, dy = p.row(w.y) - y;
            const long d = dx * dx + dy * dy;
            if (bestCurve >= 0 && d >= bestSquare) continue;
            bestSquare = d;
            bestCurve = i;
            bestK = k;
        }
    }
    if (bestCurve < 0) return std::nullopt;
    const Curve& c = s.curves[static_cast<std::size_t>(bestCurve)];
    const Extended arg = sampler.argument(bestK);
    TraceReadout r;
    r.slot = c.slot;
    r.colour = c.colour;
    const Extended step = std::max(p.XPerPixel, p.YPerPixel);
    auto value = [&](int slot) -> std::optional<Extended> {
        set.EvalFuncAtX(slot, arg, trig);
        if (!set.FuncErrorText.empty() || isUndefined(set.FuncResult)) return std::nullopt;
        return set.FuncResult;
    };
    if (s.kind == GraphKind::Polar) {
        const auto rv = value(c.slot);
        r.text = std::to_string(c.slot) + ":  \u03B8 = " + general(arg, 7) +
                 "   r = " + (rv ? readoutNumber(*rv, step) : kNoValue);
        if (rv) r.at = c.points[bestK];
    } else {
        const auto a = value(c.slot), b = value(c.slot + 1);
        const bool polar = s.kind == GraphKind::PolarParametric;
        r.text = std::to_string((c.slot + 1) / 2) + ":  t = " + general(arg, 7) + "   " +
                 (polar ? "\u03B8 = " : "x = ") + (a ? readoutNumber(*a, step) : kNoValue) + "   " +
                 (polar ? "r = " : "y = ") + (b ? readoutNumber(*b, step) : kNoValue);
        if (a && b) r.at = c.points[bestK];
    }
    return r;
}

} // namespace tallix
