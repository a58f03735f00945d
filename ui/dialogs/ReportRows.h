#pragma once

#include "engine/func/FuncSlot.h"

#include <QStyledItemDelegate>

#include <functional>

namespace tallix {

// The header colour of report row n (a slot or pair number); the delegate
// asks for it at each paint.
using RowColour = std::function<ColourValue(int n)>;

// Draws the report rows of the f(x) Details window.
class ReportRowDelegate : public QStyledItemDelegate {
public:
    ReportRowDelegate(RowColour colour, QObject* parent)
        : QStyledItemDelegate(parent), colour_(std::move(colour)) {}
    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {193, 16};
    }

private:
    RowColour colour_;
};

// Draws `text` from (x, baseline) with every "pi" as the pi glyph (10
// pixels, one pixel higher); returns the x after it.
int drawWithPiGlyphs(QPainter& p, int x, int baseline, const QString& text);

} // namespace tallix
