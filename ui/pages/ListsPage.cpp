#include "ui/pages/ListsPage.h"

#include "ui/dialogs/tallixListEdit.h"
#include "ui/dialogs/tallixListNew.h"
#include "ui/shell/AppState.h"
#include "ui/views/ClickLabel.h"
#include "ui/views/Keypad.h"
#include "ui/views/ListCards.h"

#include <QListWidget>
#include <QMessageBox>

#include <algorithm>

namespace tallix {

using namespace layout;

namespace {

ClickLabel* linkLabel(const QString& name, const QString& text, const QString& hint,
                      QWidget* parent) {
    auto* l = new ClickLabel(name, text, parent);
    l->setFont(uiFont(12, true));
    l->setCursor(Qt::PointingHandCursor);
    l->setToolTip(hint);
    setInk(l, kInactiveLbl);
    l->adjustSize();
    return l;
}

} // namespace

ListsPage::ListsPage(AppState& state, QWidget* shell) : ModePage("ListsPage", state, shell) {
    newListLbl_ =
        linkLabel("NewListLbl", "Create New List", "Click to Create a New data List", this);
    editListLbl_ = linkLabel("EditListLbl", "View/Edit List(s)",
                             "Click to enter View/Edit data List mode", this);
    deleteListLbl_ = linkLabel("DeleteListLbl", "Delete Selected",
                               "Click to delete the selected list: a deleted list cannot be "
                               "undeleted",
                               this);
    deleteListLbl_->setFont(uiFont(9));
    setInk(deleteListLbl_, QColor(0x80, 0, 0));
    deleteListLbl_->adjustSize();
    ListsLB_ = new QListWidget(this);
    ListsLB_->setObjectName("ListsLB");
    ListsLB_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListsLB_->setItemDelegate(new ListCardDelegate(ListsLB_));
    ListsLB_->setUniformItemSizes(true);
    newForm_ = new TtallixListNewForm(shell);
    editForm_ = new TtallixListEditForm(state_, shell);
    connect(newListLbl_, &ClickLabel::clicked, this, &ListsPage::CreateNewListLblClick);
    connect(editListLbl_, &ClickLabel::clicked, this, &ListsPage::ViewEditListsLblClick);
    connect(deleteListLbl_, &ClickLabel::clicked, this, &ListsPage::DeleteSelectedLblClick);
    connect(&state_, &AppState::listsChanged, this, &ListsPage::refillList);
    refillList();
}

void ListsPage::arrange() {
    newListLbl_->move(kMargin, kBelowModeLbls + 2);
    editListLbl_->move(kMargin + newListLbl_->width() + 16, kBelowModeLbls + 2);
    deleteListLbl_->move(kClientWidth - kMargin - deleteListLbl_->width(), kBelowModeLbls + 6);
    ListsLB_->setGeometry(kMargin, kBelowModeLbls + 20, kWide,
                          kKeypadTop + kCalcKeypadHeight - 8 - (kBelowModeLbls + 20));
}

void ListsPage::refillList() {
    ListsLB_->clear();
    for (const std::string& line : state_.workspace().lists().lines())
        ListsLB_->addItem(QString::fromStdString(line));
}

void ListsPage::message(const std::string& text) {
    QMessageBox::warning(window(), "Graphing Abacorn", QString::fromStdString(text));
}

void ListsPage::CreateNewListLblClick() {
    ListCatalog& catalog = state_.workspace().lists();
    const auto choice = newForm_->ask(catalog);
    if (!choice) return;
    // The source is read before the new line shifts the catalog's positions.
    std::vector<std::string> items;
    if (choice->sourceIndex >= 0) state_.readList(choice->sourceIndex, items);
    const ListCreate made = createList(catalog, choice->name, AppState::now(), state_.listFolder());
    if (!made.error.empty()) {
        message(made.error);
        return;
    }
    state_.saveLists();

    ListEditGrid grid;
    grid.addColumn(made.name, items, choice->sourceIndex >= 0);
    if (!editForm_->edit(grid, true)) return;
    if (FindListDefInListsTSL(catalog, made.name) < 0) {
        message(listmsg::kRefindNew);
        return;
    }
    if (grid.column(0).modified) state_.saveListItems(made.name, grid.items(0));
}

void ListsPage::ViewEditListsLblClick() {
    std::vector<int> rows;
    for (const QModelIndex& i : ListsLB_->selectionModel()->selectedRows())
        rows.push_back(i.row());
    if (rows.empty()) return;
    std::sort(rows.begin(), rows.end());
    ListEditGrid grid;
    for (int row : rows) {
        const ListDef d = ParseListN(state_.workspace().lists(), row);
        std::vector<std::string> items;
        const ReadResult r = state_.readList(row, items);
        if (r.status == ReadResult::Status::Failed) message(listmsg::readError(d.name));
        grid.addColumn(d.name, items, false);
    }
    if (!editForm_->edit(grid, false)) return;
    for (int c = 0; c < grid.columnCount(); ++c)
        if (grid.column(c).modified) state_.saveListItems(grid.column(c).name, grid.items(c));
}

void ListsPage::DeleteSelectedLblClick() {
    const QModelIndexList selected = ListsLB_->selectionModel()->selectedRows();
    if (selected.isEmpty()) return;
    if (selected.size() > 1) {
        message(listmsg::kMultipleDelete);
        return;
    }
    for (const char* ask : {listmsg::kDeleteAsk, listmsg::kDeleteSure})
        if (QMessageBox::question(window(), "Graphing Abacorn", ask,
                                  QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
            return;
    ListCatalog& catalog = state_.workspace().lists();
    const std::string& line = catalog.line(selected.front().row());
    if (line.empty()) return message(listmsg::kNullLine);
    const auto comma = line.find(',');
    if (comma == std::string::npos) return message(listmsg::kBadFormat);
    const int at = FindListDefInListsTSL(catalog, line.substr(0, comma));
    if (at < 0) return message(listmsg::kNotFound);
    catalog.erase(at);
    state_.saveLists();
}

} // namespace tallix
