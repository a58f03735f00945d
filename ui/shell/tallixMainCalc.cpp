// The Calc mode of the main window: keys, the editor's effects on the
// display, the scroll buttons, "Clear All", "Recycle Ans" and the token
// clipboard items of the calculator menu.
#include "engine/calc/ExpGeometry.h"
#include "ui/shell/tallixMain.h"
#include "ui/views/ClickLabel.h"
#include "ui/views/ExpDisplay.h"

#include <QKeyEvent>
#include <QLabel>

#include <algorithm>

namespace tallix {

void TtallixMainForm::settingsChanged() {
    const Settings& v = store_.values();
    calc_.setDisplaySettings({v.fracouterrdig, v.roundn, v.exppireduction, v.floatvssci});
    calc_.autoscroll = v.autoscroll;
    expPB_->setLook(v.cursorcolor, v.colorparens);
    expPB_->repaintAll();
}

void TtallixMainForm::showPending() {
    pendingCharsLbl_->setText(QString::fromStdString(calc_.pendingKeyword()));
}

void TtallixMainForm::calcKey(TokenCode code) {
    const int offset = calc_.scrollOffset;
    const CalcEditor::KeyEffect e = calc_.ProcessExpButtonClick(code);
    const bool inserted = code != calc::Evaluate && code != calc::Backspace &&
                          code != calc::ClearLine && code != calc::FracMode &&
                          code != calc::DecMode;
    showCalcEffect(e, offset, inserted);
}

void TtallixMainForm::showCalcEffect(const CalcEditor::KeyEffect& e, int offsetBefore,
                                     bool inserted) {
    showPending();
    if (e.modeChanged) setDisplayModeLabel();
    if (e.scrolled || e.modeChanged) {
        expPB_->repaintAll();
        return;
    }
    if (e.evaluated) expPB_->InvalidateExpPBExpN(e.evaluatedLine);
    calcEdited(e.changed, offsetBefore, inserted);
}

// After a change of the current line: lays it out, lets an insertion push the
// scroll so that the end of the line stays in sight, and repaints the band, or
// everything when the scroll moved.
void TtallixMainForm::calcEdited(bool changed, int offsetBefore, bool inserted) {
    expPB_->VerifyExpPBallocation();
    if (changed && inserted)
        calc_.scrollOffset =
            expgeo::scrollAfterInsert(calc_.scrollOffset, calc_.current(), expPB_->width());
    if (calc_.scrollOffset != offsetBefore)
        expPB_->repaintAll();
    else if (changed)
        expPB_->InvalidateExpPBExpN(calc_.currentLine());
}

// Keys of the Calc mode; false for a key it does not take.
bool TtallixMainForm::calcKeyPress(QKeyEvent* event) {
    const int offset = calc_.scrollOffset;
    const int before = calc_.currentLine();
    if (event->modifiers() & Qt::ControlModifier) {
        switch (event->key()) {
        case Qt::Key_C:
            copySelected();
            return true;
        case Qt::Key_X:
            cutSelected();
            return true;
        case Qt::Key_V:
            pasteSelected();
            return true;
        default:
            return false;
        }
    }
    switch (event->key()) {
    case Qt::Key_Backspace: {
        const CalcEditor::KeyEffect e = calc_.backspaceKey();
        showCalcEffect(e, offset, false);
        return true;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        calcKey(calc_.autoscroll ? calc::Evaluate : calc::ClearLine);
        return true;
    case Qt::Key_Home:
        calc_.home();
        break;
    case Qt::Key_End:
        calc_.end();
        expPB_->VerifyExpPBallocation();
        calc_.scrollOffset = expgeo::scrollForEnd(calc_.current(), expPB_->width());
        break;
    case Qt::Key_Left:
        calc_.left();
        break;
    case Qt::Key_Right:
        calc_.right();
        break;
    case Qt::Key_Up:
        calc_.up();
        break;
    case Qt::Key_Down:
        calc_.down();
        break;
    case Qt::Key_Delete:
        calc_.deleteKey();
        break;
    default: {
        const QString text = event->text();
        if (text.size() != 1 || !text[0].isPrint() || text[0].unicode() > 127) return false;
        const int offsetNow = calc_.scrollOffset;
        const CalcEditor::KeyEffect e = calc_.typeChar(static_cast<char>(text[0].unicode()));
        showCalcEffect(e, offsetNow, true);
        return true;
    }
    }
    // A cursor key: the band of the line, both bands after Up or Down.
    if (calc_.currentLine() != before) {
        if (calc_.autoscroll && (before == 1 || calc_.currentLine() == 1)) {
            expPB_->repaintAll();
            return true;
        }
        expPB_->InvalidateExpPBExpN(before);
    }
    calcEdited(true, offset, false);
    return true;
}

void TtallixMainForm::scrollButtonPressed(bool rightButton, QPoint pos) {
    if (mode_ != CalcMode::Calc) return; // the function list scrolls once it exists
    int e = 0;
    for (int n = 1; n <= CalcEditor::kLineCount; ++n) {
        expPB_->layoutLine(n);
        e = std::max(e, expgeo::lastEdge(calc_.line(n)));
    }
    PaintBox* button = rightButton ? Rimage_ : Limage_;
    const auto part = expgeo::scrollPartAt(rightButton, pos.x(), button->width());
    calc_.scrollOffset = expgeo::scrollByButton(part, calc_.scrollOffset, expPB_->width(), e);
    expPB_->repaintAll();
}

void TtallixMainForm::CursorTimerTick() {
    if (mode_ == CalcMode::Calc && expPB_->isVisible()) expPB_->blinkCursor();
}

void TtallixMainForm::ClearAllLblClick() {
    if (mode_ != CalcMode::Calc) return; // f(x): the function definitions, once they exist
    calc_.clearAll();
    expPB_->repaintAll();
}

void TtallixMainForm::RecycleAnsLblClick() {
    const int offset = calc_.scrollOffset;
    const CalcEditor::KeyEffect e = calc_.recycleAns();
    calcEdited(e.changed, offset, true);
}

void TtallixMainForm::copySelected() {
    calc_.copySelected();
}

void TtallixMainForm::cutSelected() {
    const int offset = calc_.scrollOffset;
    calcEdited(calc_.cutSelected(), offset, false);
}

void TtallixMainForm::pasteSelected() {
    const int offset = calc_.scrollOffset;
    calcEdited(calc_.pasteSelected(), offset, true);
}

void TtallixMainForm::pastePreviousAnswer() {
    const int offset = calc_.scrollOffset;
    calcEdited(calc_.pastePreviousAnswer(), offset, true);
}

} // namespace tallix
