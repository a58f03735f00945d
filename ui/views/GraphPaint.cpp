#include "ui/views/GraphPaint.h"

#include "ui/views/PaintBox.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tallix {

namespace {

const QColor kBackground(0xF8, 0xF8, 0xF8);
const QColor kGridLine(0xE8, 0xE8, 0xE8);
const QColor kGridDot(0xB0, 0xB0, 0xB0);
const QColor kListMark(0x20, 0x20, 0x20);
const QColor kPointMark(0xC0, 0x00, 0x00);
constexpr int kMajorTick = 5, kMinorTick = 2;
constexpr int kLabelGap = 6; // from the axis to the nearest edge of a label
constexpr std::size_t kMaxGridDots = 100000;

QFont labelFont() {
    QFont f("DejaVu Sans");
    f.setPixelSize(9);
    return f;
}

// "3 pi / 2" as "3π/2".
QString labelText(const Tick& t, bool pi) {
    QString s = QString::fromStdString(t.label);
    if (pi) {
        s.replace(" pi", QString(QChar(0x03C0)));
        s.replace("pi", QString(QChar(0x03C0)));
        s.replace(" / ", "/");
    }
    return s;
}

class Painter {
public:
    Painter(QPainter& p, QSize size, const GraphScene& s, const GraphWindow& w)
        : p_(p), size_(size), s_(s), L_(s.layout), w_(w), fm_(labelFont()) {
        polar_ = s.kind == GraphKind::Polar || s.kind == GraphKind::PolarParametric;
        pi_ = w.piLabels && s.kind == GraphKind::Cartesian;
        xUnit_ = pi_ ? kPi : 1;
        xStep_ = chooseTickStep(L_.PlotXMin / xUnit_, L_.PlotXMax / xUnit_);
        xTicks_ = majorTicks(L_.PlotXMin / xUnit_, L_.PlotXMax / xUnit_, xStep_, pi_);
        yStep_ = chooseTickStep(L_.PlotYMin, L_.PlotYMax);
        yTicks_ = majorTicks(L_.PlotYMin, L_.PlotYMax, yStep_, false);
        axisRow_ = L_.xAxisInterior ? L_.row(0) : L_.B;
        axisCol_ = L_.yAxisInterior ? L_.column(0) : L_.R;
    }

    void grid();
    void axes();
    void curves();
    void marks(const GraphMarks& m);

private:
    int tickColumn(Extended v) const { return L_.column(v * xUnit_); }
    void pen(const QColor& c, Qt::PenStyle style = Qt::SolidLine) {
        QPen pen(c, 1, style);
        pen.setCapStyle(Qt::FlatCap);
        p_.setPen(pen);
    }
    void plotClip() { p_.setClipRect(QRect(1, 1, L_.R - 1, L_.B - 1)); }
    void polarArcs();
    void xLabels();
    void yLabels();

