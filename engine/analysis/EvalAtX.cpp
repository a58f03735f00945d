#include "engine/analysis/EvalAtX.h"

#include "engine/analysis/AnalysisSupport.h"
#include "engine/calc/CalcEval.h"
#include "engine/core/FracSearch.h"
#include "engine/core/TextUtil.h"

namespace tallix {

namespace {

std::optional<Extended> readPart(std::string_view part) {
    part = trimBlanks(part);
    if (part.empty()) return std::nullopt;
    const Extended v = ExtractFPval(part);
    if (isUndefined(v)) return std::nullopt;
    return v;
}

} // namespace

std::optional<Extended> readXText(std::string_view text) {
    text = trimBlanks(text);
    const std::size_t slash = text.find('/');
    const auto num = readPart(text.substr(0, slash));
    const auto den = slash == std::string_view::npos ? std::optional<Extended>(1)
                                                     : readPart(text.substr(slash + 1));
    if (!num || !den || std::fabs(*den) < 1e-100L) return std::nullopt;
    return *num / *den;
}

std::string evalValueText(Extended v, const EvalOptions& options) {
    if (isUndefined(v)) return kNoValueText;
    if (!options.rational || v == std::nearbyint(v)) return decimalText(v);
    const bool negative = v < 0;
    if (options.piForms) {
        const FracMatch pi = fracSearch(std::fabs(v) / kPi, 1e-9L, kPiSearchSteps);
        if (pi.found && pi.q < 73) return piText(negative, pi.p, pi.q);
    }
    // A fraction only when the search met its tolerance; an irrational
    // value keeps its decimal text rather than the last fraction tried.
    const FracMatch m = fracSearch(std::fabs(v), 1e-9L, kLongFracSteps);
    if (m.found) return signedFraction(negative, m.p, m.q);
    return decimalText(v);
}

std::pair<Extended, Extended> slopePoints(Extended x) {
    if (std::fabs(x) <= 1e-9L) return {-1e-9L, 1e-9L};
    return {0.999L * x, 1.001L * x};
}

Extended slopeAt(const SlopeInputs& s) {
    const bool l = !isUndefined(s.left), r = !isUndefined(s.right);
    if (l && r) return (s.right - s.left) / (s.xr - s.xl);
    if (isUndefined(s.v) || (!l && !r)) return UndefinedMarker;
    if (r) return (s.right - s.v) / (s.xr - s.x);
    return (s.v - s.left) / (s.x - s.xl);
}

EvalAtXResult evaluateAtX(FuncSet& funcs, TrigMode trig, std::string_view xText,
                          const EvalOptions& options) {
    EvalAtXResult r;
    r.values.fill(UndefinedMarker);
    r.slopes.fill(UndefinedMarker);
    const auto x = readXText(xText);
    if (!x) return r;
    r.valid = true;
    r.x = *x;
    const analysis::Evaluator eval{funcs, trig};
    for (int n = 1; n <= kFuncSlotCount; ++n) {
        if (!analysis::searchable(funcs, n)) continue;
        const Extended v = eval(n, *x);
        r.values[n - 1] = v;
        r.lines.push_back(std::to_string(n) + "," + evalValueText(v, options));
        if (!options.slope) continue;
        const auto [xl, xr] = slopePoints(*x);
        const Extended m = slopeAt({*x, v, eval(n, xl), eval(n, xr), xl, xr});
        if (isUndefined(m)) continue;
        r.slopes[n - 1] = m;
        r.lines.push_back("m=" + formatFloat(FloatFormat::General, 6, 0, m));
    }
    return r;
}

} // namespace tallix
