#include "store/ListCatalogFile.h"
#include "tests/ui/UiTest.h"
#include "ui/dialogs/tallixGrfOpts.h"
#include "ui/dialogs/tallixListEdit.h"
#include "ui/pages/ListsPage.h"
#include "ui/pages/RegrPage.h"
#include "ui/shell/AppState.h"
#include "ui/shell/tallixMain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>

namespace tallix {
namespace {

class ListsModeUi : public test::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form_ = std::make_unique<TtallixMainForm>(dataFolder());
        form_->show();
        form_->selectMode(CalcMode::Lists);
        page_ = form_->listsPage();
    }
    void TearDown() override {
        form_.reset();
        UiTest::TearDown();
    }
    // Runs `act` on the modal dialog as soon as it shows.
    static void onModal(std::function<void(QWidget*)> act) {
        QTimer::singleShot(0, [act] { act(QApplication::activeModalWidget()); });
    }
    // Handles the next `count` message boxes as they show: `act` on each.
    static void onMessageBoxes(int count, std::function<void(QMessageBox*)> act) {
        auto* poll = new QTimer(qApp);
        auto handled = std::make_shared<int>(0);
        QObject::connect(poll, &QTimer::timeout, [=] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            // A new box may take the address of one handled before: mark each.
            if (!box || box->property("handled").toBool() || !box->isVisible()) return;
            box->setProperty("handled", true);
            act(box);
            if (++*handled == count) poll->deleteLater();
        });
        poll->start(5);
    }
    static void click(QWidget* dialog, const char* label) {
        QWidget* w = dialog->findChild<QWidget*>(label);
        ASSERT_TRUE(w) << label;
        QTest::mouseClick(w, Qt::LeftButton);
    }
    static void type(QWidget* editor, int row, int col, const QString& text) {
        auto* grid = editor->findChild<QTableWidget*>("dataSG");
        grid->item(row + 2, col)->setText(text);
    }
    // Creates list `name` and types `items` into it in the editor.
    void createList(const QString& name, const QStringList& items) {
        onModal([name, items](QWidget* d) {
            d->findChild<QLineEdit*>("ListNameEB")->setText(name);
            onModal([items](QWidget* editor) {
                for (int i = 0; i < items.size(); ++i)
                    type(editor, i, 0, items[i]);
                click(editor, "SaveChangesExitLbl");
            });
            click(d, "AddNewListLbl");
        });
        page_->CreateNewListLblClick();
    }
    std::string fileText(const std::string& name) {
        std::string s;
        readWholeFile(dataFolder() / name, s);
        return s;
    }
    ListCatalog& lists() { return form_->state().workspace().lists(); }

    std::unique_ptr<TtallixMainForm> form_;
    ListsPage* page_ = nullptr;
};

TEST_F(ListsModeUi, CreatedListIsTypedSavedAndShownAsACard) {
    createList("Temps", {"1", " ", "2.5"});
    ASSERT_EQ(lists().size(), 1);
    const ListDef d = ParseListN(lists(), 0);
    EXPECT_EQ(d.count, "2");
    EXPECT_EQ(d.preview, "1,2.5");
    EXPECT_EQ(fileText("listTemps.lst"), "1\r\n2.5\r\n");
    EXPECT_EQ(fileText("tallixLists.Lst"), lists().line(0) + "\r\n");
    EXPECT_EQ(form_->findChild<QListWidget*>("ListsLB")->count(), 1);

    // The same name in other case is refused with its message.
    QString text;
    onModal([](QWidget* d) {
        d->findChild<QLineEdit*>("ListNameEB")->setText("TEMPS");
        click(d, "AddNewListLbl");
    });
    onMessageBoxes(1, [&text](QMessageBox* box) {
        text = box->text();
        box->close();
    });
    page_->CreateNewListLblClick();
    EXPECT_EQ(text, "List Name \"TEMPS\" is already in use.");
    EXPECT_EQ(lists().size(), 1);
}

