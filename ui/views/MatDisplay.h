#pragma once

#include "engine/matrix/MatGridLayout.h"
#include "ui/views/PaintBox.h"

#include <QColor>
#include <QFont>
#include <functional>
#include <optional>
#include <vector>

namespace tallix {

class MatState;

// The matrix mode's fonts: DejaVu Sans at the pixel heights of each use.
namespace matfont {
QFont smallTitle();  // 8 px, underlined, maroon
QFont listName();    // 16 px, navy
QFont nominal();     // 11 px
QFont listCells();   // 8 px
QFont listDates();   // 9 px, black
QFont nameExpr();    // 16 px, blue
QFont cells();       // 13 px
QFont resultTitle(); // 11 px, underlined
QFont backLink();    // 9 px (7 points), blue
} // namespace matfont

inline const QColor kMatMaroon{128, 0, 0};
inline const QColor kMatNavy{0, 0, 128};
inline const QColor kMatBlue{0, 0, 255};

// Draws rows x cols cells with the grid rule in a box of `box`: the texts at
// their column starts and row tops in the cells font, in the colour
// `ink(r, c)` (0-based), with brackets unless `brackets` is false. Returns
// the layout it used.
MatGridLayout drawMatGrid(QPainter& p, QSize box, int rows, int cols,
                          const std::function<QString(int, int)>& text,
                          const std::function<QColor(int, int)>& ink, bool brackets = true);

// The matrix paint box `MatPB`: the cell editor (Edit), the expression with
// its result (Algeb) and the results of Inv, Rref, Det and Trace, drawn from
// the matrix state. It keeps the layout of its last picture for the mouse and
// the caret, which it draws by exclusive-or on its pixels.
class MatDisplay : public PaintBox {
    Q_OBJECT
public:
    MatDisplay(const MatState& state, QWidget* parent);

    // The caret's Windows colour value (the cursor colour setting).
    void setCaretColor(int winValue);
    // Draws the caret by exclusive-or: a second call erases it.
    void toggleCaret();
    bool caretVisible() const { return caretShown_; }

    // Where a left click at `pos` puts the Edit cursor: row, column and
    // character cursor (1-based); nothing when no matrix is shown.
    struct CellHit {
        int row, col, cursor;
    };
    std::optional<CellHit> editHit(QPoint pos);
    // The expression cursor a click at `pos` gives in Algeb.
    int exprHit(QPoint pos);
    // Whether `pos` is on the "Back" link (shown in the result sub-modes).
    bool onBack(QPoint pos);
    // The grid of the last picture (valid while a grid is shown).
    const MatGridLayout& gridLayout() {
        image();
        return grid_;
    }

protected:
    void render(QPainter& p) override;
    void finishImage(QImage& img) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void renderEdit(QPainter& p);
    void renderAlgeb(QPainter& p);
    void renderResult(QPainter& p);
    void centredLine(QPainter& p, const QString& text, int y);
    // The caret's corner and shape for the current sub-mode; false when
    // there is no caret.
    bool caretPoints(std::vector<QPoint>& pts) const;

    const MatState& state_;
    QColor caretColor_{128, 0, 255};
    bool caretShown_ = false;
    // Layout of the last picture.
    MatGridLayout grid_;
    bool gridShown_ = false;
    int headerHeight_ = 0;
    int exprY_ = 0;
    QRect backRect_;
};

} // namespace tallix
