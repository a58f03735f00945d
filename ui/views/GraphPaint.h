#pragma once

#include "engine/graph/GraphOverlay.h"
#include "engine/graph/GraphSampler.h"

#include <QSize>

class QPainter;

namespace tallix {

// Draws a sampled graph over a paint box of `size` logical pixels:
// background, grid (or the radius arcs of the polar graphs), axes with their
// ticks and labels, the curves, then the list data and the single point.
// Draws only; every position comes from the scene's plot layout.
void GraphPBPaint(QPainter& p, QSize size, const GraphScene& scene, const GraphWindow& w,
                  const GraphMarks& marks);

// Draws a tool's overlay over a graph laid out as `layout` and records the
// hot zones of its clickable marks.
void GraphPaintOverlay(QPainter& p, const PlotLayout& layout, const GraphOverlay& overlay,
                       HotZones& zones);

} // namespace tallix
