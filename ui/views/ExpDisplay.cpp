#include "ui/views/ExpDisplay.h"

#include "engine/calc/ExpGeometry.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace tallix {

namespace {

const QColor kActiveBand = winColor(0xF8F4F4);
const QColor kInactiveBand = winColor(0xC0C0C0);
const QColor kSelectedActive = winColor(0x00FF00);
const QColor kSelectedInactive = winColor(0x008000);

// Parenthesis colours by nesting level (Windows colour values).
constexpr std::array<int, 10> kParenColors = {0x000000, 0xFF00FF, 0x0000FF, 0xFF8040, 0x008000,
                                              0x800080, 0xFF0000, 0x00FF00, 0x808000, 0x0080FF};

const QString kPiGlyph = QString::fromUtf8("\u03C0");

} // namespace

ExpDisplay::ExpDisplay(CalcEditor& editor, QWidget* parent)
    : PaintBox("expPB", parent), editor_(editor), cursorColor_(winColor(0xFF0080)) {
    setCursor(Qt::IBeamCursor);
}

void ExpDisplay::setLook(int cursorColor, bool colorParens) {
    cursorColor_ = winColor(cursorColor);
    colorParens_ = colorParens;
    markDirty();
}

int ExpDisplay::ExpTokenWidth(int line, int pos, bool small) const {
    const ExpLine& ln = editor_.line(line);
    if (pos < 1 || pos > ln.count()) return 0;
    return glyphs_.width(ln.at(pos), small);
}

// Widths are measured once per code, so a full pass is cheap; it also mends
// positions left stale by deletions and by an n-th root changing its index.
void ExpDisplay::layoutLine(int n) {
    std::vector<bool> index;
    glyphs_.layout(editor_.line(n).tokens(), 4,
                   layouts_[static_cast<std::size_t>(std::clamp(n, 1, 8) - 1)], index);
}

void ExpDisplay::repaintAll() {
    for (int n = 1; n <= expgeo::kLines; ++n)
        layoutLine(n);
    markDirty();
}

bool ExpDisplay::bandActive(int n) const {
    return n == editor_.currentLine() || (editor_.currentLine() == 1 && editor_.autoscroll);
}

QColor ExpDisplay::bandColor(int n) const {
    return bandActive(n) ? kActiveBand : kInactiveBand;
}

void ExpDisplay::render(QPainter& p) {
    for (int n = 1; n <= expgeo::kLines; ++n) {
        layoutLine(n);
        paintBand(p, n);
    }
    paintFrame(p);
}

void ExpDisplay::paintFrame(QPainter& p) {
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, width() - 1, height() - 1);
}

void ExpDisplay::InvalidateExpPBExpN(int n) {
    layoutLine(n);
    QImage& img = pixels();
    {
        QPainter p(&img);
        paintBand(p, n);
        paintFrame(p);
    }
    const int top = expgeo::bandTop(n, height()), bottom = expgeo::bandBottom(n, height());
    update(0, top, width(), bottom - top);
}

std::optional<int> ExpDisplay::cursorMarkX(int n) const {
    const ExpLine& ln = editor_.line(n);
    const int c = std::clamp(ln.cursor, 1, ln.count() + 1);
    int x = 4;
    const expgeo::LineLayout& lay = layout(n);
    if (c > 1 && lay.fits(ln)) x = lay.rightEdge[static_cast<std::size_t>(c - 2)] + 2;
    x -= editor_.scrollOffset;
    if (x < 0 || x + 3 >= width()) return std::nullopt;
    return x;
}

void ExpDisplay::paintBand(QPainter& p, int n) {
    const int top = expgeo::bandTop(n, height()), bottom = expgeo::bandBottom(n, height());
    const bool active = bandActive(n);
    p.setClipRect(0, top, width(), bottom - top);
    p.fillRect(0, top, width(), bottom - top, bandColor(n));
    if (n > 1) {
        p.setPen(kInactiveBand);
        p.drawLine(0, bottom - 1, width() - 1, bottom - 1);
    }

    const ExpLine& ln = editor_.line(n);
    const expgeo::LineLayout& lay = layout(n);
    const std::vector<bool> index = expgeo::nthRootIndexDigits(ln.tokens());
    const int selLo = ln.hasSelection() ? std::min(ln.selStart, ln.selEnd) : 0;
    const int selHi = ln.hasSelection() ? std::max(ln.selStart, ln.selEnd) : -1;
    const int off = editor_.scrollOffset;
    int depth = 0;
    for (int pos = 1; pos <= ln.count(); ++pos) {
        const auto i = static_cast<std::size_t>(pos - 1);
        const TokenCode code = ln.at(pos);
        // The depth counts every parenthesis, drawn or scrolled away.
        QColor ink = Qt::black;
        if (code == calc::OpenParen) {
            ++depth;
            if (colorParens_) ink = winColor(kParenColors[static_cast<std::size_t>(depth % 10)]);
        } else if (code == calc::CloseParen) {
            if (colorParens_) ink = winColor(kParenColors[static_cast<std::size_t>(depth % 10)]);
            depth = std::max(0, depth - 1);
        }
        if (pos >= selLo && pos <= selHi) ink = active ? kSelectedActive : kSelectedInactive;
        const int left = (pos == 1 ? 4 : lay.rightEdge[i] - lay.width[i] + 1) - off;
        if (left < 0 || lay.rightEdge[i] - off >= width()) continue;
        glyphs_.paint(p, code, left, top, index[i], ink);
    }

    if (const auto x = cursorMarkX(n)) {
        for (int dy = 0; dy < 4; ++dy)
            p.fillRect(*x, top + 1 + dy, 4 - dy, 1, cursorColor_);
    }
    if (!ln.resultText.empty()) paintResult(p, ln, bottom);
    p.setClipping(false);
}

