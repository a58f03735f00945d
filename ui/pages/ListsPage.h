#pragma once

#include "ui/pages/ModePage.h"

class QListWidget;

namespace tallix {

class ClickLabel;
class TtallixListEditForm;
class TtallixListNewForm;

// The Lists mode: the data lists as cards, and the links that create, view
// and edit, and delete them.
class ListsPage : public ModePage {
    Q_OBJECT
public:
    ListsPage(AppState& state, QWidget* shell);
    void arrange() override;
    void chosenAgain() override { refillList(); }

    void CreateNewListLblClick();
    void ViewEditListsLblClick();
    void DeleteSelectedLblClick();

    TtallixListNewForm* newForm() const { return newForm_; }
    TtallixListEditForm* editForm() const { return editForm_; }

private:
    // ListsLB mirrors the catalog, line for line.
    void refillList();
    void message(const std::string& text);

    ClickLabel* newListLbl_ = nullptr;
    ClickLabel* editListLbl_ = nullptr;
    ClickLabel* deleteListLbl_ = nullptr;
    QListWidget* ListsLB_ = nullptr;
    TtallixListNewForm* newForm_ = nullptr;
    TtallixListEditForm* editForm_ = nullptr;
};

} // namespace tallix
