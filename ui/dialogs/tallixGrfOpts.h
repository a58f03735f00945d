#pragma once

#include "engine/graph/GraphOptions.h"

#include <QDialog>

#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace tallix {

class AppState;
class GraphView;
class UpDown;

// The "Graphing Options" dialog, opened by a right click on the graph: the y
// scaling, axes, grid, explicit limits, the t count, list data and a single
// point. Accepting ("Apply Settings and Exit", Enter, a click on the
// dialog's background) checks the limits; a failed check keeps the dialog
// open with its message in errorMsgLbl. Accepted values go into the
// workspace's graph window (see applyGraphOptions for which limits), the
// single point onto the graph view. Either way the dialog ends with all
// function caches invalidated and the graph redrawn.
class TtallixGraphPBoptsForm : public QDialog {
    Q_OBJECT
public:
    explicit TtallixGraphPBoptsForm(AppState& state, QWidget* parent = nullptr);

    // Presets the controls and runs the dialog; true when it was accepted.
    // `current` is the plot layout of the graph's last paint (the limits "(
    // current limits )" fills in); the point marks go to `view` (may be null).
    bool edit(const PlotLayout& current, GraphView* view);
    // Presets every control from the current settings, without showing the
    // dialog (edit does this first).
    void loadValues(const PlotLayout& current, GraphView* view);

    // The marks set by the last accepted dialog.
    const GraphMarks& marks() const { return marks_; }

    void accept() override; // checks first; stays open on a failed check
    void reject() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct PairEdits {
        QLineEdit* min;
        QLineEdit* max;
    };
    void buildLeftColumn();
    void buildLimits();
    void buildPoint();
    void setPair(LimitPair pair, const LimitTexts& texts);
    void showTCount(int count);
    GraphOptionsInput input() const;
    GraphKind kind() const;
    void finish();
    void fillListChoosers();
    std::vector<WorldPoint> chosenListData();

    AppState& state_;
    GraphView* view_ = nullptr;
    PlotLayout current_;
    GraphMarks marks_;
    std::string plotX_, plotY_; // names of the data lists plotted

    QButtonGroup* yScalingGroup_;
    QCheckBox* interiorCB_;
    QCheckBox* piCB_;
    QButtonGroup* gridGroup_;
    QComboBox* xListCB_;
    QComboBox* yListCB_;
    std::array<PairEdits, 4> pairs_{}; // by LimitPair
    QLabel* tCountLbl_;
    UpDown* tCountBigUD_;
    UpDown* tCountSmallUD_;
    QLineEdit* pointXeb_;
    QLineEdit* pointYeb_;
    QCheckBox* plotPointCB_;
    QCheckBox* labelPointCB_;
    QLabel* errorMsgLbl_;
};

} // namespace tallix
