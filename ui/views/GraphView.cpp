#include "ui/views/GraphView.h"

#include "engine/workspace/Workspace.h"
#include "ui/views/GraphPaint.h"

#include <QPainter>

namespace tallix {

GraphView::GraphView(Workspace& ws, QWidget* parent)
    : PaintBox("GraphPB", parent), ws_(ws), sampler_(std::make_unique<GraphSampler>()) {}

GraphView::~GraphView() = default;

void GraphView::setOverlay(int key, GraphOverlay overlay) {
    if (overlay.empty())
        overlays_.erase(key);
    else
        overlays_[key] = std::move(overlay);
    markDirty();
}

void GraphView::setMarks(GraphMarks marks) {
    marks_ = std::move(marks);
    markDirty();
}

void GraphView::render(QPainter& p) {
    const GraphScene& scene =
        sampler_->sample(ws_.funcs(), ws_.graphWindow(), ws_.trigMode(), width(), height());
    GraphPBPaint(p, size(), scene, ws_.graphWindow(), marks_);
    hotZones_.clear();
    for (const auto& [key, overlay] : overlays_)
        GraphPaintOverlay(p, scene.layout, overlay, hotZones_);
}

} // namespace tallix
