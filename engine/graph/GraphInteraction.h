#pragma once

#include "engine/graph/GraphOverlay.h"

namespace tallix {

// What the mouse does to the graph window. Each change leaves the function
// samples to be redone by the caller (InvalidateFuncCacheAll) and a repaint.

// A right drag over `box` (graph pixels): its columns and rows become the
// x and y limits (the smaller value the minimum); polar graphs take them as
// their own x and y limits, the others as XMin/XMax (parametric: the user x
// limits) and the user y limits. The y scaling becomes User Def.
void zoomToBox(GraphWindow& w, const PlotLayout& p, GraphKind kind, const PixelRect& box);

// The hot zones, 1..18: zoom in and out (1, 2), the right end of x (3..6:
// <<, <, >, >>), the left end of x (7..10), the polar y range (11 in, 12 out),
// the lower end of y (13 down, 14 up), the upper end of y (15 up, 16 down),
// the y centre or the user y limits up and down (17, 18). The x and y ends
// move by half (<<, >>) or a tenth (<, >) of the span shown.
void applyHotZone(GraphWindow& w, const PlotLayout& p, GraphKind kind, int zone);

// The clickable marks of the graph (width x height pixels) for its kind and
// y scaling, each with its zone number: "ZmIn    " and "    ZmOut" along the
// top, arrows at the ends of the axes.
std::vector<GraphOverlay::HotMark> hotZoneMarks(int width, int height, GraphKind kind,
                                                YScaling scaling);

} // namespace tallix
