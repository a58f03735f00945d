#pragma once

#include "engine/analysis/DefInt.h"
#include "engine/analysis/EvalAtX.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace tallix {

class AppState;
class GraphView;
class StepArrows;

// The "Evaluate f(x)" window: one x (or t) value, the value of every shown
// function there (as fractions or pi multiples when allowed, with slopes
// when asked), and red marks and tangents on the graph while "Graph
// Results" is on.
class TtallixEvalForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kOverlayKey = 20;

    TtallixEvalForm(AppState& state, GraphView* graph, QWidget* parent);

    // Reads x and fills the list again (ComputeFuncVals).
    void ComputeFuncVals();
    // "X =" or "t =" for the graph mode.
    void AdjustFormParamVsFx();
    // One step of an up-down, then the values again.
    void step(StepSize size, bool up);

    QLineEdit* xEdit() const { return xValEB_; }
    QListWidget* results() const { return resultsLB_; }
    QLabel* invalidLabel() const { return InvFmtLbl_; }
    QCheckBox* rationalBox() const { return AllowRationalCB_; }
    QCheckBox* piBox() const { return AllowFracToPiReductionCB_; }
    QCheckBox* graphBox() const { return ShowFxsOnGraphCB_; }
    QCheckBox* slopeBox() const { return ComputeSlopeAtXcb_; }
    std::vector<std::string> lines() const;
    bool firstShowing() const { return firstShowing_; }
    void placed() { firstShowing_ = false; }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void updateOverlay();

    AppState& state_;
    GraphView* graph_;
    EvalAtXResult result_;
    bool firstShowing_ = true;
    QLabel* XeqTeqLbl_ = nullptr;
    QLineEdit* xValEB_ = nullptr;
    QLabel* InvFmtLbl_ = nullptr;
    QListWidget* resultsLB_ = nullptr;
    QCheckBox* AllowRationalCB_ = nullptr;
    QCheckBox* AllowFracToPiReductionCB_ = nullptr;
    QCheckBox* ShowFxsOnGraphCB_ = nullptr;
    QCheckBox* ComputeSlopeAtXcb_ = nullptr;
};

} // namespace tallix
