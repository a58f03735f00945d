#pragma once
// What the Evaluate and integral windows draw on the graph, computed for the
// plot layout of the paint at hand.

#include "engine/analysis/DefInt.h"
#include "engine/analysis/EvalAtX.h"
#include "engine/graph/GraphOverlay.h"

namespace tallix {

class FuncSet;

// Red circles at the evaluated points inside the view and, with slopes, the
// tangents 40 pixels to each side along the line (a vertical segment of 80
// pixels for |m| > 1e21). In parametric mode a circle at (x, y) of each pair
// whose two values are defined; no tangents.
GraphOverlay evalOverlay(const EvalAtXResult& r, const FuncSet& funcs, const PlotLayout& p);

// The shading of an integral: for each pixel column strictly inside the plot
// between the columns of xmin and xmax where the functions the type needs
// are defined, a line in `fill` from the primary function's point to the x
// axis (type 0), to the secondary function's point (type 1), or a tick of 2
// pixels up and down (type 2). A point below the plot skips its column; one
// above starts a pixel above the plot; the other end stops at the plot's
// bottom edge.
GraphOverlay integralOverlay(FuncSet& funcs, const IntegralInput& in, ColourValue fill,
                             const PlotLayout& p);

} // namespace tallix
