// X-axis crossings: a scan of 100 steps with bisection on sign changes and a
// touching search where a local extremum points toward zero.
#include "engine/analysis/AnalysisSupport.h"
#include "engine/analysis/GraphAnalysis.h"

#include <functional>
#include <optional>

namespace tallix {

using namespace analysis;

namespace {

using Curve = std::function<Extended(Extended)>;

constexpr int kTouchSteps = 1001;
constexpr int kBisectRounds = 10001;

// Narrows [lo, hi] around the smallest |g| by tenths of the bracket. Nothing
// when an evaluation fails or the value there is not within 1e-15 of 0.
std::optional<Extended> touchingSearch(const Curve& g, Extended lo, Extended flo, Extended hi,
                                       Extended fhi) {
    for (int i = 0; i < kTouchSteps; ++i) {
        if (std::fabs(flo) > std::fabs(fhi)) {
            lo += (hi - lo) * 0.1L;
            flo = g(lo);
        } else {
            hi -= (hi - lo) * 0.1L;
            fhi = g(hi);
        }
        if (isUndefined(flo) || isUndefined(fhi)) return std::nullopt;
        if (std::fabs(hi * 1e-16L) > std::fabs(hi - lo)) break;
    }
    const Extended root = (lo + hi) / 2;
    const Extended v = g(root);
    if (isUndefined(v) || !(std::fabs(v) < 1e-15L)) return std::nullopt;
    return root;
}

// Bisection of a sign change on [lo, hi]. An end whose value is exactly 0 is
// the root. Gives up on an undefined midpoint, when the values at the ends
// grow apart (a pole), or after the round limit. The width test is relative,
// so that it can be met at any magnitude of the argument.
std::optional<Extended> bisection(const Curve& g, Extended lo, Extended flo, Extended hi,
                                  Extended fhi) {
    if (flo == 0) return lo;
    Extended width = std::fabs(flo - fhi);
    for (int round = 0; round < kBisectRounds; ++round) {
        const Extended mid = (lo + hi) / 2;
        const Extended fm = g(mid);
        if (isUndefined(fm)) return std::nullopt;
        if (std::fabs(fm) < 1e-80L) return mid;
        if ((std::fabs(lo) + std::fabs(hi)) * 1e-16L > std::fabs(lo - hi) ||
            std::fabs(lo - hi) < 1e-18L)
            return mid;
        if (flo * fm >= 0) {
            lo = mid;
            flo = fm;
        } else {
            hi = mid;
            fhi = fm;
        }
        const Extended d = std::fabs(flo - fhi);
        if (!(width >= d)) return std::nullopt;
        width = d;
    }
    return std::nullopt;
}

struct Sample {
    Extended at = 0, v = 0;
};

// Scans g from `from` in steps of `step` while below `to` and calls
// found(root) for each root; found returns false to end the scan. `start`
// has already found the first defined sample (start.at <= to).
template <class Found>
void scanRoots(const Curve& g, Sample start, Extended from, Extended to, Extended step,
               Found found) {
    Sample p0 = start, p1 = start;
    Extended x = start.at;
    Extended c = start.v;
    for (;;) {
        x += step;
        if (!(x < to)) return;
        const Extended v = g(x);
        if (!isUndefined(v)) {
            c = v;
            std::optional<Extended> root;
            if (c * p1.v > 0) {
                if (x > from && extremumTowardZero(p0.v, p1.v, c))
                    root = touchingSearch(g, p0.at, p0.v, x, c);
            } else {
                root = bisection(g, p1.at, p1.v, x, c);
            }
            if (root) {
                if (!found(*root)) return;
                x = *root + 0.05L * step;
                c = g(x);
                if (isUndefined(c)) return; // no stale value carries the scan on
            }
        }
        p0 = p1;
        p1 = {x, c};
    }
}

void cartesianCrossings(FuncSet& funcs, const AnalysisInput& in, std::vector<std::string>& out) {
    const Evaluator eval{funcs, in.trig};
    const Extended h = (in.xb - in.xa) / 100;
    for (int n = 1; n <= kFuncSlotCount; ++n) {
        if (!searchable(funcs, n)) continue;
        const Curve g = [&, n](Extended x) { return eval(n, x); };
        Sample start{in.xa, 0};
        for (; start.at <= in.xb; start.at += h)
            if (start.v = g(start.at); !isUndefined(start.v)) break;
        if (!(start.at <= in.xb)) continue;
        bool header = false;
        Extended last = UndefinedMarker;
        scanRoots(g, start, in.xa, in.xb, h, [&](Extended root) {
            if (!sameRoot(last, root)) {
                if (!header) out.push_back(std::to_string(n));
                header = true;
                out.push_back(" x = " + fixed10(root));
                addPiForm(out, " = ", root);
                out.push_back(" y = 0");
            }
            last = root;
            return true;
        });
    }
}

void parametricCrossings(FuncSet& funcs, const AnalysisInput& in, std::vector<std::string>& out) {
    const Evaluator eval{funcs, in.trig};
    const Extended ht = (in.tMax - in.tMin) / 100;
    for (int j = 1; j < kFuncSlotCount; j += 2) {
        if (!pairSearchable(funcs, j)) continue;
        const Curve y = [&, j](Extended t) { return eval(j + 1, t); };
        const auto inRegion = [&](Extended xv) {
            return !isUndefined(xv) && in.xa <= xv && xv <= in.xb;
        };
        Sample start{in.tMin, 0};
        for (; start.at <= in.tMax; start.at += ht) {
            start.v = y(start.at);
            if (!isUndefined(start.v) && inRegion(eval(j, start.at))) break;
        }
        if (!(start.at <= in.tMax)) continue;
        bool header = false;
        Extended last = UndefinedMarker;
        scanRoots(y, start, in.tMin, in.tMax, ht, [&](Extended t) {
            const Extended xv = eval(j, t);
            if (inRegion(xv) && !sameRoot(last, t)) {
                if (!header) out.push_back(std::to_string((j + 1) / 2));
                header = true;
                out.push_back(" t = " + fixed10(t));
                addPiForm(out, " = ", t);
                out.push_back(" x = " + fixed10(xv));
                addPiForm(out, " = ", xv);
                out.push_back(" y = 0");
            }
            last = t;
            return true;
        });
    }
}

} // namespace

void findCrossings(FuncSet& funcs, const AnalysisInput& in, std::vector<std::string>& report) {
    if (funcs.ParamMode)
        parametricCrossings(funcs, in, report);
    else
        cartesianCrossings(funcs, in, report);
}

} // namespace tallix
