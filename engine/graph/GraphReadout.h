#pragma once

#include "engine/graph/GraphSampler.h"

#include <optional>
#include <string>

namespace tallix {

class FuncSet;

// v as decimal text with just enough digits to tell it from the value one
// `perPixel` away: fixed digits for ordinary ranges, an exponent for huge and
// tiny ones; "." as the decimal point whatever the locale.
std::string readoutNumber(Extended v, Extended perPixel);

// The pointer's world coordinates at graph pixel (x, y): "x = …   y = …", or
// "θ = …   r = …" in the polar graphs (θ in the trig mode's unit).
std::string pointerReadout(const PlotLayout& p, GraphKind kind, TrigMode trig, int x, int y);

// The shown curve nearest the pointer and its value there.
struct TraceReadout {
    int slot = 0; // the slot (the odd slot of a parametric pair)
    ColourValue colour = 0;
    std::string text;             // "3:  x = …   y = …", "- no value -" for an undefined value
    std::optional<WorldPoint> at; // where to draw the dot; nothing when undefined
};
// Cartesian: the slot whose value at the pointer's x lies nearest the pointer,
// evaluated at that exact x. Polar and parametric: the nearest sampled point
// of any drawn curve, its θ or t, re-evaluated exactly. Nothing when no curve
// is drawn.
std::optional<TraceReadout> traceNearest(FuncSet& set, const GraphSampler& sampler, TrigMode trig,
                                         int x, int y);

} // namespace tallix
