#include "engine/graph/GraphLayout.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numeric>

namespace tallix {

GraphKind graphKindOf(bool polarMode, bool paramMode) {
    if (paramMode) return polarMode ? GraphKind::PolarParametric : GraphKind::Parametric;
    return polarMode ? GraphKind::Polar : GraphKind::Cartesian;
}

namespace {

bool usableRange(Extended lo, Extended hi) {
    return std::isfinite(lo) && std::isfinite(hi) && hi > lo;
}

XLayout layoutXWith(Extended xmin, Extended xmax, int R) {
    XLayout x;
    x.R = R;
    const Extended s = (xmax - xmin) / (R - 12);
    x.PlotXMin = xmin - 6 * s;
    x.PlotXMax = xmax + 6 * s;
    x.XPerPixel = (x.PlotXMax - x.PlotXMin) / R;
    return x;
}

bool contains(Extended lo, Extended hi, Extended v) {
    return lo <= v && v <= hi;
}

} // namespace

XLayout layoutX(Extended xmin, Extended xmax, int width, bool useInteriorAxes) {
    if (!usableRange(xmin, xmax)) {
        xmin = -10;
        xmax = 10;
    }
    width = std::max(width, 40);
    XLayout x = layoutXWith(xmin, xmax, width - 1);
    x.yAxisInterior = useInteriorAxes && contains(x.PlotXMin, x.PlotXMax, 0);
    if (!x.yAxisInterior) {
        int R = width * 221 / 256;
        if (R % 2 != 0) --R;
        x = layoutXWith(xmin, xmax, R);
    }
    return x;
}

XLayout layoutXExact(Extended xmin, Extended xmax, int width, bool useInteriorAxes) {
    if (!usableRange(xmin, xmax)) return layoutX(xmin, xmax, width, useInteriorAxes);
    width = std::max(width, 40);
    auto exact = [&](int R) {
        XLayout x;
        x.R = R;
        x.PlotXMin = xmin;
        x.PlotXMax = xmax;
        x.XPerPixel = (xmax - xmin) / R;
        return x;
    };
    XLayout x = exact(width - 1);
    x.yAxisInterior = useInteriorAxes && contains(xmin, xmax, 0);
    if (!x.yAxisInterior) {
        int R = width * 221 / 256;
        if (R % 2 != 0) --R;
        x = exact(R);
    }
    return x;
}

int cartesianSampleCount(const XLayout& x) {
    return std::clamp((x.R - 12) / 2 + 1, 1, kMaxSamples);
}

Extended cartesianSample(const GraphWindow& w, const XLayout& x, int k) {
    return w.XMin + 2 * x.XPerPixel * (k - 1);
}

int polarSampleCount(Extended thetaMin, Extended thetaMax) {
    const Extended n = std::nearbyint((thetaMax - thetaMin) * 100 / kPi);
    if (!(n >= 50)) return 50; // NaN too
    return n > kMaxSamples ? kMaxSamples : static_cast<int>(n);
}

Extended spreadSample(Extended first, Extended last, int n, int k) {
    if (n < 2) return first;
    return first + (k - 1) * (last - first) / (n - 1);
}

YLayout layoutY(const GraphWindow& w, const Bounds& yBounds, const UserLimits& userY,
                Extended xPerPixel, int height) {
    height = std::max(height, 40);
    const int interiorB = height * 242 / 256;
    const int exteriorB = height * 224 / 256;
    YLayout y;
    auto finish = [&](Extended lo, Extended hi) {
        y.PlotYMin = lo;
        y.PlotYMax = hi;
        y.xAxisInterior = w.UseInteriorAxes && contains(lo, hi, 0);
        y.B = y.xAxisInterior ? interiorB : exteriorB;
        y.YPerPixel = (hi - lo) / y.B;
    };
    if (w.yScaling == YScaling::OneToOne && xPerPixel > 0 && std::isfinite(xPerPixel)) {
        y.YPerPixel = xPerPixel;
        for (int B : {interiorB, exteriorB}) {
            const Extended half = B * xPerPixel / 2;
            y.B = B;
            y.PlotYMin = w.YCentre - half;
            y.PlotYMax = w.YCentre + half;
            y.xAxisInterior = w.UseInteriorAxes && contains(y.PlotYMin, y.PlotYMax, 0);
            if (y.xAxisInterior) break;
        }
        return y;
    }
    if (w.yScaling == YScaling::UserDef && userY.set && usableRange(userY.min, userY.max)) {
        finish(userY.min, userY.max);
        return y;
    }
    Extended lo = -0.5L, hi = 0.5L;
    if (yBounds.any) {
        lo = yBounds.min;
        hi = yBounds.max;
        // A flat range is opened to 1e-5, or to a few thousand units of the
        // last place where that is wider (at 1e20 the last place is 8).
        const Extended mid = lo / 2 + hi / 2;
        const Extended minHalf = std::fmax(5e-6L, std::fabs(mid) * 0x1p-50L);
        if (hi - lo < 2 * minHalf) {
            lo = mid - minHalf;
            hi = mid + minHalf;
        }
    }
    const Extended span = hi - lo;
    finish(lo - span * 0.04L, hi + span * 0.04L);
    return y;
}

PlotLayout combine(const XLayout& x, const YLayout& y) {
    PlotLayout p;
    p.R = x.R;
    p.B = y.B;
    p.PlotXMin = x.PlotXMin;
    p.PlotXMax = x.PlotXMax;
    p.XPerPixel = x.XPerPixel;
    p.PlotYMin = y.PlotYMin;
    p.PlotYMax = y.PlotYMax;
    p.YPerPixel = y.YPerPixel;
    p.xAxisInterior = y.xAxisInterior;
    p.yAxisInterior = x.yAxisInterior;
    return p;
}

namespace {

int limitedRound(Extended v) {
    if (!(v > -10000)) return -10000; // NaN too
    if (v > 10000) return 10000;
    return static_cast<int>(std::nearbyint(v));
}

} // namespace

int PlotLayout::column(Extended x) const {
    return limitedRound((x - PlotXMin) / XPerPixel) + left;
}

int PlotLayout::row(Extended y) const {
    return limitedRound((PlotYMax - y) / YPerPixel) + top;
}

std::optional<PixelSegment> clipSegment(PixelPoint prev, PixelPoint cur, int top, int B) {
    auto inside = [&](int r) { return top < r && r < B; };
    const bool prevIn = inside(prev.y), curIn = inside(cur.y);
    if (prevIn && curIn) return PixelSegment{prev, cur};
    if (!prevIn && !curIn) return std::nullopt;
    const PixelPoint& out = prevIn ? cur : prev;
    const int border = out.y >= B ? B - 1 : top + 1;
    const double t = double(border - prev.y) / double(cur.y - prev.y);
    const PixelPoint crossing{static_cast<int>(std::lround(prev.x + t * (cur.x - prev.x))), border};
    return prevIn ? PixelSegment{prev, crossing} : PixelSegment{crossing, cur};
}

void curveSegments(const PlotLayout& p, const std::vector<WorldPoint>& points,
                   std::vector<PixelSegment>& out) {
    out.clear();
    bool havePrev = false;
    PixelPoint prev;
    for (const WorldPoint& w : points) {
        if (isUndefined(w.x) || isUndefined(w.y)) {
            havePrev = false;
            continue;
        }
        const PixelPoint cur{p.column(w.x), p.row(w.y)};
        if (havePrev)
            if (auto seg = clipSegment(prev, cur, p.top, p.B)) out.push_back(*seg);
        prev = cur;
        havePrev = true;
    }
}

namespace {

// 10^e, correctly rounded for the exponents the tick tables use.
Extended powerOfTen(int e) {
    return e >= 0 ? std::pow(10.0L, static_cast<Extended>(e))
                  : 1 / std::pow(10.0L, static_cast<Extended>(-e));
}

Extended stepValue(int mantissa, int exponent) {
    return exponent >= 0 ? mantissa * powerOfTen(exponent) : mantissa / powerOfTen(-exponent);
}

TickStep withMinor(int mantissa, int exponent) {
    const Extended major = stepValue(mantissa, exponent);
    return {major, mantissa == 2 ? major / 4 : major / 5};
}

long long tickCount(Extended lo, Extended hi, Extended step) {
    const Extended n = std::nearbyint(hi / step) - std::nearbyint(lo / step);
    return n <= 1e15L ? static_cast<long long>(n) : 1000000000000000LL; // NaN too
}

// Multiples k * step of a tick step are kept to |k| < 2^56: k is then an
// exact integer (k + 1 is the next one) and neighbouring multiples are far
// enough apart to be distinct numbers with distinct labels.
constexpr Extended kMaxTickIndex = 0x1p56L;
constexpr Extended kMaxMajorTicks = 1000, kMaxMinorTicks = 400;

// The smallest 1-2-5 step not below `least` (at least 1e-4900).
TickStep stepAtLeast(Extended least) {
    int e = static_cast<int>(std::floor(std::log10(std::fmax(least, 1e-4900L))));
    for (;; ++e)
        for (int m : {1, 2, 5})
            if (stepValue(m, e) >= least) return withMinor(m, e);
}

} // namespace

namespace {

TickStep tableTickStep(Extended lo, Extended hi) {
    const Extended span = hi - lo;
    constexpr std::array<int, 3> kMantissas = {1, 2, 5};
    if (std::fmax(std::fabs(lo), std::fabs(hi)) >= 1e5L) {
        // Very large: the largest 1-2-5 step not above the first power of ten
        // (1e6 .. 1e300) that reaches the span, giving at least 4 ticks.
        int e = 6;
        while (e < 300 && powerOfTen(e) < span)
            ++e;
        for (int exp = e; exp > e - 40; --exp)
            for (int i = 2; i >= 0; --i) {
                if (exp == e && kMantissas[i] != 1) continue;
                if (tickCount(lo, hi, stepValue(kMantissas[i], exp)) >= 4)
                    return withMinor(kMantissas[i], exp);
            }
        return withMinor(1, e - 40);
    }
    if (std::fabs(lo) < 1e-6L && std::fabs(hi) < 1e-6L) {
        // Close to 0: the smallest 1-2-5 step from the first power of ten
        // (1e-6 .. 1e-300) at or below the span, giving at most 7 ticks.
        int e = -6;
        while (e > -300 && powerOfTen(e) > span)
            --e;
        for (int exp = e; exp < e + 40; ++exp)
            for (int m : kMantissas)
                if (tickCount(lo, hi, stepValue(m, exp)) <= 7) return withMinor(m, exp);
        return withMinor(1, e + 40);
    }
    // Ordinary ranges: the table 1e-6, 2e-6, 5e-6, ... 1e5, 2e5 and a last
    // entry of 5e4, searched from the end.
    struct Entry {
        int mantissa, exponent;
    };
    std::array<Entry, 36> table{};
    for (int i = 0; i < 35; ++i)
        table[i] = {kMantissas[i % 3], -6 + i / 3};
    table[35] = {5, 4};
    for (int i = 35; i >= 0; --i)
        if (tickCount(lo, hi, stepValue(table[i].mantissa, table[i].exponent)) >= 4)
            return withMinor(table[i].mantissa, table[i].exponent);
    return withMinor(1, -6);
}

} // namespace

TickStep chooseTickStep(Extended lo, Extended hi) {
    if (!usableRange(lo, hi)) return {1, 0.2L};
    const TickStep step = tableTickStep(lo, hi);
    // Far from 0 a range can be narrower than the finest usable step (a few
    // units of the last place): fewer ticks then, or none.
    const Extended finest = std::fmax(std::fabs(lo), std::fabs(hi)) / kMaxTickIndex;
    return step.major >= finest ? step : stepAtLeast(finest);
}

namespace {

// `v` in fixed notation with `decimals`, or (decimals < 0) in the shorter of
// fixed and exponent notation with `digits` significant digits.
std::string numberLabel(Extended v, int decimals, int digits = 6) {
    char buf[128];
    const auto r =
        decimals < 0 ? std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, digits)
                     : std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    if (r.ec != std::errc()) return "?";
    std::string s(buf, r.ptr);
    if (s == "-0") s = "0";
    // A short exponent: "2e+06" as "2e6", "1.5e-07" as "1.5e-7".
    if (const auto e = s.find('e'); e != std::string::npos) {
        std::string exponent = s.substr(e + 1);
        const bool negative = exponent[0] == '-';
        exponent.erase(0, exponent.find_first_not_of("+-0"));
        s = s.substr(0, e + 1) + (negative ? "-" : "") + exponent;
    }
    return s;
}

// Decimals needed to write multiples of step; -1 when the step is too fine or
// too coarse for fixed notation (the labels would not fit the axis).
int decimalsFor(Extended step) {
    if (step >= 1e5L || step < 1e-5L) return -1;
    if (step >= 1 && std::nearbyint(step) == step) return 0;
    for (int d = 1; d <= 12; ++d) {
        const Extended scaled = step * powerOfTen(d);
        if (std::fabs(scaled - std::nearbyint(scaled)) < 1e-6L * scaled) return d;
    }
    return -1;
}

std::string piLabel(long long numerator, long long denominator) {
    const long long g = std::gcd(numerator, denominator);
    if (g > 1) {
        numerator /= g;
        denominator /= g;
    }
    std::string s = numerator == 1    ? "pi"
                    : numerator == -1 ? "-pi"
                                      : std::to_string(numerator) + " pi";
    if (denominator != 1) s += " / " + std::to_string(denominator);
    return s;
}

} // namespace

