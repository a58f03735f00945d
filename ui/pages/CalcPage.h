#pragma once

#include "engine/calc/CalcEditor.h"
#include "ui/pages/ModePage.h"

namespace tallix {

class ExpDisplay;
class TtallixHistoryForm;
class TtallixVerfForm;

// The Calc mode: the display of the 8 expression lines, the calculator
// keypad, the scroll buttons, "Clear All", "Recycle Ans", the display and
// trig mode labels, and the history and verification windows.
class CalcPage : public ModePage {
    Q_OBJECT
public:
    CalcPage(AppState& state, QWidget* shell);

    void arrange() override;
    bool keyPress(QKeyEvent* event) override;
    void cursorTick() override;
    void left() override;

    // The calculator key handler: a key code as if clicked on the keypad.
    void ProcessExpButtonClick(TokenCode code);

    ExpDisplay* expDisplay() const { return expPB_; }
    QWidget* displayBox() const override;
    TtallixHistoryForm* historyForm() const { return historyForm_; }
    TtallixVerfForm* verfForm() const { return verfForm_; }

public slots:
    void ClearAllLblClick();
    void RecycleAnsLblClick();
    void copySelected() override;
    void cutSelected() override;
    void pasteSelected() override;
    void pastePreviousAnswer();
    // "Show Expression History": a chosen entry replaces the current line.
    void showHistory();
    void runVerificationSuite();

private:
    CalcEditor& calc();
    void showSettings();
    void showEffect(const CalcEditor::KeyEffect& effect, int offsetBefore, bool inserted);
    void edited(bool changed, int offsetBefore, bool inserted);
    void scrollButtonPressed(bool rightButton, QPoint pos);
    void showPending();
    void setDisplayModeLabel();

    ExpDisplay* expPB_ = nullptr;
    Keypad* kbImage_ = nullptr;
    PaintBox* Limage_ = nullptr;
    PaintBox* Rimage_ = nullptr;
    ClickLabel* clearAllLbl_ = nullptr;
    QLabel* factPrimeLbl_ = nullptr;
    ClickLabel* recycleAnsLbl_ = nullptr;
    QLabel* pendingCharsLbl_ = nullptr;
    QLabel* dsplyCaptionLbl_ = nullptr;
    ClickLabel* DsplyModeLbl_ = nullptr;
    TrigModeLabels* trigLbls_ = nullptr;
    TtallixHistoryForm* historyForm_ = nullptr;
    TtallixVerfForm* verfForm_ = nullptr;
};

} // namespace tallix
