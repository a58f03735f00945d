#include "ui/views/TokenGlyphs.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace tallix {

namespace {

const QString kRadicalGlyph = QString::fromUtf8("\u221A");
const QString kPiGlyph = QString::fromUtf8("\u03C0");

// The text a token shows, where it is plain text.
QString tokenText(TokenCode code) {
    switch (code) {
    case calc::Sin:
        return "sin";
    case calc::Cos:
        return "cos";
    case calc::Tan:
        return "tan";
    case calc::Log:
        return "log";
    case calc::Ln:
        return "ln";
    case calc::Arc:
        return "arc";
    default:
        break;
    }
    const std::string_view g = CalcKeyGlyphs[code];
    return QString::fromLatin1(g.data(), static_cast<qsizetype>(g.size()));
}

bool isRadical(TokenCode code) {
    return code == calc::Sqrt || code == calc::Cbrt || code == calc::NthRoot;
}

// Draws text with its top at y.
void textAt(QPainter& p, const QFont& f, int x, int y, const QString& s) {
    p.setFont(f);
    p.drawText(x, y + QFontMetrics(f).ascent(), s);
}

} // namespace

QFont TokenGlyphs::pixelFont(int px) {
    QFont f("DejaVu Sans");
    f.setPixelSize(px);
    return f;
}

TokenGlyphs::TokenGlyphs()
    : normal_(pixelFont(13)), small_(pixelFont(9)), symbol_(pixelFont(16)), super_(pixelFont(10)) {}

int TokenGlyphs::width(TokenCode code, bool small) const {
    if (code >= calc::kCodeCount) return 0;
    int& w = widths_[small ? 1 : 0][code];
    if (w == 0) {
        // The radicals and pi are measured as the glyphs drawn for them.
        if (isRadical(code))
            w = QFontMetrics(symbol_).horizontalAdvance(kRadicalGlyph);
        else if (code == calc::Pi)
            w = QFontMetrics(symbol_).horizontalAdvance(kPiGlyph);
        else {
            const std::string_view g = CalcKeyGlyphs[code];
            w = QFontMetrics(small ? small_ : normal_)
                    .horizontalAdvance(QString::fromLatin1(g.data(), qsizetype(g.size())));
        }
        w = std::max(w, 1);
    }
    return w;
}

void TokenGlyphs::paint(QPainter& p, TokenCode code, int left, int top, bool small,
                        const QColor& ink) const {
    if (code >= calc::kCodeCount) return;
    p.setPen(ink);
    switch (code) {
    case calc::Sqrt:
        textAt(p, symbol_, left, top + 2, kRadicalGlyph);
        return;
    // The root signs after an index sit a pixel lower than the square root's,
    // still inside the token's box so that they never reach the answer row.
    case calc::NthRoot:
        textAt(p, symbol_, left, top + 3, kRadicalGlyph);
        return;
    case calc::Cbrt:
        textAt(p, small_, left, top, "3");
        textAt(p, symbol_, left, top + 3, kRadicalGlyph);
        return;
    case calc::Square:
    case calc::Cube:
        textAt(p, normal_, left, top + 9, "^");
        textAt(p, super_, left + 4, top, code == calc::Square ? "2" : "3");
        return;
    case calc::TenPow:
        textAt(p, normal_, left, top + 3, "10");
        textAt(p, normal_, left + 13, top, "^");
        return;
    case calc::ExpPow:
        textAt(p, normal_, left, top + 2, "e");
        textAt(p, normal_, left + 5, top, "^");
        return;
    case calc::Pi:
        textAt(p, symbol_, left, top, kPiGlyph);
        return;
    default:
        break;
    }
    textAt(p, small ? small_ : normal_, left, small ? top : top + 1, tokenText(code));
}

void TokenGlyphs::layout(std::span<const TokenCode> tokens, int left, expgeo::LineLayout& out,
                         std::vector<bool>& index) const {
    index = expgeo::nthRootIndexDigits(tokens);
    out.rightEdge.resize(tokens.size());
    out.width.resize(tokens.size());
    const int overlap = QFontMetrics(small_).horizontalAdvance("00") * 11 / 16;
    int x = left;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const TokenCode code = tokens[i];
        if (code == calc::NthRoot && i > 0 && x > left + 8) x -= overlap;
        const int w = width(code, index[i]);
        out.rightEdge[i] = x + w - 1;
        out.width[i] = w;
        x += w + 1;
    }
}

} // namespace tallix
