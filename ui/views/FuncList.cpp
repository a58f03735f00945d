#include "ui/views/FuncList.h"

#include "engine/workspace/Workspace.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tallix {

namespace {

const QColor kRowColour = winColor(0xF8F4F4);
// Bracket colours by nesting depth (Windows colour values).
constexpr std::array<int, 10> kBracketColours = {0x000000, 0xFF00FF, 0x0000FF, 0xFF8040, 0x008000,
                                                 0x800080, 0xFF0000, 0x00FF00, 0x808000, 0x0080FF};

bool opens(TokenCode c) {
    return c == func::OpenParen || c == func::OpenBracket || c == func::OpenBrace;
}
bool closes(TokenCode c) {
    return c == func::CloseParen || c == func::CloseBracket || c == func::CloseBrace;
}

QString bracketText(TokenCode c) {
    switch (c) {
    case func::OpenBracket:
        return "[";
    case func::CloseBracket:
        return "]";
    case func::OpenBrace:
        return "{";
    case func::CloseBrace:
        return "}";
    default:
        return {};
    }
}

} // namespace

FuncList::FuncList(Workspace& ws, QWidget* parent)
    : PaintBox("FuncPB", parent), ws_(ws), prefixFont_(TokenGlyphs::pixelFont(11)),
      cursorColour_(winColor(0xFF0080)) {
    setMouseTracking(true);
}

void FuncList::setCursorColour(int winColorValue) {
    cursorColour_ = winColor(winColorValue);
    markDirty();
}

QString FuncList::variableText() const {
    const FuncSet& f = ws_.funcs();
    if (f.ParamMode) return "t";
    if (f.PolarMode) return QString::fromUtf8("\u03B8");
    return "x";
}

int FuncList::FuncTokenWidth(TokenCode code, bool small) const {
    if (const auto c = calcGlyphOfFuncCode(code)) return glyphs_.width(*c, small);
    const QString text = code == func::Var ? variableText() : bracketText(code);
    return std::max(1, QFontMetrics(glyphs_.normalFont()).horizontalAdvance(text));
}

// Positions from the text area's start; n-th root index digits take the
// small font and the radical moves back over its index.
void FuncList::VerifyFuncPBallocation(int n) {
    const std::vector<TokenCode>& tokens = ws_.funcs().slot(n).text.tokens();
    expgeo::LineLayout& lay = layouts_[static_cast<std::size_t>(n - 1)];
    std::vector<bool>& small = small_[static_cast<std::size_t>(n - 1)];
    small = expgeo::nthRootIndexDigits(tokens, func::NthRoot);
    lay.rightEdge.resize(tokens.size());
    lay.width.resize(tokens.size());
    const int overlap = QFontMetrics(glyphs_.smallFont()).horizontalAdvance("00") * 11 / 16;
    int x = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i] == func::NthRoot && i > 0 && x > 8) x -= overlap;
        const int w = FuncTokenWidth(tokens[i], small[i]);
        lay.rightEdge[i] = x + w - 1;
        lay.width[i] = w;
        x += w + 1;
    }
}

const expgeo::LineLayout& FuncList::layout(int n) {
    VerifyFuncPBallocation(n);
    return layouts_[static_cast<std::size_t>(n - 1)];
}

void FuncList::keepCursorInSight() {
    const int n = ws_.funcEditor().current();
    const TokenLine& t = ws_.funcs().slot(n).text;
    if (t.cursor <= 1) return;
    const int edge = layout(n).rightEdge[static_cast<std::size_t>(t.cursor - 2)];
    if (edge - scrollX_ > width() - 94) scrollX_ = edge - width() + 104;
}

void FuncList::keepCursorAfterBack() {
    const int n = ws_.funcEditor().current();
    const TokenLine& t = ws_.funcs().slot(n).text;
    if (t.cursor <= 1) {
        scrollX_ = 0;
        return;
    }
    const int edge = layout(n).rightEdge[static_cast<std::size_t>(t.cursor - 2)];
    if (edge - scrollX_ <= 20) scrollX_ = std::max(edge - 20, 0);
}

