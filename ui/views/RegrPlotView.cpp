#include "ui/views/RegrPlotView.h"

#include "engine/lists/RegrPlot.h"

#include <QMouseEvent>
#include <QPainter>

namespace tallix {

namespace {

const QColor kNavy(0, 0, 0x80);
const QColor kGreen(0, 0xFF, 0);
const QColor kGridGreen(0, 0x80, 0);

} // namespace

RegrPlotView::RegrPlotView(const RegrState& state, QWidget* parent)
    : PaintBox("regrPB", parent), state_(state) {}

void RegrPlotView::render(QPainter& p) {
    const int w = width(), h = height();
    p.fillRect(0, 0, w, h, winColor(16316664));
    const RegrPlot plot = layoutRegrPlot(state_, w, h);
    if (!plot.hasData) return;
    QFont font = p.font();
    font.setPixelSize(9);
    p.setFont(font);
    const QFontMetrics fm(font);
    const int W = plot.plotW, H = plot.plotH;

    // Grid lines first, so ticks, crosses and the curve are drawn over them.
    p.setPen(kGridGreen);
    for (const RegrPlot::Tick& t : plot.xTicks)
        if (t.major && t.at >= 0 && t.at <= W)
            for (int y = 0; y < H; y += 16)
                p.drawPoint(t.at, y);
    for (const RegrPlot::Tick& t : plot.yTicks)
        if (t.major && t.at >= 0 && t.at <= H)
            for (int x = 0; x < W; x += 16)
                p.drawPoint(x, t.at);

    p.setPen(Qt::black);
    p.drawRect(0, 0, w - 1, h - 1);
    p.setPen(kNavy);
    p.drawLine(0, H, W, H);
    p.drawLine(W, 0, W, H);
    for (const RegrPlot::Tick& t : plot.xTicks) {
        if (t.at < 0 || t.at > W) continue;
        p.drawLine(t.at, H, t.at, H + (t.major ? 5 : 2));
        if (!t.major) continue;
        const QString label = QString::fromStdString(t.label);
        p.drawText(t.at - fm.horizontalAdvance(label) / 2, H + 5 + 6 + fm.ascent(), label);
    }
    for (const RegrPlot::Tick& t : plot.yTicks) {
        if (t.at < 0 || t.at > H) continue;
        p.drawLine(W, t.at, W + (t.major ? 5 : 2), t.at);
        if (!t.major) continue;
        p.drawText(W + 5 + 6, t.at - fm.height() / 2 + fm.ascent(),
                   QString::fromStdString(t.label));
    }

    p.setClipRect(0, 0, W + 1, H + 1);
    for (const RegrPlot::Point& c : plot.crosses) {
        p.drawLine(c.x - 3, c.y, c.x + 3, c.y);
        p.drawLine(c.x, c.y - 3, c.x, c.y + 3);
    }
    p.setPen(kGreen);
    for (const auto& line : plot.curve)
        for (std::size_t i = 1; i < line.size(); ++i)
            p.drawLine(line[i - 1].x, line[i - 1].y, line[i].x, line[i].y);
    p.setClipping(false);
}

void RegrPlotView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton || event->button() == Qt::LeftButton)
        emit menuRequested(mapToGlobal(event->position().toPoint()) + QPoint(0, 8));
    PaintBox::mouseReleaseEvent(event);
}

} // namespace tallix
