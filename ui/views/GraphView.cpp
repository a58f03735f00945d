#include "ui/views/GraphView.h"

#include "engine/workspace/Workspace.h"
#include "ui/views/GraphPaint.h"

#include "engine/graph/GraphInteraction.h"
#include "engine/graph/GraphReadout.h"

#include <QMouseEvent>
#include <QPainter>

namespace tallix {

GraphView::GraphView(Workspace& ws, QWidget* parent)
    : PaintBox("GraphPB", parent), ws_(ws), sampler_(std::make_unique<GraphSampler>()) {
    setMouseTracking(true);
}

GraphView::~GraphView() = default;

void GraphView::setOverlay(int key, GraphOverlay overlay) {
    sources_.erase(key);
    if (overlay.empty())
        overlays_.erase(key);
    else
        overlays_[key] = std::move(overlay);
    markDirty();
}

void GraphView::setOverlaySource(int key, OverlaySource source) {
    overlays_.erase(key);
    if (source)
        sources_[key] = std::move(source);
    else
        sources_.erase(key);
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
    for (const auto& [key, source] : sources_)
        GraphPaintOverlay(p, scene.layout, source(scene.layout), hotZones_);
    // The graph's own clickable marks and the selected region, over the tools'.
    GraphOverlay own;
    own.hotMarks = hotZoneMarks(width(), height(), scene.kind, ws_.graphWindow().yScaling);
    own.selection = selection_;
    GraphPaintOverlay(p, scene.layout, own, hotZones_);
    band_.reset(); // a fresh picture holds no band
}

namespace {

PixelRect sorted(QPoint a, QPoint b) {
    return {std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::max(a.x(), b.x()),
            std::max(a.y(), b.y())};
}

} // namespace

void GraphView::clearSelectedRegion() {
    if (!selection_) return;
    selection_.reset();
    markDirty();
}

// A 1-pixel white frame in exclusive-or: drawing it twice leaves no trace.
void GraphView::xorBand(const PixelRect& r) {
    QImage& img = pixels();
    {
        QPainter p(&img);
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.setPen(Qt::white);
        p.drawRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    update(r.left, r.top, r.right - r.left + 1, r.bottom - r.top + 1);
}

void GraphView::hover(QPoint pt, bool trace) {
    const GraphScene& scene = sampler_->scene();
    const PlotLayout& p = scene.layout;
    const bool inside = pt.x() > p.left && pt.x() < p.R && pt.y() > p.top && pt.y() < p.B;
    if (!inside) {
        if (hover_) update();
        hover_.reset();
        return;
    }
    GraphOverlay o;
    GraphOverlay::Readout r;
    // In the corner farthest from the pointer.
    r.right = pt.x() < (p.left + p.R) / 2;
    r.bottom = pt.y() < (p.top + p.B) / 2;
    const TrigMode trig = ws_.trigMode();
    std::optional<TraceReadout> t;
    if (trace) t = traceNearest(ws_.funcs(), *sampler_, trig, pt.x(), pt.y());
    if (t) {
        r.text = t->text;
        r.colour = t->colour;
        if (t->at) o.marks.push_back({*t->at, t->colour, GraphOverlay::Shape::Dot, ""});
    } else {
        r.text = pointerReadout(p, scene.kind, trig, pt.x(), pt.y());
    }
    o.readout = r;
    hover_ = std::move(o);
    update();
}

void GraphView::leaveEvent(QEvent* e) {
    if (hover_) update();
    hover_.reset();
    PaintBox::leaveEvent(e);
}

// The readout goes over the cached picture: hovering never resamples or redraws the graph.
void GraphView::paintEvent(QPaintEvent* e) {
    PaintBox::paintEvent(e);
    if (!hover_) return;
    QPainter p(this);
    HotZones ignored;
    GraphPaintOverlay(p, sampler_->scene().layout, *hover_, ignored);
}

void GraphView::mousePressEvent(QMouseEvent* e) {
    if (hover_) update();
    hover_.reset();
    pressAt_ = e->position().toPoint();
    pressed_ = true;
    pressButton_ = e->button();
}

void GraphView::mouseMoveEvent(QMouseEvent* e) {
    const QPoint pt = e->position().toPoint();
    if (pressed_) {
        const QPoint d = pt - pressAt_;
        if (d.x() * d.x() + d.y() * d.y() > 2) {
            image(); // the picture is current before the band goes over it
            if (band_) xorBand(*band_);
            band_ = sorted(pressAt_, pt);
            xorBand(*band_);
        }
        return;
    }
    setCursor(hotZones_.at(pt.x(), pt.y()) ? Qt::PointingHandCursor : Qt::ArrowCursor);
    hover(pt, e->modifiers() & Qt::ShiftModifier);
}

void GraphView::mouseReleaseEvent(QMouseEvent* e) {
    if (!pressed_) return;
    pressed_ = false;
    const QPoint pt = e->position().toPoint();
    if (band_) {
        xorBand(*band_);
        band_.reset();
    }
    // A drag counts when it moved more than 1 pixel in both directions.
    const bool drag = std::abs(pt.x() - pressAt_.x()) > 1 && std::abs(pt.y() - pressAt_.y()) > 1;
    if (e->button() == Qt::LeftButton) {
        if (drag) {
            selection_ = sorted(pressAt_, pt);
        } else {
            if (const int zone = hotZones_.at(pt.x(), pt.y())) emit hotZoneClicked(zone);
            selection_.reset();
        }
        markDirty();
        emit regionChanged();
    } else if (e->button() == Qt::RightButton) {
        if (drag) {
            selection_.reset();
            emit zoomRequested(sorted(pressAt_, pt));
        } else {
            emit optionsRequested();
        }
    }
}

} // namespace tallix