void FuncList::afterLeft() {
    const int n = ws_.funcEditor().current();
    const TokenLine& t = ws_.funcs().slot(n).text;
    if (t.cursor <= 1) return;
    const int edge = layout(n).rightEdge[static_cast<std::size_t>(t.cursor - 2)];
    if (edge - scrollX_ <= 12) scrollX_ = std::max(edge - 12, 0);
}

void FuncList::scrollForEnd() {
    const int n = ws_.funcEditor().current();
    const TokenLine& t = ws_.funcs().slot(n).text;
    scrollX_ = t.count() > 1 ? std::max(0, layout(n).rightEdge.back() - width() + 109) : 0;
}

// A page is the list's width; the end is the largest right edge of the last
// token over the 20 slots.
void FuncList::scrollButton(bool rightButton, int x, int buttonWidth) {
    int e = 0;
    for (int n = 1; n <= kFuncSlotCount; ++n) {
        const expgeo::LineLayout& lay = layout(n);
        if (!lay.rightEdge.empty()) e = std::max(e, lay.rightEdge.back());
    }
    const int w = width(), endOffset = e - w + 89;
    switch (expgeo::scrollPartAt(rightButton, x, buttonWidth)) {
    case expgeo::ScrollPart::ToStart:
        scrollX_ = 0;
        break;
    case expgeo::ScrollPart::PageLeft:
        scrollX_ = std::max(0, scrollX_ - w);
        break;
    case expgeo::ScrollPart::TenthLeft:
        scrollX_ = std::max(0, scrollX_ - w / 10);
        break;
    case expgeo::ScrollPart::TwentiethRight:
        scrollX_ += w / 20;
        break;
    case expgeo::ScrollPart::PageRight:
        scrollX_ += w;
        break;
    case expgeo::ScrollPart::ToEnd:
        scrollX_ = endOffset;
        break;
    }
    if (rightButton) {
        if (scrollX_ > e - w + 79) scrollX_ = endOffset;
        if (scrollX_ < 0) scrollX_ = 0;
    }
    markDirty();
}

std::pair<int, int> FuncList::rowOf(int n) const {
    const int r = n - ws_.funcEditor().topSlot();
    if (r < 0 || r >= FuncEditor::kRows) return {-1, -1};
    const int h = height();
    return {static_cast<int>(std::lround(r * h / 3.0)),
            static_cast<int>(std::lround((r + 1) * h / 3.0)) - 1};
}

bool FuncList::markedSlot(int n) const {
    return !ws_.funcs().ParamMode || n % 2 == 1;
}

void FuncList::render(QPainter& p) {
    const int top = ws_.funcEditor().topSlot();
    for (int n = top; n < top + FuncEditor::kRows; ++n) {
        if (n > kFuncSlotCount) {
            const auto [y0, y1] = rowOf(n);
            p.fillRect(0, y0, width(), y1 - y0 + 1, kRowColour);
            continue;
        }
        paintRow(p, n);
    }
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, width() - 1, height() - 1);
    if (const auto c = cursorX()) {
        const int r = rowOf(ws_.funcEditor().current()).first;
        p.setPen(cursorColour_);
        p.drawLine(*c, r + 1, *c + 3, r + 1);
        p.drawLine(*c + 3, r + 1, *c, r + 4);
        p.drawLine(*c, r + 4, *c, r + 1);
    }
}

