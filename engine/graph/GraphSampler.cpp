#include "engine/graph/GraphSampler.h"

#include "engine/core/Scalar.h"
#include "engine/func/FuncSet.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tallix {

namespace {

WorldPoint polarPoint(Extended theta, Extended r, TrigMode trig) {
    if (isUndefined(theta) || isUndefined(r)) return {UndefinedMarker, UndefinedMarker};
    const Extended a = toRadians(theta, trig);
    return {r * std::cos(a), r * std::sin(a)};
}

} // namespace

GraphSampler::GraphSampler()
    : args_(kMaxSamples, 0), values_(std::size_t(kFuncSlotCount) * kMaxSamples, 0) {
    sampled_.fill(kNotSampled);
}

void GraphSampler::useKey(const Key& key) {
    if (keyValid_ && key == key_) return;
    sampled_.fill(kNotSampled);
    key_ = key;
    keyValid_ = true;
}

bool GraphSampler::ensureSampled(FuncSet& set, int n, TrigMode trig) {
    std::uint64_t& sampledAt = sampled_[std::size_t(n - 1)];
    const std::uint64_t revision = set.slot(n).revision;
    if (sampledAt == revision) return true;
    Extended* v = &values_[std::size_t(n - 1) * kMaxSamples];
    set.EvalFuncBlock(n, args_.data(), key_.n, v, trig);
    if (!set.FuncErrorText.empty()) {
        errors_.push_back(set.FuncErrorText);
        return false;
    }
    evaluations_ += key_.n;
    for (int k = 0; k < key_.n; ++k)
        if (!std::isfinite(v[k])) v[k] = UndefinedMarker;
    sampledAt = revision;
    return true;
}

Curve& GraphSampler::nextCurve(int slot, ColourValue colour) {
    if (scene_.curveCount == int(scene_.curves.size())) scene_.curves.emplace_back();
    Curve& c = scene_.curves[scene_.curveCount++];
    c.slot = slot;
    c.colour = colour;
    c.points.clear();
    return c;
}

const GraphScene& GraphSampler::sample(FuncSet& set, const GraphWindow& w, TrigMode trig, int width,
                                       int height) {
    errors_.clear();
    evaluations_ = 0;
    scene_.curveCount = 0;
    scene_.xBounds = {};
    scene_.yBounds = {};
    scene_.kind = graphKindOf(set.PolarMode, set.ParamMode);
    switch (scene_.kind) {
    case GraphKind::Cartesian:
        sampleCartesian(set, w, trig, width, height);
        break;
    case GraphKind::Polar:
        samplePolar(set, w, trig, width, height);
        break;
    case GraphKind::Parametric:
    case GraphKind::PolarParametric:
        sampleParametric(set, w, trig, width, height);
        break;
    }
    return scene_;
}

void GraphSampler::sampleCartesian(FuncSet& set, const GraphWindow& w, TrigMode trig, int width,
                                   int height) {
    const XLayout xl = layoutX(w.XMin, w.XMax, width, w.UseInteriorAxes);
    const int n = cartesianSampleCount(xl);
    const Key key{n, w.XMin, cartesianSample(w, xl, n), false, false, trig};
    if (!(keyValid_ && key == key_)) {
        for (int k = 1; k <= n; ++k)
            args_[k - 1] = cartesianSample(w, xl, k);
        useKey(key);
    }
    for (int s = 1; s <= kFuncSlotCount; ++s) {
        const FuncSlot& slot = set.slot(s);
        if (!slot.defined() || !slot.Shown || !ensureSampled(set, s, trig)) continue;
        Curve& c = nextCurve(s, slot.Colour);
        const Extended* v = values(s);
        for (int k = 0; k < n; ++k) {
            c.points.push_back({args_[k], v[k]});
            if (!isUndefined(v[k])) {
                scene_.xBounds.widen(args_[k]);
                scene_.yBounds.widen(v[k]);
            }
        }
    }
    const YLayout yl = layoutY(w, scene_.yBounds, w.userY, xl.XPerPixel, height);
    scene_.layout = combine(xl, yl);
}

