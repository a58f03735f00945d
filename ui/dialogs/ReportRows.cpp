#include "ui/dialogs/ReportRows.h"

#include "ui/views/PaintBox.h"

#include <QPainter>

namespace tallix {

int drawWithPiGlyphs(QPainter& p, int x, int baseline, const QString& text) {
    const QFont font = p.font();
    QFont symbol("DejaVu Sans");
    symbol.setPixelSize(10);
    const QStringList pieces = text.split("pi");
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0) {
            p.setFont(symbol);
            p.drawText(x, baseline - 1, QString(QChar(0x03C0)));
            x += QFontMetrics(symbol).horizontalAdvance(QChar(0x03C0));
            p.setFont(font);
        }
        p.drawText(x, baseline, pieces[i]);
        x += QFontMetrics(font).horizontalAdvance(pieces[i]);
    }
    return x;
}

void ReportRowDelegate::paint(QPainter* p, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const QRect r = option.rect;
    p->save();
    p->fillRect(r, option.palette.base());
    p->setPen(Qt::black);
    const QString line = index.data().toString();
    const int baseline = r.top() + (r.height() + p->fontMetrics().ascent()) / 2 - 1;
    bool isNumber = false;
    const int n = line.toInt(&isNumber);
    if (isNumber && n >= 1 && n <= kFuncSlotCount) {
        p->drawText(r.left() + 6, baseline, QString("Function %1)").arg(n));
        p->setPen(winColor(static_cast<int>(colour_(n))));
        p->drawLine(r.left() + 70, r.top() + 9, r.left() + 130, r.top() + 9);
    } else if (const qsizetype eq = line.indexOf('='); eq < 0) {
        p->drawText(r.left() + 18, baseline, line.trimmed());
    } else {
        p->drawText(r.left() + 18, baseline, line.left(eq));
        drawWithPiGlyphs(*p, r.left() + 36, baseline, line.mid(eq).trimmed());
    }
    p->restore();
}

} // namespace tallix
