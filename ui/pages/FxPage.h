#pragma once

#include "engine/analysis/GraphAnalysis.h"
#include "engine/func/FuncEditor.h"
#include "ui/pages/ModePage.h"

#include <array>
#include <functional>

class QScrollBar;

namespace tallix {

class FuncList;
class GraphView;
class TtallixGraphPBoptsForm;
class TtallixTspinForm;
class TtallixXIMMform;
class TtallixEvalForm;
class TtallixDefIntForm;

// The f(x) mode: the graph, the function list with its scroll bar, the
// graph mode labels, the three function keypads (x, θ, t by graph mode), the
// analysis labels and the trig mode label.
class FxPage : public ModePage {
    Q_OBJECT
public:
    FxPage(AppState& state, QWidget* shell);

    void arrange() override;
    bool keyPress(QKeyEvent* event) override;
    void cursorTick() override;
    void left() override;

    // The function editor's key handler: a key code of the function keypads.
    void ProcessFuncButtonClick(TokenCode code);

    GraphView* graphView() const { return graph_; }
    FuncList* funcList() const { return FuncPB_; }
    TtallixGraphPBoptsForm* optionsForm() const { return opts_; }
    TtallixTspinForm* tRangeForm() const { return tspin_; }
    TtallixXIMMform* detailsForm() const { return details_; }
    TtallixEvalForm* evalForm() const { return eval_; }
    TtallixDefIntForm* defIntForm() const { return defInt_; }

    // Picks a colour for a slot (tests replace the colour dialog); an invalid
    // colour cancels.
    using ColourChooser = std::function<QColor(const QColor& current, QWidget* parent)>;
    void setColourChooser(ColourChooser c) { chooseColour_ = std::move(c); }

public slots:
    void ClearAllLblClick();
    void ToCartPolarLblClick();
    void ToParamFxLblClick();
    // The analysis labels: the four searches over the selected region, the
    // Evaluate window and the integral window.
    void XCrossLblClick() { runAnalysis(AnalysisTool::XCross); }
    void MinLblClick() { runAnalysis(AnalysisTool::Min); }
    void MaxLblClick() { runAnalysis(AnalysisTool::Max); }
    void IsectLblClick() { runAnalysis(AnalysisTool::Isect); }
    void EvalLblClick();
    void DefIntLblClick();
    void copySelected() override;
    void cutSelected() override;
    void pasteSelected() override;

signals:
    // The graph mode changed.
    void graphModeChanged();

private:
    FuncEditor& editor();
    void showEffect(const FuncEditor::KeyEffect& e, bool inserted);
    void listChanged();
    void graphChanged();
    void syncScrollBar();
    void showPending();
    void setModeLabels();
    // The T - Value Range window is shown exactly while the page shows a
    // parametric graph.
    void showTRange();
    void runAnalysis(AnalysisTool tool);
    // Places a tool window beside the main window the first time it shows.
    void placeTool(QWidget* tool, QWidget* other);

    KeywordFeed keywords_; // letters typed towards a keyword
    ColourChooser chooseColour_;
    GraphView* graph_ = nullptr;
    QLabel* funcDefsLbl_ = nullptr;
    ClickLabel* polarLbl_ = nullptr;
    ClickLabel* paramLbl_ = nullptr;
    FuncList* FuncPB_ = nullptr;
    QScrollBar* FuncSB_ = nullptr;
    std::array<QLabel*, 6> analysisLbls_{};
    std::array<Keypad*, 3> funcPads_{}; // kb2Image, kb3Image, kb4Image
    PaintBox* Limage_ = nullptr;
    PaintBox* Rimage_ = nullptr;
    ClickLabel* clearAllLbl_ = nullptr;
    QLabel* factPrimeLbl_ = nullptr;
    QLabel* pendingCharsLbl_ = nullptr;
    TrigModeLabels* trigLbls_ = nullptr;
    TtallixGraphPBoptsForm* opts_ = nullptr;
    TtallixTspinForm* tspin_ = nullptr;
    TtallixXIMMform* details_ = nullptr;
    TtallixEvalForm* eval_ = nullptr;
    TtallixDefIntForm* defInt_ = nullptr;
};

} // namespace tallix
