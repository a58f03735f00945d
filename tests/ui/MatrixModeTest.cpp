#include "tests/ui/UiTest.h"
#include "ui/dialogs/tallixGJanimate.h"
#include "ui/dialogs/tallixMatDialogs.h"
#include "ui/pages/MatrixPage.h"
#include "ui/shell/AppState.h"
#include "ui/shell/tallixMain.h"
#include "ui/views/ClickLabel.h"
#include "ui/views/MatDisplay.h"
#include "ui/views/MatList.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTest>

#include <functional>
#include <vector>

using namespace tallix;

namespace {

class MatrixMode : public test::UiTest {
protected:
    // A catalog file in the data folder before the window starts.
    void writeCatalog(const std::string& text) {
        ASSERT_TRUE(writeFileAtomically(dataFolder() / "tallixMats.Lst", text).ok);
    }
    std::string catalogFile() const {
        std::string s;
        readWholeFile(dataFolder() / "tallixMats.Lst", s);
        return s;
    }
    static MatrixPage* open(TtallixMainForm& form) {
        form.show();
        form.selectMode(CalcMode::Matrix);
        return form.findChild<MatrixPage*>("MatrixPage");
    }
    // Runs `act` on the next modal window as soon as the event loop shows it.
    static void onModal(std::function<void(QWidget*)> act, int tries = 50) {
        QTimer::singleShot(tries == 50 ? 0 : 10, [act, tries] {
            QWidget* w = QApplication::activeModalWidget();
            if ((!w || !w->isVisible()) && tries > 0) return onModal(act, tries - 1);
            ASSERT_NE(w, nullptr);
            act(w);
        });
    }
    // Answers the next message box with `b`, keeping its text, then arranges
    // `then` for the window after it.
    static void answer(QMessageBox::StandardButton b, QString* text = nullptr,
                       std::function<void()> then = {}) {
        onModal([b, text, then](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            if (text) *text = box->text();
            box->button(b)->click();
            if (then) then();
        });
    }
    static void type(TtallixMainForm& form, const QString& keys) {
        for (QChar c : keys)
            QTest::keyClick(&form, c.toLatin1());
    }
    static MatState& mat(TtallixMainForm& form) { return form.workspace().mat(); }
};

} // namespace

TEST_F(MatrixMode, CreatesFromASourceAndEditsCellsWithKeysAndMouse) {
    writeCatalog("A,46000.5,46000.5,2,2,[1,2,3,4]\n");
    TtallixMainForm form(dataFolder());
    MatrixPage* page = open(form);
    onModal([](QWidget* w) {
        auto* d = qobject_cast<TtallixMatNewForm*>(w);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), "New Matrix Definition");
        ASSERT_EQ(d->sourceList()->count(), 2);
        EXPECT_EQ(d->sourceList()->item(1)->text(), "A       [2x2] [1,2,3,4]");
        d->nameEdit()->setText("M");
        d->rowsBox()->setCurrentIndex(2);
        d->colsBox()->setCurrentIndex(2);
        d->sourceList()->setCurrentRow(1);
        QTest::keyClick(d->nameEdit(), Qt::Key_Return);
    });
    page->CreateNewMatrix();
    ASSERT_EQ(mat(form).subMode, MatSubMode::Edit);
    EXPECT_NE(catalogFile().find(",3,3,[1,2,,3,4,,,,]"), std::string::npos) << catalogFile();
    EXPECT_TRUE(page->display()->isVisible());
    EXPECT_FALSE(page->list()->isVisible());

    // Left at cursor 1 of column 1: the last column, after its text.
    QTest::keyClick(&form, Qt::Key_Left);
    EXPECT_EQ(mat(form).editor().col(), 3);
    type(form, "7/2");
    QTest::keyClick(&form, Qt::Key_Return); // wraps to row 2, column 1
    type(form, "-.5");
    QTest::keyClick(&form, Qt::Key_Backspace);
    EXPECT_NE(catalogFile().find(",[1,2,7/2,-.3,4,,,,]"), std::string::npos) << catalogFile();
    QTest::keyClick(&form, Qt::Key_End);
    QTest::keyClick(&form, Qt::Key_Return);
    EXPECT_EQ(mat(form).editor().row(), 1);
    EXPECT_EQ(mat(form).editor().col(), 1);

    // A click right of the middle of row 2, column 2 ("4") puts the cursor after it.
    const MatGridLayout& g = page->display()->gridLayout();
    QTest::mouseClick(page->display(), Qt::LeftButton, {}, QPoint(g.colX[1] + 30, g.rowY[1] + 4));
    EXPECT_EQ(mat(form).editor().row(), 2);
    EXPECT_EQ(mat(form).editor().col(), 2);
    EXPECT_EQ(mat(form).editor().cursor(), 2);
    QTest::mouseClick(page->display(), Qt::LeftButton, {}, QPoint(g.colX[0] + 1, g.rowY[0] + 4));
    EXPECT_EQ(mat(form).editor().col(), 1);
    EXPECT_EQ(mat(form).editor().cursor(), 1);
}

