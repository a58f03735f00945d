#pragma once

#include "engine/func/FuncSlot.h"
#include "engine/graph/GraphLayout.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tallix {

class FuncSet;

// One curve ready to draw: a shown slot (or, in the parametric graphs, the odd
// slot of a pair) with its colour and its points.
struct Curve {
    int slot = 0;
    ColourValue colour = 0;
    std::vector<WorldPoint> points;
};

// Extra marks drawn with the curves, set by the graphing options.
struct GraphMarks {
    std::vector<WorldPoint> listData; // the X-Y pairs of the two chosen data lists
    bool showPoint = false;           // the single point
    bool labelPoint = false;          // labelled "(x, y)"
    WorldPoint point;
};

// What one sampling pass leaves for the painter and for the graph's tools.
struct GraphScene {
    GraphKind kind = GraphKind::Cartesian;
    PlotLayout layout;
    Bounds xBounds, yBounds;   // smallest and largest defined x and y drawn
    std::vector<Curve> curves; // in slot order; only the first curveCount are current
    int curveCount = 0;
};

// Samples the function slots for the graph and keeps each slot's samples
// until they go stale. A slot's samples are reused while the slot's revision
// is the one they were taken at; all are dropped when the key of the cache
// (sample count, first and last sample argument, graph mode flags, angle
// unit) changes. Any number of samplers can work over the same slots.
// About 700 kB of samples: keep one per graph, not on the stack.
class GraphSampler {
public:
    GraphSampler();

    // Samples every drawn slot whose samples are stale and lays the plot out
    // for a paint box of width x height pixels. Never allocates on a repaint
    // that evaluates nothing (once the curves have been drawn before).
    const GraphScene& sample(FuncSet& set, const GraphWindow& w, TrigMode trig, int width,
                             int height);

    const GraphScene& scene() const { return scene_; }
    // The graph error list: the error text of each slot that failed in the
    // last pass, in slot order. Not displayed.
    const std::vector<std::string>& errors() const { return errors_; }
    // The x, θ or t of sample k (0-based) of the last pass: the argument of
    // point k of every curve.
    Extended argument(std::size_t k) const { return k < args_.size() ? args_[k] : 0; }
    // Number of function values computed by the last pass.
    long evaluations() const { return evaluations_; }

private:
    struct Key {
        int n = -1;
        Extended first = 0, last = 0;
        bool polar = false, param = false;
        TrigMode trig = TrigMode::Radians;
        bool operator==(const Key&) const = default;
    };
    // Brings the shared sample arguments and the key up to date, invalidating
    // every slot's samples when the key changed.
    void useKey(const Key& key);
    // Samples slot n unless its cache is valid; false when it failed.
    bool ensureSampled(FuncSet& set, int n, TrigMode trig);
    const Extended* values(int n) const { return &values_[(n - 1) * kMaxSamples]; }
    Curve& nextCurve(int slot, ColourValue colour);

    void sampleCartesian(FuncSet& set, const GraphWindow& w, TrigMode trig, int width, int height);
    void samplePolar(FuncSet& set, const GraphWindow& w, TrigMode trig, int width, int height);
    void sampleParametric(FuncSet& set, const GraphWindow& w, TrigMode trig, int width, int height);
    // Polar and parametric graphs: the x range from the user limits or the
    // data bounds, the y range by the y scaling.
    void layoutFromBounds(const GraphWindow& w, const UserLimits& userX, const UserLimits& userY,
                          int width, int height);

    std::vector<Extended> args_;   // the x, theta or t of each sample
    std::vector<Extended> values_; // kMaxSamples per slot
    Key key_;
    bool keyValid_ = false;
    static constexpr std::uint64_t kNotSampled = ~std::uint64_t{0};
    std::array<std::uint64_t, kFuncSlotCount> sampled_{}; // slot revision of each slot's values
    std::vector<std::string> errors_;
    long evaluations_ = 0;
    GraphScene scene_;
};

} // namespace tallix
