#pragma once

#include "engine/graph/GraphOverlay.h"
#include "engine/graph/GraphSampler.h"
#include "ui/views/PaintBox.h"

#include <functional>
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
    // An overlay that depends on the plot layout (pixel-sized marks, one line
    // per column): computed for the layout of each paint. An empty function
    // removes it; it shares the keys of setOverlay.
    using OverlaySource = std::function<GraphOverlay(const PlotLayout&)>;
    void setOverlaySource(int key, OverlaySource source);

    const PlotLayout& plotLayout() const { return sampler_->scene().layout; }
    const GraphSampler& sampler() const { return *sampler_; }
    const HotZones& hotZones() const { return hotZones_; }

    // The region the user selected with a left drag (columns and rows sorted),
    // kept for the analysis tools; nothing when none.
    const std::optional<PixelRect>& selectedRegion() const { return selection_; }
    void clearSelectedRegion();

signals:
    // A left click on hot zone 1..18.
    void hotZoneClicked(int zone);
    // A right drag over `box`: zoom to it.
    void zoomRequested(PixelRect box);
    // A right click without a drag: the graphing options.
    void optionsRequested();
    // A left drag made (or a click cleared) the selected region.
    void regionChanged();

protected:
    void render(QPainter& painter) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Workspace& ws_;
    GraphMarks marks_;
    void xorBand(const PixelRect& r);
    // The coordinates (or, with Shift, the trace) under the pointer.
    void hover(QPoint pt, bool trace);

public:
    // What the pointer readout shows now; nothing when it is hidden.
    const std::optional<GraphOverlay>& hoverOverlay() const { return hover_; }
    // As if the pointer rested at `pt` (Shift held when `trace`).
    void hoverAt(QPoint pt, bool trace) { hover(pt, trace); }

private:
    std::optional<GraphOverlay> hover_; // drawn over the cached picture

    std::map<int, GraphOverlay> overlays_;
    std::map<int, OverlaySource> sources_;
    HotZones hotZones_;
    QPoint pressAt_;
    bool pressed_ = false;
    Qt::MouseButton pressButton_ = Qt::NoButton;
    std::optional<PixelRect> band_; // the rubber band drawn now
    std::optional<PixelRect> selection_;
    std::unique_ptr<GraphSampler> sampler_;
};

} // namespace tallix
