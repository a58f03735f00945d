// The global minimum or maximum inside the region: rounds of 101 samples,
// each narrowing the bracket to the two steps around the best sample.
#include "engine/analysis/AnalysisSupport.h"
#include "engine/analysis/GraphAnalysis.h"

#include <functional>
#include <optional>

namespace tallix {

using namespace analysis;

namespace {

// A sample's value, or undefined when it does not count.
using Sampler = std::function<Extended(Extended)>;

constexpr int kMaxRounds = 1000; // the width tests end the rounds long before

// The argument of the best sample of the last round, or nothing when that
// round had no defined sample.
std::optional<Extended> bestArgument(const Sampler& value, bool maximum, Extended lo, Extended hi) {
    std::optional<Extended> bestAt;
    for (int round = 0; round < kMaxRounds; ++round) {
        Extended best = UndefinedMarker;
        int bestIndex = 0, first = -1, last = -1;
        Extended bestX = lo;
        const Extended step = (hi - lo) / 100;
        for (int i = 0; i <= 100; ++i) {
            // The maximum keeps its step for the round; the minimum divides
            // each time (the two differ in the last bit).
            const Extended x = maximum ? lo + i * step : lo + i * (hi - lo) / 100;
            const Extended v = value(x);
            if (isUndefined(v)) continue;
            if (first < 0) first = i;
            last = i;
            if (isUndefined(best) || (maximum ? v > best : v < best)) {
                best = v;
                bestIndex = i;
                bestX = x;
            }
        }
        if (isUndefined(best)) return std::nullopt;
        bestAt = bestX;
        const Extended s = (hi - lo) / 100;
        if (bestIndex == first) {
            if (bestIndex == 0) {
                hi = lo + 2 * s;
            } else {
                lo = lo + (bestIndex - 1) * s;
                hi = lo + 2 * s;
            }
        } else if (bestIndex == last && bestIndex == 100) {
            lo = hi - 2 * s;
        } else {
            lo = lo + (bestIndex - 1) * s;
            hi = lo + 2 * s;
        }
        if (!(hi - lo > std::fabs((lo + hi) * 1e-20L) && hi - lo >= 1e-100L)) break;
    }
    return bestAt;
}

// Within 1e-9 of a whole number: that number (half to even).
Extended snapped(Extended x) {
    const Extended r = std::nearbyint(x);
    return std::fabs(r - x) <= 1e-9L ? r : x;
}

} // namespace

void findExtrema(FuncSet& funcs, bool maximum, const AnalysisInput& in,
                 std::vector<std::string>& out) {
    const Evaluator eval{funcs, in.trig};
    if (!funcs.ParamMode) {
        for (int n = 1; n <= kFuncSlotCount; ++n) {
            if (!searchable(funcs, n)) continue;
            const auto at =
                bestArgument([&](Extended x) { return eval(n, x); }, maximum, in.xa, in.xb);
            if (!at) continue;
            Extended x = snapped(*at);
            Extended y = eval(n, x);
            if (isUndefined(y)) y = eval(n, x = *at); // the snap left the domain
            out.push_back(std::to_string(n));
            out.push_back(" x = " + fixed10(x));
            addPiForm(out, "    = ", x);
            out.push_back(" y = " + fixed10(y));
        }
        return;
    }
    for (int j = 1; j < kFuncSlotCount; j += 2) {
        if (!searchable(funcs, j)) continue;
        const Sampler onCurve = [&](Extended t) {
            const Extended xv = eval(j, t);
            if (isUndefined(xv) || !(in.xa <= xv && xv <= in.xb)) return UndefinedMarker;
            return eval(j + 1, t);
        };
        const auto at = bestArgument(onCurve, maximum, in.tMin, in.tMax);
        if (!at) continue;
        Extended t = snapped(*at);
        if (isUndefined(onCurve(t))) t = *at;
        const Extended xv = eval(j, t), yv = eval(j + 1, t);
        out.push_back(std::to_string((j + 1) / 2));
        out.push_back(" t = " + fixed10(t));
        addPiForm(out, "    = ", t);
        out.push_back(" x = " + fixed10(xv));
        addPiForm(out, "    = ", xv);
        out.push_back(" y = " + fixed10(yv));
    }
}

} // namespace tallix
