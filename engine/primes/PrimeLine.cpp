#include "engine/primes/PrimeLine.h"

#include "engine/primes/PrimeSieve.h"

#include <algorithm>

namespace tallix {

namespace {

// num / den rounded to the nearest integer, halves to even; den > 0.
std::int64_t roundDiv(std::int64_t num, std::int64_t den) {
    const bool negative = num < 0;
    const std::int64_t a = negative ? -num : num;
    std::int64_t q = a / den;
    const std::int64_t twice = 2 * (a % den);
    if (twice > den || (twice == den && (q & 1) != 0)) ++q;
    return negative ? -q : q;
}

} // namespace

const char* lineControlText(LineControl c) {
    switch (c) {
    case LineControl::LowLess:
    case LineControl::HighLess:
        return "<";
    case LineControl::LowMore:
    case LineControl::HighMore:
        return ">";
    case LineControl::ShiftDown:
        return "<<";
    case LineControl::ZoomIn:
        return "ZmIn";
    case LineControl::ZoomOut:
        return "ZmOut";
    case LineControl::ShiftUp:
        return ">>";
    }
    return "";
}

PrimeLineRange applyLineControl(PrimeLineRange r, LineControl c) {
    const std::int64_t span = r.high - r.low;
    const std::int64_t d = span / 10;
    switch (c) {
    case LineControl::LowLess:
        if (r.low > 0) r.low = std::max<std::int64_t>(0, r.low - d);
        break;
    case LineControl::LowMore:
        r.low += d;
        r.high = std::max(r.high, r.low + 20);
        break;
    case LineControl::ShiftDown:
        r.low = std::max<std::int64_t>(0, r.low - d);
        r.high = r.low + span;
        break;
    case LineControl::ZoomIn:
        if (span > 20) {
            r.low += d;
            r.high = std::max(r.low + 20, r.high - d);
        }
        break;
    case LineControl::ZoomOut:
        r.low = std::max<std::int64_t>(0, r.low - d);
        r.high = r.low + span * 12 / 10;
        break;
    case LineControl::ShiftUp:
        r.low += d;
        r.high += d;
        break;
    case LineControl::HighLess:
        r.high -= d;
        if (r.high - 20 < r.low) r.low = r.high - 20;
        if (r.low < 0) {
            r.low = 0;
            r.high = 20;
        }
        break;
    case LineControl::HighMore:
        r.high += d;
        break;
    }
    // Past the top the view slides down rather than grow without bound.
    if (r.high > PrimeLineRange::kMaxHigh) {
        r.low = std::max<std::int64_t>(0, r.low - (r.high - PrimeLineRange::kMaxHigh));
        r.high = PrimeLineRange::kMaxHigh;
        r.low = std::min(r.low, r.high - 20);
    }
    return r;
}

PrimeLineGeometry::PrimeLineGeometry(int width, int height, PrimeLineRange range)
    : width_(width), range_(range), axisY_(height * 134 / 256) {
    const std::int64_t g = std::max(3, (width - 2 * kAxisMargin) / 120);
    for (int e = static_cast<int>(kMajorTicks.size()) - 1; e >= 0; --e) {
        const std::int64_t s = kMajorTicks[e];
        if (roundDiv(range.high, s) - roundDiv(range.low, s) >= g) {
            entry_ = e;
            break;
        }
    }
}

int PrimeLineGeometry::xOf(std::int64_t k) const {
    const std::int64_t pixels = std::max(1, width_ - 2 * kAxisMargin);
    const std::int64_t span = std::max<std::int64_t>(1, range_.high - range_.low);
    return kAxisMargin + static_cast<int>(roundDiv((k - range_.low) * pixels, span));
}

std::vector<std::int64_t> PrimeLineGeometry::ticks(std::int64_t step) const {
    std::vector<std::int64_t> out;
    // trunc(low / s) .. trunc(high / s); both ends are >= 0.
    for (std::int64_t j = range_.low / step; j <= range_.high / step; ++j) {
        const int x = xOf(j * step);
        if (x >= axisLeft() && x <= axisRight()) out.push_back(j * step);
    }
    return out;
}

std::vector<int> PrimeLineGeometry::primeXs(const PrimeSieve& sieve) const {
    std::vector<int> out;
    const std::int64_t last = std::min(range_.high, PrimeSieve::kLimit);
    for (std::int64_t i = std::max<std::int64_t>(2, range_.low); i <= last; ++i) {
        if (!sieve.isPrime(i)) continue;
        const int x = xOf(i);
        if (out.empty() || out.back() != x) out.push_back(x);
    }
    return out;
}

std::array<LineControlPlace, kLineControlCount>
PrimeLineGeometry::placeControls(const std::array<int, kLineControlCount>& w,
                                 int textHeight) const {
    auto at = [&](LineControl c) { return static_cast<std::size_t>(c); };
    std::array<int, kLineControlCount> x{};
    const int centre = (kAxisMargin + axisRight()) / 2;
    x[at(LineControl::LowLess)] = kAxisMargin;
    x[at(LineControl::LowMore)] = kAxisMargin + w[at(LineControl::LowLess)] + 8;
    x[at(LineControl::HighMore)] = axisRight() - w[at(LineControl::HighMore)];
    x[at(LineControl::HighLess)] = x[at(LineControl::HighMore)] - 8 - w[at(LineControl::HighLess)];
    x[at(LineControl::ZoomIn)] = centre - w[at(LineControl::ZoomIn)] - 20;
    x[at(LineControl::ShiftDown)] =
        x[at(LineControl::ZoomIn)] - 4 - 40 - w[at(LineControl::ShiftDown)];
    x[at(LineControl::ZoomOut)] = centre + 20;
    x[at(LineControl::ShiftUp)] =
        x[at(LineControl::ZoomOut)] + w[at(LineControl::ZoomOut)] + 4 + 40;

    std::array<LineControlPlace, kLineControlCount> places;
    const int top = axisY_ + 22;
    for (std::size_t i = 0; i < places.size(); ++i)
        places[i] = {x[i], top, {x[i] - 4, axisY_ + 18, x[i] + w[i] + 4, top + textHeight + 4}};
    return places;
}

std::optional<LineControl>
lineControlAt(const std::array<LineControlPlace, kLineControlCount>& places, int x, int y) {
    for (std::size_t i = 0; i < places.size(); ++i)
        if (places[i].hit.contains(x, y)) return static_cast<LineControl>(i);
    return {};
}

} // namespace tallix
