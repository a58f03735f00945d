#include "ui/dialogs/tallixHist.h"

#include "store/History.h"
#include "ui/views/TokenGlyphs.h"

#include <QAbstractListModel>
#include <QFontMetrics>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>

namespace tallix {

namespace {

constexpr int kWidth = 688, kHeight = 499;
constexpr int kRowHeight = 16;
// The tokens start where this text would end, so that they line up in a
// column whatever the date's width.
constexpr const char* kDateColumn = "2004Apr04 77:77   :    ";

// Draws one history entry: its date at the left, its tokens after the date
// column, each advancing by its width + 1, until the list's right edge less 3.
// An entry that does not parse is drawn as its raw text in grey.
class HistoryRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.rect.width(), kRowHeight};
    }

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect r = option.rect;
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& pal = option.palette;
        p->save();
        p->setClipRect(r);
        p->fillRect(r, selected ? pal.color(QPalette::Highlight) : pal.color(QPalette::Base));
        const QColor ink = selected ? pal.color(QPalette::HighlightedText) : QColor(Qt::black);
        const QFont& font = glyphs_.normalFont();
        const QFontMetrics fm(font);
        // Plain tokens are drawn a pixel below their box's top: the box starts
        // one pixel above the row, so the date shares the tokens' baseline.
        const int top = r.top() - 1;
        const int baseline = top + 1 + fm.ascent();
        const std::string raw = index.data(Qt::DisplayRole).toString().toStdString();
        const auto entry = ExpressionHistory::parse(raw);
        p->setFont(font);
        if (!entry) {
            p->setPen(selected ? ink : QColor(Qt::gray));
            p->drawText(r.left() + 2, baseline, QString::fromStdString(raw));
            p->restore();
            return;
        }
        p->setPen(ink);
        p->drawText(r.left() + 2, baseline, QString::fromStdString(dateTimeText(entry->dateTime)));
        const int stop = r.left() + option.widget->width() - 3;
        // Laid out as the calculator display lays a line out.
        expgeo::LineLayout lay;
        std::vector<bool> small;
        glyphs_.layout(entry->tokens, r.left() + fm.horizontalAdvance(kDateColumn), lay, small);
        for (std::size_t i = 0; i < entry->tokens.size(); ++i) {
            const int x = lay.rightEdge[i] - lay.width[i] + 1;
            if (x >= stop) break;
            glyphs_.paint(*p, entry->tokens[i], x, top, small[i], ink);
        }
        p->restore();
    }

private:
    TokenGlyphs glyphs_;
};

} // namespace

// The entries of the history as a list, newest first.
class HistoryModel : public QAbstractListModel {
public:
    HistoryModel(const ExpressionHistory& history, QObject* parent)
        : QAbstractListModel(parent), history_(history) {}

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(history_.entries().size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount({})) return {};
        return QString::fromStdString(history_.entries()[static_cast<std::size_t>(index.row())]);
    }
    void refresh() {
        beginResetModel();
        endResetModel();
    }

private:
    const ExpressionHistory& history_;
};

TtallixHistoryForm::TtallixHistoryForm(const ExpressionHistory& history, QWidget* parent)
    : QDialog(parent), history_(history) {
    setObjectName("TtallixHistoryForm");
    setWindowTitle("Expression History");
    setFixedSize(kWidth, kHeight);

    model_ = new HistoryModel(history_, this);
    list_ = new QListView(this);
    list_->setObjectName("HistoryLB");
    list_->setModel(model_);
    list_->setItemDelegate(new HistoryRowDelegate(list_));
    list_->setUniformItemSizes(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setGeometry(8, 8, kWidth - 16, kHeight - 54);
    list_->viewport()->installEventFilter(this);
    connect(list_, &QListView::doubleClicked, this, &TtallixHistoryForm::ReUseBtnClick);

    reuseBtn_ = new QPushButton("Re-Use Selected Expression", this);
    reuseBtn_->setObjectName("ReUseBtn");
    reuseBtn_->setGeometry((kWidth - 220) / 2, kHeight - 38, 220, 28);
    connect(reuseBtn_, &QPushButton::clicked, this, &TtallixHistoryForm::ReUseBtnClick);
    // The button follows the selection, which a click changes after the
    // current row; Enter on a row re-uses it.
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TtallixHistoryForm::selectionChanged);
    connect(list_, &QListView::activated, this, &TtallixHistoryForm::ReUseBtnClick);
}

TtallixHistoryForm::~TtallixHistoryForm() = default;

void TtallixHistoryForm::refresh() {
    chosen_ = -1;
    model_->refresh();
    if (model_->rowCount({}) > 0) {
        list_->setCurrentIndex(model_->index(0));
        list_->scrollToTop();
    }
    selectionChanged();
}

std::optional<std::vector<TokenCode>> TtallixHistoryForm::choose() {
    refresh();
    if (exec() != QDialog::Accepted || chosen_ < 0) return std::nullopt;
    const auto entry =
        ExpressionHistory::parse(history_.entries()[static_cast<std::size_t>(chosen_)]);
    if (!entry) return std::nullopt;
    return entry->tokens;
}

std::optional<std::vector<TokenCode>> TtallixHistoryForm::selectedTokens() const {
    const QModelIndex i = list_->currentIndex();
    if (!i.isValid() || !list_->selectionModel()->isSelected(i)) return std::nullopt;
    const auto entry = ExpressionHistory::parse(i.data().toString().toStdString());
    if (!entry) return std::nullopt;
    return entry->tokens;
}

void TtallixHistoryForm::selectionChanged() {
    reuseBtn_->setEnabled(selectedTokens().has_value());
}

void TtallixHistoryForm::ReUseBtnClick() {
    if (!selectedTokens()) return;
    chosen_ = list_->currentIndex().row();
    accept();
}

// A right-click picks the row under the mouse and re-uses it.
bool TtallixHistoryForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::RightButton) {
            const QModelIndex i = list_->indexAt(e->position().toPoint());
            if (i.isValid()) list_->setCurrentIndex(i);
            ReUseBtnClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tallix
