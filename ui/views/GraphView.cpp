#include "ui/views/GraphView.h"

#include "engine/func/FuncSet.h"
#include "ui/views/GraphPaint.h"

#include <QPainter>

namespace tallix {

GraphView::GraphView(FuncSet& funcs, const GraphWindow& window, QWidget* parent)
    : PaintBox("GraphPB", parent), funcs_(funcs), window_(window),
      sampler_(std::make_unique<GraphSampler>()) {}

GraphView::~GraphView() = default;

void GraphView::setTrigMode(TrigMode trig) {
    if (trig == trig_) return;
    trig_ = trig;
    funcs_.InvalidateFuncCacheAll();
    markDirty();
}

void GraphView::setMarks(GraphMarks marks) {
    marks_ = std::move(marks);
    markDirty();
}

void GraphView::render(QPainter& p) {
    const GraphScene& scene = sampler_->sample(funcs_, window_, trig_, width(), height());
    GraphPBPaint(p, size(), scene, window_, marks_);
}

} // namespace tallix
