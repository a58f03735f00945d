#include "engine/analysis/GraphAnalysis.h"
#include "tests/ui/UiTest.h"
#include "ui/dialogs/StepArrows.h"
#include "ui/dialogs/tallixDefInt.h"
#include "ui/dialogs/tallixEval.h"
#include "ui/dialogs/tallixXIMM.h"
#include "ui/pages/FxPage.h"
#include "ui/shell/tallixMain.h"
#include "ui/views/GraphView.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace tallix {
namespace {

using Lines = std::vector<std::string>;

class AnalysisToolsUi : public test::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form_ = std::make_unique<TtallixMainForm>(dataFolder());
        form_->show();
        form_->selectMode(CalcMode::Fx);
        page_ = form_->fxPage();
        graph_ = page_->graphView();
    }
    void TearDown() override {
        form_.reset();
        UiTest::TearDown();
    }
    void typeFunction(const char* text) {
        QTest::keyClicks(form_.get(), text);
        QTest::keyClick(form_.get(), Qt::Key_Return);
    }
    void click(const char* name) {
        auto* w = form_->findChild<QWidget*>(name);
        ASSERT_NE(w, nullptr) << name;
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(3, 3));
    }
    // A left drag over the graph between the columns of x = a and x = b.
    void selectRegion(Extended a, Extended b) {
        graph_->image();
        const PlotLayout& p = graph_->plotLayout();
        QTest::mousePress(graph_, Qt::LeftButton, {}, QPoint(p.column(a), 40));
        QTest::mouseMove(graph_, QPoint(p.column(b), 120));
        QTest::mouseRelease(graph_, Qt::LeftButton, {}, QPoint(p.column(b), 120));
    }
    // Red pixels of the graph's picture.
    int redPixels() {
        const QImage img = graph_->renderImage(1);
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixelColor(x, y) == QColor(Qt::red)) ++n;
        return n;
    }

    std::unique_ptr<TtallixMainForm> form_;
    FxPage* page_ = nullptr;
    GraphView* graph_ = nullptr;
};

TEST_F(AnalysisToolsUi, ToolsSearchTheDraggedRegion) {
    typeFunction("x^2-2");
    // No region yet: nothing happens.
    click("XcrossLbl");
    EXPECT_FALSE(page_->detailsForm()->isVisible());

    selectRegion(-3, 3);
    click("XcrossLbl");
    TtallixXIMMform* details = page_->detailsForm();
    ASSERT_TRUE(details->isVisible());
    EXPECT_EQ(details->title(), "X-Axis Crossings");
    EXPECT_EQ(details->reportLines(),
              (Lines{"1", " x = -1.4142135624", " y = 0", " x = 1.4142135624", " y = 0"}));
    click("MinLbl");
    EXPECT_EQ(details->title(), "Function Minimum");
    EXPECT_EQ(details->reportLines(), (Lines{"1", " x = 0.0000000000", " y = -2.0000000000"}));
    click("IsectLbl");
    EXPECT_EQ(details->reportLines(), (Lines{kNoneFound}));
    // A click on the window closes it.
    QTest::mouseClick(details, Qt::LeftButton, {}, QPoint(4, 280));
    EXPECT_FALSE(details->isVisible());
}

TEST_F(AnalysisToolsUi, EvaluateWindowListsAndMarksValues) {
    typeFunction("sin x");
    click("EvalLbl");
    TtallixEvalForm* ev = page_->evalForm();
    ASSERT_TRUE(ev->isVisible());
    EXPECT_EQ(ev->lines(), (Lines{"1,0"}));
    ev->xEdit()->setText("PI/4");
    QTest::keyClick(ev->xEdit(), Qt::Key_Return);
    EXPECT_EQ(ev->lines(), (Lines{"1,0.707106781186548"}));

    ev->xEdit()->setText("1/0");
    QTest::keyClick(ev->xEdit(), Qt::Key_Return);
    EXPECT_FALSE(ev->invalidLabel()->isHidden());
    EXPECT_TRUE(ev->lines().empty());

    // The small up-down steps the text and evaluates again.
    ev->xEdit()->setText("0.0");
    QTest::mouseClick(ev->findChild<StepArrows*>("SmallUD")->upButton(), Qt::LeftButton);
    EXPECT_EQ(ev->xEdit()->text(), "0.1");
    EXPECT_EQ(ev->lines(), (Lines{"1,0.0998334166468282"}));

    const int before = redPixels();
    QTest::mouseClick(ev->graphBox(), Qt::LeftButton, {}, QPoint(4, 8));
    const int marked = redPixels();
    EXPECT_GT(marked, before);
    QTest::mouseClick(ev->slopeBox(), Qt::LeftButton, {}, QPoint(4, 8));
    EXPECT_EQ(ev->lines(), (Lines{"1,0.0998334166468282", "m=0.995004"}));
    EXPECT_GT(redPixels(), marked); // the tangent
    QTest::keyClick(ev, Qt::Key_Escape);
    EXPECT_FALSE(ev->isVisible());
    EXPECT_EQ(redPixels(), before);
}

TEST_F(AnalysisToolsUi, IntegralWindowSumsAndShades) {
    typeFunction("x");
    click("DefIntLbl");
    TtallixDefIntForm* di = page_->defIntForm();
    ASSERT_TRUE(di->isVisible());
    ASSERT_EQ(di->primaryList()->count(), 1);
    EXPECT_EQ(di->valueLabel()->text(), ""); // no primary function chosen yet
    const QRect row = di->primaryList()->visualItemRect(di->primaryList()->item(0));
    QTest::mouseClick(di->primaryList()->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(di->valueLabel()->text(), "0.5");
    EXPECT_EQ(di->value2Label()->text(), "1 / 2");
    EXPECT_EQ(di->cellsLabel()->text(), "1024");

    const int before = redPixels();
    QTest::mouseClick(di->findChild<StepArrows*>("xmaxLud")->upButton(), Qt::LeftButton);
    EXPECT_EQ(di->xmaxEdit()->text(), "101");
    EXPECT_EQ(di->valueLabel()->text(), "5100.5");
    EXPECT_GT(redPixels(), before); // the shading in the default fill colour

    di->xminEdit()->setText("1/0");
    QTest::keyClick(di->xminEdit(), Qt::Key_Return);
    EXPECT_FALSE(di->xminInvalidLabel()->isHidden());
    EXPECT_EQ(di->valueLabel()->text(), "");
    EXPECT_FALSE(di->rangeValid());
}

} // namespace
} // namespace tallix