    QPainter& p_;
    QSize size_;
    const GraphScene& s_;
    const PlotLayout& L_;
    const GraphWindow& w_;
    QFontMetrics fm_;
    bool polar_ = false, pi_ = false;
    Extended xUnit_ = 1;
    TickStep xStep_, yStep_;
    std::vector<Tick> xTicks_, yTicks_;
    int axisRow_ = 0, axisCol_ = 0;
};

void Painter::grid() {
    if (w_.gridType == GridType::None) return;
    plotClip();
    if (polar_) {
        polarArcs();
    } else if (w_.gridType == GridType::LineMatrix) {
        pen(kGridLine);
        for (const Tick& t : xTicks_) {
            const int c = tickColumn(t.value);
            if (c != axisCol_) p_.drawLine(c, L_.top + 1, c, L_.B - 1);
        }
        for (const Tick& t : yTicks_) {
            const int r = L_.row(t.value);
            if (r != axisRow_) p_.drawLine(L_.left + 1, r, L_.R - 1, r);
        }
    } else {
        // Dot matrix: dotted lines through the major ticks, one dot per minor step.
        pen(kGridDot);
        const auto yMinor = minorTicks(L_.PlotYMin, L_.PlotYMax, yStep_.minor);
        const auto xMinor = minorTicks(L_.PlotXMin / xUnit_, L_.PlotXMax / xUnit_, xStep_.minor);
        if (xTicks_.size() * yMinor.size() + yTicks_.size() * xMinor.size() > kMaxGridDots) {
            p_.setClipping(false);
            return;
        }
        for (const Tick& t : xTicks_)
            for (Extended y : yMinor)
                p_.drawPoint(tickColumn(t.value), L_.row(y));
        for (const Tick& t : yTicks_)
            for (Extended x : xMinor)
                p_.drawPoint(tickColumn(x), L_.row(t.value));
    }
    p_.setClipping(false);
}

// Circles of constant radius round the origin, one per major x step, drawn
// as far as they cross the plot.
void Painter::polarArcs() {
    const Extended step = xStep_.major;
    Extended reach = 0;
    for (Extended x : {L_.PlotXMin, L_.PlotXMax})
        for (Extended y : {L_.PlotYMin, L_.PlotYMax})
            reach = std::max(reach, std::hypot(x, y));
    if (!(step > 0) || !(reach / step < 60)) return; // at most 59 circles
    const QPointF centre((0 - L_.PlotXMin) / L_.XPerPixel + L_.left,
                         (L_.PlotYMax - 0) / L_.YPerPixel + L_.top);
    if (std::abs(centre.x()) > 10000 || std::abs(centre.y()) > 10000) return;
    if (w_.gridType == GridType::LineMatrix)
        pen(kGridLine);
    else
        pen(kGridDot, Qt::DotLine);
    p_.setBrush(Qt::NoBrush);
    for (int k = 1; k * step <= reach; ++k)
        p_.drawEllipse(centre, double(k * step / L_.XPerPixel), double(k * step / L_.YPerPixel));
}

void Painter::axes() {
    pen(Qt::black);
    p_.drawRect(0, 0, size_.width() - 1, size_.height() - 1);
    if (L_.xAxisInterior)
        p_.drawLine(L_.left, axisRow_, L_.R, axisRow_);
    else
        p_.drawLine(L_.left, L_.B, L_.R, L_.B);
    if (L_.yAxisInterior)
        p_.drawLine(axisCol_, L_.top, axisCol_, L_.B);
    else
        p_.drawLine(L_.R, L_.top, L_.R, L_.B);
    p_.setFont(labelFont());
    xLabels();
    yLabels();
}

void Painter::xLabels() {
    const int textHeight = fm_.height();
    // An interior axis close to the bottom takes its labels above it.
    const bool above = L_.xAxisInterior && (L_.B - axisRow_) * 16 < 30 * textHeight;
    const int dir = above ? -1 : 1;
    for (Extended v : minorTicks(L_.PlotXMin / xUnit_, L_.PlotXMax / xUnit_, xStep_.minor)) {
        const int c = tickColumn(v);
        p_.drawLine(c, axisRow_ + dir, c, axisRow_ + dir * kMinorTick);
    }
    int lastRight = -1000;
    for (const Tick& t : xTicks_) {
        const int c = tickColumn(t.value);
        p_.drawLine(c, axisRow_ + dir, c, axisRow_ + dir * kMajorTick);
        const QString text = labelText(t, pi_);
        const int width = fm_.horizontalAdvance(text);
        const int left = std::clamp(c - width / 2, 2, size_.width() - 2 - width);
        const int top = above ? axisRow_ - kLabelGap - textHeight : axisRow_ + kLabelGap;
        const QRect box(left, top, width, textHeight);
        const bool onYAxis =
            L_.yAxisInterior && box.left() - 2 <= axisCol_ && axisCol_ <= box.right() + 2;
        if (box.left() < lastRight + 4 || onYAxis) continue;
        p_.drawText(box, Qt::AlignCenter, text);
        lastRight = box.right();
    }
}

void Painter::yLabels() {
    const int textHeight = fm_.height();
    int widest = 0;
    for (const Tick& t : yTicks_)
        widest = std::max(widest, fm_.horizontalAdvance(QString::fromStdString(t.label)));
    // Labels stand left of an interior axis when they fit there, else right.
    const bool left = L_.yAxisInterior && axisCol_ - kLabelGap - widest >= 2;
    const int dir = left ? -1 : 1;
    for (Extended v : minorTicks(L_.PlotYMin, L_.PlotYMax, yStep_.minor)) {
        const int r = L_.row(v);
        p_.drawLine(axisCol_ + dir, r, axisCol_ + dir * kMinorTick, r);
    }
    int lastTop = 100000;
    for (auto it = yTicks_.begin(); it != yTicks_.end(); ++it) { // bottom to top
        const int r = L_.row(it->value);
        p_.drawLine(axisCol_ + dir, r, axisCol_ + dir * kMajorTick, r);
        const QString text = QString::fromStdString(it->label);
        const int width = fm_.horizontalAdvance(text);
        int x = left ? axisCol_ - kLabelGap - width : axisCol_ + kLabelGap;
        x = std::clamp(x, 2, size_.width() - 2 - width);
        const int top = std::clamp(r - textHeight / 2, 2, size_.height() - 2 - textHeight);
        const QRect box(x, top, width, textHeight);
        const bool onXAxis = L_.xAxisInterior && std::abs(r - axisRow_) < textHeight;
        if (box.bottom() > lastTop - 2 || onXAxis) continue;
        p_.drawText(box, Qt::AlignCenter, text);
        lastTop = box.top();
    }
}

void Painter::curves() {
    p_.setClipRect(QRect(L_.left, L_.top, L_.R - L_.left + 1, L_.B - L_.top + 1));
    std::vector<PixelSegment> segments;
    for (int i = 0; i < s_.curveCount; ++i) {
        const Curve& c = s_.curves[i];
        pen(winColor(int(c.colour)));
        curveSegments(L_, c.points, segments);
        for (const PixelSegment& seg : segments)
            p_.drawLine(seg.from.x, seg.from.y, seg.to.x, seg.to.y);
    }
    p_.setClipping(false);
}

void Painter::marks(const GraphMarks& m) {
    const QRect plot(L_.left + 1, L_.top + 1, L_.R - L_.left - 1, L_.B - L_.top - 1);
    p_.setClipRect(plot);
    p_.setBrush(Qt::NoBrush);
    pen(kListMark);
    for (const WorldPoint& w : m.listData) {
        if (isUndefined(w.x) || isUndefined(w.y)) continue;
        const QPoint c(L_.column(w.x), L_.row(w.y));
        p_.drawRect(c.x() - 2, c.y() - 2, 4, 4);
    }
    p_.setClipping(false);
    if (!m.showPoint) return;
    const QPoint c(L_.column(m.point.x), L_.row(m.point.y));
    if (!plot.contains(c)) return;
    pen(kPointMark);
    p_.drawEllipse(QPoint(c), 3, 3);
    p_.drawPoint(c);
    if (m.labelPoint) {
        const QString text =
            QString("(%1, %2)").arg(double(m.point.x), 0, 'g', 6).arg(double(m.point.y), 0, 'g', 6);
        const int width = fm_.horizontalAdvance(text);
        int x = c.x() + 6;
        if (x + width > plot.right()) x = c.x() - 6 - width;
        int y = c.y() - 5 - fm_.height();
        if (y < plot.top()) y = c.y() + 5;
        pen(Qt::black);
        p_.drawText(QRect(x, y, width, fm_.height()), Qt::AlignCenter, text);
    }
}

} // namespace

