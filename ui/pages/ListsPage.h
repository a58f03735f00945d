#pragma once

#include "ui/pages/ModePage.h"

class QListWidget;

namespace tallix {

// The Lists mode: the data list manager (its list catalog comes later).
class ListsPage : public ModePage {
    Q_OBJECT
public:
    ListsPage(AppState& state, QWidget* shell);
    void arrange() override;

private:
    QLabel* newListLbl_ = nullptr;
    QLabel* editListLbl_ = nullptr;
    QLabel* deleteListLbl_ = nullptr;
    QListWidget* ListsLB_ = nullptr;
};

} // namespace tallix
