#pragma once

#include "engine/analysis/DefInt.h"
#include "engine/func/FuncSlot.h"

#include <QColor>
#include <QWidget>

#include <array>
#include <functional>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidget;

namespace tallix {

class AppState;
class GraphView;
class ClickLabel;
class StepArrows;

// The "Evaluate Definite Integral" window: a range typed as two texts, a
// cell count 16..1048576, the kind of integral, the primary and secondary
// functions, and the value as a number and as a pi or fraction form. While
// it is shown with a valid range the graph shades the integrated region in
// the fill colour.
class TtallixDefIntForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kOverlayKey = 10;

    TtallixDefIntForm(AppState& state, GraphView* graph, QWidget* parent);

    // Rebuilds both function lists from the defined and shown slots; each
    // keeps its selected row position.
    void InitPriSecFuncCBs();
    // Reads the range and computes the value again.
    void TryEvalDefint();
    // One step of an up-down of the max (true) or min edit.
    void UpdateXtextValue(bool maxEdit, StepSize size, bool up);
    // The cell count's up-down position, 4..20 (n = 2^position).
    void setCellPower(int power);
    void setType(IntegralType type);

    QLineEdit* xmaxEdit() const { return xmaxEB_; }
    QLineEdit* xminEdit() const { return xminEB_; }
    QLabel* valueLabel() const { return valueLbl_; }
    QLabel* value2Label() const { return value2Lbl_; }
    QLabel* xminInvalidLabel() const { return xminInvalidLbl_; }
    QLabel* xmaxInvalidLabel() const { return xmaxInvalidLbl_; }
    QLabel* cellsLabel() const { return nCellsLbl_; }
    QListWidget* primaryList() const { return PriFuncLB_; }
    QListWidget* secondaryList() const { return SecFuncLB_; }
    bool rangeValid() const { return rangeValid_; }
    ColourValue fillColour() const { return fill_; }
    bool firstShowing() const { return firstShowing_; }
    void placed() { firstShowing_ = false; }

    // Picks the fill colour (tests replace the colour dialog); an invalid
    // colour cancels.
    using ColourChooser = std::function<QColor(const QColor& current, QWidget* parent)>;
    void setColourChooser(ColourChooser c) { chooseColour_ = std::move(c); }
    void chooseFillColour();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    IntegralInput input() const;
    void updateOverlay();

    AppState& state_;
    GraphView* graph_;
    ColourChooser chooseColour_;
    bool firstShowing_ = true;
    bool rangeValid_ = false;
    Extended xmin_ = 0, xmax_ = 1;
    int cellPower_ = 10;
    ColourValue fill_ = 255;
    QLineEdit* xmaxEB_ = nullptr;
    QLineEdit* xminEB_ = nullptr;
    QLabel* xmaxInvalidLbl_ = nullptr;
    QLabel* xminInvalidLbl_ = nullptr;
    ClickLabel* FillColorPB_ = nullptr;
    QLabel* nCellsLbl_ = nullptr;
    QButtonGroup* EvalTypeRG_ = nullptr;
    QListWidget* PriFuncLB_ = nullptr;
    QListWidget* SecFuncLB_ = nullptr;
    QLabel* valueLbl_ = nullptr;
    QLabel* value2Lbl_ = nullptr;
};

} // namespace tallix
