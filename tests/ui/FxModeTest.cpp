#include "engine/graph/GraphInteraction.h"
#include "tests/ui/UiTest.h"
#include "ui/dialogs/tallixTspin.h"
#include "ui/pages/FxPage.h"
#include "ui/shell/AppState.h"
#include "ui/shell/tallixMain.h"
#include "ui/views/FuncList.h"
#include "ui/views/GraphView.h"
#include "ui/views/Keypad.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

namespace tallix {
namespace {

using Codes = std::vector<TokenCode>;

class FxModeUi : public test::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        form_ = std::make_unique<TtallixMainForm>(dataFolder());
        form_->show();
        form_->selectMode(CalcMode::Fx);
        page_ = form_->fxPage();
        list_ = page_->funcList();
        graph_ = page_->graphView();
    }
    void TearDown() override {
        form_.reset();
        UiTest::TearDown();
    }
    FuncSet& funcs() { return form_->funcs(); }
    const Codes& tokens(int n) { return funcs().slot(n).text.tokens(); }
    void clickKey(TokenCode code) {
        Keypad* pad = form_->findChild<Keypad*>("kb2Image");
        const double cw = pad->width() / 8.0, rh = pad->height() / 5.0;
        QTest::mouseClick(pad, Qt::LeftButton, {},
                          QPoint(int((code % 8 + 0.5) * cw), int((code / 8 + 0.5) * rh)));
    }
    int rowY(int n) { return list_->rowOf(n).first + 6; }

    std::unique_ptr<TtallixMainForm> form_;
    FxPage* page_ = nullptr;
    FuncList* list_ = nullptr;
    GraphView* graph_ = nullptr;
};

TEST_F(FxModeUi, KeypadAndKeyboardTypeFunctionsThatSurviveARestart) {
    for (TokenCode c : {func::Var, func::Power, TokenCode(20), func::Minus, TokenCode(20)})
        clickKey(c);
    EXPECT_EQ(tokens(1), (Codes{func::Var, func::Power, 20, func::Minus, 20}));
    EXPECT_TRUE(funcs().FuncsChanged);
    QTest::keyClick(form_.get(), Qt::Key_Return);
    graph_->image();
    ASSERT_EQ(graph_->sampler().scene().curveCount, 1);

    QTest::keyClick(form_.get(), Qt::Key_Down);
    QTest::keyClicks(form_.get(), "sin x");
    EXPECT_EQ(tokens(2), (Codes{func::Sin, func::Var}));
    QTest::keyClicks(form_.get(), "[2]");
    EXPECT_EQ(tokens(2).back(), func::CloseBracket);
    QTest::keyClick(form_.get(), Qt::Key_Backspace);
    QTest::keyClick(form_.get(), Qt::Key_Home);
    QTest::keyClick(form_.get(), Qt::Key_Delete);
    EXPECT_EQ(tokens(2), (Codes{func::Var, func::OpenBracket, 20}));

    form_->close();
    form_ = std::make_unique<TtallixMainForm>(dataFolder());
    EXPECT_EQ(form_->funcs().slot(1).text.tokens(),
              (Codes{func::Var, func::Power, 20, func::Minus, 20}));
    EXPECT_EQ(form_->funcs().slot(2).text.count(), 3);
}

