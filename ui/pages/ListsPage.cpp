#include "ui/pages/ListsPage.h"

#include "ui/views/Keypad.h"

#include <QListWidget>

namespace tallix {

using namespace layout;

ListsPage::ListsPage(AppState& state, QWidget* shell) : ModePage("ListsPage", state, shell) {
    newListLbl_ = placeholderLabel("NewListLbl", "Create New List", this);
    editListLbl_ = placeholderLabel("EditListLbl", "View/Edit List(s)", this);
    deleteListLbl_ = placeholderLabel("DeleteListLbl", "Delete Selected", this);
    ListsLB_ = new QListWidget(this);
    ListsLB_->setObjectName("ListsLB");
}

void ListsPage::arrange() {
    newListLbl_->move(kMargin, kBelowModeLbls + 2);
    editListLbl_->move(kMargin + newListLbl_->width() + 16, kBelowModeLbls + 2);
    deleteListLbl_->move(kClientWidth - kMargin - deleteListLbl_->width(), kBelowModeLbls + 2);
    ListsLB_->setGeometry(kMargin, kBelowModeLbls + 20, kWide,
                          kKeypadTop + kCalcKeypadHeight - 8 - (kBelowModeLbls + 20));
}

} // namespace tallix
