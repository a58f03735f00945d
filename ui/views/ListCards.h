#pragma once

#include <QStyledItemDelegate>

namespace tallix {

// Draws each catalog line of the Lists mode's list box as a card: the name
// large, the two time stamps, the item count and the first items.
class ListCardDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit ListCardDelegate(QObject* parent);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    static QFont smallFont();
    static QFont nameFont();
    static QFont normalFont();
};

// Draws the lines of the regression report: a line starting with a digit d
// and "!" has its blank-separated words spread over d equal columns; any
// other line is drawn as it stands.
class RegrLineDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit RegrLineDelegate(QObject* parent) : QStyledItemDelegate(parent) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

// The x offsets (from the row's left) of the words of a column line drawn
// `width` pixels wide; empty when `line` is not a column line. At most 9 words.
struct ColumnWords {
    std::vector<QString> words;
    std::vector<int> x;
};
ColumnWords columnLineWords(const QString& line, int width);

} // namespace tallix
