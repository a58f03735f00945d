// Intersections of y = f(x) curves: the difference of each pair of slots is
// scanned like a crossing.
#include "engine/analysis/AnalysisSupport.h"
#include "engine/analysis/GraphAnalysis.h"

#include <algorithm>
#include <optional>

namespace tallix {

using namespace analysis;

namespace {

constexpr int kIsectRounds = 10001;

// Both slots at x: the difference fa - fb and the value of fa.
struct Diff {
    Extended d = 0, fa = 0, fb = 0;
    bool ok = false;
};

class PairCurve {
public:
    PairCurve(const Evaluator& eval, int a, int b) : eval_(eval), a_(a), b_(b) {}
    Diff at(Extended x) const {
        Diff r;
        r.fa = eval_(a_, x);
        if (isUndefined(r.fa)) return r;
        r.fb = eval_(b_, x);
        if (isUndefined(r.fb)) return r;
        r.d = r.fa - r.fb;
        r.ok = true;
        return r;
    }

private:
    const Evaluator& eval_;
    int a_, b_;
};

// The curves meet at x when their difference is small beside the larger of
// the two values.
bool meets(const Diff& v) {
    return std::max(std::fabs(v.fa), std::fabs(v.fb)) * 1e-15L >= std::fabs(v.d);
}

std::optional<Extended> touching(const PairCurve& c, Extended lo, Diff vlo, Extended hi, Diff vhi) {
    for (int i = 0; i < kIsectRounds; ++i) {
        if (std::fabs(vlo.d) > std::fabs(vhi.d)) {
            lo += (hi - lo) * 0.1L;
            vlo = c.at(lo);
        } else {
            hi -= (hi - lo) * 0.1L;
            vhi = c.at(hi);
        }
        if (!vlo.ok || !vhi.ok) return std::nullopt;
        if (std::fabs(hi * 1e-15L) > std::fabs(hi - lo)) break;
    }
    const Extended mid = (lo + hi) / 2;
    const Diff v = c.at(mid);
    // A curve touching y = 0 has nothing to scale by: there the crossing
    // search's absolute test applies.
    if (v.ok && (meets(v) || std::fabs(v.d) < 1e-15L)) return mid;
    return std::nullopt;
}

std::optional<Extended> bisect(const PairCurve& c, Extended lo, Diff vlo, Extended hi, Diff vhi) {
    if (vlo.d == 0) return lo;
    Extended width = std::fabs(vlo.d - vhi.d);
    for (int round = 0; round < kIsectRounds; ++round) {
        const Extended mid = (lo + hi) / 2;
        const Diff v = c.at(mid);
        if (!v.ok) return std::nullopt;
        if (meets(v)) return mid;
        if (mid == lo || mid == hi) break; // nothing left to halve
        if (vlo.d * v.d >= 0) {
            lo = mid;
            vlo = v;
        } else {
            hi = mid;
            vhi = v;
        }
        const Extended d = std::fabs(vlo.d - vhi.d);
        if (!(width >= d)) return std::nullopt; // the difference grows apart: a pole
        width = d;
    }
    if (hi - lo < 1e-14L) return (lo + hi) / 2;
    return std::nullopt;
}

struct Point {
    Extended x = 0;
    Diff v;
};

} // namespace

void findIntersections(FuncSet& funcs, const AnalysisInput& in, std::vector<std::string>& out) {
    if (funcs.ParamMode) {
        findParamIntersections(funcs, in, out);
        return;
    }
    const Evaluator eval{funcs, in.trig};
    const Extended h = (in.xb - in.xa) / 100;
    for (int a = 2; a <= kFuncSlotCount; ++a) {
        if (!searchable(funcs, a)) continue;
        for (int b = 1; b < a; ++b) {
            if (!searchable(funcs, b)) continue;
            const PairCurve c(eval, a, b);
            Point start{in.xa, {}};
            for (; start.x < in.xb; start.x += h)
                if (start.v = c.at(start.x); start.v.ok) break;
            if (!(start.x < in.xb)) continue;
            bool header = false;
            Extended last = UndefinedMarker;
            Point p0 = start, p1 = start;
            Extended x = start.x;
            Diff cur = start.v;
            for (;;) {
                x += h;
                if (!(x < in.xb)) break;
                const Diff v = c.at(x);
                if (v.ok) {
                    cur = v;
                    std::optional<Extended> mid;
                    if (cur.d * p1.v.d > 0) {
                        if (x > in.xa && extremumTowardZero(p0.v.d, p1.v.d, cur.d))
                            mid = touching(c, p0.x, p0.v, x, cur);
                    } else {
                        mid = bisect(c, p1.x, p1.v, x, cur);
                    }
                    if (mid) {
                        // A touching point is approached twice; tell it once.
                        if (!sameRoot(last, *mid)) {
                            const Diff at = c.at(*mid);
                            if (!header) {
                                out.push_back(std::to_string(a));
                                out.push_back(std::to_string(b));
                                header = true;
                            }
                            out.push_back(" x = " + fixed10(*mid));
                            out.push_back(" y = " + fixed10(at.fa));
                        }
                        last = *mid;
                        x = *mid + 0.1L * h;
                        cur = c.at(x);
                        if (!cur.ok) break;
                    }
                }
                p0 = p1;
                p1 = {x, cur};
            }
        }
    }
}

const char* analysisTitle(AnalysisTool tool) {
    switch (tool) {
    case AnalysisTool::XCross:
        return "X-Axis Crossings";
    case AnalysisTool::Min:
        return "Function Minimum";
    case AnalysisTool::Max:
        return "Function Maximum";
    case AnalysisTool::Isect:
        break;
    }
    return "Intersections";
}

bool anySearchableSlot(const FuncSet& funcs) {
    for (int n = 1; n <= kFuncSlotCount; ++n)
        if (searchable(funcs, n)) return true;
    return false;
}

namespace {

// Whether a scan of 100 steps from lo to hi moves at every step: lo < hi,
// both finite, and a hundredth of the span is not lost beside the larger
// end.
bool scannable(Extended lo, Extended hi) {
    if (!(lo < hi) || !std::isfinite(lo) || !std::isfinite(hi)) return false;
    const Extended m = std::max(std::fabs(lo), std::fabs(hi));
    const Extended h = (hi - lo) / 100;
    return std::isfinite(h) && m + h != m;
}

} // namespace

std::vector<std::string> analyze(FuncSet& funcs, AnalysisTool tool, const AnalysisInput& in) {
    std::vector<std::string> report;
    if (!scannable(in.xa, in.xb) || (funcs.ParamMode && !scannable(in.tMin, in.tMax))) {
        report.emplace_back(kNoneFound);
        return report;
    }
    switch (tool) {
    case AnalysisTool::XCross:
        findCrossings(funcs, in, report);
        break;
    case AnalysisTool::Min:
    case AnalysisTool::Max:
        findExtrema(funcs, tool == AnalysisTool::Max, in, report);
        break;
    case AnalysisTool::Isect:
        findIntersections(funcs, in, report);
        break;
    }
    if (report.empty()) report.emplace_back(kNoneFound);
    return report;
}

} // namespace tallix
