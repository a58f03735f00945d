#pragma once

#include "ui/pages/ModePage.h"

#include <array>

class QComboBox;
class QListWidget;

namespace tallix {

// The Regr mode: the plot, the two data list choosers, the model chooser and
// the report (the regression itself comes later).
class RegrPage : public ModePage {
    Q_OBJECT
public:
    RegrPage(AppState& state, QWidget* shell);
    void arrange() override;
    // The choosers are filled afresh each time the mode is chosen.
    void chosenAgain() override { fillChoosers(); }

private:
    void fillChoosers();

    PaintBox* regrPB_ = nullptr;
    std::array<QLabel*, 3> regrCaptions_{};
    QComboBox* XListCB_ = nullptr;
    QComboBox* YListCB_ = nullptr;
    QComboBox* RegrModelCB_ = nullptr;
    QListWidget* RegrLB_ = nullptr;
};

} // namespace tallix
