// Intersections of parametric curves: in phase (both curves at one point for
// the same t) by a scan of y_k - y_l, out of phase (one point, different t)
// by a grid of segments refined toward the closest pair of points.
#include "engine/analysis/AnalysisSupport.h"
#include "engine/analysis/GraphAnalysis.h"
#include "engine/graph/GraphLayout.h"

#include <array>
#include <cmath>
#include <optional>

namespace tallix {

using namespace analysis;

namespace {

constexpr int kTouchSteps = 100001;
constexpr int kBisectRounds = 10001;
constexpr int kRefineRounds = 1000;
constexpr int kGrid = 100;

// Curves k and l (their x slots) at t.
struct Quad {
    Extended xk = 0, yk = 0, xl = 0, yl = 0;
    bool ok = false;
    Extended dy() const { return yk - yl; }
    Extended dx() const { return xk - xl; }
};

class CurvePair {
public:
    CurvePair(const Evaluator& eval, int k, int l) : eval_(eval), k_(k), l_(l) {}
    Quad at(Extended t) const {
        Quad q;
        for (auto [slot, v] : {std::pair{k_, &q.xk}, {k_ + 1, &q.yk}, {l_, &q.xl}, {l_ + 1, &q.yl}})
            if (isUndefined(*v = eval_(slot, t))) return q;
        q.ok = true;
        return q;
    }

private:
    const Evaluator& eval_;
    int k_, l_;
};

bool samePoint(const Quad& q) {
    return (std::fabs(q.xk) + std::fabs(q.xl)) * 1e-15L >= std::fabs(q.dx()) &&
           (std::fabs(q.yk) + std::fabs(q.yl)) * 1e-15L >= std::fabs(q.dy());
}

std::optional<Extended> touchingInPhase(const CurvePair& c, Extended lo, Quad qlo, Extended hi,
                                        Quad qhi) {
    for (int i = 0; i < kTouchSteps; ++i) {
        const Extended wasLo = lo, wasHi = hi;
        if (std::fabs(qlo.dy()) > std::fabs(qhi.dy())) {
            lo += (hi - lo) * 0.1L;
            qlo = c.at(lo);
        } else {
            hi -= (hi - lo) * 0.1L;
            qhi = c.at(hi);
        }
        if (!qlo.ok || !qhi.ok) return std::nullopt;
        if ((std::fabs(hi) + std::fabs(lo)) * 1e-15L > std::fabs(hi - lo)) break;
        if (lo == wasLo && hi == wasHi) break; // the bracket cannot shrink further
    }
    const Extended mid = (lo + hi) / 2;
    const Quad qm = c.at(mid);
    if (!qm.ok) return std::nullopt;
    Extended t = mid;
    Quad best = qm;
    if (std::fabs(qlo.dy()) < std::fabs(best.dy())) t = lo, best = qlo;
    if (std::fabs(qhi.dy()) < std::fabs(best.dy())) t = hi, best = qhi;
    if (samePoint(best)) return t;
    return std::nullopt;
}

std::optional<Extended> bisectInPhase(const CurvePair& c, Extended lo, Quad qlo, Extended hi,
                                      Quad qhi) {
    Quad q = qlo;
    Extended mid = lo;
    for (int round = 0; round < kBisectRounds; ++round) {
        if (round > 0 || qlo.dy() != 0) { // an end exactly on dy = 0 is tested as it is
            mid = (lo + hi) / 2;
            q = c.at(mid);
            if (!q.ok) return std::nullopt;
        }
        if (std::fabs((q.yk + q.yl) * 1e-15L) >= std::fabs(q.dy())) {
            if (std::fabs((q.xk + q.xl) * 1e-15L) >= std::fabs(q.dx())) return mid;
            return std::nullopt; // the same y at different x
        }
        if (mid == lo || mid == hi) break;
        if (qlo.dy() * q.dy() >= 0) {
            lo = mid;
            qlo = q;
        } else {
            hi = mid;
            qhi = q;
        }
    }
    // A bracket closed on a crossing of y = 0, where the relative test has
    // nothing to scale by: the x values must still agree.
    if (hi - lo < 1e-14L &&
        std::fabs(q.dx()) <= std::max((std::fabs(q.xk) + std::fabs(q.xl)) * 1e-15L, 1e-12L))
        return mid;
    return std::nullopt;
}

void addValueLines(std::vector<std::string>& out, const char* prefix, Extended v) {
    if (isUndefined(v)) {
        out.emplace_back(prefix);
        return;
    }
    out.push_back(prefix + fixed10(v));
    addPiForm(out, " = ", v);
}

void inPhase(const Evaluator& eval, FuncSet& funcs, const AnalysisInput& in,
             std::vector<std::string>& out) {
    const Extended ht = (in.tMax - in.tMin) / 100;
    for (int k = 3; k <= 19; k += 2) {
        if (!pairSearchable(funcs, k)) continue;
        for (int l = 1; l <= k - 2; l += 2) {
            if (!pairSearchable(funcs, l)) continue;
            const CurvePair c(eval, k, l);
            Extended t = in.tMin;
            Quad cur;
            for (; t < in.tMax; t += ht)
                if (cur = c.at(t); cur.ok) break;
            if (!(t < in.tMax)) continue;
            std::pair<Extended, Quad> p0{t, cur}, p1{t, cur};
            bool header = false;
            for (;;) {
                t += ht;
                if (!(t < in.tMax)) break;
                const Quad v = c.at(t);
                if (v.ok) {
                    cur = v;
                    const Extended prev = p1.second.dy();
                    std::optional<Extended> found;
                    if (cur.dy() * prev > 0 || cur.dy() == prev) {
                        if (t > in.tMin && extremumTowardZero(p0.second.dy(), prev, cur.dy()))
                            found = touchingInPhase(c, p0.first, p0.second, t, cur);
                    } else {
                        found = bisectInPhase(c, p1.first, p1.second, t, cur);
                    }
                    if (found) {
                        if (!header) {
                            out.push_back(std::to_string((k + 1) / 2));
                            out.push_back(std::to_string((l + 1) / 2));
                            out.emplace_back(kInPhaseLine);
                            header = true;
                        }
                        out.push_back(" t = " + fixed10(*found));
                        addPiForm(out, " = ", *found);
                        addValueLines(out, " x = ", eval(k, *found));
                        addValueLines(out, " y = ", eval(k + 1, *found));
                        p0 = {*found + 0.02L * ht, c.at(*found + 0.02L * ht)};
                        t = *found + 0.5L * ht;
                        p1 = {t, c.at(t)};
                        if (!p0.second.ok || !p1.second.ok) break;
                        cur = p1.second;
                        continue;
                    }
                }
                p0 = p1;
                p1 = {t, cur};
            }
        }
    }
}

// One curve tabulated on the grid t_g = tMin + g (tMax - tMin) / 100.
struct Table {
    bool used = false;
    std::array<Extended, kGrid + 1> x{}, y{};
};

struct Sample11 {
    std::array<Extended, 11> x{}, y{};
    bool any = false;
    // The longest step between neighbouring defined samples: every point of
    // the curve between them lies about within half of it of a sample.
    Extended longestStep() const {
        Extended g = 0;
        for (int m = 1; m <= 10; ++m) {
            const Extended d = std::hypot(x[m] - x[m - 1], y[m] - y[m - 1]);
            if (d > g) g = d; // an undefined end gives NaN, which never counts
        }
        return g;
    }
};

Sample11 sample(const Evaluator& eval, int j, Extended lo, Extended hi) {
    Sample11 s;
    for (int m = 0; m <= 10; ++m) {
        const Extended t = lo + m * (hi - lo) / 10;
        s.x[m] = eval(j, t);
        s.y[m] = eval(j + 1, t);
        if (!isUndefined(s.x[m]) && !isUndefined(s.y[m])) s.any = true;
    }
    return s;
}

struct OutOfPhase {
    Extended t1 = 0, t2 = 0;
};

// Closest approach of curve i on [lo1, hi1] and curve k on [lo2, hi2].
std::optional<OutOfPhase> refine(const Evaluator& eval, int i, int k, Extended lo1, Extended hi1,
                                 Extended lo2, Extended hi2) {
    for (int round = 0; round < kRefineRounds; ++round) {
        const Sample11 a = sample(eval, i, lo1, hi1), b = sample(eval, k, lo2, hi2);
        if (!a.any || !b.any) return std::nullopt;
        // Squared distances: the same closest pair without a square root
        // for each of the 121.
        Extended best = 1e202L;
        int m1 = 0, m2 = 0;
        for (int p = 0; p <= 10; ++p)
            for (int q = 0; q <= 10; ++q) {
                const Extended dx = a.x[p] - b.x[q], dy = a.y[p] - b.y[q];
                const Extended d = dx * dx + dy * dy;
                if (d < best) best = d, m1 = p, m2 = q;
            }
        const Extended w1 = hi1 - lo1, w2 = hi2 - lo2;
        if (best < 1e-22L) return OutOfPhase{lo1 + m1 * w1 / 10, lo2 + m2 * w2 / 10};
        // Curves that met in these ranges would have two samples closer than
        // half their longest steps; twice those steps apart, they do not
        // meet, and narrowing on would only home in on their closest
        // approach.
        const Extended reach = 2 * (a.longestStep() + b.longestStep());
        if (best > reach * reach) return std::nullopt;
        const Extended n1lo = lo1 + std::max(0, m1 - 1) * w1 / 10;
        const Extended n1hi = lo1 + std::min(10, m1 + 1) * w1 / 10;
        const Extended n2lo = lo2 + std::max(0, m2 - 1) * w2 / 10;
        const Extended n2hi = lo2 + std::min(10, m2 + 1) * w2 / 10;
        lo1 = n1lo, hi1 = n1hi, lo2 = n2lo, hi2 = n2hi;
        if (hi1 - lo1 < (std::fabs(hi1) + std::fabs(lo1)) * 1e-14L) return std::nullopt;
    }
    return std::nullopt;
}

struct Segment {
    Extended xLo, yLo, xHi, yHi; // ends ordered by x
};

std::optional<Segment> segment(const Table& c, int s) {
    const Extended x0 = c.x[s - 1], y0 = c.y[s - 1], x1 = c.x[s], y1 = c.y[s];
    if (isUndefined(x0) || isUndefined(y0) || isUndefined(x1) || isUndefined(y1))
        return std::nullopt;
    return x0 <= x1 ? Segment{x0, y0, x1, y1} : Segment{x1, y1, x0, y0};
}

void outOfPhase(const Evaluator& eval, FuncSet& funcs, const AnalysisInput& in,
                std::vector<std::string>& out) {
    std::array<Table, kFuncSlotCount / 2> tables;
    const auto gridT = [&](int g) { return in.tMin + g * (in.tMax - in.tMin) / kGrid; };
    for (int j = 1; j < kFuncSlotCount; j += 2) {
        if (!pairSearchable(funcs, j)) continue;
        Table& tb = tables[static_cast<std::size_t>(j / 2)];
        tb.used = true;
        for (int g = 0; g <= kGrid; ++g) {
            tb.x[g] = eval(j, gridT(g));
            tb.y[g] = eval(j + 1, gridT(g));
        }
    }
    for (int i = 0; i < kFuncSlotCount / 2; ++i) {
        if (!tables[i].used) continue;
        for (int k = i + 1; k < kFuncSlotCount / 2; ++k) {
            if (!tables[k].used) continue;
            // One curve pair may meet several times; each point is told once.
            std::vector<std::pair<Extended, Extended>> reported;
            for (int s = 1; s <= kGrid; ++s) {
                const auto si = segment(tables[i], s);
                if (!si) continue;
                for (int r = 1; r <= kGrid; ++r) {
                    const auto sk = segment(tables[k], r);
                    if (!sk || sk->xLo > si->xHi || sk->xHi < si->xLo) continue;
                    if ((si->yLo - sk->yLo) * (si->yHi - sk->yHi) > 0) continue;
                    const auto sol = refine(eval, 2 * i + 1, 2 * k + 1, gridT(s - 1), gridT(s),
                                            gridT(r - 1), gridT(r));
                    if (!sol) continue;
                    const Extended t1 = sol->t1, t2 = sol->t2;
                    if (!(std::fabs(t1 - t2) > (std::fabs(t1) + std::fabs(t2)) * 1e-10L))
                        continue; // in phase
                    const Extended x = eval(2 * i + 1, t1), y = eval(2 * i + 2, t1);
                    bool seen = false;
                    for (const auto& [px, py] : reported)
                        seen =
                            seen ||
                            (std::fabs(px - x) <= (std::fabs(px) + std::fabs(x)) * 1e-7L + 1e-9L &&
                             std::fabs(py - y) <= (std::fabs(py) + std::fabs(y)) * 1e-7L + 1e-9L);
                    if (seen) continue;
                    if (reported.empty()) {
                        out.push_back(std::to_string(i + 1));
                        out.push_back(std::to_string(k + 1));
                        out.emplace_back(kOutOfPhaseLine);
                    }
                    reported.emplace_back(x, y);
                    out.push_back("t." + std::to_string(i + 1) + " = " + decimalText(t1));
                    addPiForm(out, " = ", t1);
                    out.push_back("t." + std::to_string(k + 1) + " = " + decimalText(t2));
                    addPiForm(out, " = ", t2);
                    out.push_back("x = " + decimalText(x));
                    addPiForm(out, " = ", x);
                    out.push_back("y = " + decimalText(y));
                    addPiForm(out, " = ", y);
                }
            }
        }
    }
}

} // namespace

void findParamIntersections(FuncSet& funcs, const AnalysisInput& in,
                            std::vector<std::string>& out) {
    const Evaluator eval{funcs, in.trig};
    inPhase(eval, funcs, in, out);
    outOfPhase(eval, funcs, in, out);
}

Extended regionX(const PlotLayout& p, int column) {
    return p.worldX(column);
}

} // namespace tallix
