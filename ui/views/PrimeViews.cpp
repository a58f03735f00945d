#include "ui/views/PrimeViews.h"

#include "engine/primes/FactPrime.h"
#include "engine/primes/PrimeMap.h"
#include "engine/primes/PrimeSieve.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <span>

namespace tallix {

namespace {

QFont pixelFont(int pixelSize) {
    QFont f("DejaVu Sans");
    f.setPixelSize(pixelSize);
    return f;
}

// Text with its top-left corner at (x, y); returns its width.
int textAt(QPainter& p, int x, int y, const QString& text) {
    const QFontMetrics fm(p.font());
    p.drawText(x, y + fm.ascent(), text);
    return fm.horizontalAdvance(text);
}

const QFont& baseFont() {
    static const QFont f = pixelFont(11);
    return f;
}
const QFont& exponentFont() {
    static const QFont f = pixelFont(8);
    return f;
}
const QFont& controlFont() {
    static const QFont f = pixelFont(13);
    return f;
}
const QFont& tickFont() {
    static const QFont f = pixelFont(9);
    return f;
}

} // namespace

FactorStrip::FactorStrip(QWidget* parent) : PaintBox("FactorPB", parent) {}

void FactorStrip::setFactors(std::vector<std::string> factors) {
    factors_ = std::move(factors);
    markDirty();
}

void FactorStrip::render(QPainter& p) {
    p.fillRect(rect(), QColor(244, 244, 244));
    p.setPen(Qt::black);
    // Text tops: the bases sit lower than the exponents at y = 4.
    const int y = QFontMetrics(baseFont()).height() * 170 / 256 + 4;
    int x = 12;
    bool first = true;
    for (const FactorGroup& g : groupFactors(factors_)) {
        p.setFont(baseFont());
        if (!first) x += textAt(p, x, y, " *  ");
        first = false;
        x += textAt(p, x, y, QString::fromStdString(g.base));
        if (g.count > 1) {
            p.setFont(exponentFont());
            x += textAt(p, x, 4, QString::number(g.count));
        }
    }
}

PrimeLineBox::PrimeLineBox(const PrimeSieve& sieve, QWidget* parent)
    : PaintBox("PrimeLinePB", parent), sieve_(sieve) {
    setMouseTracking(true);
}

void PrimeLineBox::setRange(PrimeLineRange r) {
    range_ = r;
    markDirty();
}

std::array<LineControlPlace, kLineControlCount> PrimeLineBox::controlPlaces() const {
    const QFontMetrics fm(controlFont());
    std::array<int, kLineControlCount> widths{};
    for (int i = 0; i < kLineControlCount; ++i)
        widths[i] = fm.horizontalAdvance(lineControlText(static_cast<LineControl>(i)));
    return PrimeLineGeometry(width(), height(), range_).placeControls(widths, fm.height());
}

void PrimeLineBox::render(QPainter& p) {
    const PrimeLineGeometry g(width(), height(), range_);
    const int y0 = g.axisY();
    p.setPen(Qt::black);
    p.drawLine(g.axisLeft(), y0, g.axisRight(), y0);
    for (std::int64_t k : g.minorTicks())
        p.drawLine(g.xOf(k), y0 + 1, g.xOf(k), y0 + 4);
    p.setFont(tickFont());
    const QFontMetrics tm(tickFont());
    for (std::int64_t k : g.majorTicks()) {
        const int x = g.xOf(k);
        p.drawLine(x, y0 + 1, x, y0 + 6);
        const QString label = QString::number(k);
        textAt(p, x - tm.horizontalAdvance(label) / 2, y0 + 6, label);
    }
    p.setPen(Qt::red);
    for (int x : g.primeXs(sieve_)) {
        p.drawLine(x, y0 - 1, x, y0 - 20);
        const QPoint head[] = {{x - 2, y0 - 5}, {x, y0 - 1}, {x + 2, y0 - 5}};
        p.drawPolyline(head, 3);
    }
    p.setPen(Qt::blue);
    p.setFont(controlFont());
    const auto places = controlPlaces();
    for (int i = 0; i < kLineControlCount; ++i)
        textAt(p, places[i].x, places[i].y, lineControlText(static_cast<LineControl>(i)));
}

void PrimeLineBox::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() != Qt::LeftButton) return;
    if (const auto c = lineControlAt(controlPlaces(), pos.x(), pos.y()))
        setRange(applyLineControl(range_, *c));
}

void PrimeLineBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    setCursor(lineControlAt(controlPlaces(), pos.x(), pos.y()) ? Qt::PointingHandCursor
                                                               : Qt::ArrowCursor);
}

PrimeMapBox::PrimeMapBox(const PrimeSieve& sieve, QWidget* parent)
    : PaintBox("PrimeMapPB", parent), sieve_(sieve) {
    setFixedSize(kPrimeMapSide, kPrimeMapSide);
}

void PrimeMapBox::render(QPainter& p) {
    if (map_.isNull()) {
        map_ = QImage(kPrimeMapSide, kPrimeMapSide, QImage::Format_RGB32);
        for (int row = 0; row < kPrimeMapSide; ++row) {
            auto* line = reinterpret_cast<std::uint32_t*>(map_.scanLine(row));
            primeMapRow(sieve_, row, std::span<std::uint32_t>(line, kPrimeMapSide));
        }
    }
    p.drawImage(QRect(0, 0, kPrimeMapSide, kPrimeMapSide), map_);
}

} // namespace tallix