void FuncList::paintRow(QPainter& p, int n) {
    const auto [y0, y1] = rowOf(n);
    if (y0 < 0) return;
    const FuncSet& funcs = ws_.funcs();
    const FuncSlot& slot = funcs.slot(n);
    const bool current = n == ws_.funcEditor().current();
    p.save();
    p.setClipRect(0, y0, width(), y1 - y0 + 1);
    p.fillRect(0, y0, width(), y1 - y0 + 1, kRowColour);
    if (n != ws_.funcEditor().topSlot()) {
        p.setPen(Qt::white);
        p.drawLine(0, y0, width() - 1, y0);
    }

    // The prefix, right-aligned to end at the text area.
    QString prefix;
    const bool odd = n % 2 == 1;
    if (funcs.ParamMode && funcs.PolarMode)
        prefix = odd ? QString::fromUtf8("\u03B8 = ") : "r = ";
    else if (funcs.ParamMode)
        prefix = odd ? "x = " : "y = ";
    else
        prefix = funcs.PolarMode ? "r = " : "y = ";
    p.setFont(prefixFont_);
    p.setPen(Qt::black);
    const QFontMetrics pm(prefixFont_);
    p.drawText(kTextLeft - pm.horizontalAdvance(prefix), y0 + 2 + pm.ascent(), prefix);

    // The tokens.
    VerifyFuncPBallocation(n);
    const expgeo::LineLayout& lay = layouts_[static_cast<std::size_t>(n - 1)];
    const std::vector<bool>& small = small_[static_cast<std::size_t>(n - 1)];
    const TokenLine& text = slot.text;
    const int selLo = text.hasSelection() ? text.selFirst() : 0;
    const int selHi = text.hasSelection() ? text.selLast() : -1;
    const int scroll = current ? scrollX_ : 0;
    int depth = 0;
    for (int pos = 1; pos <= text.count(); ++pos) {
        const auto i = static_cast<std::size_t>(pos - 1);
        const TokenCode code = text.at(pos);
        QColor ink = Qt::black;
        if (opens(code)) {
            ink = winColor(kBracketColours[static_cast<std::size_t>(depth % 10)]);
            ++depth;
        } else if (closes(code)) {
            depth = std::max(0, depth - 1);
            ink = winColor(kBracketColours[static_cast<std::size_t>(depth % 10)]);
        }
        if (pos >= selLo && pos <= selHi) ink = winColor(current ? 0x00FF00 : 0x008000);
        const int x = kTextLeft + lay.rightEdge[i] - lay.width[i] + 1 - scroll;
        if (x <= 68 || kTextLeft + lay.rightEdge[i] - scroll >= width()) continue;
        if (const auto c = calcGlyphOfFuncCode(code)) {
            glyphs_.paint(p, *c, x, y0 + 1, small[i], ink);
        } else {
            p.setFont(glyphs_.normalFont());
            p.setPen(ink);
            const QString t = code == func::Var ? variableText() : bracketText(code);
            p.drawText(x, y0 + 2 + QFontMetrics(glyphs_.normalFont()).ascent(), t);
        }
    }

    // Number, shown mark and colour bar.
    if (markedSlot(n)) {
        p.setFont(prefixFont_);
        p.setPen(Qt::black);
        const int number = funcs.ParamMode ? (n + 1) / 2 : n;
        p.drawText(2, y0 + 3 + pm.ascent(), QString("%1)").arg(number));
        if (slot.Shown) p.drawText(15 + 6, y0 + 3 + pm.ascent(), QString::fromUtf8("\u2713"));
        const int m = (y0 + y1) / 2 + 1;
        p.fillRect(31, m - 1, 11, 2, winColor(static_cast<int>(slot.Colour)));
    }
    p.restore();
}

std::optional<int> FuncList::cursorX() const {
    const int n = ws_.funcEditor().current();
    const TokenLine& t = ws_.funcs().slot(n).text;
    const expgeo::LineLayout& lay = layouts_[static_cast<std::size_t>(n - 1)];
    const int c = std::clamp(t.cursor, 1, t.count() + 1);
    int x = kTextLeft - scrollX_;
    if (c > 1 && lay.fits(t)) x += lay.rightEdge[static_cast<std::size_t>(c - 2)] + 1;
    if (x < kTextLeft || x >= width()) return std::nullopt;
    return x;
}

