#pragma once

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

} // namespace tallix