TEST_F(FxModeUi, ListRowsShowPrefixShownMarkAndSelection) {
    QTest::keyClicks(form_.get(), "(x+1)(x-1)");
    // A drag over the text selects; the release keeps the selection.
    const int y = rowY(1);
    QTest::mousePress(list_, Qt::LeftButton, {}, QPoint(FuncList::kTextLeft + 2, y));
    QTest::mouseMove(list_, QPoint(FuncList::kTextLeft + 30, y));
    QTest::mouseRelease(list_, Qt::LeftButton, {}, QPoint(FuncList::kTextLeft + 30, y));
    const TokenLine& t = funcs().slot(1).text;
    ASSERT_TRUE(t.hasSelection());
    EXPECT_EQ(t.selFirst(), 1);
    EXPECT_GE(t.selLast(), 3);
    // A plain click places the cursor and drops the selection.
    QTest::mouseClick(list_, Qt::LeftButton, {}, QPoint(FuncList::kTextLeft + 1, y));
    EXPECT_FALSE(funcs().slot(1).text.hasSelection());
    EXPECT_EQ(funcs().slot(1).text.cursor, 1);

    // The shown mark toggles with a click left of the colour bar.
    funcs().FuncsChanged = false;
    QTest::mouseClick(list_, Qt::LeftButton, {}, QPoint(18, y));
    EXPECT_FALSE(funcs().slot(1).Shown);
    EXPECT_TRUE(funcs().FuncsChanged);
    // The colour bar asks for a colour.
    page_->setColourChooser([](const QColor&, QWidget*) { return QColor(10, 20, 30); });
    QTest::mouseClick(list_, Qt::LeftButton, {}, QPoint(35, y));
    EXPECT_EQ(funcs().slot(1).Colour, 0x1E140Au);

    // In the parametric graph even slots carry no mark: a click there arms nothing.
    page_->ToParamFxLblClick();
    QTest::mouseClick(list_, Qt::LeftButton, {}, QPoint(18, rowY(2)));
    EXPECT_TRUE(funcs().slot(2).Shown);
    EXPECT_EQ(form_->findChild<QLabel*>("ToParamFxLbl")->text(), ">>  f(x)");
    EXPECT_TRUE(form_->findChild<Keypad*>("kb4Image")->isVisible());
}

TEST_F(FxModeUi, ScrollButtonsMoveTheListSideways) {
    for (int i = 0; i < 60; ++i)
        QTest::keyClicks(form_.get(), "x+");
    QTest::keyClick(form_.get(), Qt::Key_Home);
    EXPECT_EQ(list_->scrollX(), 0);
    QWidget* rimage = page_->findChild<QWidget*>("Rimage");
    QWidget* limage = page_->findChild<QWidget*>("Limage");
    QTest::mouseClick(rimage, Qt::LeftButton, {}, QPoint(rimage->width() - 2, 5)); // to end
    const int end = list_->layout(1).rightEdge.back() - list_->width() + 89;
    EXPECT_EQ(list_->scrollX(), end);
    QTest::mouseClick(rimage, Qt::LeftButton, {}, QPoint(rimage->width() / 2, 5)); // a page right
    EXPECT_EQ(list_->scrollX(), end);
    QTest::mouseClick(limage, Qt::LeftButton, {}, QPoint(2, 5)); // to start
    EXPECT_EQ(list_->scrollX(), 0);
}

TEST_F(FxModeUi, GraphMouseSelectsZoomsAndTakesHotZones) {
    QTest::keyClicks(form_.get(), "x");
    QTest::keyClick(form_.get(), Qt::Key_Return);
    graph_->image();
    // A 1-pixel drag is a click: no region.
    QTest::mousePress(graph_, Qt::LeftButton, {}, QPoint(100, 80));
    QTest::mouseMove(graph_, QPoint(101, 81));
    QTest::mouseRelease(graph_, Qt::LeftButton, {}, QPoint(101, 81));
    EXPECT_FALSE(graph_->selectedRegion().has_value());
    // A real drag leaves the region, sorted, for the analysis tools.
    QTest::mousePress(graph_, Qt::LeftButton, {}, QPoint(150, 120));
    QTest::mouseMove(graph_, QPoint(100, 60));
    QTest::mouseRelease(graph_, Qt::LeftButton, {}, QPoint(100, 60));
    ASSERT_TRUE(graph_->selectedRegion().has_value());
    EXPECT_EQ(*graph_->selectedRegion(), (PixelRect{100, 60, 150, 120}));

    // A right drag zooms to the box: User Def scaling.
    const Extended xmaxBefore = form_->workspace().graphWindow().XMax;
    QTest::mousePress(graph_, Qt::RightButton, {}, QPoint(180, 50));
    QTest::mouseMove(graph_, QPoint(250, 120));
    QTest::mouseRelease(graph_, Qt::RightButton, {}, QPoint(250, 120));
    const GraphWindow& w = form_->workspace().graphWindow();
    EXPECT_EQ(w.yScaling, YScaling::UserDef);
    EXPECT_LT(w.XMax, xmaxBefore);
    EXPECT_GT(w.XMin, -10);

    // The zoom-out mark widens the range.
    graph_->image();
    const Extended span = w.XMax - w.XMin;
    QTest::mouseClick(graph_, Qt::LeftButton, {}, QPoint(graph_->width() - 15, 7));
    EXPECT_NEAR(double(w.XMax - w.XMin), double(span * 1.2L), 1e-9);
}

