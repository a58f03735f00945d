#include "engine/analysis/AnalysisOverlays.h"

#include "engine/analysis/AnalysisSupport.h"

namespace tallix {

namespace {

constexpr ColourValue kRed = 0x0000FF;

bool insideView(const PlotLayout& p, Extended x, Extended y) {
    return x > p.PlotXMin && x < p.PlotXMax && y > p.PlotYMin && y < p.PlotYMax;
}

} // namespace

GraphOverlay evalOverlay(const EvalAtXResult& r, const FuncSet& funcs, const PlotLayout& p) {
    GraphOverlay o;
    if (!r.valid) return o;
    const auto circle = [&](Extended x, Extended y) {
        o.marks.push_back({{x, y}, kRed, GraphOverlay::Shape::Circle, ""});
    };
    if (funcs.ParamMode) {
        for (int j = 1; j < kFuncSlotCount; j += 2) {
            const Extended x = r.values[j - 1], y = r.values[j];
            if (!isUndefined(x) && !isUndefined(y) && insideView(p, x, y)) circle(x, y);
        }
        return o;
    }
    if (!(r.x > p.PlotXMin && r.x < p.PlotXMax)) return o;
    for (int n = 0; n < kFuncSlotCount; ++n) {
        const Extended y = r.values[n], m = r.slopes[n];
        if (isUndefined(y) || !insideView(p, r.x, y)) continue;
        circle(r.x, y);
        if (isUndefined(m)) continue;
        if (std::fabs(m) > 1e21L) {
            const Extended up = std::min(y + 40 * p.YPerPixel, p.worldY(p.top + 1));
            const Extended down = std::max(y - 40 * p.YPerPixel, p.worldY(p.B - 1));
            o.lines.push_back({{r.x, down}, {r.x, up}, kRed});
            continue;
        }
        // 40 pixels along the tangent, whose slope in pixels is m x / y.
        const Extended s = m * p.XPerPixel / p.YPerPixel;
        const Extended dx = 40 / std::sqrt(1 + s * s) * p.XPerPixel;
        o.lines.push_back({{r.x - dx, y - m * dx}, {r.x + dx, y + m * dx}, kRed});
    }
    return o;
}

GraphOverlay integralOverlay(FuncSet& funcs, const IntegralInput& in, ColourValue fill,
                             const PlotLayout& p) {
    GraphOverlay o;
    const bool difference = in.type == IntegralType::Difference;
    if (in.primary < 1 || !funcs.slot(in.primary).defined()) return o;
    if (difference && (in.secondary < 1 || !funcs.slot(in.secondary).defined())) return o;
    const analysis::Evaluator eval{funcs, in.trig};
    const int from = std::max(p.left + 1, std::min(p.column(in.xmin), p.column(in.xmax)));
    const int to = std::min(p.R - 1, std::max(p.column(in.xmin), p.column(in.xmax)));
    const Extended topY = p.worldY(p.top - 1), bottomY = p.worldY(p.B - 1);
    for (int c = from; c <= to; ++c) {
        const Extended x = p.worldX(c);
        Extended y = eval(in.primary, x);
        if (isUndefined(y) || y < p.PlotYMin) continue;
        Extended other = 0;
        if (difference) {
            other = eval(in.secondary, x);
            if (isUndefined(other)) continue;
        } else if (in.type == IntegralType::PathLength) {
            const Extended tick = 2 * p.YPerPixel;
            o.lines.push_back(
                {{x, std::min(y + tick, topY)}, {x, std::max(y - tick, bottomY)}, fill});
            continue;
        }
        y = std::min(y, topY);
        other = std::max(std::min(other, topY), bottomY);
        o.lines.push_back({{x, y}, {x, other}, fill});
    }
    return o;
}

} // namespace tallix