namespace {

bool allDistinct(const std::vector<Tick>& ticks) {
    for (std::size_t i = 1; i < ticks.size(); ++i)
        if (ticks[i].label == ticks[i - 1].label) return false;
    return true;
}

// Number labels for the ticks, pairwise distinct: the step's decimals, or six
// significant digits, and more digits while two neighbours still read alike
// (a narrow range far from 0: 2.999998, 3, 3.000002). Twenty-one digits tell
// any two different values apart.
void numberLabels(std::vector<Tick>& ticks, Extended step) {
    const int decimals = decimalsFor(step);
    for (Tick& t : ticks)
        t.label = numberLabel(t.value, decimals);
    for (int digits = 7; digits <= 21 && !allDistinct(ticks); ++digits)
        for (Tick& t : ticks)
            t.label = numberLabel(t.value, -1, digits);
}

} // namespace

std::vector<Tick> majorTicks(Extended lo, Extended hi, const TickStep& step, bool piLabels) {
    std::vector<Tick> ticks;
    if (!usableRange(lo, hi) || !(step.major > 0)) return ticks;
    const Extended first = std::ceil(lo / step.major);
    const Extended last = std::floor(hi / step.major);
    // A step that does not fit the range, or one so fine beside the values
    // that k + 1 would not be the next multiple.
    if (!(last - first < kMaxMajorTicks) || !(std::fabs(first) < kMaxTickIndex) ||
        !(std::fabs(last) < kMaxTickIndex))
        return ticks;
    for (auto k = static_cast<long long>(first); k <= static_cast<long long>(last); ++k)
        if (k != 0) ticks.push_back({k * step.major, {}}); // 0 is the axis itself
    // Pi labels: the step as a fraction 1/q (or a whole number).
    // (A step below 1e-9 has no q; converting its reciprocal could overflow.)
    const long long q = step.major >= 1 ? 1
                        : step.major > 1e-9L
                            ? static_cast<long long>(std::nearbyint(1 / step.major))
                            : 0;
    const bool pi = piLabels && q > 0 && q < 1000000000 && !ticks.empty() &&
                    std::fmax(std::fabs(ticks.front().value), std::fabs(ticks.back().value)) * q <
                        kMaxTickIndex;
    if (!pi) {
        numberLabels(ticks, step.major);
    } else {
        for (Tick& t : ticks)
            t.label = piLabel(static_cast<long long>(std::nearbyint(t.value * q)), q);
    }
    // Whatever the notation, one label is shown once.
    ticks.erase(std::unique(ticks.begin(), ticks.end(),
                            [](const Tick& a, const Tick& b) { return a.label == b.label; }),
                ticks.end());
    return ticks;
}

std::vector<Extended> minorTicks(Extended lo, Extended hi, Extended step) {
    std::vector<Extended> out;
    if (!usableRange(lo, hi) || !(step > 0)) return out;
    const Extended first = std::ceil(lo / step), last = std::floor(hi / step);
    if (!(last - first < kMaxMinorTicks) || !(std::fabs(first) < 4 * kMaxTickIndex) ||
        !(std::fabs(last) < 4 * kMaxTickIndex))
        return out;
    for (auto k = static_cast<long long>(first); k <= static_cast<long long>(last); ++k)
        if (k != 0 && lo < k * step && k * step < hi) out.push_back(k * step);
    return out;
}

} // namespace tallix