void GraphSampler::samplePolar(FuncSet& set, const GraphWindow& w, TrigMode trig, int width,
                               int height) {
    const int n = polarSampleCount(w.ThetaMin, w.ThetaMax);
    const Key key{n, w.ThetaMin, w.ThetaMax, true, false, trig};
    if (!(keyValid_ && key == key_)) {
        for (int k = 1; k <= n; ++k)
            args_[k - 1] = spreadSample(w.ThetaMin, w.ThetaMax, n, k);
        useKey(key);
    }
    for (int s = 1; s <= kFuncSlotCount; ++s) {
        const FuncSlot& slot = set.slot(s);
        if (!slot.defined() || !slot.Shown || !ensureSampled(set, s, trig)) continue;
        Curve& c = nextCurve(s, slot.Colour);
        const Extended* r = values(s);
        for (int k = 0; k < n; ++k) {
            const WorldPoint p = polarPoint(args_[k], r[k], trig);
            c.points.push_back(p);
            if (!isUndefined(p.x)) {
                scene_.xBounds.widen(p.x);
                scene_.yBounds.widen(p.y);
            }
        }
    }
    layoutFromBounds(w, w.polarX, w.polarY, width, height);
}

void GraphSampler::sampleParametric(FuncSet& set, const GraphWindow& w, TrigMode trig, int width,
                                    int height) {
    const int n = std::clamp(w.TCount, 10, kMaxSamples);
    const Key key{n, w.TMin, w.TMax, set.PolarMode, true, trig};
    if (!(keyValid_ && key == key_)) {
        for (int k = 1; k <= n; ++k)
            args_[k - 1] = spreadSample(w.TMin, w.TMax, n, k);
        useKey(key);
    }
    // Every shown slot is sampled, and the partner of a shown odd slot with it.
    std::array<bool, kFuncSlotCount + 1> ok{};
    for (int s = 1; s <= kFuncSlotCount; ++s) {
        const FuncSlot& slot = set.slot(s);
        const bool partnerShown = s % 2 == 0 && set.slot(s - 1).Shown;
        if (slot.defined() && (slot.Shown || partnerShown)) ok[s] = ensureSampled(set, s, trig);
    }
    const bool polar = set.PolarMode;
    for (int j = 1; j < kFuncSlotCount; j += 2) {
        const FuncSlot& first = set.slot(j);
        // Only the odd slot's shown flag counts.
        if (!first.Shown || !ok[j] || !ok[j + 1]) continue;
        Curve& c = nextCurve(j, first.Colour);
        const Extended* a = values(j);
        const Extended* b = values(j + 1);
        for (int k = 0; k < n; ++k) {
            WorldPoint p{a[k], b[k]};
            if (isUndefined(a[k]) || isUndefined(b[k]))
                p = {UndefinedMarker, UndefinedMarker};
            else if (polar)
                p = polarPoint(a[k], b[k], trig);
            c.points.push_back(p);
            if (!isUndefined(p.x)) {
                scene_.xBounds.widen(p.x);
                scene_.yBounds.widen(p.y);
            }
        }
    }
    layoutFromBounds(w, polar ? w.polarX : w.userX, polar ? w.polarY : w.userY, width, height);
}

void GraphSampler::layoutFromBounds(const GraphWindow& w, const UserLimits& userX,
                                    const UserLimits& userY, int width, int height) {
    Bounds xb = scene_.xBounds, yb = scene_.yBounds;
    if (!xb.any || !yb.any) {
        xb = {true, -10, 10};
        yb = {true, -10, 10};
    } else if (xb.max - xb.min < 1e-4L) {
        const Extended mid = (xb.min + xb.max) / 2;
        xb.min = mid - 2e-5L;
        xb.max = mid + 2e-5L;
    }
    const XLayout xl = userX.set ? layoutXExact(userX.min, userX.max, width, w.UseInteriorAxes)
                                 : layoutX(xb.min, xb.max, width, w.UseInteriorAxes);
    const YLayout yl = layoutY(w, yb, userY, xl.XPerPixel, height);
    scene_.layout = combine(xl, yl);
}

} // namespace tallix
