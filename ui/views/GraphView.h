#pragma once

#include "engine/graph/GraphOverlay.h"
#include "engine/graph/GraphSampler.h"
#include "ui/views/PaintBox.h"

#include <map>
#include <memory>

namespace tallix {

class Workspace;

// The graph of the f(x) mode (GraphPB). Each render samples what went stale
// and draws the whole picture. The function slots, the graph window and the
// trig mode are the workspace's; the sample cache, the plot layout and the
// hot zones of the last paint belong to this view, where the graph's tools
// read them. Tools hand their drawings in as overlays.
class GraphView : public PaintBox {
    Q_OBJECT
public:
    GraphView(Workspace& ws, QWidget* parent);
    ~GraphView() override;

    void setMarks(GraphMarks marks);
    // The overlay of one tool (a key of the tool's choosing), drawn over the
    // curves in key order; an empty overlay removes it.
    void setOverlay(int key, GraphOverlay overlay);

    const PlotLayout& plotLayout() const { return sampler_->scene().layout; }
    const GraphSampler& sampler() const { return *sampler_; }
    const HotZones& hotZones() const { return hotZones_; }

protected:
    void render(QPainter& painter) override;

private:
    Workspace& ws_;
    GraphMarks marks_;
    std::map<int, GraphOverlay> overlays_;
    HotZones hotZones_;
    std::unique_ptr<GraphSampler> sampler_;
};

} // namespace tallix
