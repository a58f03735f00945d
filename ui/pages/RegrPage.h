#pragma once

#include "ui/pages/ModePage.h"

#include <array>

class QComboBox;
class QListWidget;
class QMenu;

namespace tallix {

class RegrPlotView;

// The Regr mode: the plot, the two data list choosers, the model chooser and
// the report. Any chooser change runs the regression.
class RegrPage : public ModePage {
    Q_OBJECT
public:
    RegrPage(AppState& state, QWidget* shell);
    void arrange() override;
    // The list choosers are filled afresh, with nothing chosen, each time the
    // mode is chosen.
    void chosenAgain() override { fillChoosers(); }

    // Fits the chosen model to the chosen lists and shows the report and plot.
    void DoRegression();
    // Types the last fit into a function slot of the f(x) mode.
    void CopyResultstoGraphingCalculator1Click();
    QMenu* regrMenu() const { return RegrRclickPU_; }

private:
    void fillChoosers();
    void buildRegrMenu();
    void showReport();

    RegrPlotView* regrPB_ = nullptr;
    std::array<QLabel*, 3> regrCaptions_{};
    QComboBox* XListCB_ = nullptr;
    QComboBox* YListCB_ = nullptr;
    QComboBox* RegrModelCB_ = nullptr;
    QListWidget* RegrLB_ = nullptr;
    QMenu* RegrRclickPU_ = nullptr;
};

} // namespace tallix