TEST_F(MatrixMode, EvaluatesSavesRenamesAndDeletes) {
    writeCatalog("A,46000.5,46000.5,2,2,[1,2,3,4]\nB,46000.5,46000.5,2,2,[0,1,1,0]\n");
    TtallixMainForm form(dataFolder());
    MatrixPage* page = open(form);
    QTest::mouseClick(form.findChild<QLabel*>("MatAlgebLbl"), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_TRUE(form.findChild<QLabel*>("MatLetterA")->isVisible());
    EXPECT_FALSE(form.findChild<QLabel*>("MatInvLbl")->isEnabled());
    QTest::mouseClick(form.findChild<QLabel*>("MatLetter<="), Qt::LeftButton, {}, QPoint(3, 3));
    type(form, "2a+B^t=");
    EXPECT_TRUE(form.findChild<QLabel*>("MatInvLbl")->isEnabled());
    const MatResult& r = mat(form).result();
    ASSERT_TRUE(r.valid) << r.message;
    EXPECT_EQ(r.cellList(), (std::vector<std::string>{"2", "5", "7", "8"}));

    // Saving over an existing name asks; No shows the name dialog again.
    QString asked;
    onModal([&asked](QWidget* w) {
        auto* d = qobject_cast<TtallixSaveMatAsForm*>(w);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->name(), "Temp");
        d->nameEdit()->setText("9x");
        d->doSave(); // not a name: stays open
        EXPECT_TRUE(d->isVisible());
        d->nameEdit()->setText("b");
        answer(QMessageBox::No, &asked, [] {
            onModal([](QWidget* again) {
                auto* d2 = qobject_cast<TtallixSaveMatAsForm*>(again);
                ASSERT_NE(d2, nullptr);
                d2->nameEdit()->setText("R");
                d2->doSave();
            });
        });
        d->doSave();
    });
    page->saveResultAs();
    EXPECT_EQ(asked, "Matrix \"b\" already defined - overwrite?");
    EXPECT_NE(catalogFile().find("R,"), std::string::npos);
    EXPECT_NE(catalogFile().find(",2,2,[2,5,7,8]"), std::string::npos) << catalogFile();

    // Rename through the list's menu entry.
    QTest::mouseClick(form.findChild<QLabel*>("MatListLbl"), Qt::LeftButton, {}, QPoint(3, 3));
    page->list()->setCurrentRow(2); // R
    onModal([](QWidget* w) {
        auto* d = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), "Rename Matrix  R");
        EXPECT_EQ(d->labelText(), "Enter Matrix Replacement Name");
        d->setTextValue("C");
        d->accept();
    });
    page->RenameSelected();
    EXPECT_EQ(page->list()->currentRow(), 2);
    EXPECT_EQ(catalogFile().find("R,"), std::string::npos);
    EXPECT_NE(catalogFile().find("C,"), std::string::npos);

    // Both confirmations: Cancel at the second keeps the matrix.
    page->list()->setCurrentRow(0);
    QString first, second;
    answer(QMessageBox::Yes, &first, [&second] { answer(QMessageBox::Cancel, &second); });
    page->DeleteSelected();
    EXPECT_EQ(first, "Once Deleted, data of matrix will be LOST FOREVER - continue?");
    EXPECT_EQ(second, "Are you sure?");
    EXPECT_EQ(page->list()->count(), 3);
    answer(QMessageBox::Yes, nullptr, [] { answer(QMessageBox::Yes); });
    page->DeleteSelected();
    EXPECT_EQ(page->list()->count(), 2);
    EXPECT_EQ(catalogFile().find("A,"), std::string::npos) << catalogFile();
}

