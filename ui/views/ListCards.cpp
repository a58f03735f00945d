#include "ui/views/ListCards.h"

#include "engine/lists/ListCatalog.h"
#include "ui/views/PaintBox.h"

#include <QPainter>

#include <cmath>

namespace tallix {

namespace {

const QColor kCardBackground = winColor(16316664);
const QColor kSelectedCard(0xD8, 0xE4, 0xF8);
const QColor kMaroon(0x80, 0, 0);
const QColor kNavy(0, 0, 0x80);

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

ListCardDelegate::ListCardDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

QFont ListCardDelegate::smallFont() {
    QFont f("Sans Serif");
    f.setPixelSize(8);
    f.setUnderline(true);
    return f;
}

QFont ListCardDelegate::nameFont() {
    QFont f("Sans Serif");
    f.setPixelSize(16);
    return f;
}

QFont ListCardDelegate::normalFont() {
    QFont f("Sans Serif");
    f.setPixelSize(11);
    return f;
}

QSize ListCardDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    const QFontMetrics fm(smallFont());
    return {option.rect.width(), fm.boundingRect("Created").height() * 90 / 16};
}

void ListCardDelegate::paint(QPainter* p, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const QRect r = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    p->save();
    p->fillRect(r, selected ? kSelectedCard : kCardBackground);
    p->setPen(QColor(0xC0, 0xC0, 0xC0));
    p->drawLine(r.bottomLeft(), r.bottomRight());
    const ListDef d = ParseListLn(index.data(Qt::DisplayRole).toString().toStdString());
    const QFontMetrics small(smallFont()), name(nameFont()), normal(normalFont());
    auto text = [&](const QFont& f, const QColor& ink, int x, int y, const QString& s) {
        p->setFont(f);
        p->setPen(ink);
        p->drawText(QPoint(r.left() + x, r.top() + y + QFontMetrics(f).ascent()), s);
    };
    text(smallFont(), kMaroon, 2, 1, "Name");
    text(nameFont(), kNavy, 12, 1 + small.height() + 3, q(d.name));
    const int nameWidth = name.horizontalAdvance(q(d.name));
    const int x0 = nameWidth < 60 ? 80 : nameWidth + 20;
    text(smallFont(), kMaroon, x0, 1, "Created, Last Update");
    text(normalFont(), Qt::black, x0 + 12, 1 + small.height(),
         q(listStampText(d.created) + ",  " + listStampText(d.modified)));
    const int y2 = r.height() * 52 / 128;
    text(smallFont(), kMaroon, x0, y2, "Items");
    text(normalFont(), Qt::black, x0, y2 + small.height(), q(d.count));
    text(smallFont(), kMaroon, x0 + 45, y2, "First Items...");
    const std::string preview = d.preview.size() > 28 ? d.preview.substr(0, 28) + "..." : d.preview;
    text(normalFont(), Qt::black, x0 + 57, y2 + small.height(), q(preview));
    p->restore();
}

ColumnWords columnLineWords(const QString& line, int width) {
    ColumnWords out;
    if (line.size() < 2 || line[1] != '!' || !line[0].isDigit()) return out;
    const int d = line[0].digitValue();
    if (d <= 0) return out;
    const QStringList words = line.mid(2).trimmed().split(' ', Qt::SkipEmptyParts);
    for (int i = 0; i < words.size() && i < 9; ++i) {
        out.words.push_back(words[i]);
        out.x.push_back(8 + static_cast<int>(std::lround((width - 24) / double(d) * i)));
    }
    return out;
}

void RegrLineDelegate::paint(QPainter* p, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const QRect r = option.rect;
    p->save();
    p->fillRect(r, kCardBackground);
    p->setFont(option.font);
    p->setPen(Qt::black);
    const QString line = index.data(Qt::DisplayRole).toString();
    const int baseline = r.top() + 1 + option.fontMetrics.ascent();
    const ColumnWords cols = columnLineWords(line, r.width());
    if (cols.words.empty() && !(line.size() >= 2 && line[1] == '!' && line[0].isDigit())) {
        p->drawText(QPoint(r.left() + 1, baseline), line);
    } else {
        for (std::size_t i = 0; i < cols.words.size(); ++i)
            p->drawText(QPoint(r.left() + cols.x[i], baseline), cols.words[i]);
    }
    p->restore();
}

} // namespace tallix
