#include "ui/pages/CalcPage.h"

#include "engine/calc/ExpGeometry.h"
#include "ui/dialogs/tallixHist.h"
#include "ui/dialogs/tallixVerf.h"
#include "ui/shell/AppState.h"
#include "ui/views/ClickLabel.h"
#include "ui/views/ExpDisplay.h"
#include "ui/views/Keypad.h"
#include "ui/views/PaintBox.h"

#include <QKeyEvent>

#include <algorithm>

namespace tallix {

using namespace layout;

CalcPage::CalcPage(AppState& state, QWidget* shell) : ModePage("CalcPage", state, shell) {
    expPB_ = new ExpDisplay(calc(), this);
    connect(expPB_, &ExpDisplay::menuRequested, this,
            [this](QPoint p) { emit menuRequested(expPB_->mapToGlobal(p) - QPoint(120, 0)); });
    connect(expPB_, &ExpDisplay::edited, this, [this] { showPending(); });
    kbImage_ = new Keypad("kbImage", KeypadKind::Calc, this);
    keypads_ = {kbImage_};
    connect(kbImage_, &Keypad::keyClicked, this, [this](int code) {
        ProcessExpButtonClick(static_cast<TokenCode>(code));
        emit keyDispatched(static_cast<int>(CalcMode::Calc), code);
    });
    connect(kbImage_, &Keypad::menuRequested, this,
            [this](QPoint p) { emit menuRequested(kbImage_->mapToGlobal(p) - QPoint(120, 0)); });

    Limage_ = new PaintBox("Limage", this);
    Rimage_ = new PaintBox("Rimage", this);
    Limage_->setNote("|<  <  ‹");
    Rimage_->setNote("›  >  >|");
    connect(Limage_, &PaintBox::pressed, this, [this](Qt::MouseButton b, QPoint p) {
        if (b == Qt::LeftButton) scrollButtonPressed(false, p);
    });
    connect(Rimage_, &PaintBox::pressed, this, [this](Qt::MouseButton b, QPoint p) {
        if (b == Qt::LeftButton) scrollButtonPressed(true, p);
    });
    clearAllLbl_ = new ClickLabel("ClearAllLbl", "Clear All", this);
    connect(clearAllLbl_, &ClickLabel::clicked, this, &CalcPage::ClearAllLblClick);
    factPrimeLbl_ = factPrimeLabel(state_, this);
    recycleAnsLbl_ = new ClickLabel("RecycleAnsLbl", "Recycle Ans", this);
    recycleAnsLbl_->setToolTip("Click to Recycle previous answer as beginning of new expression");
    connect(recycleAnsLbl_, &ClickLabel::clicked, this, &CalcPage::RecycleAnsLblClick);
    for (ClickLabel* l : {clearAllLbl_, recycleAnsLbl_})
        l->setCursor(Qt::PointingHandCursor);
    for (QLabel* l : std::initializer_list<QLabel*>{clearAllLbl_, factPrimeLbl_, recycleAnsLbl_}) {
        l->setFont(uiFont(9));
        l->adjustSize();
    }
    pendingCharsLbl_ = pendingLabel(this);

    dsplyCaptionLbl_ = new QLabel("DsplyMode :", this);
    dsplyCaptionLbl_->setFont(uiFont(8));
    dsplyCaptionLbl_->adjustSize();
    DsplyModeLbl_ = new ClickLabel("DsplyModeLbl", "Dec", this);
    DsplyModeLbl_->setFont(uiFont(10, true));
    DsplyModeLbl_->setCursor(Qt::PointingHandCursor);
    setInk(DsplyModeLbl_, kActiveLbl);
    connect(DsplyModeLbl_, &ClickLabel::clicked, this, [this] {
        ProcessExpButtonClick(calc().displayMode == DisplayMode::Fraction ? calc::DecMode
                                                                          : calc::FracMode);
    });
    trigLbls_ = new TrigModeLabels(state_, this);
    connect(&state_, &AppState::trigModeChanged, expPB_, &PaintBox::markDirty);
    connect(&state_, &AppState::settingsChanged, this, &CalcPage::showSettings);

    historyForm_ = new TtallixHistoryForm(state_.history(), shell);
    verfForm_ = new TtallixVerfForm(state_, shell);
    connect(verfForm_, &TtallixVerfForm::lineFed, this, [this] {
        showPending();
        expPB_->repaintAll();
    });

    setDisplayModeLabel();
    showSettings();
}

CalcEditor& CalcPage::calc() {
    return state_.workspace().calc();
}

void CalcPage::showSettings() {
    const Settings& v = state_.settings();
    expPB_->setLook(v.cursorcolor, v.colorparens);
    expPB_->repaintAll();
}

void CalcPage::arrange() {
    expPB_->setGeometry(kMargin, kBelowModeLbls, kWide, kKeypadTop - 2 - kBelowModeLbls);
    Limage_->setGeometry(kMargin, kKeypadTop, kSideWidth, 18);
    Rimage_->setGeometry(kRightCol, kKeypadTop, kSideWidth, 18);
    clearAllLbl_->move(kRightCol, kKeypadTop + 26);
    factPrimeLbl_->move(kRightCol, kKeypadTop + 46);
    kbImage_->move((kClientWidth - kCalcKeypadWidth) / 2, kKeypadTop);
    recycleAnsLbl_->move(kClientWidth - kMargin - recycleAnsLbl_->width(), kClientHeight - 18);
    dsplyCaptionLbl_->move(kMargin, kKeypadTop + 26);
    DsplyModeLbl_->move(kMargin, kKeypadTop + 40);
    trigLbls_->place(kMargin, kKeypadTop + 62);
}

QWidget* CalcPage::displayBox() const {
    return expPB_;
}

void CalcPage::left() {
    calc().clearPendingKeyword();
    pendingCharsLbl_->clear();
}

void CalcPage::showPending() {
    pendingCharsLbl_->setText(QString::fromStdString(calc().pendingKeyword()));
}

void CalcPage::setDisplayModeLabel() {
    const bool frac = calc().displayMode == DisplayMode::Fraction;
    DsplyModeLbl_->setText(frac ? "Frac" : "Dec");
    DsplyModeLbl_->setToolTip(frac ? "Click to disable Fractional/Rational display of results"
                                   : "Click to enable Fractional/Rational display of results");
    DsplyModeLbl_->adjustSize();
}

void CalcPage::ProcessExpButtonClick(TokenCode code) {
    const int offset = calc().scrollOffset;
    const CalcEditor::KeyEffect e = calc().ProcessExpButtonClick(code);
    const bool inserted = code != calc::Evaluate && code != calc::Backspace &&
                          code != calc::ClearLine && code != calc::FracMode &&
                          code != calc::DecMode;
    showEffect(e, offset, inserted);
}

void CalcPage::showEffect(const CalcEditor::KeyEffect& e, int offsetBefore, bool inserted) {
    showPending();
    if (e.modeChanged) setDisplayModeLabel();
    if (e.scrolled || e.modeChanged) {
        expPB_->repaintAll();
        return;
    }
    if (e.evaluated) expPB_->InvalidateExpPBExpN(e.evaluatedLine);
    edited(e.changed, offsetBefore, inserted);
}

// After a change of the current line: lays it out, lets an insertion push the
// scroll so that the end of the line stays in sight, and repaints the band, or
// everything when the scroll moved.
void CalcPage::edited(bool changed, int offsetBefore, bool inserted) {
    CalcEditor& ed = calc();
    expPB_->VerifyExpPBallocation();
    if (changed && inserted)
        ed.scrollOffset = expgeo::scrollAfterInsert(
            ed.scrollOffset, ed.current(), expPB_->layout(ed.currentLine()), expPB_->width());
    if (ed.scrollOffset != offsetBefore)
        expPB_->repaintAll();
    else if (changed)
        expPB_->InvalidateExpPBExpN(ed.currentLine());
}

bool CalcPage::keyPress(QKeyEvent* event) {
    CalcEditor& ed = calc();
    const int offset = ed.scrollOffset;
    const int before = ed.currentLine();
    if (event->modifiers() & Qt::ControlModifier) return clipboardKey(event);
    switch (event->key()) {
    case Qt::Key_Backspace:
        showEffect(ed.backspaceKey(), offset, false);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ProcessExpButtonClick(ed.autoscroll ? calc::Evaluate : calc::ClearLine);
        return true;
    case Qt::Key_Home:
        ed.home();
        break;
    case Qt::Key_End:
        ed.end();
        expPB_->VerifyExpPBallocation();
        ed.scrollOffset =
            expgeo::scrollForEnd(ed.current(), expPB_->layout(ed.currentLine()), expPB_->width());
        break;
    case Qt::Key_Left:
        ed.left();
        break;
    case Qt::Key_Right:
        ed.right();
        break;
    case Qt::Key_Up:
        ed.up();
        break;
    case Qt::Key_Down:
        ed.down();
        break;
    case Qt::Key_Delete:
        ed.deleteKey();
        break;
    default: {
        const QString text = event->text();
        if (text.size() != 1 || !text[0].isPrint() || text[0].unicode() > 127) return false;
        const int offsetNow = ed.scrollOffset;
        showEffect(ed.typeChar(static_cast<char>(text[0].unicode())), offsetNow, true);
        return true;
    }
    }
    // A cursor key: the band of the line, both bands after Up or Down.
    if (ed.currentLine() != before) {
        if (ed.autoscroll && (before == 1 || ed.currentLine() == 1)) {
            expPB_->repaintAll();
            return true;
        }
        expPB_->InvalidateExpPBExpN(before);
    }
    edited(true, offset, false);
    return true;
}

void CalcPage::scrollButtonPressed(bool rightButton, QPoint pos) {
    CalcEditor& ed = calc();
    int e = 0;
    for (int n = 1; n <= CalcEditor::kLineCount; ++n) {
        expPB_->layoutLine(n);
        e = std::max(e, expgeo::lastEdge(ed.line(n), expPB_->layout(n)));
    }
    PaintBox* button = rightButton ? Rimage_ : Limage_;
    const auto part = expgeo::scrollPartAt(rightButton, pos.x(), button->width());
    ed.scrollOffset = expgeo::scrollByButton(part, ed.scrollOffset, expPB_->width(), e);
    expPB_->repaintAll();
}

void CalcPage::cursorTick() {
    if (expPB_->isVisible()) expPB_->blinkCursor();
}

void CalcPage::ClearAllLblClick() {
    calc().clearAll();
    expPB_->repaintAll();
}

void CalcPage::RecycleAnsLblClick() {
    const int offset = calc().scrollOffset;
    edited(calc().recycleAns().changed, offset, true);
}

void CalcPage::copySelected() {
    calc().copySelected();
}

void CalcPage::cutSelected() {
    const int offset = calc().scrollOffset;
    edited(calc().cutSelected(), offset, false);
}

void CalcPage::pasteSelected() {
    const int offset = calc().scrollOffset;
    edited(calc().pasteSelected(), offset, true);
}

void CalcPage::pastePreviousAnswer() {
    const int offset = calc().scrollOffset;
    edited(calc().pastePreviousAnswer(), offset, true);
}

void CalcPage::showHistory() {
    const auto tokens = historyForm_->choose();
    if (!tokens) return;
    calc().replaceCurrentLine(*tokens);
    expPB_->repaintAll();
}

void CalcPage::runVerificationSuite() {
    verfForm_->run();
}

} // namespace tallix
