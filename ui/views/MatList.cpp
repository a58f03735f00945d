#include "ui/views/MatList.h"

#include "engine/matrix/MatCatalog.h"
#include "ui/views/MatDisplay.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace tallix {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

void textAt(QPainter& p, int x, int y, const QString& t) {
    p.drawText(QRect(x, y, 4000, 400), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, t);
}

// Rows and cols of a line, 0 when they are not 1..10.
std::pair<int, int> dims(const MatDef& d) {
    const auto r = strictInt(d.rows), c = strictInt(d.cols);
    if (!r || !c || *r < 1 || *r > kMatMaxDim || *c < 1 || *c > kMatMaxDim) return {0, 0};
    return {*r, *c};
}

class CardDelegate : public QStyledItemDelegate {
public:
    explicit CardDelegate(MatList* list) : QStyledItemDelegate(list), list_(list) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {option.rect.width(), list_->cardHeight(index.row())};
    }

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect r = option.rect;
        const bool selected = option.state & QStyle::State_Selected;
        p->save();
        p->fillRect(r, selected ? option.palette.highlight() : option.palette.base());
        p->setPen(QColor(208, 208, 240));
        p->drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        const MatDef d = ParseMatDefN(list_->catalog(), index.row());
        const auto [rows, cols] = dims(d);
        if (rows > 0)
            paintCard(*p, r, d, rows, cols,
                      selected ? option.palette.highlightedText().color() : QColor());
        p->restore();
    }

private:
    static void paintCard(QPainter& p, QRect r, const MatDef& d, int rows, int cols, QColor over) {
        const int left = r.left(), top = r.top();
        auto ink = [&](QColor c) { p.setPen(over.isValid() ? over : c); };
        p.setFont(matfont::smallTitle());
        ink(kMatMaroon);
        const int h = QFontMetrics(p.font()).height();
        textAt(p, left + 1, top + 1, "Name");
        textAt(p, left + 1, top + h * 36 / 16, "Created");
        textAt(p, left + 1, top + h * 68 / 16, "Updated");
        textAt(p, left + 1, top + h * 100 / 16, "Dimensions");
        p.setFont(matfont::listName());
        ink(kMatNavy);
        textAt(p, left + 30, top + h * 8 / 16, qs(d.name));
        const int nameWidth = QFontMetrics(p.font()).horizontalAdvance(qs(d.name));
        p.setFont(matfont::listDates());
        ink(Qt::black);
        textAt(p, left + 8, top + h * 53 / 16, qs(matDateText(d.created)));
        textAt(p, left + 8, top + h * 85 / 16, qs(matDateText(d.updated)));
        p.setFont(matfont::nominal());
        ink(Qt::black);
        textAt(p, left + 24, top + h * 116 / 16, qs(d.rows + " x " + d.cols));

        p.setFont(matfont::listCells());
        const QFontMetrics fm(p.font());
        const int pitch = fm.height() * 17 / 16;
        const std::vector<std::string> items = splitElements(d.elements);
        auto cell = [&](int i, int j) {
            const std::size_t n = static_cast<std::size_t>(i * cols + j);
            const QString t = n < items.size() ? qs(items[n]) : QString();
            return t.isEmpty() ? QString("_") : t;
        };
        const int x0 = left + std::max(110, nameWidth + 30);
        int x = x0 + 4;
        for (int j = 0; j < cols; ++j) {
            int w = 0;
            for (int i = 0; i < rows; ++i)
                w = std::max(w, fm.horizontalAdvance(cell(i, j)));
            for (int i = 0; i < rows; ++i)
                textAt(p, x, top + 10 + i * pitch, cell(i, j));
            x += w + 8;
        }
        const int xr = x - 4;
        const int y0 = top + 8, y1 = top + 12 + rows * pitch;
        p.setPen(over.isValid() ? over : QColor(Qt::black));
        for (const auto& [bx, hook] : {std::pair{x0, 6}, std::pair{xr, -6}}) {
            p.drawLine(bx, y0, bx + hook, y0);
            p.drawLine(bx, y0, bx, y1);
            p.drawLine(bx, y1, bx + hook, y1);
        }
    }

    MatList* list_;
};

} // namespace

MatList::MatList(const MatCatalog& catalog, QWidget* parent)
    : QListWidget(parent), catalog_(catalog) {
    setObjectName("MatsLB");
    setItemDelegate(new CardDelegate(this));
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(false);
    rebuild(-1);
}

int MatList::cardHeight(int row) const {
    const auto [rows, cols] = dims(ParseMatDefN(catalog_, row));
    (void)cols;
    const int nameHeight = QFontMetrics(matfont::listName()).height();
    const int cellsHeight = QFontMetrics(matfont::listCells()).height();
    return std::max(nameHeight * 74 / 16, rows * cellsHeight * 17 / 16 + 28);
}

void MatList::rebuild(int row) {
    clear();
    for (int i = 0; i < catalog_.size(); ++i)
        addItem(QString());
    if (row >= 0 && row < count()) setCurrentRow(row);
}

} // namespace tallix
