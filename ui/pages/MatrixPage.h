#pragma once

#include "ui/pages/ModePage.h"

#include <array>

class QListWidget;

namespace tallix {

// The Matrix mode: the sub-mode labels, the matrix list with its buttons, the
// matrix display and the calculator keypad (the matrix calculator comes later;
// the program starts in the List sub-mode, where the keypad does nothing).
class MatrixPage : public ModePage {
    Q_OBJECT
public:
    MatrixPage(AppState& state, QWidget* shell);
    void arrange() override;

private:
    QListWidget* MatsLB_ = nullptr;
    std::array<QLabel*, 3> matListLbls_{};
    std::array<QLabel*, 7> matSubModeLbls_{};
    PaintBox* MatPB_ = nullptr;
    Keypad* kbImage_ = nullptr;
};

} // namespace tallix