void FuncList::InvalidateFuncPBfuncN(int n) {
    if (rowOf(n).first < 0) return;
    markDirty();
}

void FuncList::DrawFuncPBcrCursor() {
    const auto c = cursorX();
    if (!c) return;
    const int r = rowOf(ws_.funcEditor().current()).first;
    const QRgb rgb = (cursorColour_.rgb() ^ kRowColour.rgb()) | 0xFF000000u;
    QImage& img = pixels();
    {
        QPainter p(&img);
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.setPen(QColor::fromRgb(rgb));
        for (int dy = 0; dy < 4; ++dy)
            p.drawLine(*c, r + 1 + dy, *c + 3 - dy, r + 1 + dy);
    }
    update(*c, r + 1, 4, 4);
}

void FuncList::mousePressEvent(QMouseEvent* e) {
    const QPoint pt = e->position().toPoint();
    if (e->button() == Qt::RightButton) {
        emit menuRequested(pt);
        return;
    }
    if (e->button() != Qt::LeftButton) return;
    FuncEditor& ed = ws_.funcEditor();
    const int row = std::clamp(pt.y() * FuncEditor::kRows / std::max(1, height()), 0, 2);
    const int n = std::min(ed.topSlot() + row, kFuncSlotCount);
    slotChanged_ = ed.chooseSlot(n);
    if (slotChanged_) {
        scrollX_ = 0;
        markDirty();
        emit slotChosen();
    }
    selectionMade_ = textDrag_ = togglePending_ = colourPending_ = false;
    dragEnd_ = -1;
    if (pt.x() > 61) {
        textDrag_ = true;
        anchor_ = pt.x() - kTextLeft;
    } else if (markedSlot(ed.current())) {
        if (pt.x() < 31)
            togglePending_ = true;
        else
            colourPending_ = true;
    }
}

void FuncList::mouseMoveEvent(QMouseEvent* e) {
    const QPoint pt = e->position().toPoint();
    setCursor(pt.x() < kTextLeft ? Qt::PointingHandCursor : Qt::IBeamCursor);
    if (!(e->buttons() & Qt::LeftButton)) {
        textDrag_ = togglePending_ = colourPending_ = false;
        return;
    }
    if (!textDrag_) return;
    dragEnd_ = pt.x() - kTextLeft;
    const int n = ws_.funcEditor().current();
    const expgeo::LineLayout& lay = layout(n);
    const int lo = std::min(anchor_, dragEnd_) + scrollX_,
              hi = std::max(anchor_, dragEnd_) + scrollX_;
    bool changed = false;
    ws_.funcs().editText(n, [&](TokenLine& t) {
        const int s0 = t.selStart, s1 = t.selEnd;
        expgeo::selectSpan(t, lay, lo, hi);
        changed = t.selStart != s0 || t.selEnd != s1;
    });
    if (ws_.funcs().slot(n).text.hasSelection()) selectionMade_ = true;
    if (changed) {
        markDirty();
        emit edited();
    }
}

void FuncList::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const int n = ws_.funcEditor().current();
    if (colourPending_) {
        colourPending_ = false;
        emit colourRequested(n);
        return;
    }
    if (togglePending_) {
        togglePending_ = false;
        emit shownToggled(n);
        return;
    }
    if (!textDrag_) return;
    textDrag_ = false;
    const FuncSlot& slot = ws_.funcs().slot(n);
    if (!slot.defined() || (slotChanged_ && !selectionMade_)) return;
    const expgeo::LineLayout& lay = layout(n);
    const bool dragged = dragEnd_ >= 0 && std::abs(dragEnd_ - anchor_) > 2;
    const int x = (dragged ? std::min(anchor_, dragEnd_) : anchor_) + scrollX_;
    ws_.funcs().editText(n, [&](TokenLine& t) {
        t.cursor = expgeo::cursorForX(t, lay, x);
        if (!dragged) t.clearSelection();
    });
    markDirty();
    emit edited();
}

} // namespace tallix
