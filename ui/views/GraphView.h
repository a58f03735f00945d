#pragma once

#include "engine/graph/GraphSampler.h"
#include "ui/views/PaintBox.h"

#include <memory>

namespace tallix {

class FuncSet;

// The graph of the f(x) mode (GraphPB). Each render samples what went stale
// and draws the whole picture. The function slots and the graph window belong
// to the main window; the sample cache and the plot layout of the last paint
// belong to this view, where the graph's tools read them.
class GraphView : public PaintBox {
    Q_OBJECT
public:
    GraphView(FuncSet& funcs, const GraphWindow& window, QWidget* parent);
    ~GraphView() override;

    void setTrigMode(TrigMode trig);
    void setMarks(GraphMarks marks);

    const PlotLayout& plotLayout() const { return sampler_->scene().layout; }
    const GraphSampler& sampler() const { return *sampler_; }

protected:
    void render(QPainter& painter) override;

private:
    FuncSet& funcs_;
    const GraphWindow& window_;
    TrigMode trig_ = TrigMode::Radians;
    GraphMarks marks_;
    std::unique_ptr<GraphSampler> sampler_;
};

} // namespace tallix