TEST_F(MatrixMode, AnimationStepsToDoneThenShowsTheRref) {
    writeCatalog("P,1,1,2,2,[0,1,-1,0]\nT,1,1,2,3,[1,2,3,4,5,6]\nZ,1,1,2,2,[0,1,0,2]\n");
    TtallixMainForm form(dataFolder());
    MatrixPage* page = open(form);
    struct Case {
        int row;
        const char* seen; // a caption the animation must show
        const char* rref;
    };
    const Case cases[] = {
        {0, "Leading value not 1 - scale row by leading value...     click", "1,0,0,1"},
        {1, "Leading zero produced...  click", "1,0,-1,0,1,2"},
        {2, "Only zeros found, Click to begin column 2", "0,1,0,0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        page->list()->setCurrentRow(c.row);
        page->operationClicked(MatSubMode::Rref);
        page->rrefMenu()->hide();
        std::vector<std::string> captions;
        onModal([&captions](QWidget* w) {
            auto* gj = qobject_cast<TtallixGJanimateForm*>(w);
            ASSERT_NE(gj, nullptr);
            // Step back and forth once: the same caption again.
            gj->advance();
            const QString one = gj->captionLabel()->text();
            QTest::keyClick(gj, Qt::Key_Backspace);
            EXPECT_EQ(gj->animation().stepNumber(), 0);
            QTest::mouseClick(gj->drawing(), Qt::LeftButton, {}, QPoint(20, 20));
            EXPECT_EQ(gj->captionLabel()->text(), one);
            captions.push_back(one.toStdString());
            for (int i = 0; i < 100 && gj->isVisible(); ++i) {
                QTest::mouseClick(gj->captionLabel(), Qt::LeftButton, {}, QPoint(3, 3));
                captions.push_back(gj->captionLabel()->text().toStdString());
            }
            EXPECT_FALSE(gj->isVisible());
        });
        page->animate();
        ASSERT_GE(captions.size(), 2u);
        EXPECT_EQ(captions[captions.size() - 2], "Done.");
        EXPECT_NE(std::find(captions.begin(), captions.end(), c.seen), captions.end());
        ASSERT_EQ(mat(form).subMode, MatSubMode::Rref);
        const MatOpGridResult& r = mat(form).rref();
        std::string cells;
        for (int i = 0; i < r.rows; ++i)
            for (int j = 0; j < r.cols; ++j)
                cells += (cells.empty() ? "" : ",") + r.cell(i, j);
        EXPECT_EQ(cells, c.rref);
        // "Back" returns to the list.
        QTest::mouseClick(page->display(), Qt::LeftButton, {},
                          QPoint(page->display()->width() / 2, page->display()->height() - 3));
        EXPECT_EQ(mat(form).subMode, MatSubMode::List);
    }
}

TEST_F(MatrixMode, CaretIsDrawnByExclusiveOr) {
    writeCatalog("A,1,1,1,1,[5]\n");
    TtallixMainForm form(dataFolder());
    MatrixPage* page = open(form);
    page->list()->setCurrentRow(0);
    page->EditSelected();
    const QImage before = page->display()->image();
    page->cursorTick();
    EXPECT_TRUE(page->display()->caretVisible());
    EXPECT_NE(page->display()->image(), before);
    page->cursorTick();
    EXPECT_EQ(page->display()->image(), before);
}

TEST_F(MatrixMode, OptionsWriteAtOnceAndOfferSavingOnlyAValidResult) {
    writeCatalog("A,1,1,1,2,[1,2]\n");
    TtallixMainForm form(dataFolder());
    MatrixPage* page = open(form);
    page->selectSubMode(MatSubMode::Algeb);
    bool saveEnabled = true;
    onModal([&saveEnabled](QWidget* w) {
        auto* d = qobject_cast<TtallixMatOptionsForm*>(w);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->windowTitle(), "MAT Options");
        saveEnabled = d->saveLabel()->isEnabled();
        EXPECT_TRUE(d->box(0)->isChecked());
        d->box(0)->setChecked(false); // "Allow rational reductions"
        d->reject();
    });
    QTest::mouseClick(page->display(), Qt::RightButton, {}, QPoint(50, 50));
    EXPECT_FALSE(saveEnabled);
    EXPECT_NE(ini().find("matrational=0"), std::string::npos) << ini();
    EXPECT_FALSE(mat(form).options.rational);

    // A click in the expression puts the cursor after the character under it.
    type(form, "a*3=");
    ASSERT_TRUE(mat(form).result().valid);
    QTest::mouseClick(page->display(), Qt::LeftButton, {}, QPoint(17, 30));
    EXPECT_EQ(mat(form).cursor(), 1);
    QTest::mouseClick(page->display(), Qt::LeftButton, {}, QPoint(300, 30));
    EXPECT_EQ(mat(form).cursor(), 4);
    onModal([&saveEnabled](QWidget* w) {
        saveEnabled = qobject_cast<TtallixMatOptionsForm*>(w)->saveLabel()->isEnabled();
        qobject_cast<QDialog*>(w)->reject();
    });
    QTest::mouseClick(page->display(), Qt::RightButton, {}, QPoint(50, 50));
    EXPECT_TRUE(saveEnabled);
}