TEST_F(ListsModeUi, EditorLoadsPastesAndRefusesItemsThatAreNotNumbers) {
    createList("a", {"9"});
    const std::string file = (dataFolder() / "in.txt").string();
    std::ofstream(file) << "1.5 x\n2;3\n\n";
    QGuiApplication::clipboard()->setText("4,5\r\n6");
    page_->editForm()->setFileChooser(
        [file](QWidget*, const QString&) { return QString::fromStdString(file); });
    form_->findChild<QListWidget*>("ListsLB")->item(0)->setSelected(true);
    QString warning;
    onModal([&warning](QWidget* editor) {
        click(editor, "LoadFromFileLbl");
        click(editor, "CopyFromClipboardLbl");
        type(editor, 5, 0, "abc");
        onMessageBoxes(1, [&warning](QMessageBox* box) {
            warning = box->text();
            box->close();
        });
        click(editor, "SaveChangesExitLbl");
        type(editor, 5, 0, "7");
        click(editor, "SaveChangesExitLbl");
    });
    page_->ViewEditListsLblClick();
    EXPECT_EQ(warning, "Item 6: \nInvalid format numeric value.\n        \"abc\"");
    EXPECT_EQ(fileText("lista.lst"), "9\r\n1.5\r\n2\r\n4\r\n6\r\n7\r\n");
    EXPECT_EQ(ParseListN(lists(), 0).count, "6");
}

TEST_F(ListsModeUi, DeletingTwoListsIsRefusedAndOneIsDeletedAfterTwoYes) {
    createList("a", {"1"});
    createList("b", {"2"});
    auto* lb = form_->findChild<QListWidget*>("ListsLB");
    lb->selectAll();
    QString text;
    onMessageBoxes(1, [&text](QMessageBox* box) {
        text = box->text();
        box->close();
    });
    page_->DeleteSelectedLblClick();
    EXPECT_EQ(text, "Delete of multiple lists not supported.");
    EXPECT_EQ(lists().size(), 2);

    lb->clearSelection();
    lb->item(0)->setSelected(true);
    onMessageBoxes(2, [](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
    page_->DeleteSelectedLblClick();
    ASSERT_EQ(lists().size(), 1);
    EXPECT_EQ(ParseListN(lists(), 0).name, "b");
    EXPECT_TRUE(std::filesystem::exists(dataFolder() / "lista.lst")); // the data stay
}

TEST_F(ListsModeUi, RegressionReportsAndCopiesTheFitIntoTheFirstFreeSlot) {
    createList("y", {"2", "4", "6"});
    form_->selectMode(CalcMode::Regr);
    auto* x = form_->findChild<QComboBox*>("XListCB");
    auto* y = form_->findChild<QComboBox*>("YListCB");
    auto* model = form_->findChild<QComboBox*>("RegrModelCB");
    auto* report = form_->findChild<QListWidget*>("RegrLB");
    ASSERT_EQ(x->count(), 3);
    EXPECT_EQ(x->currentIndex(), -1);
    x->setCurrentIndex(1); // Integer List 1..n
    EXPECT_EQ(report->item(0)->text(), "Y List not specified.");
    y->setCurrentIndex(0);
    model->setCurrentIndex(0);
    ASSERT_GT(report->count(), 8);
    EXPECT_EQ(report->item(2)->text(), "    y = 2.00000000x + 0.00000000");

    FuncSet& f = form_->state().workspace().funcs();
    f.setTokens(1, std::vector<TokenCode>{func::Var});
    form_->regrPage()
        ->regrMenu()
        ->findChild<QAction*>("CopyResultstoGraphingCalculator1")
        ->trigger();
    EXPECT_EQ(f.slot(2).text.tokens(), (std::vector<TokenCode>{20, func::Var, func::Plus, 28}));
    EXPECT_EQ(f.CurrentFunc, 2);
}

TEST_F(ListsModeUi, GraphOptionsPlotThePairsOfTwoChosenLists) {
    AppState& state = form_->state();
    for (const auto& [name, items] :
         {std::pair<std::string, std::vector<std::string>>{"xs", {"1", "2", "3"}},
          {"ys", {"4", "oops"}}}) {
        tallix::createList(lists(), name, 1, state.listFolder());
        state.saveListItems(name, items);
    }
    TtallixGraphPBoptsForm options(state, form_.get());
    options.loadValues({}, nullptr);
    auto* x = options.findChild<QComboBox*>("PlotXlistCB");
    auto* y = options.findChild<QComboBox*>("PlotYlistCB");
    ASSERT_EQ(x->count(), 3); // nothing, xs, ys
    EXPECT_EQ(x->itemText(1), "xs");
    x->setCurrentIndex(1);
    y->setCurrentIndex(2);
    options.accept();
    const auto& pairs = options.marks().listData;
    ASSERT_EQ(pairs.size(), 2u); // as many as the shorter list
    EXPECT_EQ(pairs[0].x, 1);
    EXPECT_EQ(pairs[0].y, 4);
    EXPECT_TRUE(isUndefined(pairs[1].y)); // not a number: not drawn
    options.loadValues({}, nullptr);
    EXPECT_EQ(y->currentText(), "ys");
}

} // namespace
} // namespace tallix