// "ans:" in the small font and the result text, both resting 1 pixel above
// the band's lower edge. A "pi" in the text is drawn as the glyph.
void ExpDisplay::paintResult(QPainter& p, const ExpLine& ln, int bottom) {
    p.setPen(Qt::black);
    const QFont& small = glyphs_.smallFont();
    const QFont& normal = glyphs_.normalFont();
    const QFontMetrics sm(small), nm(normal);
    const int base = bottom - 2;
    p.setFont(small);
    p.drawText(4, base - sm.descent(), "ans:");
    int x = 4 + sm.horizontalAdvance("ans:") + 12;
    const QString text = QString::fromStdString(ln.resultText);
    const qsizetype pi = text.indexOf("pi");
    const QString before = pi < 0 ? text : text.left(pi);
    p.setFont(normal);
    p.drawText(x, base - nm.descent(), before);
    if (pi < 0) return;
    x += nm.horizontalAdvance(before);
    // The answer's pi is a size smaller than the token's, to sit with the digits.
    const QFont piFont = TokenGlyphs::pixelFont(14);
    p.setFont(piFont);
    p.drawText(x, base - nm.descent() - 2, kPiGlyph);
    x += QFontMetrics(piFont).horizontalAdvance(kPiGlyph) + 3;
    p.setFont(normal);
    p.drawText(x, base - nm.descent(), text.mid(pi + 2).trimmed());
}

void ExpDisplay::blinkCursor() {
    const int n = editor_.currentLine();
    const auto x = cursorMarkX(n);
    if (!x) return;
    const int top = expgeo::bandTop(n, height());
    // Exclusive-or with cursor ^ band: the mark turns into the band colour and back.
    const QRgb rgb = (cursorColor_.rgb() ^ bandColor(n).rgb()) | 0xFF000000u;
    QImage& img = pixels();
    {
        QPainter p(&img);
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        for (int dy = 0; dy < 4; ++dy)
            p.fillRect(*x, top + 1 + dy, 4 - dy, 1, QColor::fromRgb(rgb));
    }
    update(*x, top + 1, 4, 4);
}

void ExpDisplay::mousePressEvent(QMouseEvent* e) {
    const QPoint pt = e->position().toPoint();
    if (e->button() == Qt::RightButton) {
        emit menuRequested(pt);
        return;
    }
    if (e->button() != Qt::LeftButton) return;
    leftDown_ = true;
    dragging_ = false;
    pressAt_ = pt;
    const int n = expgeo::lineAtY(pt.y(), height());
    pressSwitchedLine_ = n != editor_.currentLine();
    if (!pressSwitchedLine_) return;
    const int old = editor_.currentLine();
    editor_.setCurrentLine(n);
    // With autoscroll every band is active while line 1 is current.
    if (editor_.autoscroll && (old == 1 || n == 1)) {
        repaintAll();
    } else {
        InvalidateExpPBExpN(old);
        InvalidateExpPBExpN(n);
    }
    emit edited();
}

void ExpDisplay::mouseMoveEvent(QMouseEvent* e) {
    if (!leftDown_ || pressSwitchedLine_) return;
    const int x = e->position().toPoint().x();
    if (!dragging_ && std::abs(x - pressAt_.x()) <= 3) return;
    dragging_ = true;
    const int off = editor_.scrollOffset;
    expgeo::selectSpan(editor_.current(), layout(editor_.currentLine()), pressAt_.x() + off,
                       x + off);
    InvalidateExpPBExpN(editor_.currentLine());
    emit edited();
}

void ExpDisplay::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !leftDown_) return;
    leftDown_ = false;
    if (pressSwitchedLine_) return;
    ExpLine& ln = editor_.current();
    const int off = editor_.scrollOffset;
    if (dragging_) {
        const int leftEnd = std::min(pressAt_.x(), e->position().toPoint().x());
        ln.cursor = expgeo::cursorForX(ln, layout(editor_.currentLine()), leftEnd + off);
    } else {
        ln.cursor = expgeo::cursorForX(ln, layout(editor_.currentLine()), pressAt_.x() + off);
        ln.clearSelection();
    }
    dragging_ = false;
    InvalidateExpPBExpN(editor_.currentLine());
    emit edited();
}

} // namespace tallix