TEST_F(FxModeUi, HoverShowsCoordinatesAndShiftTracesWithoutResampling) {
    QTest::keyClicks(form_.get(), "x");
    QTest::keyClick(form_.get(), Qt::Key_Return);
    graph_->image();
    // No sampling pass runs while hovering: the last pass's count stays.
    const long sampled = graph_->sampler().evaluations();
    ASSERT_GT(sampled, 0);
    const PlotLayout& p = graph_->plotLayout();
    const QPoint at(p.column(2), p.row(5));
    QTest::mouseMove(graph_, at);
    ASSERT_TRUE(graph_->hoverOverlay());
    const auto& readout = graph_->hoverOverlay()->readout;
    ASSERT_TRUE(readout);
    EXPECT_EQ(readout->text.rfind("x = 2", 0), 0u) << readout->text;
    EXPECT_FALSE(readout->right); // far from the pointer: the left...
    EXPECT_TRUE(readout->bottom); // ...bottom corner
    EXPECT_EQ(graph_->sampler().evaluations(), sampled);

    // Shift: the readout runs on the curve, with a dot.
    QTest::mouseMove(graph_, at + QPoint(1, 0));
    graph_->hoverAt(at, true);
    EXPECT_EQ(graph_->hoverOverlay()->readout->text.rfind("1:  x = 2", 0), 0u);
    EXPECT_EQ(graph_->hoverOverlay()->marks.size(), 1u);
    graph_->grab(); // drawn over the cached picture
    EXPECT_EQ(graph_->sampler().evaluations(), sampled);

    // It goes when the pointer leaves, and a drag still selects as before.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(graph_, &leave);
    EXPECT_FALSE(graph_->hoverOverlay());
    QTest::mousePress(graph_, Qt::LeftButton, {}, QPoint(150, 120));
    QTest::mouseMove(graph_, QPoint(100, 60));
    QTest::mouseRelease(graph_, Qt::LeftButton, {}, QPoint(100, 60));
    EXPECT_EQ(*graph_->selectedRegion(), (PixelRect{100, 60, 150, 120}));
}

TEST_F(FxModeUi, RightClickOpensTheOptionsAndParametricShowsTheTRange) {
    QString title;
    QTimer::singleShot(0, [&title] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            title = d->windowTitle();
            d->reject();
        }
    });
    QTest::mouseClick(graph_, Qt::RightButton, {}, QPoint(100, 80));
    EXPECT_EQ(title, "Graphing Options");

    QWidget* tRange = page_->tRangeForm();
    EXPECT_FALSE(tRange->isVisible());
    page_->ToParamFxLblClick();
    EXPECT_TRUE(tRange->isVisible());
    form_->selectMode(CalcMode::Calc);
    EXPECT_FALSE(tRange->isVisible());
    form_->selectMode(CalcMode::Fx);
    EXPECT_TRUE(tRange->isVisible());
    page_->ToParamFxLblClick();
    EXPECT_FALSE(tRange->isVisible());
}

} // namespace
} // namespace tallix
