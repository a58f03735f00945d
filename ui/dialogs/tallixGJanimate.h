#pragma once

#include "engine/matrix/GJAnimation.h"
#include "ui/dialogs/tallixMatDialogs.h"

class QLabel;

namespace tallix {

class ClickLabel;
class PaintBox;

// "Gauss-Jordan Reduction Animation": the reduction of one matrix, a click
// on the caption or on the drawing at a time. The caption says what the next
// click does and the cells it concerns are red; in the last step a click
// closes the window. Backspace or "step back" returns to the previous step.
class TtallixGJanimateForm : public HintedDialog {
    Q_OBJECT
public:
    TtallixGJanimateForm(const AppState& state, const MatGrid& matrix, QWidget* parent);

    const GJAnimation& animation() const { return gj_; }
    // One click on the caption or the drawing.
    void advance();
    void stepBack();
    QLabel* captionLabel() const;
    PaintBox* drawing() const { return drawing_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showStep();

    GJAnimation gj_;
    ClickLabel* caption_;
    PaintBox* drawing_;
    QLabel* stepLbl_;
    ClickLabel* backLbl_;
};

} // namespace tallix
