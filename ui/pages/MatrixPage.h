#pragma once

#include "engine/matrix/MatState.h"
#include "ui/pages/ModePage.h"

#include <array>

class QMenu;

namespace tallix {

class MatDisplay;
class MatList;

// The Matrix mode: the sub-mode labels, the matrix list with its buttons
// (List), the matrix display (Edit, Algeb and the four results), the letter
// panel of the algebra and the calculator keypad, whose codes go to the cell
// editor or the expression.
class MatrixPage : public ModePage {
    Q_OBJECT
public:
    MatrixPage(AppState& state, QWidget* shell);
    void arrange() override;
    bool keyPress(QKeyEvent* event) override;
    void cursorTick() override;

    // The matrix paint box `MatPB`, for pictures of the display.
    QWidget* displayBox() const override;
    MatDisplay* display() const { return MatPB_; }
    MatList* list() const { return MatsLB_; }
    QMenu* rrefMenu() const { return rrefMenu_; }

    // A keypad or letter-panel code in the current sub-mode.
    void ProcessMatButtonClick(TokenCode code);
    void selectSubMode(MatSubMode m);
    void CreateNewMatrix();
    void EditSelected();
    void DeleteSelected();
    void RenameSelected();
    void showOptions();
    // Asks for a name and saves the shown result under it.
    void saveResultAs();
    // Rref, Inv, Det and Trace; Rref opens its menu at the label.
    void operationClicked(MatSubMode op);
    // The Rref menu's entries.
    void justDoIt();
    void animate();

private:
    MatState& mat();
    void refresh();
    void catalogChanged(int selectRow);
    void displayPressed(Qt::MouseButton button, QPoint pos);
    void EnableInvRrefDetTraceLbls(bool on);
    bool editKeyPress(QKeyEvent* event);
    bool algebKeyPress(QKeyEvent* event);
    void cellEdited(bool changed);

    MatList* MatsLB_ = nullptr;
    std::array<ClickLabel*, 3> matListLbls_{};
    std::array<ClickLabel*, 7> matSubModeLbls_{};
    std::array<ClickLabel*, 27> letterLbls_{};
    MatDisplay* MatPB_ = nullptr;
    Keypad* kbImage_ = nullptr;
    QMenu* rrefMenu_ = nullptr;
    QMenu* listMenu_ = nullptr;
    bool rrefChosen_ = false;
};

} // namespace tallix
