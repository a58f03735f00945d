#pragma once

#include "engine/core/Tokens.h"
#include "ui/pages/ModePage.h"

#include <array>

class QScrollBar;

namespace tallix {

class GraphView;

// The f(x) mode: the graph, the function list with its scroll bar, the
// graph mode labels, the three function keypads, the analysis labels and the
// trig mode label.
class FxPage : public ModePage {
    Q_OBJECT
public:
    FxPage(AppState& state, QWidget* shell);

    void arrange() override;
    bool keyPress(QKeyEvent* event) override;
    void left() override;

    // The function editor's key handler: a key code of the function keypads.
    void ProcessFuncButtonClick(TokenCode code);

    GraphView* graphView() const { return graph_; }

private:
    void showPending();

    KeywordFeed keywords_; // letters typed towards a keyword
    GraphView* graph_ = nullptr;
    QLabel* funcDefsLbl_ = nullptr;
    QLabel* polarLbl_ = nullptr;
    QLabel* paramLbl_ = nullptr;
    PaintBox* FuncPB_ = nullptr;
    QScrollBar* FuncSB_ = nullptr;
    std::array<QLabel*, 6> analysisLbls_{};
    std::array<Keypad*, 3> funcPads_{}; // kb2Image, kb3Image, kb4Image
    PaintBox* Limage_ = nullptr;
    PaintBox* Rimage_ = nullptr;
    QLabel* clearAllLbl_ = nullptr;
    QLabel* factPrimeLbl_ = nullptr;
    QLabel* pendingCharsLbl_ = nullptr;
    TrigModeLabels* trigLbls_ = nullptr;
};

} // namespace tallix
