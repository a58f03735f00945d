#include "engine/lists/RegrPlot.h"

#include "engine/core/Scalar.h"

#include <algorithm>
#include <cmath>

namespace tallix {

namespace {

// The 1-2-5 series: 0.0001 at k = 1, 0.0002 at 2, 0.0005 at 3, 0.001 at 4 ...
Extended series(int k) {
    static constexpr Extended kMantissa[3] = {1, 2, 5};
    const int m = ((k - 1) % 3 + 3) % 3;
    const int decade = (k - 1 - m) / 3 - 4;
    return kMantissa[m] * std::pow(10.0L, static_cast<Extended>(decade));
}

// A pixel position kept well inside the int range.
int pixel(Extended v) {
    if (!(v > -1e6L)) return -1000000;
    if (!(v < 1e6L)) return 1000000;
    return static_cast<int>(std::lround(static_cast<double>(v)));
}

constexpr long kMaxTicks = 2000; // more would be a solid bar; the axis is left bare

// Ticks of `step` within [min, max] through `place` (value -> pixel).
template <class Place>
void addTicks(std::vector<RegrPlot::Tick>& out, Extended min, Extended max, int index, bool major,
              Place place) {
    const Extended step = major ? regrMajorStep(index) : regrMinorStep(index);
    const Extended k0 = std::trunc(min / step), k1 = std::trunc(max / step);
    if (!(k1 - k0 < kMaxTicks)) return;
    // Counted in integers: past 2^64 adding 1 to k0 would not move it.
    const long count = static_cast<long>(k1 - k0);
    for (long i = 0; i <= count; ++i) {
        const Extended v = (k0 + static_cast<Extended>(i)) * step;
        if (v < min - step * 1e-9L || v > max + step * 1e-9L) continue;
        out.push_back({place(v), major, major ? regrTickLabel(v, index) : std::string()});
    }
}

void widenFlat(Extended& min, Extended& max) {
    if (max - min > 0) return;
    const Extended d = min != 0 ? std::fabs(min) * 0.1L : 1;
    min -= d;
    max += d;
}

} // namespace

Extended regrMajorStep(int index) {
    return series(index);
}

Extended regrMinorStep(int index) {
    return series(index - 2);
}

int regrStepIndex(Extended min, Extended max) {
    for (int i = 30; i >= 1; --i) {
        const Extended step = regrMajorStep(i);
        if (std::round(max / step) - std::round(min / step) >= 4) return i;
    }
    return 1;
}

std::string regrTickLabel(Extended v, int index) {
    if (index >= 13) return FormatFixed(20, 0, std::round(v));
    const int decimals = index >= 10 ? 1 : index >= 7 ? 2 : index >= 4 ? 3 : 4;
    return FormatFixed(7, decimals, v);
}

RegrPlot layoutRegrPlot(const RegrState& s, int width, int height) {
    RegrPlot plot;
    const std::size_t n = std::min(s.xs.size(), s.ys.size());
    if (n == 0 || width < 16 || height < 16) return plot;
    Extended minx = 1e101L, maxx = -1e101L, miny = 1e101L, maxy = -1e101L;
    for (std::size_t i = 0; i < n; ++i) {
        minx = std::min(minx, s.xs[i]);
        maxx = std::max(maxx, s.xs[i]);
        miny = std::min(miny, s.ys[i]);
        maxy = std::max(maxy, s.ys[i]);
    }
    if (minx > maxx) return plot;
    auto include = [&](Extended x) {
        const Extended y = regrValue(s, x);
        if (!std::isfinite(y)) return;
        miny = std::min(miny, y);
        maxy = std::max(maxy, y);
    };
    if (s.fitted) {
        const Extended span = maxx - minx;
        switch (s.model) {
        case RegrModel::Linear:
            include(s.xs.front() - 0.05L * span);
            include(s.xs[n - 1] + 0.05L * span);
            break;
        case RegrModel::Quadratic:
            for (int i = 0; i <= 50; ++i)
                include(minx + i * span / 50);
            break;
        default:
            include(s.xs.front());
            include(s.xs[n - 1]);
            break;
        }
    }
    if (!std::isfinite(maxx - minx) || !std::isfinite(maxy - miny)) return plot;
    widenFlat(minx, maxx);
    widenFlat(miny, maxy);
    const Extended xFrom = minx - 0.1L * (maxx - minx), xTo = maxx + 0.1L * (maxx - minx);
    const Extended yFrom = miny - 0.1L * (maxy - miny), yTop = maxy + 0.1L * (maxy - miny);
    plot.hasData = true;
    plot.plotW = width * 113 / 128;
    plot.plotH = height * 114 / 128;
    const Extended dx = (xTo - xFrom) / plot.plotW, dy = (yTop - yFrom) / plot.plotH;
    auto column = [&](Extended x) { return pixel((x - xFrom) / dx); };
    auto row = [&](Extended y) { return pixel((yTop - y) / dy); };

    const int xi = regrStepIndex(minx, maxx), yi = regrStepIndex(miny, maxy);
    addTicks(plot.xTicks, minx, maxx, xi, false, column);
    addTicks(plot.xTicks, minx, maxx, xi, true, column);
    addTicks(plot.yTicks, miny, maxy, yi, false, row);
    addTicks(plot.yTicks, miny, maxy, yi, true, row);

    for (std::size_t i = 0; i < n; ++i)
        plot.crosses.push_back({column(s.xs[i]), row(s.ys[i])});
    if (!s.fitted) return plot;
    if (s.model == RegrModel::Linear) {
        const Extended a = minx - 0.05L * (maxx - minx), b = maxx + 0.05L * (maxx - minx);
        plot.curve.push_back(
            {{column(a), row(regrValue(s, a))}, {column(b), row(regrValue(s, b))}});
        return plot;
    }
    const int c0 = column(minx), c1 = column(maxx);
    std::vector<RegrPlot::Point> line;
    for (int c = c0;; c = std::min(c + 4, c1)) {
        const Extended y = regrValue(s, xFrom + c * dx);
        if (std::isfinite(y)) {
            line.push_back({c, row(y)});
        } else if (!line.empty()) {
            plot.curve.push_back(std::move(line));
            line.clear();
        }
        if (c >= c1) break;
    }
    if (!line.empty()) plot.curve.push_back(std::move(line));
    return plot;
}

} // namespace tallix