void GraphPBPaint(QPainter& p, QSize size, const GraphScene& scene, const GraphWindow& w,
                  const GraphMarks& marks) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(QPoint(0, 0), size), kBackground);
    Painter painter(p, size, scene, w);
    painter.grid();
    painter.axes();
    painter.curves();
    painter.marks(marks);
    p.restore();
}

void GraphPaintOverlay(QPainter& p, const PlotLayout& layout, const GraphOverlay& overlay,
                       HotZones& zones) {
    const PixelOverlay px = resolveOverlay(overlay, layout);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setClipRect(QRect(layout.left + 1, layout.top + 1, layout.R - layout.left - 1,
                        layout.B - layout.top - 1));
    for (const PixelOverlay::Shade& s : px.shades) {
        QPolygon poly;
        for (const PixelPoint& q : s.outline)
            poly << QPoint(q.x, q.y);
        p.setPen(Qt::NoPen);
        p.setBrush(winColor(static_cast<int>(s.colour)));
        p.drawPolygon(poly);
    }
    p.setBrush(Qt::NoBrush);
    for (const PixelOverlay::Line& l : px.lines) {
        p.setPen(winColor(static_cast<int>(l.colour)));
        p.drawLine(l.segment.from.x, l.segment.from.y, l.segment.to.x, l.segment.to.y);
    }
    const QFontMetrics fm(p.font());
    for (const PixelOverlay::Mark& m : px.marks) {
        p.setPen(winColor(static_cast<int>(m.colour)));
        const int x = m.at.x, y = m.at.y;
        switch (m.shape) {
        case GraphOverlay::Shape::Cross:
            p.drawLine(x - 3, y, x + 3, y);
            p.drawLine(x, y - 3, x, y + 3);
            break;
        case GraphOverlay::Shape::Dot:
            p.setBrush(winColor(static_cast<int>(m.colour)));
            p.drawEllipse(QPoint(x, y), 2, 2);
            p.setBrush(Qt::NoBrush);
            break;
        case GraphOverlay::Shape::Square:
            p.drawRect(x - 2, y - 2, 4, 4);
            break;
        case GraphOverlay::Shape::Circle:
            p.drawEllipse(QPoint(x, y), 3, 3);
            break;
        }
        if (!m.label.empty()) p.drawText(x + 5, y - 4, QString::fromStdString(m.label));
    }
    p.setClipping(false);
    if (overlay.selection) {
        const PixelRect& r = *overlay.selection;
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    QFont markFont("DejaVu Sans");
    markFont.setPixelSize(9);
    p.setFont(markFont);
    for (const GraphOverlay::HotMark& h : overlay.hotMarks) {
        p.setPen(winColor(0x800000)); // navy, as the window's other clickable labels
        const QRect r(h.rect.left, h.rect.top, h.rect.right - h.rect.left + 1,
                      h.rect.bottom - h.rect.top + 1);
        p.drawText(r, Qt::AlignCenter, QString::fromStdString(h.text).trimmed());
        zones.set(h.zone, h.rect);
    }
    if (overlay.readout) {
        const GraphOverlay::Readout& t = *overlay.readout;
        const QString text = QString::fromStdString(t.text);
        const QFontMetrics rm(markFont);
        const int w = rm.horizontalAdvance(text) + 8, h = rm.height() + 2;
        const int x = t.right ? layout.R - w - 2 : layout.left + 14;
        const int y = t.bottom ? layout.B - h - 16 : layout.top + 14;
        p.setPen(winColor(static_cast<int>(t.colour)));
        p.setBrush(Qt::white);
        p.drawRect(x, y, w, h);
        p.drawText(QRect(x, y, w, h), Qt::AlignCenter, text);
        p.setBrush(Qt::NoBrush);
    }
    if (overlay.rubberBand) {
        const PixelRect& r = *overlay.rubberBand;
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.setPen(Qt::white);
        p.drawRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    p.restore();
}

} // namespace tallix
